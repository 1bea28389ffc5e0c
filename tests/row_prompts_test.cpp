// The row prompts come from a table built at compile time; they must read
// exactly as printf writes "INPUT", " a%d%d" per column and ": ".
#include "dialogue/row_prompts.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

std::string printf_prompt(int n, int i) {
    std::string prompt = "INPUT";
    char column[32];
    for (int j = 0; j < n; ++j) {
        std::snprintf(column, sizeof column, " a%d%d", i + 1, j + 1);
        prompt += column;
    }
    return prompt + ": ";
}

TEST(RowPrompts, EveryOrderAndRowReadsAsPrintfWritesIt) {
    for (int n = 1; n <= matinv::kMaxOrder; ++n) {
        for (int i = 0; i < n; ++i) {
            EXPECT_EQ(matinv::kRowPrompts.get(n, i), printf_prompt(n, i))
                << "order " << n << ", row " << i + 1;
        }
    }
}

}  // namespace
