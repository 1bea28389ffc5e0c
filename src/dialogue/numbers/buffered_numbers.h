#pragma once

#include "numbers/number_text.h"

// The writers of number_text.h, writing straight into an output buffer: any
// buffer that lends room for a number with room(size), takes back what was
// written with commit(end), and takes a single byte with put_char(c). The
// output buffer of the io layer is one; this layer does not need to know it.
namespace matinv {

template <class Buffer, class Integer>
void put_integer(Buffer& out, Integer value) {
    out.commit(write_integer(out.room(kLongestInteger), value));
}

template <class Buffer>
void put_shortest(Buffer& out, double value, int digits) {
    out.commit(write_shortest(out.room(kLongestShortest), value, digits));
}

// One row of a matrix as the report and the trace write it: each number as
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
