#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace matinv {

// What a shown text holds that a person may not recognise in it: the first
// such thing from its start. The messages say what it is and what to type.
struct TextHint {
    enum class Kind : std::uint8_t {
        none,
        comma,             // the text begins with one, as "0,5" leaves ",5" after the 0
        arrow_key,         // ESC, then '[' or 'O', then 'A' to 'D'
        character,         // a printable character beyond ASCII
        hidden_character,  // a character beyond ASCII that does not print
    };
    Kind kind = Kind::none;
    char32_t code_point = 0;  // of the character
    char arrow = 0;           // the key's last byte: 'A' up, 'B' down, 'C' right, 'D' left
};

// Text from the input or the command line, shown as it was typed and safe
// to write on a terminal: at most kShownBytes bytes of it, cut between two
// characters and followed by "..." when it is longer; in double quotes, or
// in single quotes when it holds a double quote and no single one.
// Printable ASCII and printable UTF-8 characters show as themselves, a
// backslash doubled and, inside double quotes, a double quote after a
// backslash. Every other byte, of a control, of a character that does not
// print or of text that is not UTF-8, is written \xNN, so that no input
// reaches the terminal as a control sequence and each \xNN stands for one
// byte of it.
//
// The hint is found in the bytes themselves: the escapes of view() would
// hide what they were.
class ShownText {
public:
    static constexpr std::size_t kShownBytes = 32;
    // How much of a text decides how it is shown: the bytes shown, and one
    // more for whether "..." follows. A caller need pass no more.
    static constexpr std::size_t kLookedAtBytes = kShownBytes + 1;

    ShownText() = default;  // shows nothing
    explicit ShownText(std::string_view text);

    std::string_view view() const { return {text_, length_}; }
    const TextHint& hint() const { return hint_; }
    // The character or the key that the hint is about, as view() shows it.
    std::string_view hinted() const { return {text_ + hinted_at_, hinted_length_}; }

private:
    void put(char c) { text_[length_++] = c; }
    void put_escaped(char byte);
    void put_ascii(char byte, char quote);
    void note(const TextHint& hint, std::size_t shown_from);

    // Four bytes for each byte shown, the quotes and "...".
    char text_[kShownBytes * 4 + 8] = {};
    std::size_t length_ = 0;
    TextHint hint_;
    std::uint8_t hinted_at_ = 0;
    std::uint8_t hinted_length_ = 0;
};

}  // namespace matinv
