// The whole dialogue in-process against streams that misbehave as
// descriptors do: partial and would-block transfers must change nothing,
// and a failed read or write must end the run at once with its reason.
#include <gtest/gtest.h>

#include <cerrno>
#include <sstream>
#include <string>

#include "dialogue/driver.h"
#include "support/dialogue_runner.h"
#include "support/memory_streams.h"
#include "support/prompts.h"
#include "trace/trace_layout.h"

namespace matinv {
namespace {

using testing::expect_in_process;
using testing::kOrder;
using testing::like;
using testing::row_prompts;
using testing::run_in_process;

TEST(DialogueStreams, PartialAndWouldBlockTransfersChangeNothing) {
    const char* const inputs[] = {
        "2 1 2 2 4\n2 4 7 2 6\n",  // a failed attempt, then a report
        "3 1 2 3\n4 5 x\n",        // a refused entry
        "2 1 2\n",                 // input that ends early
    };
    const struct {
        const char* name;
        testing::Streams streams;
    } cases[] = {
        {"writes of 1 byte", {.write_chunk = 1}},
        {"writes of 3 bytes", {.write_chunk = 3}},
        {"writes that would block", {.writes_block = true}},
        {"reads that would block", {.reads_block = true}},
        {"short reads and writes, all blocking",
         {.read_chunk = 5, .reads_block = true, .write_chunk = 4, .writes_block = true}},
    };
    for (const char* input : inputs) {
        const testing::ProgramRun plain = run_in_process({"plain", input, 0, ""});
        for (const auto& c : cases) {
            expect_in_process(
                {c.name, input, plain.status, plain.out, plain.errors, {}, c.streams});
        }
    }
}

TEST(DialogueStreams, AFailedReadOrWriteEndsTheRun) {
    std::string endless_failures;
    for (int attempt = 0; attempt < 20000; ++attempt) {
        endless_failures += "2 1 2 2 4\n";
    }
    const std::string no_space =
        "matinv: standard output could not be written: No space left on device\n";
    const std::string broken_pipe = "matinv: standard output could not be written: Broken pipe\n";
    const testing::ProgramCase cases[] = {
        {"the first prompt cannot be written",
         "2 4 7 2 6",
         1,
         "",
         no_space,
         {},
         {.failing_write = 1, .most_reads = 0}},
        {"the report cannot be written",
         "2 4 7 2 6",
         1,
         kOrder,
         no_space,
         {},
         {.failing_write = 2, .most_reads = 1}},
        {"the reader has gone before the input ended",
         "2 1 2 2 4",
         1,
         kOrder,
         broken_pipe,
         {},
         {.failing_write = 2, .write_error = EPIPE, .most_reads = 1}},
        {"the reader has gone from an endless stream",
         endless_failures,
         1,
         kOrder,
         broken_pipe,
         {},
         {.failing_write = 2, .write_error = EPIPE, .most_reads = 2}},
        {"a read fails",
         "2 4 7",
         1,
         kOrder + row_prompts(2),
         "matinv: standard input could not be read: Input/output error\n",
         {},
         {.read_error = EIO, .most_reads = 2}},
        {"the first read fails",
         "",
         1,
         kOrder,
         "matinv: standard input could not be read: Is a directory\n",
         {},
         {.read_error = EISDIR, .most_reads = 1}},
        {"waiting for the input fails",
         "2 4 7 2 6",
         1,
         kOrder,
         "matinv: standard input could not be read: Cannot allocate memory\n",
         {},
         {.read_wait_error = ENOMEM, .most_reads = 1}},
        {"waiting for the output fails",
         "2 4 7 2 6",
         1,
         "",
         "matinv: standard output could not be written: Cannot allocate memory\n",
         {},
         {.write_wait_error = ENOMEM, .most_reads = 0}},
    };
    for (const auto& c : cases) {
        expect_in_process(c);
    }
}

// When output and errors share a terminal, a line on errors after a prompt
// starts on a line of its own; after a line break, or anywhere else, it
// follows at once. It comes right after a flush, so that only what the
// flush left tells the two apart.
TEST(DialogueStreams, AtATerminalTheErrorLineStartsOnANewLine) {
    const struct {
        const char* input;
        std::string line;
        bool after_prompt;
        int status;
    } cases[] = {
        {"1\n", "line 2, column 1: input ended while reading entry a11 (row 1, column 1)", true, 1},
        {"-1.0",
         "warning: the order \"-1\" runs straight into \".0\"; it was read as -1, and \".0\" "
         "is not read",
         true, 0},
        {"1 1e400", "warning: [B] cannot be trusted: it holds infinite or not-a-number entries",
         false, 0},  // after the report's last line
    };
    for (const auto& c : cases) {
        for (const bool out_terminal : {false, true}) {
            for (const bool errors_terminal : {false, true}) {
                const bool new_line = c.after_prompt && out_terminal && errors_terminal;
                const std::string name =
                    "output at a terminal: " + std::to_string(out_terminal) +
                    ", errors at a terminal: " + std::to_string(errors_terminal);
                expect_in_process(
                    {name.c_str(),
                     c.input,
                     c.status,
                     like("*"),
                     (new_line ? "\nmatinv: " : "matinv: ") + c.line + "\n",
                     {},
                     {.out_terminal = out_terminal, .errors_terminal = errors_terminal}});
            }
        }
    }
}

// A trace or a line lost on the error stream must not pass for a success;
// the output is written as ever, and a usage error stays one.
TEST(DialogueStreams, AFailedWriteOnTheErrorStreamGivesStatusOne) {
    const struct {
        const char* option;
        const char* input;
        int status;
    } cases[] = {
        {"--steps", "2 4 7 2 6", 1},       // the trace
        {"", "2.0 1 2 3", 1},              // a warning
        {"", "2 1e-11 0 0 1e-11 1 3", 1},  // a note
        {"", "2 1 2", 1},                  // an error
        {"--step", "", 2},                 // a usage error
    };
    for (const auto& c : cases) {
        const testing::Surroundings arguments = {.arguments = {c.option}};
        const testing::ProgramRun plain = run_in_process({"plain", c.input, 0, "", "", arguments});
        expect_in_process({"the errors cannot be written",
                           c.input,
                           c.status,
                           plain.out,
                           like("*"),
                           arguments,
                           {.failing_error_write = 1}});
    }
}

// The trace's width: the terminal's size, else COLUMNS if a count, else 80; off a terminal, no
// limit. Too wide a matrix comes in even blocks of whole columns, each as wide as its widest
// number and tab; a sentence too wide is broken after a comma or at a blank, and goes on
// indented (the lines of messages are not the trace's). Cases: the input, at a terminal, its size,
// COLUMNS, the trace's first line after "order n: each row is the entered row,", the first matrix
// written, and whether in exact fractions.
TEST(DialogueStreams, TheTraceFitsTheTerminalInColumnBlocks) {
    const std::string one = "1.0000000000\t", zero = "0.0000000000\t", i1 = one + zero + "\n";
    const std::string a1 = "12345.0000000000\t7.0000000000\t", a2 = "2.0000000000\t6.0000000000\t";
    const std::string whole = a1 + i1 + a2 + zero + one + "\n";
    const std::string id = one + zero + zero + "\n" + zero + one + zero + "\n" + zero + zero + one;
    const std::string broken = "\n  then the identity's row\n";
    const struct {
        const char* input;
        bool terminal;
        int size;
        const char* columns;
        std::string header, matrix;
        bool exact = false;
    } cases[] = {
        {"2 12345 7 2 6", true, 72, "40", broken, whole},
        {"2 12345 7 2 6", true, 0, "71", broken,
         "Columns 1 and 2:\n" + a1 + "\n" + a2 + "\nColumns 3 and 4:\n" + i1 + zero + one + "\n"},
        {"2 12345 7 2 6", true, 0, "40x", broken, whole},
        {"2 12345 7 2 6", false, 16, "16", " then the identity's row\n", whole},
        {"3 1 0 0 0 1 0 0 0 1", true, 0, nullptr, broken,
         "Columns 1 through 3:\n" + id + "\nColumns 4 through 6:\n" + id + "\n"},
        {"1 1e30", true, 40, nullptr, broken,
         "Column 1:\n1000000000000000019884624838656.0000000000\t\nColumn 2:\n" + one + "\n"},
        {"2 1e-5 -2 3 4", true, 80, nullptr, broken,
         "0.0000100000\t-2.0000000000\t" + i1 + "3.0000000000\t4.0000000000\t" + zero + one + "\n"},
#if MATINV_EXACT_ARITHMETIC
        {"2 1/12345678901234567890 -1/98765432109876543210 2 6", true, 63, nullptr, broken,
         "Columns 1 and 2:\n1/12345678901234567890\t-1/98765432109876543210\t\n2\t6\t\n"
         "Columns 3 and 4:\n1\t0\t\n0\t1\t\n",
         true},
#endif
    };
    for (const auto& [input, terminal, size, columns, header, matrix, exact] : cases) {
        MemorySource in(input);
        MemorySink out, errors;
        const int width = trace_width(terminal, size, columns);
        run_dialogue(in, out, errors, {.steps = true, .exact = exact, .trace_columns = width});
        const std::string label = "input " + std::string(input) + ", terminal " +
                                  std::to_string(terminal) + " of size " + std::to_string(size) +
                                  ", COLUMNS " + (columns != nullptr ? columns : "unset");
        const std::size_t start = errors.text.find("row\n") + 4;
        EXPECT_EQ(errors.text.substr(start, errors.text.find("\nrow scaling") - start), matrix)
            << label;
        EXPECT_NE(errors.text.find("the entered row," + header), std::string::npos) << label;
        std::istringstream lines(errors.text);
        for (std::string line; width > 0 && std::getline(lines, line);) {
            const bool sentence =
                line.find('\t') == std::string::npos && !line.starts_with("matinv: ");
            EXPECT_TRUE(!sentence || line.size() <= std::size_t(width))
                << label << ": \"" << line << "\" is wider";
        }
    }
}

}  // namespace
}  // namespace matinv
