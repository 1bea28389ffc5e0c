#include "io/utf8.h"

namespace matinv {

std::size_t utf8_length(unsigned char lead) {
    return lead < 0x80                   ? 1
           : lead >= 0xc2 && lead < 0xe0 ? 2
           : lead >= 0xe0 && lead < 0xf0 ? 3
           : lead >= 0xf0 && lead < 0xf5 ? 4
                                         : 0;
}

Utf8Character first_character(std::string_view bytes) {
    const auto lead = static_cast<unsigned char>(bytes[0]);
    Utf8Character c{lead, utf8_length(lead)};
    if (c.length <= 1) {
        return c;
    }
    c.code_point &= 0x7fU >> c.length;
    for (std::size_t i = 1; i < c.length; ++i) {
        if (i == bytes.size()) {
            c.cut = true;
            return c;
        }
        const auto next = static_cast<unsigned char>(bytes[i]);
        if ((next & 0xc0) != 0x80) {
            return {};
        }
        c.code_point = c.code_point << 6 | (next & 0x3fU);
    }
    constexpr char32_t kShortest[] = {0, 0, 0x80, 0x800, 0x10000};
    const bool surrogate = c.code_point >= 0xd800 && c.code_point <= 0xdfff;
    if (c.code_point < kShortest[c.length] || c.code_point > 0x10ffff || surrogate) {
        return {};
    }
    return c;
}

}  // namespace matinv
