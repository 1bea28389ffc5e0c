#include "dialogue/shown_text.h"

#include <cstring>

#include "dialogue/input_reader.h"

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

ShownText shown_text_ahead(InputReader& reader) {
    // One byte more than is shown, to know whether the text goes on.
    char ahead[ShownText::kShownBytes + 1];
    std::size_t length = 0;
    while (length < sizeof ahead) {
        const int c = reader.peek_ahead(length);
        if (c == -1 || c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f') {
            break;
        }
        ahead[length++] = static_cast<char>(c);
    }
    return ShownText(std::string_view(ahead, length));
}

}  // namespace matinv
