#include "trace/trace_width.h"

#include <charconv>
#include <string_view>

namespace matinv {

int trace_width(bool terminal, int terminal_columns, const char* columns_variable) {
    constexpr int kUsualWidth = 80;
    if (!terminal) {
        return 0;
    }
    if (terminal_columns > 0) {
        return terminal_columns;
    }
    if (columns_variable == nullptr) {
        return kUsualWidth;
    }
    // Only a plain positive count is a width: "", "abc", "80x" or "-1" are not.
    const std::string_view text = columns_variable;
    int columns = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), columns);
    const bool whole = error == std::errc() && end == text.data() + text.size();
    return whole && columns > 0 ? columns : kUsualWidth;
}

}  // namespace matinv
