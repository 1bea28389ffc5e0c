#pragma once

#include <cstddef>
#include <string_view>

#include "inversion/working_matrices.h"

namespace matinv {

// The prompt for one row, "INPUT a<row><column> ...: ", depends only on the
// order and the row, so every one of them is written out at compile time and
// a prompt costs one copy, however many matrices stream past.
class RowPrompts {
public:
    constexpr RowPrompts() {
        for (int n = 1; n <= kMaxOrder; ++n) {
            for (int i = 0; i < n; ++i) {
                Prompt& prompt = prompts_[n - 1][i];
                prompt.append("INPUT");
                for (int j = 0; j < n; ++j) {
                    prompt.append(" a");
                    prompt.append_count(i + 1);
                    prompt.append_count(j + 1);
                }
                prompt.append(": ");
            }
        }
    }

    // For 1 <= n <= kMaxOrder and 0 <= i < n.
    constexpr std::string_view get(int n, int i) const {
        const Prompt& prompt = prompts_[n - 1][i];
        return {prompt.text, prompt.length};
    }

    // The prompt for the entries of row i from column j on: "INPUT a12: ".
    template <class Line>
    constexpr void put_from_column(Line& line, int n, int i, int j) const {
        const std::string_view prompt = get(n, i);
        std::string_view columns = prompt.substr(5);  // " a11 a12: "
        for (int k = 0; k < j; ++k) {
            columns.remove_prefix(columns.find(' ', 1));
        }
        line.put(prompt.substr(0, 5));
        line.put(columns);
    }

private:
    // "INPUT", then " a1010" for each of ten columns, then ": ".
    static constexpr int kLongest = 5 + 6 * kMaxOrder + 2;

    struct Prompt {
        char text[kLongest] = {};
        std::size_t length = 0;

        constexpr void append(std::string_view part) {
            for (char c : part) {
                text[length++] = c;
            }
        }
        constexpr void append_count(int count) {  // 1 to 10, as "%d" writes it
            if (count >= 10) {
                text[length++] = static_cast<char>('0' + count / 10);
            }
            text[length++] = static_cast<char>('0' + count % 10);
        }
    };

    Prompt prompts_[kMaxOrder][kMaxOrder] = {};
};

inline constexpr RowPrompts kRowPrompts;

}  // namespace matinv
