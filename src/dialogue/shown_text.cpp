#include "dialogue/shown_text.h"

#include <cstring>

namespace matinv {

ShownText::ShownText(std::string_view text) {
    static constexpr char kHex[] = "0123456789abcdef";
    text_[length_++] = '"';
    for (std::size_t i = 0; i < text.size() && i < kShownBytes; ++i) {
        const int c = static_cast<unsigned char>(text[i]);
        if (c >= 0x20 && c < 0x7f && c != '"' && c != '\\') {
            text_[length_++] = static_cast<char>(c);
        } else {
            text_[length_++] = '\\';
            text_[length_++] = 'x';
            text_[length_++] = kHex[c >> 4];
            text_[length_++] = kHex[c & 0xf];
        }
    }
    text_[length_++] = '"';
    if (text.size() > kShownBytes) {
        std::memcpy(text_ + length_, "...", 3);
        length_ += 3;
    }
}

}  // namespace matinv
