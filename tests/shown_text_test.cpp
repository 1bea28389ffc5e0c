#include <gtest/gtest.h>

#include <string>

#include "dialogue/messages.h"

namespace matinv {
namespace {

// Each text as an unknown option shows it, with its hint.
TEST(ShownText, Texts) {
    const std::string x29(29, 'x'), minus = "; '−' is U+2212 MINUS SIGN: type '-' instead";
    // clang-format off
    const struct { std::string text, shown; } cases[] = {
        // As typed, in quotes that need no escape; a backslash told from an escape.
        {"\"4\"", "'\"4\"'"}, {"\"it's\"", "\"\\\"it's\\\"\""}, {"\\x", "\"\\\\x\""},
        // Controls, characters that do not print, bytes that are not UTF-8, arrow keys.
        {"\x01\x7f\xff\xe0\x80\xaf\xe2\x88", "\"\\x01\\x7f\\xff\\xe0\\x80\\xaf\\xe2\\x88\""},
        {"\xed\xa0\x80\xf4\x90\x80\x80", "\"\\xed\\xa0\\x80\\xf4\\x90\\x80\\x80\""},
        {"\xc2\x9b", "\"\\xc2\\x9b\"; \\xc2\\x9b is U+009B, which does not print"},
        {"\x1b[D", "\"\\x1b[D\"; \\x1b[D is the left arrow key"},
        {"1\x1bOA\x1b[B", "\"1\\x1bOA\\x1b[B\"; \\x1bOA is the up arrow key"},
        // Beyond ASCII the first character is named, a look-alike with what to type instead.
        {"−1–", "\"−1–\"" + minus}, {"é€", "\"é€\"; 'é' is U+00E9: numbers are typed in ASCII"},
        {"1\u00a0", "\"1\u00a0\"; '\u00a0' is U+00A0 NO-BREAK SPACE: type a blank instead"},
        {"９", "\"９\"; '９' is U+FF19 FULLWIDTH DIGIT NINE: type '9' instead"},
        {"”", "\"”\"; '”' is U+201D RIGHT DOUBLE QUOTATION MARK: type numbers without quotes"},
        // What "0,5" leaves after the 0; a comma further on is no decimal comma.
        {",5", "\",5\"; a comma is neither a decimal point nor a separator here"}, {"-,", "\"-,\""},
        // Long text cut between characters, never inside one.
        {x29 + "xx−", "\"" + x29 + "xx\"..."}, {x29 + "−", "\"" + x29 + "−\"" + minus},
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
