#include "text/shown_text.h"

#include <algorithm>
#include <cstring>
#include <iterator>

#include "io/utf8.h"

namespace matinv {
namespace {

// Characters beyond ASCII that a terminal shows as nothing, or that reorder,
// break or hide the text around them: the C1 controls, the soft hyphen,
// marks of text direction, zero-width characters, the line and paragraph
// separators, variation selectors, the byte order mark, noncharacters and
// tags.
constexpr char32_t kHidden[][2] = {
    {0x0080, 0x009f}, {0x00ad, 0x00ad}, {0x061c, 0x061c}, {0x180e, 0x180e},
    {0x200b, 0x200f}, {0x2028, 0x202e}, {0x2060, 0x206f}, {0xfe00, 0xfe0f},
    {0xfeff, 0xfeff}, {0xfff9, 0xfffb}, {0xfffe, 0xffff}, {0xe0000, 0xe0fff},
};

bool prints(char32_t c) {
    return std::none_of(std::begin(kHidden), std::end(kHidden),
                        [c](const char32_t(&range)[2]) { return c >= range[0] && c <= range[1]; });
}

// How much of `text` is shown: all of it up to kShownBytes, and otherwise
// as much as fits, up to the end of a character.
std::size_t shown_length(std::string_view text) {
    if (text.size() <= ShownText::kShownBytes) {
        return text.size();
    }
    std::size_t at = 0;
    for (;;) {
        const std::size_t length =
            std::max<std::size_t>(first_character(text.substr(at)).length, 1);
        if (at + length > ShownText::kShownBytes) {
            return at;
        }
        at += length;
    }
}

bool is_arrow_key(std::string_view text) {
    return text.size() >= 3 && text[0] == '\x1b' && (text[1] == '[' || text[1] == 'O') &&
           text[2] >= 'A' && text[2] <= 'D';
}

}  // namespace

void ShownText::put_escaped(char byte) {
    static constexpr char kHex[] = "0123456789abcdef";
    const auto c = static_cast<unsigned char>(byte);
    put('\\');
    put('x');
    put(kHex[c >> 4]);
    put(kHex[c & 0xf]);
}

void ShownText::put_ascii(char byte, char quote) {
    if (byte < 0x20 || byte == 0x7f) {
        put_escaped(byte);
        return;
    }
    if (byte == '\\' || byte == quote) {
        put('\\');
    }
    put(byte);
}

void ShownText::note(const TextHint& hint, std::size_t shown_from) {
    if (hint_.kind == TextHint::Kind::none) {
        hint_ = hint;
        hinted_at_ = static_cast<std::uint8_t>(shown_from);
        hinted_length_ = static_cast<std::uint8_t>(length_ - shown_from);
    }
}

ShownText::ShownText(std::string_view text) {
    const std::string_view shown = text.substr(0, shown_length(text));
    const bool single_quoted =
        shown.find('"') != std::string_view::npos && shown.find('\'') == std::string_view::npos;
    const char quote = single_quoted ? '\'' : '"';
    if (shown.starts_with(',')) {
        hint_.kind = TextHint::Kind::comma;
    }
    put(quote);
    for (std::size_t at = 0; at < shown.size();) {
        const std::size_t shown_from = length_;
        if (is_arrow_key(shown.substr(at))) {
            put_escaped(shown[at]);
            put(shown[at + 1]);
            put(shown[at + 2]);
            note({TextHint::Kind::arrow_key, 0, shown[at + 2]}, shown_from);
            at += 3;
            continue;
        }
        if (static_cast<unsigned char>(shown[at]) < 0x80) {
            put_ascii(shown[at], quote);
            ++at;
            continue;
        }
        const Utf8Character c = first_character(shown.substr(at));
        if (c.length == 0 || c.cut) {
            put_escaped(shown[at]);
            ++at;
            continue;
        }
        const bool printable = prints(c.code_point);
        for (std::size_t i = 0; i < c.length; ++i) {
            if (printable) {
                put(shown[at + i]);
            } else {
                put_escaped(shown[at + i]);
            }
        }
        using Kind = TextHint::Kind;
        note({printable ? Kind::character : Kind::hidden_character, c.code_point}, shown_from);
        at += c.length;
    }
    put(quote);
    if (shown.size() < text.size()) {
        std::memcpy(text_ + length_, "...", 3);
        length_ += 3;
    }
}

}  // namespace matinv
