#include "trace/column_blocks.h"

#include <algorithm>

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

}  // namespace

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

}  // namespace matinv
