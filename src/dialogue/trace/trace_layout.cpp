#include "trace/trace_layout.h"

#include <algorithm>
#include <charconv>
#include <cstddef>

namespace matinv {
namespace {

// One past the last of the columns from `first` on that fit in `limit`
// together; at least one.
int widest_end(const int* widths, int first, int columns, int limit) {
    int end = first + 1;
    for (int used = widths[first]; end < columns && used + widths[end] <= limit; ++end) {
        used += widths[end];
    }
    return end;
}

constexpr std::string_view kBlanks = "                                ";

void put_line(OutputBuffer& out, std::size_t hang, std::string_view line) {
    out.put(kBlanks.substr(0, hang));
    out.put(line);
    out.put_char('\n');
}

// Where to break a line that `fits` columns hold: after the last comma that
// leaves at least half of them filled, so that a clause stays whole, else
// at the last blank.
std::size_t break_at(std::string_view line, std::size_t fits) {
    const std::size_t comma = line.rfind(", ", fits - 1);
    if (comma != std::string_view::npos && comma + 1 > fits / 2) {
        return comma + 1;
    }
    return line.rfind(' ', fits);
}

}  // namespace

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

// A line whose last tab reaches the edge still fits: a tab moves the cursor
// to the edge at most, and never wraps.
ColumnBlocks split_into_blocks(const int* widths, int columns, int limit) {
    ColumnBlocks blocks;
    if (limit <= 0) {
        blocks.ends[blocks.count++] = columns;
        return blocks;
    }
    // As few blocks as filling each in turn needs, and as even as that
    // allows: a 3x3 at 80 columns as twice 3 columns, not 5 and then 1.
    for (int first = 0; first < columns;) {
        int needed = 0;
        for (int at = first; at < columns; at = widest_end(widths, at, columns, limit)) {
            ++needed;
        }
        const int even_share = (columns - first + needed - 1) / needed;
        first = std::min(first + even_share, widest_end(widths, first, columns, limit));
        blocks.ends[blocks.count++] = first;
    }
    return blocks;
}

void write_wrapped(OutputBuffer& out, std::string_view text, int width) {
    const auto fits = static_cast<std::size_t>(width);
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        const std::size_t indent = line.find_first_not_of(' ');
        std::size_t hang = 0;
        while (hang + line.size() > fits && hang < fits) {
            const std::size_t cut = break_at(line, fits - hang);
            if (cut == std::string_view::npos || cut <= indent) {
                break;
            }
            put_line(out, hang, line.substr(0, cut));
            line.remove_prefix(cut + 1);
            hang = indent + 2;
        }
        put_line(out, hang, line);
    }
}

}  // namespace matinv
