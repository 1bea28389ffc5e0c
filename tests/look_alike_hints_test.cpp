// Each character that passes for an ASCII one is named, with what to type.
#include <gtest/gtest.h>

#include <string>

#include "dialogue/driver.h"
#include "support/memory_streams.h"

namespace matinv {
namespace {

TEST(LookAlikeHints, NameEachCharacterAndWhatToTypeInstead) {
    const struct {
        const char* typed;
        const char* named;
        const char* hint;
    } cases[] = {
        {"\u00a0", "U+00A0 NO-BREAK SPACE", "type a blank instead"},
        {"\u2009", "U+2009 THIN SPACE", "type a blank instead"},
        {"\u2010", "U+2010 HYPHEN", "type '-' instead"},
        {"\u2011", "U+2011 NON-BREAKING HYPHEN", "type '-' instead"},
        {"\u2013", "U+2013 EN DASH", "type '-' instead"},
        {"\u2014", "U+2014 EM DASH", "type '-' instead"},
        {"\u2018", "U+2018 LEFT SINGLE QUOTATION MARK", "type numbers without quotes"},
        {"\u2019", "U+2019 RIGHT SINGLE QUOTATION MARK", "type numbers without quotes"},
        {"\u201c", "U+201C LEFT DOUBLE QUOTATION MARK", "type numbers without quotes"},
        {"\u201d", "U+201D RIGHT DOUBLE QUOTATION MARK", "type numbers without quotes"},
        {"\u202f", "U+202F NARROW NO-BREAK SPACE", "type a blank instead"},
        {"\u2212", "U+2212 MINUS SIGN", "type '-' instead"},
        {"\uff0b", "U+FF0B FULLWIDTH PLUS SIGN", "type '+' instead"},
        {"\uff0d", "U+FF0D FULLWIDTH HYPHEN-MINUS", "type '-' instead"},
        {"\uff0e", "U+FF0E FULLWIDTH FULL STOP", "type '.' instead"},
        {"\uff10", "U+FF10 FULLWIDTH DIGIT ZERO", "type '0' instead"},
        {"\uff11", "U+FF11 FULLWIDTH DIGIT ONE", "type '1' instead"},
        {"\uff12", "U+FF12 FULLWIDTH DIGIT TWO", "type '2' instead"},
        {"\uff13", "U+FF13 FULLWIDTH DIGIT THREE", "type '3' instead"},
        {"\uff14", "U+FF14 FULLWIDTH DIGIT FOUR", "type '4' instead"},
        {"\uff15", "U+FF15 FULLWIDTH DIGIT FIVE", "type '5' instead"},
        {"\uff16", "U+FF16 FULLWIDTH DIGIT SIX", "type '6' instead"},
        {"\uff17", "U+FF17 FULLWIDTH DIGIT SEVEN", "type '7' instead"},
        {"\uff18", "U+FF18 FULLWIDTH DIGIT EIGHT", "type '8' instead"},
        {"\uff19", "U+FF19 FULLWIDTH DIGIT NINE", "type '9' instead"},
        {"\u00d7", "U+00D7", "numbers are typed in ASCII"},  // not a look-alike
    };
    for (const auto& c : cases) {
        const std::string input = std::string("1 ") + c.typed;
        MemorySource in(input);
        MemorySink out, errors;
        EXPECT_EQ(run_dialogue(in, out, errors), 1) << c.named;
        EXPECT_EQ(errors.text,
                  "matinv: line 1, column 3: expected a number for entry a11 (row 1, "
                  "column 1), but found \"" +
                      std::string(c.typed) + "\"; '" + c.typed + "' is " + c.named + ": " + c.hint +
                      "\n")
            << c.named;
    }
}

}  // namespace
}  // namespace matinv
