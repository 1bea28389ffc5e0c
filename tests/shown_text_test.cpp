#include "dialogue/shown_text.h"

#include <gtest/gtest.h>

#include <string>

#include "dialogue/messages.h"

namespace matinv {
namespace {

// Each text as an unknown option shows it, with its hint.
TEST(ShownText, Texts) {
    const std::string x31(31, 'x'), x29(29, 'x');
    // clang-format off
    const struct { std::string text, shown; } cases[] = {
        // As typed, in quotes that need no escape; a backslash told from an escape.
        {"-a", "\"-a\""}, {"\"4\"", "'\"4\"'"}, {"\"it's\"", "\"\\\"it's\\\"\""},
        {"\\x", "\"\\\\x\""}, {"é€", "\"é€\"; 'é' is U+00E9: numbers are typed in ASCII"},
        // Controls, characters that do not print, bytes that are not UTF-8.
        {"\x01\x7f\xff\xe2\x88", "\"\\x01\\x7f\\xff\\xe2\\x88\""},
        {"\xe0\x80\xaf\xed\xa0\x80\xf4\x90\x80\x80",
         "\"\\xe0\\x80\\xaf\\xed\\xa0\\x80\\xf4\\x90\\x80\\x80\""},
        {"\xc2\x9b", "\"\\xc2\\x9b\"; \\xc2\\x9b is U+009B, which does not print"},
        {"1\xe2\x80\xae", "\"1\\xe2\\x80\\xae\"; \\xe2\\x80\\xae is U+202E, which does not print"},
        {"\x1b[D", "\"\\x1b[D\"; \\x1b[D is the left arrow key"},
        {"1\x1bOA\x1b[B", "\"1\\x1bOA\\x1b[B\"; \\x1bOA is the up arrow key"},
        // Look-alikes: the first is named, with what to type instead.
        {"−1–", "\"−1–\"; '−' is U+2212 MINUS SIGN: type '-' instead"},
        {"–", "\"–\"; '–' is U+2013 EN DASH: type '-' instead"},
        {"1\u00a0", "\"1\u00a0\"; '\u00a0' is U+00A0 NO-BREAK SPACE: type a blank instead"},
        {"\u2009", "\"\u2009\"; '\u2009' is U+2009 THIN SPACE: type a blank instead"},
        {"０９", "\"０９\"; '０' is U+FF10 FULLWIDTH DIGIT ZERO: type '0' instead"},
        {"９", "\"９\"; '９' is U+FF19 FULLWIDTH DIGIT NINE: type '9' instead"},
        {"‘’", "\"‘’\"; '‘' is U+2018 LEFT SINGLE QUOTATION MARK: type numbers without quotes"},
        {"”", "\"”\"; '”' is U+201D RIGHT DOUBLE QUOTATION MARK: type numbers without quotes"},
        // What "0,5" leaves after the 0; a comma further on is no decimal comma.
        {",5", "\",5\"; a comma is neither a decimal point nor a separator here"}, {"-,", "\"-,\""},
        // Long text cut between characters, never inside one.
        {x31 + "−", "\"" + x31 + "\"..."}, {x31 + "12", "\"" + x31 + "1\"..."},
        {x29 + "−", "\"" + x29 + "−\"; '−' is U+2212 MINUS SIGN: type '-' instead"},
    };
    // clang-format on
    for (const auto& c : cases) {
        EXPECT_EQ(unknown_option(c.text).text(),
                  "matinv: unknown option " + c.shown + "; try 'matinv --help'\n")
            << ::testing::PrintToString(c.text);
    }
}

}  // namespace
}  // namespace matinv
