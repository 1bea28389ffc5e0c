#include "dialogue/option_spelling.h"

#include <algorithm>
#include <array>
#include <cstddef>

#include "dialogue/options.h"

namespace matinv {
namespace {

constexpr std::size_t kMostSlips = 2;
// Longer than any option by more than kMostSlips: never near one.
constexpr std::size_t kLongestCompared = kLongestOptionName + kMostSlips;

char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Edits that turn `typed` into `option`, a swap of neighbours counting as
// one, as a slip of the fingers makes it.
std::size_t slips(std::string_view typed, std::string_view option) {
    // Three rows of the table suffice: a swap looks two rows back.
    std::array<std::array<std::size_t, kLongestCompared + 1>, 3> rows{};
    for (std::size_t j = 0; j <= option.size(); ++j) {
        rows[0][j] = j;
    }
    for (std::size_t i = 1; i <= typed.size(); ++i) {
        auto& row = rows[i % 3];
        const auto& above = rows[(i - 1) % 3];
        row[0] = i;
        for (std::size_t j = 1; j <= option.size(); ++j) {
            const bool same = lower(typed[i - 1]) == option[j - 1];
            row[j] = std::min({above[j] + 1, row[j - 1] + 1, above[j - 1] + (same ? 0 : 1)});
            if (i > 1 && j > 1 && lower(typed[i - 1]) == option[j - 2] &&
                lower(typed[i - 2]) == option[j - 1]) {
                row[j] = std::min(row[j], rows[(i - 2) % 3][j - 2] + 1);
            }
        }
    }
    return rows[typed.size() % 3][option.size()];
}

}  // namespace

std::string_view closest_option(std::string_view typed) {
    std::string_view closest;
    std::size_t fewest = kMostSlips + 1;
    if (typed.size() > kLongestCompared) {
        return closest;
    }
    for (const OptionSpec& option : kOptions) {
        const std::size_t count = slips(typed, option.name);
        if (count < fewest) {
            fewest = count;
            closest = option.name;
        }
    }
    return closest;
}

}  // namespace matinv
