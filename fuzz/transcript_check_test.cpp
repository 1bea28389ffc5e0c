// The fuzz harness is only as good as its judge: sound transcripts must pass
// and each kind of broken one must be caught.
#include "transcript_check.h"

#include <gtest/gtest.h>

#include <string_view>

namespace matinv::fuzz {
namespace {

constexpr std::string_view kReport2 =
    "\n[A]=\n4.0000000000\t7.0000000000\t\n2.0000000000\t6.0000000000\t\n"
    "\n[B]=\n0.6000000000\t-0.7000000000\t\n-0.2000000000\t0.4000000000\t\n"
    "\n[A][B]=\n1.0000000000\t-0.0000000000\t\n0.0000000000\t1.0000000000\t\n";

struct Transcript {
    const char* name;
    std::string out;
    std::string_view errors;
    int status;
    Arithmetic arithmetic = Arithmetic::rounded;
};

constexpr Arithmetic kExact = Arithmetic::exact;
const std::string kExactReport2 =
    "\n[A]=\n4\t7\t\n2\t6\t\n\n[B]=\n3/5\t-7/10\t\n-1/5\t2/5\t\n"
    "\n[A][B]=\n1\t0\t\n0\t1\t\n\ndet[A]=\n10\t\n";

const std::string kPrompts2 = "INPUT ORDER OF SQUARE MATRIX: INPUT a11 a12: INPUT a21 a22: ";

TEST(TranscriptCheck, SoundRunsPass) {
    const Transcript sound[] = {
        {"order 2 reported", kPrompts2 + std::string(kReport2), "", 0},
        {"no inverse, then reported",
         kPrompts2 + "\nINVERSE MATRIX NOT EXIST!!\n" + kPrompts2 + std::string(kReport2), "", 0},
        {"order 0", "INPUT ORDER OF SQUARE MATRIX: \n[A]=\n\n[B]=\n\n[A][B]=\n", "", 0},
        {"extreme numbers",
         "INPUT ORDER OF SQUARE MATRIX: INPUT a11: \n[A]=\n-inf\t\n\n[B]=\n-nan\t\n"
         "\n[A][B]=\n123456789.0000000000\t\n",
         "", 0},
        {"input ended at the order",
         "INPUT ORDER OF SQUARE MATRIX: ", "matinv: input ended while reading the order\n", 1},
        {"input ended in row 2", kPrompts2, "matinv: input ended\n", 1},
        {"warnings after a report", kPrompts2 + std::string(kReport2),
         "matinv: warning: the order \"2\" runs straight into \".0\"\n"
         "matinv: warning: [B] cannot be trusted\n",
         0},
        {"a note, then the input ended", kPrompts2,
         "matinv: note: the matrix has an inverse\nmatinv: input ended\n", 1},
        {"input ended in row 1 of 10",
         "INPUT ORDER OF SQUARE MATRIX: INPUT a11 a12 a13 a14 a15 a16 a17 a18 a19 a110: ",
         "matinv: input ended\n", 1},
        {"exact order 2 reported", kPrompts2 + kExactReport2, "", 0, kExact},
        {"exact order 0",
         "INPUT ORDER OF SQUARE MATRIX: \n[A]=\n\n[B]=\n\n[A][B]=\n\ndet[A]=\n1\t\n", "", 0,
         kExact},
    };
    for (const Transcript& t : sound) {
        EXPECT_EQ(transcript_fault(t.out, t.errors, t.status, t.arithmetic), "") << t.name;
    }
}

TEST(TranscriptCheck, BrokenRunsAreCaught) {
    const std::string report = std::string(kReport2);
    const Transcript broken[] = {
        {"stray text", "hello" + kPrompts2 + report, "", 0},
        {"missing order prompt", report, "", 0},
        {"row numbers out of step",
         "INPUT ORDER OF SQUARE MATRIX: INPUT a11 a12: INPUT a11 a12: ", "matinv: x\n", 1},
        {"order above 10 prompted",
         "INPUT ORDER OF SQUARE MATRIX: INPUT a11 a12 a13 a14 a15 a16 a17 a18 a19 a110 a111: ",
         "matinv: x\n", 1},
        {"report of the wrong size", "INPUT ORDER OF SQUARE MATRIX: INPUT a11: " + report, "", 0},
        {"number with nine decimals",
         "INPUT ORDER OF SQUARE MATRIX: INPUT a11: \n[A]=\n1.000000000\t\n\n[B]=\n1.0000000000\t\n"
         "\n[A][B]=\n1.0000000000\t\n",
         "", 0},
        {"number with a leading zero",
         "INPUT ORDER OF SQUARE MATRIX: INPUT a11: "
         "\n[A]=\n01.0000000000\t\n\n[B]=\n1.0000000000\t\n"
         "\n[A][B]=\n1.0000000000\t\n",
         "", 0},
        {"output after the report", kPrompts2 + report + "x", "", 0},
        {"report with status 1", kPrompts2 + report, "", 1},
        {"report with an error line", kPrompts2 + report, "matinv: x\n", 0},
        {"no-inverse message without entries",
         "INPUT ORDER OF SQUARE MATRIX: \nINVERSE MATRIX NOT EXIST!!\n", "", 0},
        {"early end with status 0", kPrompts2, "matinv: input ended\n", 0},
        {"early end with nothing on errors", kPrompts2, "", 1},
        {"early end with two error lines", kPrompts2, "matinv: a\nmatinv: b\n", 1},
        {"early end with a control byte", kPrompts2, "matinv: found \"\x1b[31m\"\n", 1},
        {"early end without the prefix", kPrompts2, "input ended\n", 1},
        {"report with an error line after a warning", kPrompts2 + report,
         "matinv: warning: x\nmatinv: x\n", 0},
        {"warning not ended by a line break", kPrompts2 + report, "matinv: warning: x", 0},
        {"warning with a control byte", kPrompts2 + report, "matinv: warning: \"\x1b[31m\"\n", 0},
        {"early end with a warning only", kPrompts2, "matinv: warning: x\n", 1},
        {"exact report in decimals", kPrompts2 + report, "", 0, kExact},
        {"exact report without det[A]", kPrompts2 + kExactReport2.substr(0, 64), "", 0, kExact},
        {"exact product not the identity",
         "INPUT ORDER OF SQUARE MATRIX: INPUT a11: \n[A]=\n3\t\n\n[B]=\n1/3\t\n"
         "\n[A][B]=\n2/2\t\n\ndet[A]=\n3\t\n",
         "", 0, kExact},
        {"exact denominator 1",
         "INPUT ORDER OF SQUARE MATRIX: INPUT a11: \n[A]=\n3/1\t\n\n[B]=\n1/3\t\n"
         "\n[A][B]=\n1\t\n\ndet[A]=\n3\t\n",
         "", 0, kExact},
        {"exact sign on the denominator",
         "INPUT ORDER OF SQUARE MATRIX: INPUT a11: \n[A]=\n3\t\n\n[B]=\n1/-3\t\n"
         "\n[A][B]=\n1\t\n\ndet[A]=\n3\t\n",
         "", 0, kExact},
    };
    for (const Transcript& t : broken) {
        EXPECT_NE(transcript_fault(t.out, t.errors, t.status, t.arithmetic), "") << t.name;
    }
}

// Text refused at once is quoted as far as it had arrived.
TEST(TranscriptCheck, TrickledErrorsMayQuoteLess) {
    const struct {
        std::string_view whole;
        std::string_view trickled;
        bool same;
    } cases[] = {
        {"matinv: x\n", "matinv: x\n", true},
        {"matinv: a: but found \"abc\"\n", "matinv: a: but found \"a\"\n", true},
        {"matinv: a: but found \"abc\"...\n", "matinv: a: but found \"ab\"\n", true},
        {"matinv: a: but found \"abc\"\n", "matinv: a: but found \"b\"\n", false},
        {"matinv: a: but found \"abc\"\n", "matinv: b: but found \"a\"\n", false},
        {"matinv: a: but found \"abc\"\n", "matinv: a: but found \"a\n", false},
        {"matinv: input ended\n", "matinv: a: but found \"a\"\n", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(same_errors(c.whole, c.trickled), c.same) << c.whole << " / " << c.trickled;
    }
}

}  // namespace
}  // namespace matinv::fuzz
