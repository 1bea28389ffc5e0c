#pragma once

#include <string_view>

#include "inversion/working_matrices.h"
#include "io/output_buffer.h"

// How the trace is laid out so that a terminal never wraps a line of it:
// the width it fits, its matrices in blocks of whole columns and its
// sentences broken between words.
namespace matinv {

// The width in columns that the trace of --steps fits: that of the terminal
// on the error stream, else the COLUMNS variable's, else 80, as programs
// that lay text out for a terminal take it; 0, no limit, when the error
// stream is not a terminal, so that a trace kept in a file or read through
// a pipe is the same on every terminal. `terminal_columns` is 0 where the
// terminal does not tell its size; `columns_variable` is COLUMNS's value,
// or null when it is not set.
int trace_width(bool terminal, int terminal_columns, const char* columns_variable);

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

// Writes `text`, whole lines, with each line longer than `width` columns
// broken at its last blank that fits, so that the terminal never wraps it
// mid-word; the rest goes on below, two columns further in than the
// line's own indent. A word wider than the line is left whole.
void write_wrapped(OutputBuffer& out, std::string_view text, int width);

}  // namespace matinv
