#include "trace/wrapped_lines.h"

#include <cstddef>

namespace matinv {
namespace {

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
