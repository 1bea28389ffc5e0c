#include "text/look_alikes.h"

#include <algorithm>
#include <iterator>

namespace matinv {
namespace {

constexpr LookAlike kLookAlikes[] = {
    {0x00a0, "NO-BREAK SPACE", ' '},
    {0x2009, "THIN SPACE", ' '},
    {0x2010, "HYPHEN", '-'},
    {0x2011, "NON-BREAKING HYPHEN", '-'},
    {0x2013, "EN DASH", '-'},
    {0x2014, "EM DASH", '-'},
    {0x2018, "LEFT SINGLE QUOTATION MARK", 0},
    {0x2019, "RIGHT SINGLE QUOTATION MARK", 0},
    {0x201c, "LEFT DOUBLE QUOTATION MARK", 0},
    {0x201d, "RIGHT DOUBLE QUOTATION MARK", 0},
    {0x202f, "NARROW NO-BREAK SPACE", ' '},
    {0x2212, "MINUS SIGN", '-'},
    {0xff0b, "FULLWIDTH PLUS SIGN", '+'},
    {0xff0d, "FULLWIDTH HYPHEN-MINUS", '-'},
    {0xff0e, "FULLWIDTH FULL STOP", '.'},
    {0xff10, "FULLWIDTH DIGIT ZERO", '0'},
    {0xff11, "FULLWIDTH DIGIT ONE", '1'},
    {0xff12, "FULLWIDTH DIGIT TWO", '2'},
    {0xff13, "FULLWIDTH DIGIT THREE", '3'},
    {0xff14, "FULLWIDTH DIGIT FOUR", '4'},
    {0xff15, "FULLWIDTH DIGIT FIVE", '5'},
    {0xff16, "FULLWIDTH DIGIT SIX", '6'},
    {0xff17, "FULLWIDTH DIGIT SEVEN", '7'},
    {0xff18, "FULLWIDTH DIGIT EIGHT", '8'},
    {0xff19, "FULLWIDTH DIGIT NINE", '9'},
};

constexpr bool by_code_point(const LookAlike& left, const LookAlike& right) {
    return left.code_point < right.code_point;
}
static_assert(std::is_sorted(std::begin(kLookAlikes), std::end(kLookAlikes), by_code_point),
              "find_look_alike searches the table by halves");

}  // namespace

const LookAlike* find_look_alike(char32_t code_point) {
    const auto* found =
        std::lower_bound(std::begin(kLookAlikes), std::end(kLookAlikes), code_point,
                         [](const LookAlike& entry, char32_t c) { return entry.code_point < c; });
    return found != std::end(kLookAlikes) && found->code_point == code_point ? found : nullptr;
}

}  // namespace matinv
