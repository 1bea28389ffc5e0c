#pragma once

#include "inversion/working_matrices.h"

namespace matinv {

// A matrix written as the report writes it, each number followed by a tab,
// split into blocks of whole columns so that no line runs past the edge of
// a terminal and wraps, as Octave and R show wide matrices.
struct ColumnBlocks {
    int count = 0;            // 1 when the matrix fits whole
    int ends[kColumns] = {};  // for each block, one past its last column
};

// A terminal's tab stops are 8 columns apart, so a number and its tab reach
// the first stop after the number's text, `length` bytes long.
inline int tabbed_width(int length) {
    constexpr int kTabStop = 8;
    return (length / kTabStop + 1) * kTabStop;
}

// Splits `columns` columns, each as wide as `widths` says (its widest
// number with its tab), for a terminal `limit` columns wide, or 0 for no
// limit. A column wider than the limit makes a block of its own.
ColumnBlocks split_into_blocks(const int* widths, int columns, int limit);

}  // namespace matinv
