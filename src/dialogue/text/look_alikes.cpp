#include "text/look_alikes.h"

#include <algorithm>
#include <iterator>

namespace matinv {
namespace {

constexpr LookAlike kLookAlikes[] = {
    {"NO-BREAK SPACE", 0x00a0, ' '},
    {"THIN SPACE", 0x2009, ' '},
    {"HYPHEN", 0x2010, '-'},
    {"NON-BREAKING HYPHEN", 0x2011, '-'},
    {"EN DASH", 0x2013, '-'},
    {"EM DASH", 0x2014, '-'},
    {"LEFT SINGLE QUOTATION MARK", 0x2018, 0},
    {"RIGHT SINGLE QUOTATION MARK", 0x2019, 0},
    {"LEFT DOUBLE QUOTATION MARK", 0x201c, 0},
    {"RIGHT DOUBLE QUOTATION MARK", 0x201d, 0},
    {"NARROW NO-BREAK SPACE", 0x202f, ' '},
    {"MINUS SIGN", 0x2212, '-'},
    {"FULLWIDTH PLUS SIGN", 0xff0b, '+'},
    {"FULLWIDTH HYPHEN-MINUS", 0xff0d, '-'},
    {"FULLWIDTH FULL STOP", 0xff0e, '.'},
    {"FULLWIDTH DIGIT ZERO", 0xff10, '0'},
    {"FULLWIDTH DIGIT ONE", 0xff11, '1'},
    {"FULLWIDTH DIGIT TWO", 0xff12, '2'},
    {"FULLWIDTH DIGIT THREE", 0xff13, '3'},
    {"FULLWIDTH DIGIT FOUR", 0xff14, '4'},
    {"FULLWIDTH DIGIT FIVE", 0xff15, '5'},
    {"FULLWIDTH DIGIT SIX", 0xff16, '6'},
    {"FULLWIDTH DIGIT SEVEN", 0xff17, '7'},
    {"FULLWIDTH DIGIT EIGHT", 0xff18, '8'},
    {"FULLWIDTH DIGIT NINE", 0xff19, '9'},
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
