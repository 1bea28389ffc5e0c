#pragma once

#include <gtest/gtest.h>

#include <cerrno>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>

#include "support/program_runner.h"

namespace matinv::testing {

// What an output stream of a run must hold: the whole text, or, made by
// like(), a pattern in which each '*' stands for any text.
struct Expected {
    Expected(std::string whole) : text(std::move(whole)) {}
    Expected(const char* whole) : text(whole) {}
    std::string text;
    bool pattern = false;
};

inline Expected like(std::string pattern) {
    Expected expected(std::move(pattern));
    expected.pattern = true;
    return expected;
}

// How the streams of a run in process behave (see dialogue_runner.h); a
// run of the built program meets ordinary ones.
struct Streams {
    std::size_t read_chunk = 0;   // 0: as much as asked for
    bool reads_block = false;     // every other read fails with EAGAIN
    int read_error = 0;           // once the input is read, reads fail so
    int read_wait_error = 0;      // reads would block, and the wait fails so
    std::size_t write_chunk = 0;  // 0: all bytes at once
    bool writes_block = false;    // every other write fails with EAGAIN
    int failing_write = 0;        // this write of the output, from 1, fails
    int write_error = ENOSPC;     // as the failing write does
    int write_wait_error = 0;     // writes would block, and the wait fails so
    int failing_error_write = 0;  // this write of the errors, from 1, fails
    bool out_terminal = false;
    bool errors_terminal = false;
    int most_reads = -1;  // reads of the input allowed before the run ends
};

// One run of the program and all that it must show.
struct ProgramCase {
    const char* name;
    std::string input;
    int status;
    Expected out;
    Expected errors = "";  // warnings, notes and the error line
    Surroundings surroundings = {};
    Streams streams = {};
};

// Each part between the stars must follow the one before it; the first must
// start the text and the last end it.
inline bool is_like(std::string_view text, std::string_view pattern) {
    std::size_t star = pattern.find('*');
    if (star == std::string_view::npos) {
        return text == pattern;
    }
    if (!text.starts_with(pattern.substr(0, star))) {
        return false;
    }
    do {
        text.remove_prefix(star);
        pattern.remove_prefix(star + 1);
        star = pattern.find('*');
        const std::size_t at = text.find(pattern.substr(0, star));
        if (at == std::string_view::npos) {
            return false;
        }
        text.remove_prefix(at);
    } while (star != std::string_view::npos);
    return text.ends_with(pattern);
}

inline void expect_text(const std::string& text, const Expected& expected,
                        const std::string& label) {
    if (expected.pattern) {
        EXPECT_TRUE(is_like(text, expected.text))
            << label << ::testing::PrintToString(text) << " is not like "
            << ::testing::PrintToString(expected.text);
    } else {
        EXPECT_EQ(text, expected.text) << label;
    }
}

// Reports each stream and status of `run` that differs from its case, with
// the name, the arguments and the input of the case.
inline void expect_run(const ProgramRun& run, const ProgramCase& c) {
    // Some inputs run to many kilobytes: their start tells them apart.
    const std::string label = std::string(c.name) + ", arguments " +
                              ::testing::PrintToString(c.surroundings.arguments) + ", input " +
                              ::testing::PrintToString(c.input.substr(0, 200)) + ": ";
    expect_text(run.out, c.out, label + "standard output ");
    expect_text(run.errors, c.errors, label + "standard error ");
    EXPECT_EQ(run.status, c.status) << label << "exit status";
}

// Runs every case of the built program and holds it to its case.
// A case whose surroundings this system cannot set up is left out, and the
// test is reported skipped, naming it, once the others have run.
inline void expect_runs(std::span<const ProgramCase> cases) {
    std::string skipped;
    for (const ProgramCase& c : cases) {
        if (const char* reason = unavailable_here(c.surroundings)) {
            skipped += std::string(c.name) + ": " + reason + "; ";
            continue;
        }
        expect_run(run_matinv(c.input, c.surroundings), c);
    }
    if (!skipped.empty()) {
        GTEST_SKIP() << "the other cases ran; skipped " << skipped;
    }
}

}  // namespace matinv::testing
