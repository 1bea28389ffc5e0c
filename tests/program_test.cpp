#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <string>
#include <vector>

#include "support/lcg_random.h"
#include "support/program_runner.h"
#include "support/program_table.h"
#include "support/prompts.h"

namespace matinv::testing {
namespace {

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
// The matrix of rows 0.5 1 and 2 3, as the order 2.5 leaves ".5" to be its first entry.
const std::string kReportHalf =
    "\n[A]=\n0.5000000000\t1.0000000000\t\n2.0000000000\t3.0000000000\t\n"
    "\n[B]=\n-6.0000000000\t2.0000000000\t\n4.0000000000\t-1.0000000000\t\n"
    "\n[A][B]=\n1.0000000000\t0.0000000000\t\n0.0000000000\t1.0000000000\t\n";
const std::string kEmptyReport = "\n[A]=\n\n[B]=\n\n[A][B]=\n";
const std::string kBom = "\xef\xbb\xbf";  // the byte order mark of UTF-8

// The NaN that inf / inf gives, as glibc's printf writes it: its sign is the
// CPU's choice (negative on x86-64, positive on aarch64).
std::string computed_nan() {
    volatile double infinity = std::numeric_limits<double>::infinity();
    return std::signbit(infinity / infinity) ? "-nan" : "nan";
}

std::string repeated(const std::string& text, int times) {
    std::string all;
    for (int i = 0; i < times; ++i) {
        all += text;
    }
    return all;
}

// The Hilbert matrix of order n, each entry 1/(i+j+1) typed with 17 digits.
std::string hilbert_typed_to_17_digits(int n) {
    std::string input = std::to_string(n);
    char entry[32];
    for (int k = 0; k < n * n; ++k) {
        std::snprintf(entry, sizeof entry, " %.17g", 1.0 / (k / n + k % n + 1));
        input += entry;
    }
    return input;
}

// The word on an ill-conditioned [B]: with GMP, the digits it keeps of the
// exact inverse of the entries as typed, all or some taken exactly; without,
// the digits it may have lost; and "" for none.
#if MATINV_EXACT_ARITHMETIC
constexpr bool kMeasured = true;
#else
constexpr bool kMeasured = false;
#endif
std::string ill_conditioned(const std::string& rcond, int kept, int lost, bool all_typed = true) {
    const std::string head = "matinv: note: the matrix is ill-conditioned (rcond = " + rcond;
    if (!kMeasured) {
        return head + "): [B] may have lost up to " + std::to_string(lost) +
               " of its 16 significant digits; a build of matinv with exact arithmetic (GMP) "
               "inverts the entered values exactly with --exact\n";
    }
    return kept >= 15 ? ""
                      : head + "): [B] agrees with the exact inverse of the entries as typed" +
                            (all_typed ? "" : " (as read, for those too long to take exactly)") +
                            " to " + std::to_string(kept) + " significant digits" +
                            (all_typed ? "; matinv --exact gives it exactly\n" : "\n");
}
std::string untrusted(const std::string& measured, const std::string& rcond) {
    return "matinv: warning: [B] cannot be trusted: " +
           (kMeasured ? measured + " (rcond = " + rcond
                      : "the matrix is singular to working precision (rcond = " + rcond +
                            ", below 2.2e-16") +
           ")\n";
}
const std::string kSingularAsTyped =
    "the entries as typed form a singular matrix, which has no inverse";

Surroundings arguments(std::vector<std::string> words) { return {.arguments = std::move(words)}; }

// Runs that end with a report: standard output exactly, or the parts that
// matter in a long one, status 0, and on standard error only the warnings
// and notes expected.
TEST(Program, Transcripts) {
    const ProgramCase cases[] = {
        {"2x2 example", "2\n4 7\n2 6\n", 0, kOrder + row_prompts(2) + kReport2x2},
        {"all on one line", "2 4 7 2 6", 0, kOrder + row_prompts(2) + kReport2x2},
        {"rows split and joined across lines", "2\n4\n7 2\n\n6", 0,
         kOrder + row_prompts(2) + kReport2x2},
        {"singular, then the example", "2\n1 2\n2 4\n2\n4 7\n2 6\n", 0,
         kOrder + row_prompts(2) + kNoInverse + kOrder + row_prompts(2) + kReport2x2},
        {"two failures of other orders first", "1 0\n3 1 2 3 2 4 6 0 0 1\n2 4 7 2 6", 0,
         kOrder + row_prompts(1) + kNoInverse + kOrder + row_prompts(3) + kNoInverse + kOrder +
             row_prompts(2) + kReport2x2},
        {"zero, then order 1", "1 0 1 3", 0,
         kOrder + row_prompts(1) + kNoInverse + kOrder + row_prompts(1) +
             "\n[A]=\n3.0000000000\t\n\n[B]=\n0.3333333333\t\n\n[A][B]=\n1.0000000000\t\n"},
        {"order 0", "0\n", 0, kOrder + kEmptyReport},
        {"negative order", "-7\n", 0, kOrder + kEmptyReport},
        {"order that does not fit an int, negative", "-99999999999", 0, kOrder + kEmptyReport},
        {"smallest invertible", "1 1e-10", 0,
         kOrder + row_prompts(1) +
             "\n[A]=\n0.0000000001\t\n\n[B]=\n10000000000.0000000000\t\n\n[A][B]=\n"
             "1.0000000000\t\n"},
        // Nonzero values printed as zero get a note: any in [A], in [B] from 2^-26 of its largest.
        {"entries too small for ten decimals", "2 1 1e-11 0 1", 0,
         kOrder + row_prompts(2) +
             "\n[A]=\n1.0000000000\t0.0000000000\t\n0.0000000000\t1.0000000000\t\n"
             "\n[B]=\n1.0000000000\t-0.0000000000\t\n0.0000000000\t1.0000000000\t\n"
             "\n[A][B]=\n1.0000000000\t0.0000000000\t\n0.0000000000\t1.0000000000\t\n",
         like("matinv: note: [A] *a12 = 1e-11; *say 1e11,*\n")},
        {"both too small, [B] just above its bound", "2 1e12 1e-11 1e-11 1.5e4", 0, like("*"),
         like("matinv: note: [A] holds entries that print as 0.0000000000 but are not zero, such "
              "as a12 = 1e-11; to see their digits, multiply the matrix by a power of ten, say "
              "1e11, and the inverse printed by the same factor\nmatinv: note: [B] *b11 = 1e-12; "
              "*1e-12,*\n")},
        {"[B] just below its bound", "2 1e12 0 0 1.49e4", 0, like("*[B]=\n0.0000000000\t*")},
        {"round-off in [B]", "3 0 5 3 -5 2 -2 5 -5 -3", 0, like("*\t-0.0000000000\t*[A][B]*")},
        // 2e300 is beyond exact arithmetic: the doubles as read stand for it.
        {"[B] singular to working precision",
         "3 2e300 0 -2e300 -4e300 -2e300 -7e300 6e300 2e300 5e300", 0,
         like("*[B]=\n-0.0000000000\t0.0000000000\t*"),
         untrusted("it keeps no significant digit of the exact inverse of the entries as typed (as "
                   "read, for those too long to take exactly)",
                   "1.1e-17")},
        // Below rcond 1e-8, [B] measured against the exact inverse of the
        // entries as typed, or bounded by rcond without GMP.
        {"Hilbert of order 10 in 17 digits", hilbert_typed_to_17_digits(10), 0,
         like("*[B]=\n99.997*"), ill_conditioned("2.8e-14", 4, 14)},
        {"Hilbert of order 8 in 17 digits", hilbert_typed_to_17_digits(8), 0, like("*"),
         ill_conditioned("3e-11", 7, 11)},
        {"1 1 / 1 1.0000000001: all lost in reading", "2 1 1 1 1.0000000001", 0, like("*"),
         ill_conditioned("2.5e-11", 7, 11)},
        {"a11 typed exactly beside a22 too long to",
         "2 1.0000000001 1 1 1." + std::string(200, '0') + "1", 0, like("*"),
         ill_conditioned("2.5e-11", 7, 11, false)},
        {"rcond just below 1e-8", "2 1 1 1 1.00000001", 0, like("*"),
         ill_conditioned("2.5e-09", 8, 9)},
        {"1e12 and 1: exact", "2 1e12 0 0 1", 0, like("*"), ill_conditioned("1e-12", 16, 12)},
        {"1 1e9 / 0 1: exact", "2 1 1e9 0 1", 0, like("*"),
         kMeasured ? "" : untrusted("", "1e-18")},
        {"1e-9, 1, 1e9: 16 digits", "3 1e-9 0 0 0 1 0 0 0 1e9", 0, like("*"),
         kMeasured ? "" : untrusted("", "1e-18")},
        {"rcond just above 1e-8, silent", "2 1 1 1 1.0000001", 0, like("*[A][B]=*")},
        {"order read as 2 from 2.5, then .5", "2.5 1 2 3", 0, kOrder + row_prompts(2) + kReportHalf,
         "matinv: warning: the order \"2\" runs straight into \".5\"; it was read as 2, and "
         "\".5\" is left for the next read\n"},
        {"order run on in two attempts", "2.0 1 0 2 +2.5 1 2 3", 0,
         kOrder + row_prompts(2) + kNoInverse + kOrder + row_prompts(2) + kReportHalf,
         "matinv: warning: the order \"2\" runs straight into \".0\"; it was read as 2, and "
         "\".0\" is left for the next read\n"
         "matinv: warning: the order \"+2\" runs straight into \".5\"; it was read as 2, and "
         "\".5\" is left for the next read\n"},
        {"order 0 run on into hexadecimal", "0x10", 0, kOrder + kEmptyReport,
         "matinv: warning: the order \"0\" runs straight into \"x10\"; it was read as 0, and "
         "\"x10\" is not read\n"},
        {"tiny diagonal refused, with a note", "2 1e-11 0 0 1e-11 2 4 7 2 6", 0,
         kOrder + row_prompts(2) + kNoInverse + kOrder + row_prompts(2) + kReport2x2,
         "matinv: note: the matrix has an inverse, and was refused only for the small entries "
         "of rows 1 and 2\n"},
        {"one small row refused, with a note", "2 1e-11 0 0 1 2 4 7 2 6", 0,
         kOrder + row_prompts(2) + kNoInverse + kOrder + row_prompts(2) + kReport2x2,
         "matinv: note: the matrix has an inverse, and was refused only for the small entries "
         "of row 1\n"},
        {"three small rows, with a note", "3 1e-11 0 0 0 -1e-12 0 0 0 0.5 2 4 7 2 6", 0,
         kOrder + row_prompts(3) + kNoInverse + kOrder + row_prompts(2) + kReport2x2,
         "matinv: note: the matrix has an inverse, and was refused only for the small entries "
         "of rows 1, 2 and 3\n"},
        {"invertible as entered, yet refused, with a note", "2 1 1 1 1.000000000001 2 4 7 2 6", 0,
         kOrder + row_prompts(2) + kNoInverse + kOrder + row_prompts(2) + kReport2x2,
         like("matinv: note: the matrix has an inverse, but it is too close to singular for this "
              "elimination's threshold of 1e-10; *--exact*\n")},
        {"small rows of a singular matrix, no note", "2 1e-11 2e-11 1e-11 2e-11 2 4 7 2 6", 0,
         kOrder + row_prompts(2) + kNoInverse + kOrder + row_prompts(2) + kReport2x2},
        {"order 4 singular, no note", "4 7 8 6 -1 7 -5 8 -6 4 7 2 -3 11 2 10 -9 2 4 7 2 6", 0,
         kOrder + row_prompts(4) + kNoInverse + kOrder + row_prompts(2) + kReport2x2},
        {"anything after the report is never read", "2 4 7 2 6 junk \x01 11", 0,
         kOrder + row_prompts(2) + kReport2x2,
         "matinv: note: line 1, column 11: the input goes on with \"junk\", which is not read: "
         "the report ends the run\n"},
        // Left after the reader's buffer, in the file: white space alone is no input.
        {"white space after the report", "2 4 7 2 6" + std::string(70000, ' '), 0,
         kOrder + row_prompts(2) + kReport2x2},
        {"a word after 70,000 blanks", "2 4 7 2 6" + std::string(70000, ' ') + "\n9 9", 0,
         kOrder + row_prompts(2) + kReport2x2,
         "matinv: note: line 2, column 1: the input goes on with \"9\", which is not read: the "
         "report ends the run\n"},
        // Entries that run on: the warning names each as typed and as read.
        {"7-1 and 1e3.5", "2 7-1\n 1e3.5", 0, like("*\n[A]=\n7.0*\t-1.0*\t\n1000.0*\t0.5*"),
         "matinv: warning: line 1, column 3: \"7\" for entry a11 (row 1, column 1) "
         "runs straight into \"-1\"; it was read as 7, and \"-1\" is left for the next read\n"
         "matinv: warning: line 2, column 2: \"1e3\" for entry a21 (row 2, column 1) "
         "runs straight into \".5\"; it was read as 1000, and \".5\" is left for the next read\n"},
        // A fraction is a number that runs on, through a pipe as ever.
        {"1/2 runs on", "1 1/2", 0, like(kOrder + row_prompts(1) + "*[B]=\n1.0000000000\t\n*"),
         "matinv: warning: line 1, column 3: \"1\" for entry a11 (row 1, column 1) "
         "runs straight into \"/2\"; it was read as 1, and \"/2\" is left for the next read" +
             kFractionWord + "\nmatinv: note: line 1, column 4: the input goes on with \"/2\", " +
             "which is not read: the report ends the run\n"},
        // A byte order mark, as some editors write, starts the input unseen.
        {"a byte order mark", kBom + "2 4 7 2 6", 0, kOrder + row_prompts(2) + kReport2x2},
        {"entries beyond the double range", "1 1e400", 0,
         kOrder + row_prompts(1) + "\n[A]=\ninf\t\n\n[B]=\n" + computed_nan() + "\t\n\n[A][B]=\n" +
             computed_nan() + "\t\n",
         "matinv: warning: [B] cannot be trusted: it holds infinite or not-a-number entries\n"},
        // Singular, but rounding keeps every diagonal entry above the
        // threshold, so a huge [B] is reported: the warning gives the reason
        // and the figure.
        {"singular, passing the test",
         "5 -8 1 -5 -4 -5 -15 -8 -11 3 0 3 3 3 -1 1 -7 -9 -6 7 5 4 -9 -1 -9 5", 0,
         like("*\n[A][B]=\n1.3750000000\t0.2500000000\t*"), untrusted(kSingularAsTyped, "2e-17")},
        {"nonsingular as typed, singular as read",
         "5 -8.000000000000000001 1 -5 -4 -5 -15 -8 -11 3 0 3 3 3 -1 1 -7 -9 -6 7 5 4 -9 -1 -9 5",
         0, like("*"),
         untrusted("it keeps no significant digit of the exact inverse of the entries as typed",
                   "2e-17")},
        // Row and column numbers run together in the prompts.
        {"order 10", "10 2" + repeated(" 0 0 0 0 0 0 0 0 0 0 2", 9), 0,
         like("*" + row_prompts(10) + "\n[A]=\n*" + repeated("0.0000000000\t", 9) +
              "1.0000000000\t\n")},
        // Every attempt starts from cleared matrices, so the last report is
        // the same as that of a fresh run.
        {"500 failures, then the example",
         repeated("3\n1 2 3\n4 5 6\n0 0 0\n", 500) + "2\n4 7\n2 6\n", 0,
         repeated(kOrder + row_prompts(3) + kNoInverse, 500) + kOrder + row_prompts(2) +
             kReport2x2},
    };
    expect_runs(cases);
}

// Runs that cannot end with a report stop at once with status 1: the
// output so far, then one line on standard error saying why and, for a
// fault in the input, in which matrix and where: line and column of the
// offending text, or of the end of the input.
TEST(Program, RefusedInputs) {
    const std::string long_order = std::string(1000, '7');
    const std::string kUtf16 =
        "matinv: standard input is UTF-16 text, which matinv does not read; save the text as "
        "UTF-8\n";
    std::string long_text_shown = "\"";
    long_text_shown.append(32, 'x').append("\"...");
    const ProgramCase cases[] = {
        {"no input", "", 1, kOrder,
         "matinv: line 1, column 1: input ended while reading the order\n"},
        {"only blanks", " \n\t\n", 1, kOrder,
         "matinv: line 3, column 1: input ended while reading the order\n"},
        {"input ends inside a row", "2\n1 2\n", 1, kOrder + row_prompts(2),
         "matinv: line 3, column 1: input ended while reading entry a21 (row 2, column 1)"
         "\n"},
        // Ending right after a matrix without inverse is an answer, not a fault.
        {"input ends after a singular matrix", "2 1 2 2 4\n\n", 3,
         kOrder + row_prompts(2) + kNoInverse + kOrder,
         "matinv: line 3, column 1: input ended while reading the order of matrix 2\n"},
        {"input ends in the matrix after a singular one", "1 0 1", 1,
         kOrder + row_prompts(1) + kNoInverse + kOrder + row_prompts(1),
         "matinv: line 1, column 6: input ended while reading entry a11 (row 1, column 1) of "
         "matrix 2\n"},
        {"a word for the order", "abc", 1, kOrder,
         "matinv: line 1, column 1: expected the order, a whole number, but found "
         "\"abc\"\n"},
        {"a fraction for the order", ".5", 1, kOrder,
         "matinv: line 1, column 1: expected the order, a whole number, but found "
         "\".5\"\n"},
        {"hexadecimal entry", "1 0x10", 1, kOrder + row_prompts(1) + kNoInverse + kOrder,
         "matinv: warning: line 1, column 3: \"0\" for entry a11 (row 1, column 1) "
         "runs straight into \"x10\"; it was read as 0, and \"x10\" is left for the next read\n"
         "matinv: line 1, column 4: expected the order of matrix 2, a whole number, but found "
         "\"x10\"\n"},
        {"infinity", "1 inf", 1, kOrder + row_prompts(1),
         "matinv: line 1, column 3: expected a number for entry a11 (row 1, column 1)"
         ", but found \"inf\"\n"},
        {"not a number", "2 1 nan", 1, kOrder + row_prompt(2, 1),
         "matinv: line 1, column 5: expected a number for entry a12 (row 1, column 2)"
         ", but found \"nan\"\n"},
        {"two signs", "2 1 2 --5", 1, kOrder + row_prompts(2),
         "matinv: line 1, column 7: expected a number for entry a21 (row 2, column 1)"
         ", but found \"--5\"\n"},
        {"a lone sign", "1 -", 1, kOrder + row_prompts(1),
         "matinv: line 1, column 3: expected a number for entry a11 (row 1, column 1)"
         ", but found \"-\"\n"},
        {"a lone point", "1 .", 1, kOrder + row_prompts(1),
         "matinv: line 1, column 3: expected a number for entry a11 (row 1, column 1)"
         ", but found \".\"\n"},
        {"a control sequence", "1 \x1b[2J", 1, kOrder + row_prompts(1),
         "matinv: line 1, column 3: expected a number for entry a11 (row 1, column 1)"
         ", but found \"\\x1b[2J\"\n"},
        {"a decimal comma", "2 0,5 1", 1, kOrder + row_prompt(2, 1),
         "matinv: warning: line 1, column 3: \"0\" for entry a11 (row 1, column 1) "
         "runs straight into \",5\"; it was read as 0, and \",5\" is left for the next read\n"
         "matinv: line 1, column 4: expected a number for entry a12 (row 1, column 2)"
         ", but found \",5\"; a comma is neither a decimal point nor a separator here\n"},
        {"columns count from after a byte order mark", kBom + "x", 1, kOrder,
         "matinv: line 1, column 1: expected the order, a whole number, but found "
         "\"x\"\n"},
        {"a byte order mark after the start", " " + kBom + "2", 1, kOrder,
         "matinv: line 1, column 2: expected the order, a whole number, but found "
         "\"\\xef\\xbb\\xbf2\"; \\xef\\xbb\\xbf is U+FEFF, which does not print\n"},
        // UTF-16, with a byte order mark of either order or without one.
        {"UTF-16, little-endian", "\xff\xfe" + std::string("2\0 \0", 4), 1, kOrder, kUtf16},
        {"UTF-16, big-endian",
         "\xfe\xff" + std::string("\0"
                                  "2",
                                  2),
         1, kOrder, kUtf16},
        {"UTF-16 without a mark",
         std::string("2\0 \0"
                     "4\0",
                     6),
         1, kOrder, kUtf16},
        {"UTF-16, big-endian without a mark",
         std::string("\0"
                     "1\0 ",
                     4),
         1, kOrder, kUtf16},
        {"a 0 byte after the first number", std::string("1 \0", 3), 1, kOrder + row_prompts(1),
         "matinv: line 1, column 3: expected a number for entry a11 (row 1, column 1)"
         ", but found \"\\x00\"\n"},
        {"a fault in the second matrix", "2 1 2 2 4\n2 4 x 2 6", 1,
         kOrder + row_prompts(2) + kNoInverse + kOrder + row_prompt(2, 1),
         "matinv: line 2, column 5: expected a number for entry a12 (row 1, column 2) of matrix "
         "2, but found \"x\"\n"},
        {"order 11", "11\n", 1, kOrder,
         "matinv: line 1, column 1: order \"11\" is above the limit of 10\n"},
        {"order beyond an int", "2147483648", 1, kOrder,
         "matinv: line 1, column 1: order \"2147483648\" is above the limit of 10\n"},
        {"order of a thousand digits", "\n  " + long_order, 1, kOrder,
         "matinv: line 2, column 3: order \"" + long_order.substr(0, 32) +
             "\"... is above the limit of 10\n"},
        {"order 11 after a failed attempt", "1 0\n 11", 1,
         kOrder + row_prompts(1) + kNoInverse + kOrder,
         "matinv: line 2, column 2: order \"11\" of matrix 2 is above the limit of 10\n"},
        {"order run on into a control sequence", "1\x1b[2J", 1, kOrder + row_prompts(1),
         "matinv: warning: the order \"1\" runs straight into \"\\x1b[2J\"; it was read as 1, "
         "and \"\\x1b[2J\" is left for the next read\n"
         "matinv: line 1, column 2: expected a number for entry a11 (row 1, column 1)"
         ", but found \"\\x1b[2J\"\n"},
        {"order run on into long text", std::string("1").append(40, 'x'), 1,
         kOrder + row_prompts(1),
         "matinv: warning: the order \"1\" runs straight into " + long_text_shown +
             "; it was read as 1, and " + long_text_shown + " is left for the next read\n" +
             "matinv: line 1, column 2: expected a number for entry a11 (row 1, column 1)"
             ", but found " +
             long_text_shown + "\n"},
    };
    expect_runs(cases);
}

// Faults of the surroundings, not of the input: the run stops at the first
// failed read or write with one line naming the stream and the system's
// reason. The program also runs whole on a 64 KiB stack, error paths
// included.
TEST(Program, HostileSurroundings) {
    const std::string full_disk =
        "matinv: standard output could not be written: No space left on device\n";
    const ProgramCase cases[] = {
        {"output to a full disk", "2 4 7 2 6", 1, "", full_disk, Surroundings{.full_output = true}},
        {"many attempts to a full disk", repeated("2 1 2 2 4\n", 20000), 1, "", full_disk,
         Surroundings{.full_output = true}},
        {"input from a directory", "", 1, kOrder,
         "matinv: standard input could not be read: Is a directory\n",
         Surroundings{.input_path = "/"}},
        {"input closed", "", 1, kOrder,
         "matinv: standard input could not be read: Bad file descriptor\n",
         Surroundings{.input_closed = true}},
        {"a whole session on a small stack", "2 1 2 2 4 2 4 7 2 6", 0,
         kOrder + row_prompts(2) + kNoInverse + kOrder + row_prompts(2) + kReport2x2, "",
         Surroundings{.stack_kib = 64}},
        {"a refused entry on a small stack", "1 x", 1, kOrder + row_prompts(1),
         "matinv: line 1, column 3: expected a number for entry a11 (row 1, column 1)"
         ", but found \"x\"\n",
         Surroundings{.stack_kib = 64}},
        {"a full disk on a small stack", "1 3", 1, "", full_disk,
         Surroundings{.full_output = true, .stack_kib = 64}},
        // Output that cannot be written is not a success, whatever the options.
        {"steps to a full disk", "2 4 7 2 6", 1, "", like("*" + full_disk),
         Surroundings{.full_output = true, .arguments = {"--steps"}}},
        {"help to a full disk", "", 1, "", full_disk,
         Surroundings{.full_output = true, .arguments = {"--help"}}},
        {"version to a full disk", "", 1, "", full_disk,
         Surroundings{.full_output = true, .arguments = {"--version"}}},
    };
    expect_runs(cases);
}

// The 2x2 example step by step: the values of the worked example, in order.
const std::string kSteps2x2 =
    "--- steps for matrix 1, order 2: each row is the entered row, then the identity's row\n"
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

// Options: each alone, in combination, mistyped, and the arguments that
// are still not read.
TEST(Program, Options) {
    const std::string refused = "matinv: unknown option \"--step\"; did you mean '--steps'?\n";
    // A slip or two from a long option is named; further, or short, is not.
    const auto meant = [](const char* typed, const std::string& option) {
        const std::string advice =
            option.empty() ? "try 'matinv --help'" : "did you mean '" + option + "'?";
        return ProgramCase{
            typed,
            "",
            2,
            "",
            "matinv: unknown option \"" + std::string(typed) + "\"; " + advice + "\n",
            arguments({typed})};
    };
    const std::string feed = "; to read a file, redirect standard input: matinv < ";
    const ProgramCase cases[] = {
        {"steps of the 2x2 example", "2 4 7 2 6", 0, kOrder + row_prompts(2) + kReport2x2,
         kSteps2x2, arguments({"--steps"})},
        {"steps of a refused order 1, then order 0", "1 0 0", 0,
         kOrder + row_prompts(1) + kNoInverse + kOrder + kEmptyReport,
         "--- steps for matrix 1, order 1: each row is the entered row, then the identity's "
         "row\n0.0000000000\t1.0000000000\t\n"
         "\nrow scaling, each row divided by its scale divisor:\n  row 1 / 1\n"
         "0.0000000000\t1.0000000000\t\n"
         "\nsingularity test: the smallest diagonal magnitude is 0, in row 1, below 1e-10: "
         "no inverse\n",
         arguments({"--steps"})},
        // A blank line sets a trace apart from a line above it.
        {"steps after a warning", "2.0 4 7 2 6", 0, like("*"),
         like("matinv: warning: *next read\n\n--- steps for matrix 1*"), arguments({"--steps"})},
        {"a mistyped option", "2 4 7 2 6", 2, "", refused, arguments({"--step"})},
        {"a mistyped option after a good one", "2 4 7 2 6", 2, "", refused,
         arguments({"--steps", "--step"})},
        {"a lone dash", "", 2, "", "matinv: unknown option \"-\"; try 'matinv --help'\n",
         arguments({"-"})},
        {"an option with a control byte", "", 2, "",
         "matinv: unknown option \"-\\x1b[2J\"; try 'matinv --help'\n", arguments({"-\x1b[2J"})},
        meant("--stpes", "--steps"),
        meant("-steps", "--steps"),
        meant("--STEPS", "--steps"),
        meant("--stepsx", "--steps"),
        meant("--versio", "--version"),
        meant("-help", "--help"),
        meant("--hepl", "--help"),
        meant("--he", "--help"),
        meant("--exac", "--exact"),
        meant("--exactt", "--exact"),
        meant("--Exact", "--exact"),
        meant("--exatc", "--exact"),
        meant("--exakt", "--exact"),
        meant("--setp", "--steps"),  // as near --help: the one listed first
        meant("--ver", ""),
        meant("--color", ""),
        meant("-H", ""),
        meant("--", ""),
        meant("--very-long-option", ""),
        {"help before a mistyped option", "", 0, like("Usage: matinv*"), "",
         arguments({"--help", "--step"})},
        {"-h for --help", "", 0, like("Usage: matinv*"), "", arguments({"-h", "--step"})},
        {"words are not read, with a warning", "2 4 7 2 6", 0, kOrder + row_prompts(2) + kReport2x2,
         "matinv: warning: ignoring the argument \"steps\"" + feed +
             "steps\nmatinv: warning: ignoring the argument \"4\"" + feed + "m.txt\n",
         arguments({"steps", "4"})},
        {"help names every option", "", 0,
         like("Usage: matinv [--exact] [--steps]\n       matinv -h | --help | --version\n*"
              "\n  --exact     read*\n  --steps     also*\n  -h, --help  print*\n  --version   "
              "print*"),
         "", arguments({"--help"})},
        {"version", "", 0, "matinv " MATINV_VERSION "\n", "", arguments({"--version"})},
    };
    expect_runs(cases);
}

// --exact: the same dialogue, every number exact; a refused entry is
// refused as text is. A build without exact arithmetic says so instead.
TEST(Program, ExactMode) {
    const Surroundings exact = arguments({"--exact"});
#if MATINV_EXACT_ARITHMETIC
    const std::string place_a11 = "matinv: line 1, column 3: ";
    const std::string of_a11 = " for entry a11 (row 1, column 1)";
    const auto too_long = [](const char* side, const char* limit, const char* steps = "") {
        return std::string(" cannot be held exactly: its ") + side + " has more than " + limit +
               " digits; " + (*steps ? "with --steps, " : "") + "--exact takes at most " + limit +
               " digits above the fraction bar and " + limit + " below, in lowest terms" + steps +
               "\n";
    };
    const std::string ten_to_150 = "1" + std::string(150, '0');
    const std::string threes150(150, '3');
    const std::string singular5 =
        "5 -8 1 -5 -4 -5 -15 -8 -11 3 0 3 3 3 -1 1 -7 -9 -6 7 5 4 -9 -1 -9 5\n";
    std::string hilbert6 = "6";
    for (int i = 1; i <= 6; ++i) {
        for (int j = 1; j <= 6; ++j) {
            hilbert6 += " 1/" + std::to_string(i + j - 1);
        }
    }
    const ProgramCase cases[] = {
        {"2x2 example", "2 4 7 2 6", 0,
         kOrder + row_prompts(2) +
             "\n[A]=\n4\t7\t\n2\t6\t\n\n[B]=\n3/5\t-7/10\t\n-1/5\t2/5\t\n"
             "\n[A][B]=\n1\t0\t\n0\t1\t\n\ndet[A]=\n10\t\n",
         "", exact},
        {"typed fractions and decimals", "2 1/2 -2/3 0.1 2.5e-3", 0,
         kOrder + row_prompts(2) +
             "\n[A]=\n1/2\t-2/3\t\n1/10\t1/400\t\n\n[B]=\n6/163\t1600/163\t\n"
             "-240/163\t1200/163\t\n\n[A][B]=\n1\t0\t\n0\t1\t\n\ndet[A]=\n163/2400\t\n",
         "", exact},
        {"Hilbert matrix typed as fractions", "3 1 1/2 1/3 1/2 1/3 1/4 1/3 1/4 1/5", 0,
         like("*[B]=\n9\t-36\t30\t\n-36\t192\t-180\t\n30\t-180\t180\t\n"
              "\n[A][B]=\n1\t0\t0\t\n0\t1\t0\t\n0\t0\t1\t\n\ndet[A]=\n1/2160\t\n"),
         "", exact},
        {"Hilbert matrix of order 6, whose inverse is of integers", hilbert6, 0,
         like("*[B]=\n36\t-630\t3360\t-7560\t7560\t-2772\t\n"
              "-630\t14700\t-88200\t211680\t-220500\t83160\t\n"
              "3360\t-88200\t564480\t-1411200\t1512000\t-582120\t\n"
              "-7560\t211680\t-1411200\t3628800\t-3969000\t1552320\t\n"
              "7560\t-220500\t1512000\t-3969000\t4410000\t-1746360\t\n"
              "-2772\t83160\t-582120\t1552320\t-1746360\t698544\t\n"
              "\n[A][B]=\n*\ndet[A]=\n1/186313420339200000\t\n"),
         "", exact},
        {"singular order 5 refused, then order 1", singular5 + "1 3", 0,
         kOrder + row_prompts(5) + kNoInverse + kOrder + row_prompts(1) +
             "\n[A]=\n3\t\n\n[B]=\n1/3\t\n\n[A][B]=\n1\t\n\ndet[A]=\n3\t\n",
         "", exact},
        {"steps in fractions", "2 4 7 2 6", 0, like("INPUT ORDER*\ndet[A]=\n10\t\n"),
         like("*\n4/7\t1\t1/7\t0\t\n1/3\t1\t0\t1/6\t\n*row 1 - 12/7 * row 2*"
              "\n0\t-5/7\t1/7\t-2/7\t\n*magnitude is 4/7, in row 1, not 0: the inversion goes on*"
              "\n20/49\t0\t12/49\t-2/7\t\n*\n0\t1\t-1/5\t2/5\t\n"),
         arguments({"--exact", "--steps"})},
        {"diagonal of 1e-11 inverted", "2 1e-11 0 0 1e-11", 0,
         like("*[B]=\n100000000000\t0\t\n0\t100000000000\t\n*"), "", exact},
        {"zero denominator", "1 1/0", 1, kOrder + row_prompts(1),
         place_a11 + "\"1/0\"" + of_a11 + " has the denominator 0\n", exact},
        {"a billion digits", "1 1e999999999", 1, kOrder + row_prompts(1),
         place_a11 + "\"1e999999999\"" + of_a11 + too_long("numerator", "150"), exact},
        {"151 digits below the bar", "1 1e-150", 1, kOrder + row_prompts(1),
         place_a11 + "\"1e-150\"" + of_a11 + too_long("denominator", "150"), exact},
        {"151 digits within --steps' limit of its own", "1 1/" + ten_to_150, 1,
         kOrder + row_prompts(1),
         like(place_a11 + "\"1/1000*" + of_a11 +
              too_long("denominator", "20", " (150 without --steps)")),
         arguments({"--exact", "--steps"})},
        {"21 digits beyond --steps' limit", "1 -123456789012345678901", 1, kOrder + row_prompts(1),
         place_a11 + "\"-123456789012345678901\"" + of_a11 +
             too_long("numerator", "20", " (150 without --steps)"),
         arguments({"--exact", "--steps"})},
        {"150 digits above and below the bar", "1 " + ten_to_150.substr(0, 150) + "/" + threes150,
         0, like("*\n[B]=\n" + threes150 + "/" + ten_to_150.substr(0, 150) + "\t\n*"), "", exact},
        {"a slash without a denominator runs on", "1 3/ 1", 0,
         like(kOrder + row_prompts(1) + "\n[A]=\n3\t\n*"),
         like("matinv: warning: *\"3\"*runs straight into \"/\"; it was read as 3,*"
              "the input goes on with \"/\"*"),
         exact},
    };
    expect_runs(cases);
#else
    expect_runs(std::vector<ProgramCase>{
        {"exact arithmetic missing", "1 3", 2, "",
         like("matinv: this build has no exact arithmetic*libgmp-dev)\n"), exact}});
#endif
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
        LcgRandom random(seed);
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
}  // namespace matinv::testing
