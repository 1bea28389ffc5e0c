#pragma once

#include "numbers/number_text.h"

// A row of numbers written straight into an output buffer: any buffer that
// lends room for a number with room(size), takes back what was written with
// commit(end), and takes a single byte with put_char(c). The output buffer
// of the io layer is one; this layer does not need to know it. Other lines
// are written with append().
namespace matinv {

// One row of a matrix as the report writes it: each number as
// "%.10f" writes it followed by a tab, then the end of the line.
template <class Buffer>
void put_fixed10_row(Buffer& out, const double* row, int count) {
    for (int j = 0; j < count; ++j) {
        char* const end = write_fixed10(out.room(kLongestFixed10 + 1), row[j]);
        *end = '\t';
        out.commit(end + 1);
    }
    out.put_char('\n');
}

}  // namespace matinv
