#pragma once

#include <charconv>
#include <cmath>
#include <cstring>
#include <string_view>

namespace matinv {

// A double in as few characters as `digits` significant digits allow, as
// "%.<digits>g" writes it ("7", "1.714285714", "1.2e-17"), for numbers
// inside a sentence rather than in a column of the report.
class ShortNumber {
public:
    ShortNumber(double value, int digits) {
        if (std::isnan(value)) {  // as printf spells it, whatever the library's to_chars does
            const std::string_view nan = std::signbit(value) ? "-nan" : "nan";
            std::memcpy(text_, nan.data(), nan.size());
            length_ = nan.size();
            return;
        }
        const auto result =
            std::to_chars(text_, text_ + sizeof text_, value, std::chars_format::general, digits);
        length_ = static_cast<std::size_t>(result.ptr - text_);
    }

    std::string_view view() const { return {text_, length_}; }

private:
    char text_[40];  // "-d.<up to 17 digits>e-308" and more fit
    std::size_t length_ = 0;
};

}  // namespace matinv
