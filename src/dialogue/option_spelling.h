#pragma once

#include <string_view>

namespace matinv {

// The long option that an unknown option was most likely meant to be: one
// within two typing slips of it (a byte added, dropped, changed, or two
// neighbours swapped, letters compared regardless of case): the nearest,
// and of two as near, the one --help lists first; empty when none is that
// near.
std::string_view closest_option(std::string_view typed);

}  // namespace matinv
