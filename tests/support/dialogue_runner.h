#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "dialogue/command_line.h"
#include "support/memory_streams.h"
#include "support/program_table.h"

namespace matinv::testing {

// Runs `c`'s input and arguments in process, on memory streams that behave
// as its `streams` say, and holds the run to the stream counts they allow:
// a stream waits only if it would block. The texts and status are returned.
inline ProgramRun run_in_process(const ProgramCase& c) {
    const Streams& s = c.streams;
    MemorySource in(c.input, s.read_chunk);
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
    for (const std::string& argument : c.surroundings.arguments) {
        argv.push_back(argument.c_str());
    }
    const int status =
        run_command_line(static_cast<int>(argv.size()), argv.data(), in, out, errors);
    const std::string label = std::string(c.name) + ", input " + c.input.substr(0, 200);
    EXPECT_EQ(in.waits > 0, in.would_block) << label;
    EXPECT_EQ(out.waits > 0, out.would_block) << label;
    EXPECT_TRUE(s.most_reads < 0 || in.reads <= s.most_reads)
        << label << ": " << in.reads << " reads";
    EXPECT_TRUE(s.failing_write == 0 || out.writes == s.failing_write)
        << label << ": written after the failure";
    return {out.text, errors.text, status};
}

// Runs `c` in process and holds it to its case.
inline void expect_in_process(const ProgramCase& c) { expect_run(run_in_process(c), c); }

}  // namespace matinv::testing
