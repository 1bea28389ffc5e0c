// The row prompts come from a table built at compile time; they must read
// "INPUT", then " a<row><column>" for each column, then ": ".
#include "dialogue/row_prompts.h"

#include <gtest/gtest.h>

#include "support/prompts.h"

namespace {

TEST(RowPrompts, EveryOrderAndRowReadsAsPrintfWritesIt) {
    for (int n = 1; n <= matinv::kMaxOrder; ++n) {
        for (int i = 0; i < n; ++i) {
            EXPECT_EQ(matinv::kRowPrompts.get(n, i), matinv::testing::row_prompt(n, i + 1))
                << "order " << n << ", row " << i + 1;
        }
    }
}

}  // namespace
