#include <gtest/gtest.h>

#include <cstdio>
#include <limits>
#include <string>

#include "program_runner.h"

namespace matinv {
namespace {

using testing::ProgramRun;
using testing::run_matinv;
using testing::Surroundings;

const std::string kOrder = "INPUT ORDER OF SQUARE MATRIX: ";
const std::string kRows2 = "INPUT a11 a12: INPUT a21 a22: ";
const std::string kNoInverse = "\nINVERSE MATRIX NOT EXIST!!\n";
const std::string kReport2x2 =
    "\n[A]=\n"
    "4.0000000000\t7.0000000000\t\n"
    "2.0000000000\t6.0000000000\t\n"
    "\n[B]=\n"
    "0.6000000000\t-0.7000000000\t\n"
    "-0.2000000000\t0.4000000000\t\n"
    "\n[A][B]=\n"
    "1.0000000000\t-0.0000000000\t\n"
    "0.0000000000\t1.0000000000\t\n";
const std::string kEmptyReport = "\n[A]=\n\n[B]=\n\n[A][B]=\n";

// The NaN that inf / inf gives, as printf writes it: its sign is the CPU's
// choice (negative on x86-64, positive on aarch64).
std::string computed_nan() {
    volatile double infinity = std::numeric_limits<double>::infinity();
    char text[16];
    std::snprintf(text, sizeof text, "%.10f", infinity / infinity);
    return text;
}

struct Transcript {
    const char* name;
    std::string input;
    std::string out;
};

// Runs that end with a report: standard output exactly, status 0, and
// nothing on standard error.
TEST(Program, Transcripts) {
    const Transcript cases[] = {
        {"2x2 example", "2\n4 7\n2 6\n", kOrder + kRows2 + kReport2x2},
        {"all on one line", "2 4 7 2 6", kOrder + kRows2 + kReport2x2},
        {"rows split and joined across lines", "2\n4\n7 2\n\n6", kOrder + kRows2 + kReport2x2},
        {"singular, then the example", "2\n1 2\n2 4\n2\n4 7\n2 6\n",
         kOrder + kRows2 + kNoInverse + kOrder + kRows2 + kReport2x2},
        {"two failures of other orders first", "1 0\n3 1 2 3 2 4 6 0 0 1\n2 4 7 2 6",
         kOrder + "INPUT a11: " + kNoInverse + kOrder +
             "INPUT a11 a12 a13: INPUT a21 a22 a23: INPUT a31 a32 a33: " + kNoInverse + kOrder +
             kRows2 + kReport2x2},
        {"zero, then order 1", "1 0 1 3",
         kOrder + "INPUT a11: " + kNoInverse + kOrder + "INPUT a11: " +
             "\n[A]=\n3.0000000000\t\n\n[B]=\n0.3333333333\t\n\n[A][B]=\n1.0000000000\t\n"},
        {"order 0", "0\n", kOrder + kEmptyReport},
        {"negative order", "-7\n", kOrder + kEmptyReport},
        {"order that does not fit an int, negative", "-99999999999", kOrder + kEmptyReport},
        {"smallest invertible", "1 1e-10",
         kOrder + "INPUT a11: " +
             "\n[A]=\n0.0000000001\t\n\n[B]=\n10000000000.0000000000\t\n\n[A][B]=\n"
             "1.0000000000\t\n"},
        {"entries too small for ten decimals", "2 1 1e-11 0 1",
         kOrder + kRows2 +
             "\n[A]=\n1.0000000000\t0.0000000000\t\n0.0000000000\t1.0000000000\t\n"
             "\n[B]=\n1.0000000000\t-0.0000000000\t\n0.0000000000\t1.0000000000\t\n"
             "\n[A][B]=\n1.0000000000\t0.0000000000\t\n0.0000000000\t1.0000000000\t\n"},
        {"order read as 2 from 2.5, then .5", "2.5 1 2 3",
         kOrder + kRows2 +
             "\n[A]=\n0.5000000000\t1.0000000000\t\n2.0000000000\t3.0000000000\t\n"
             "\n[B]=\n-6.0000000000\t2.0000000000\t\n4.0000000000\t-1.0000000000\t\n"
             "\n[A][B]=\n1.0000000000\t0.0000000000\t\n0.0000000000\t1.0000000000\t\n"},
        {"anything after the report is never read", "2 4 7 2 6 junk \x01 11",
         kOrder + kRows2 + kReport2x2},
        {"entries beyond the double range", "1 1e400",
         kOrder + "INPUT a11: " + "\n[A]=\ninf\t\n\n[B]=\n" + computed_nan() + "\t\n\n[A][B]=\n" +
             computed_nan() + "\t\n"},
    };
    for (const Transcript& c : cases) {
        const ProgramRun run = run_matinv(c.input);
        EXPECT_EQ(run.out, c.out) << c.name;
        EXPECT_EQ(run.status, 0) << c.name;
        EXPECT_EQ(run.errors, "") << c.name;
    }
}

// Order 10: row and column numbers run together in the prompts.
TEST(Program, OrderTenPrompts) {
    std::string input = "10\n";
    for (int i = 0; i < 10; ++i) {
        for (int j = 0; j < 10; ++j) {
            input += i == j ? "2 " : "0 ";
        }
        input += '\n';
    }
    const ProgramRun run = run_matinv(input);
    ASSERT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("INPUT a11 a12 a13 a14 a15 a16 a17 a18 a19 a110: INPUT a21 "),
              std::string::npos);
    EXPECT_NE(run.out.find(": INPUT a101 a102 a103 a104 a105 a106 a107 a108 a109 a1010: \n[A]=\n"),
              std::string::npos);
    std::string last_row;
    for (int j = 0; j < 9; ++j) {
        last_row += "0.0000000000\t";
    }
    EXPECT_EQ(run.out.substr(run.out.size() - last_row.size() - 14), last_row + "1.0000000000\t\n");
}

struct Refusal {
    const char* name;
    std::string input;
    std::string out;     // everything written before the program stopped
    std::string errors;  // its one line on standard error
};

// Runs that cannot end with a report stop at once with status 1: the
// output so far, then one line on standard error saying why and, for a
// fault in the input, in which matrix and where: line and column of the
// offending text, or of the end of the input.
TEST(Program, RefusedInputs) {
    const std::string long_order = std::string(1000, '7');
    const Refusal cases[] = {
        {"no input", "", kOrder,
         "matinv: line 1, column 1: input ended while reading the order of matrix 1\n"},
        {"only blanks", " \n\t\n", kOrder,
         "matinv: line 3, column 1: input ended while reading the order of matrix 1\n"},
        {"input ends inside a row", "2\n1 2\n", kOrder + kRows2,
         "matinv: line 3, column 1: input ended while reading entry a21 (row 2, column 1) of "
         "matrix 1\n"},
        {"input ends after a singular matrix", "2 1 2 2 4", kOrder + kRows2 + kNoInverse + kOrder,
         "matinv: line 1, column 10: input ended while reading the order of matrix 2\n"},
        {"a word for the order", "abc", kOrder,
         "matinv: line 1, column 1: expected the order of matrix 1, a whole number, but found "
         "\"abc\"\n"},
        {"a fraction for the order", ".5", kOrder,
         "matinv: line 1, column 1: expected the order of matrix 1, a whole number, but found "
         "\".5\"\n"},
        {"hexadecimal entry", "1 0x10", kOrder + "INPUT a11: " + kNoInverse + kOrder,
         "matinv: line 1, column 4: expected the order of matrix 2, a whole number, but found "
         "\"x10\"\n"},
        {"infinity", "1 inf", kOrder + "INPUT a11: ",
         "matinv: line 1, column 3: expected a number for entry a11 (row 1, column 1) of matrix "
         "1, but found \"inf\"\n"},
        {"not a number", "2 1 nan", kOrder + "INPUT a11 a12: ",
         "matinv: line 1, column 5: expected a number for entry a12 (row 1, column 2) of matrix "
         "1, but found \"nan\"\n"},
        {"two signs", "2 1 2 --5", kOrder + kRows2,
         "matinv: line 1, column 7: expected a number for entry a21 (row 2, column 1) of matrix "
         "1, but found \"--5\"\n"},
        {"a lone sign", "1 -", kOrder + "INPUT a11: ",
         "matinv: line 1, column 3: expected a number for entry a11 (row 1, column 1) of matrix "
         "1, but found \"-\"\n"},
        {"a lone point", "1 .", kOrder + "INPUT a11: ",
         "matinv: line 1, column 3: expected a number for entry a11 (row 1, column 1) of matrix "
         "1, but found \".\"\n"},
        {"a control sequence", "1 \x1b[2J", kOrder + "INPUT a11: ",
         "matinv: line 1, column 3: expected a number for entry a11 (row 1, column 1) of matrix "
         "1, but found \"\\x1b[2J\"\n"},
        {"a fault in the second matrix", "2 1 2 2 4\n2 4 x 2 6",
         kOrder + kRows2 + kNoInverse + kOrder + "INPUT a11 a12: ",
         "matinv: line 2, column 5: expected a number for entry a12 (row 1, column 2) of matrix "
         "2, but found \"x\"\n"},
        {"order 11", "11\n", kOrder,
         "matinv: line 1, column 1: order \"11\" of matrix 1 is above the limit of 10\n"},
        {"order beyond an int", "2147483648", kOrder,
         "matinv: line 1, column 1: order \"2147483648\" of matrix 1 is above the limit of 10\n"},
        {"order of a thousand digits", "\n  " + long_order, kOrder,
         "matinv: line 2, column 3: order \"" + long_order.substr(0, 32) +
             "\"... of matrix 1 is above the limit of 10\n"},
        {"order 11 after a failed attempt", "1 0\n 11", kOrder + "INPUT a11: " + kNoInverse + kOrder,
         "matinv: line 2, column 2: order \"11\" of matrix 2 is above the limit of 10\n"},
    };
    for (const Refusal& c : cases) {
        const ProgramRun run = run_matinv(c.input);
        EXPECT_EQ(run.out, c.out) << c.name;
        EXPECT_EQ(run.errors, c.errors) << c.name;
        EXPECT_EQ(run.status, 1) << c.name;
    }
}

// Faults of the surroundings, not of the input: the run stops at the first
// failed read or write with one line naming the stream and the system's
// reason. The program also runs whole on a 64 KiB stack, error paths
// included.
TEST(Program, HostileSurroundings) {
    std::string endless_failures;
    for (int attempt = 0; attempt < 20000; ++attempt) {
        endless_failures += "2 1 2 2 4\n";
    }
    const struct {
        const char* name;
        std::string input;
        Surroundings surroundings;
        int status;
        std::string out;
        std::string errors;
    } cases[] = {
        {"output to a full disk", "2 4 7 2 6", {.full_output = true}, 1, "",
         "matinv: standard output could not be written: No space left on device\n"},
        {"many attempts to a full disk", endless_failures, {.full_output = true}, 1, "",
         "matinv: standard output could not be written: No space left on device\n"},
        {"input from a directory", "", {.input_path = "/"}, 1, kOrder,
         "matinv: standard input could not be read: Is a directory\n"},
        {"input closed", "", {.input_closed = true}, 1, kOrder,
         "matinv: standard input could not be read: Bad file descriptor\n"},
        {"a whole session on a small stack", "2 1 2 2 4 2 4 7 2 6", {.stack_kib = 64}, 0,
         kOrder + kRows2 + kNoInverse + kOrder + kRows2 + kReport2x2, ""},
        {"a refused entry on a small stack", "1 x", {.stack_kib = 64}, 1, kOrder + "INPUT a11: ",
         "matinv: line 1, column 3: expected a number for entry a11 (row 1, column 1) of matrix "
         "1, but found \"x\"\n"},
        {"a full disk on a small stack", "1 3", {.full_output = true, .stack_kib = 64}, 1, "",
         "matinv: standard output could not be written: No space left on device\n"},
    };
    for (const auto& c : cases) {
        const ProgramRun run = run_matinv(c.input, c.surroundings);
        EXPECT_EQ(run.status, c.status) << c.name;
        EXPECT_EQ(run.out, c.out) << c.name;
        EXPECT_EQ(run.errors, c.errors) << c.name;
    }
}

// Many attempts in one stream, each failing, then one success: every
// attempt starts from cleared matrices, so the last report is the same as
// that of a fresh run.
TEST(Program, ManyAttemptsThenSuccess) {
    std::string input;
    std::string expected;
    for (int attempt = 0; attempt < 500; ++attempt) {
        input += "3\n1 2 3\n4 5 6\n0 0 0\n";
        expected +=
            kOrder + "INPUT a11 a12 a13: INPUT a21 a22 a23: INPUT a31 a32 a33: " + kNoInverse;
    }
    input += "2\n4 7\n2 6\n";
    expected += kOrder + kRows2 + kReport2x2;
    const ProgramRun run = run_matinv(input);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, expected);
}

}  // namespace
}  // namespace matinv
