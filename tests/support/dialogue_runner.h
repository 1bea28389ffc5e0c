#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "dialogue/command_line.h"
#include "support/memory_streams.h"
#include "support/program_table.h"

namespace matinv::testing {

// A run in process, and how often it read, waited and wrote.
struct InProcessRun : ProgramRun {
    int reads = 0;
    bool read_waits = false, read_would_block = false;
    bool write_waits = false, write_would_block = false;
    int writes = 0;
};

// Runs the program in process with `arguments`, on memory streams that
// behave as `s` says.
inline InProcessRun run_in_process(const std::string& input,
                                   const std::vector<std::string>& arguments, const Streams& s) {
    MemorySource in(input, s.read_chunk);
    in.would_block = s.reads_block || s.read_wait_error != 0;
    in.wait_error = s.read_wait_error;
    in.error_after_text = s.read_error;
    MemorySink out, errors;
    for (MemorySink* sink : {&out, &errors}) {
        sink->chunk_limit = s.write_chunk;
        sink->would_block = s.writes_block;
    }
    out.would_block = s.writes_block || s.write_wait_error != 0;
    out.wait_error = s.write_wait_error;
    out.terminal = s.out_terminal;
    errors.terminal = s.errors_terminal;
    out.failing_write = s.failing_write;
    out.error_number = s.write_error;
    errors.failing_write = s.failing_error_write;
    std::vector<const char*> argv = {"matinv"};
    for (const std::string& argument : arguments) {
        argv.push_back(argument.c_str());
    }
    InProcessRun run;
    run.status = run_command_line(static_cast<int>(argv.size()), argv.data(), in, out, errors);
    run.out = out.text;
    run.errors = errors.text;
    run.reads = in.reads;
    run.read_waits = in.waits > 0;
    run.read_would_block = in.would_block;
    run.write_waits = out.waits > 0;
    run.write_would_block = out.would_block;
    run.writes = out.writes;
    return run;
}

// Runs `c` in process and holds it to its case: its texts and status, and
// the stream counts its `streams` allow. A stream waits only if it would block.
inline void expect_in_process(const ProgramCase& c) {
    const Streams& s = c.streams;
    const InProcessRun run = run_in_process(c.input, c.surroundings.arguments, s);
    expect_run(run, c);
    const std::string label = std::string(c.name) + ", input " + c.input.substr(0, 200);
    EXPECT_EQ(run.read_waits, run.read_would_block) << label;
    EXPECT_EQ(run.write_waits, run.write_would_block) << label;
    if (s.most_reads >= 0) {
        EXPECT_LE(run.reads, s.most_reads) << label;
    }
    if (s.failing_write > 0) {
        EXPECT_EQ(run.writes, s.failing_write) << label << ": written after the failure";
    }
}

}  // namespace matinv::testing
