#pragma once

#include <string>

// The program's questions and its word on a matrix without inverse, as the
// tables and the fuzz harness expect them on standard output.
namespace matinv::testing {

inline const std::string kOrder = "INPUT ORDER OF SQUARE MATRIX: ";
inline const std::string kNoInverse = "\nINVERSE MATRIX NOT EXIST!!\n";
#if MATINV_EXACT_ARITHMETIC  // said after a fraction typed without --exact
inline const std::string kFractionWord = "; matinv --exact reads fractions";
#else
inline const std::string kFractionWord;
#endif

// The question for row `row` (from 1) of an n-by-n matrix: "INPUT a21 a22: ".
inline std::string row_prompt(int n, int row) {
    std::string prompt = "INPUT";
    for (int column = 1; column <= n; ++column) {
        prompt += " a" + std::to_string(row) + std::to_string(column);
    }
    return prompt + ": ";
}

// The questions for every row of an n-by-n matrix, one after another.
inline std::string row_prompts(int n) {
    std::string prompts;
    for (int row = 1; row <= n; ++row) {
        prompts += row_prompt(n, row);
    }
    return prompts;
}

}  // namespace matinv::testing
