#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <string>
#include <vector>

#include "support/lcg_random.h"
#include "support/program_runner.h"

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

// The NaN that inf / inf gives, as glibc's printf writes it: its sign is the
// CPU's choice (negative on x86-64, positive on aarch64).
std::string computed_nan() {
    volatile double infinity = std::numeric_limits<double>::infinity();
    return std::signbit(infinity / infinity) ? "-nan" : "nan";
}
const std::string kRows4 =
    "INPUT a11 a12 a13 a14: INPUT a21 a22 a23 a24: INPUT a31 a32 a33 a34: "
    "INPUT a41 a42 a43 a44: ";

struct Transcript {
    const char* name;
    std::string input;
    std::string out;
    std::string errors = "";  // warnings and notes only
};

// Runs that end with a report: standard output exactly, status 0, and on
// standard error only the warnings and notes expected.
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
             "\n[A][B]=\n1.0000000000\t0.0000000000\t\n0.0000000000\t1.0000000000\t\n",
         "matinv: warning: the order \"2\" runs straight into \".5\"; it was read as 2, and "
         "\".5\" is left for the next read\n"},
        {"order run on in two attempts", "2.0 1 0 2 +2.5 1 2 3",
         kOrder + kRows2 + kNoInverse + kOrder + kRows2 +
             "\n[A]=\n0.5000000000\t1.0000000000\t\n2.0000000000\t3.0000000000\t\n"
             "\n[B]=\n-6.0000000000\t2.0000000000\t\n4.0000000000\t-1.0000000000\t\n"
             "\n[A][B]=\n1.0000000000\t0.0000000000\t\n0.0000000000\t1.0000000000\t\n",
         "matinv: warning: the order \"2\" runs straight into \".0\"; it was read as 2, and "
         "\".0\" is left for the next read\n"
         "matinv: warning: the order \"+2\" runs straight into \".5\"; it was read as 2, and "
         "\".5\" is left for the next read\n"},
        {"order 0 run on into hexadecimal", "0x10", kOrder + kEmptyReport,
         "matinv: warning: the order \"0\" runs straight into \"x10\"; it was read as 0, and "
         "\"x10\" is not read\n"},
        {"tiny diagonal refused, with a note", "2 1e-11 0 0 1e-11 2 4 7 2 6",
         kOrder + kRows2 + kNoInverse + kOrder + kRows2 + kReport2x2,
         "matinv: note: the matrix has an inverse, and was refused only for the small entries "
         "of rows 1 and 2\n"},
        {"one small row refused, with a note", "2 1e-11 0 0 1 2 4 7 2 6",
         kOrder + kRows2 + kNoInverse + kOrder + kRows2 + kReport2x2,
         "matinv: note: the matrix has an inverse, and was refused only for the small entries "
         "of row 1\n"},
        {"three small rows, with a note", "3 1e-11 0 0 0 -1e-12 0 0 0 0.5 2 4 7 2 6",
         kOrder + "INPUT a11 a12 a13: INPUT a21 a22 a23: INPUT a31 a32 a33: " + kNoInverse +
             kOrder + kRows2 + kReport2x2,
         "matinv: note: the matrix has an inverse, and was refused only for the small entries "
         "of rows 1, 2 and 3\n"},
        {"small rows of a singular matrix, no note", "2 1e-11 2e-11 1e-11 2e-11 2 4 7 2 6",
         kOrder + kRows2 + kNoInverse + kOrder + kRows2 + kReport2x2},
        {"order 4 singular, no note", "4 7 8 6 -1 7 -5 8 -6 4 7 2 -3 11 2 10 -9 2 4 7 2 6",
         kOrder + kRows4 + kNoInverse + kOrder + kRows2 + kReport2x2},
        {"anything after the report is never read", "2 4 7 2 6 junk \x01 11",
         kOrder + kRows2 + kReport2x2},
        {"entries beyond the double range", "1 1e400",
         kOrder + "INPUT a11: " + "\n[A]=\ninf\t\n\n[B]=\n" + computed_nan() + "\t\n\n[A][B]=\n" +
             computed_nan() + "\t\n",
         "matinv: warning: [B] cannot be trusted: it holds infinite or not-a-number entries\n"},
    };
    for (const Transcript& c : cases) {
        const ProgramRun run = run_matinv(c.input);
        EXPECT_EQ(run.out, c.out) << c.name;
        EXPECT_EQ(run.status, 0) << c.name;
        EXPECT_EQ(run.errors, c.errors) << c.name;
    }
}

// Singular, but rounding keeps every diagonal entry above the threshold, so
// a huge [B] is reported: the warning gives the reason and the figure.
TEST(Program, SingularMatrixThatPassesIsWarnedAbout) {
    const ProgramRun run = run_matinv("5 -8 1 -5 -4 -5 -15 -8 -11 3 0 3 3 3 -1 1 -7 -9 -6 7 5 "
                                      "4 -9 -1 -9 5");
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("\n[A][B]=\n1.3750000000\t0.2500000000\t"), std::string::npos);
    EXPECT_EQ(run.errors,
              "matinv: warning: [B] cannot be trusted: the matrix is singular to working "
              "precision (rcond = 2e-17, below 2.2e-16)\n");
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
    std::string long_text_shown = "\"";
    long_text_shown.append(32, 'x').append("\"...");
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
        {"order run on into a control sequence", "1\x1b[2J", kOrder + "INPUT a11: ",
         "matinv: warning: the order \"1\" runs straight into \"\\x1b[2J\"; it was read as 1, "
         "and \"\\x1b[2J\" is left for the next read\n"
         "matinv: line 1, column 2: expected a number for entry a11 (row 1, column 1) of matrix "
         "1, but found \"\\x1b[2J\"\n"},
        {"order run on into long text", std::string("1").append(40, 'x'), kOrder + "INPUT a11: ",
         "matinv: warning: the order \"1\" runs straight into " + long_text_shown +
             "; it was read as 1, and " + long_text_shown + " is left for the next read\n" +
             "matinv: line 1, column 2: expected a number for entry a11 (row 1, column 1) of "
             "matrix 1, but found " + long_text_shown + "\n"},
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
    std::string skipped;
    for (const auto& c : cases) {
        if (const char* reason = testing::unavailable_here(c.surroundings)) {
            skipped += std::string(c.name) + ": " + reason + "; ";
            continue;
        }
        const ProgramRun run = run_matinv(c.input, c.surroundings);
        EXPECT_EQ(run.status, c.status) << c.name;
        EXPECT_EQ(run.out, c.out) << c.name;
        EXPECT_EQ(run.errors, c.errors) << c.name;
    }
    if (!skipped.empty()) {
        GTEST_SKIP() << "the other cases ran; skipped " << skipped;
    }
}

// Output that cannot be written is not a success, whatever the options.
TEST(Program, UnwritableOutputFails) {
    if (const char* reason = testing::unavailable_here({.full_output = true})) {
        GTEST_SKIP() << reason;
    }
    for (const char* argument : {"--steps", "--help", "--version"}) {
        const ProgramRun run =
            run_matinv("2 4 7 2 6", {.full_output = true, .arguments = {argument}});
        EXPECT_EQ(run.status, 1) << argument;
        EXPECT_TRUE(run.errors.ends_with(
            "matinv: standard output could not be written: No space left on device\n"))
            << argument;
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

// The 2x2 example step by step: the values of the worked example, in order.
const std::string kSteps2x2 =
    "\n--- steps for matrix 1, order 2: each row is the entered row, then the identity's row\n"
    "4.0000000000\t7.0000000000\t1.0000000000\t0.0000000000\t\n"
    "2.0000000000\t6.0000000000\t0.0000000000\t1.0000000000\t\n"
    "\nrow scaling, each row divided by its scale divisor:\n"
    "  row 1 / 7\n"
    "  row 2 / 6\n"
    "0.5714285714\t1.0000000000\t0.1428571429\t0.0000000000\t\n"
    "0.3333333333\t1.0000000000\t0.0000000000\t0.1666666667\t\n"
    "\nforward phase, column 1:\n"
    "  no rows exchanged\n"
    "  row 2 := row 1 - 1.714285714 * row 2, ratio = (1,1) / (2,1)\n"
    "0.5714285714\t1.0000000000\t0.1428571429\t0.0000000000\t\n"
    "0.0000000000\t-0.7142857143\t0.1428571429\t-0.2857142857\t\n"
    "\nsingularity test: the smallest diagonal magnitude is 0.5714285714, in row 1, not below "
    "1e-10: the inversion goes on\n"
    "\nbackward phase, column 2:\n"
    "  row 1 := row 2 - (-0.7142857143) * row 1, ratio = (2,2) / (1,2)\n"
    "0.4081632653\t0.0000000000\t0.2448979592\t-0.2857142857\t\n"
    "0.0000000000\t-0.7142857143\t0.1428571429\t-0.2857142857\t\n"
    "\nfinal division, each row divided by its diagonal entry:\n"
    "  row 1 / 0.4081632653\n"
    "  row 2 / -0.7142857143\n"
    "1.0000000000\t0.0000000000\t0.6000000000\t-0.7000000000\t\n"
    "-0.0000000000\t1.0000000000\t-0.2000000000\t0.4000000000\t\n";

struct Invocation {
    const char* name;
    std::vector<std::string> arguments;
    std::string input;
    std::string out;
    std::string errors;
    int status;
};

// Options: each alone, in combination, mistyped, and the arguments that
// are still ignored.
TEST(Program, Options) {
    const std::string refused = "matinv: unknown option \"--step\"; try 'matinv --help'\n";
    const Invocation cases[] = {
        {"steps of the 2x2 example", {"--steps"}, "2 4 7 2 6", kOrder + kRows2 + kReport2x2,
         kSteps2x2, 0},
        {"steps of a refused order 1, then order 0", {"--steps"}, "1 0 0", kOrder + "INPUT a11: " +
         kNoInverse + kOrder + kEmptyReport,
         "\n--- steps for matrix 1, order 1: each row is the entered row, then the identity's "
         "row\n0.0000000000\t1.0000000000\t\n"
         "\nrow scaling, each row divided by its scale divisor:\n  row 1 / 1\n"
         "0.0000000000\t1.0000000000\t\n"
         "\nsingularity test: the smallest diagonal magnitude is 0, in row 1, below 1e-10: "
         "no inverse\n",
         0},
        {"a mistyped option", {"--step"}, "2 4 7 2 6", "", refused, 2},
        {"a mistyped option after a good one", {"--steps", "--step"}, "2 4 7 2 6", "", refused, 2},
        {"a lone dash", {"-"}, "", "", "matinv: unknown option \"-\"; try 'matinv --help'\n", 2},
        {"an option with a control byte", {"-\x1b[2J"}, "", "",
         "matinv: unknown option \"-\\x1b[2J\"; try 'matinv --help'\n", 2},
        {"help before a mistyped option", {"--help", "--step"}, "", "<usage>", "", 0},
        {"words are ignored", {"steps", "4"}, "2 4 7 2 6", kOrder + kRows2 + kReport2x2, "", 0},
    };
    for (const Invocation& c : cases) {
        const ProgramRun run = run_matinv(c.input, {.arguments = c.arguments});
        if (c.out == "<usage>") {
            EXPECT_TRUE(run.out.starts_with("Usage: matinv")) << c.name;
        } else {
            EXPECT_EQ(run.out, c.out) << c.name;
        }
        EXPECT_EQ(run.errors, c.errors) << c.name;
        EXPECT_EQ(run.status, c.status) << c.name;
    }

    const ProgramRun help = run_matinv("", {.arguments = {"--help"}});
    for (const char* option : {"--steps", "--help", "--version"}) {
        EXPECT_NE(help.out.find(option), std::string::npos) << "--help names " << option;
    }
    EXPECT_EQ(help.status, 0);
    const ProgramRun version = run_matinv("", {.arguments = {"--version"}});
    // "matinv ", then the version's digits and points, then a line break.
    EXPECT_TRUE(version.out.starts_with("matinv ") && version.out.ends_with("\n") &&
                version.out.find('.') != std::string::npos &&
                version.out.find_first_not_of("0123456789.", 7) == version.out.size() - 1)
        << version.out;
    EXPECT_EQ(version.status, 0);
}

std::size_t occurrences(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

// On generated sessions of several attempts, --steps changes nothing on
// standard output or in the status, keeps the warnings and notes, and traces
// every attempt that has entries, once.
TEST(Program, StepsLeaveTheDialogueAlone) {
    for (std::uint64_t seed = 1; seed <= 40; ++seed) {
        testing::LcgRandom random(seed);
        std::string input;
        for (int attempt = 0; attempt < 3; ++attempt) {
            const int n = random.below(5);  // 0 ends the session with a report
            input += std::to_string(n) + "\n";
            for (int k = 0; k < n * n; ++k) {
                // Few distinct small values, so that singular matrices, zero
                // pivots and exchanges all come up.
                input += std::to_string(random.below(5) - 2) + (k % n == n - 1 ? "\n" : " ");
            }
        }
        input += "1 3\n";
        const std::string label = "seed " + std::to_string(seed) + ":\n" + input;
        const ProgramRun plain = run_matinv(input);
        const ProgramRun traced = run_matinv(input, {.arguments = {"--steps"}});
        EXPECT_EQ(traced.out, plain.out) << label;
        EXPECT_EQ(traced.status, plain.status) << label;
        EXPECT_EQ(occurrences(traced.errors, "--- steps for matrix"),
                  occurrences(plain.out, "INPUT a11"))
            << label;
        EXPECT_EQ(occurrences(traced.errors, "matinv: "), occurrences(plain.errors, "matinv: "))
            << label;
    }
}

}  // namespace
}  // namespace matinv
