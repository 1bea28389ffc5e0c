#pragma once

#include <string_view>

namespace matinv {

// A character that word processors, keyboard layouts and web pages put
// where people mean a plain ASCII one, and that a terminal shows much like it.
struct LookAlike {
    std::string_view name;  // as Unicode names it
    char32_t code_point;
    // The ASCII character it passes for; 0 for the curly quotes, which stand
    // for no character of a number.
    char ascii;
};

// The entry for `code_point`, or null when it is not a known look-alike.
const LookAlike* find_look_alike(char32_t code_point);

}  // namespace matinv
