#pragma once

#include "io/output_buffer.h"
#include "numbers/number_text.h"

// The writers of numbers/number_text.h, writing straight into an output
// buffer.
namespace matinv {

template <class Integer>
void put_integer(OutputBuffer& out, Integer value) {
    out.commit(write_integer(out.room(kLongestInteger), value));
}

inline void put_shortest(OutputBuffer& out, double value, int digits) {
    out.commit(write_shortest(out.room(kLongestShortest), value, digits));
}

// One row of a matrix as the report and the trace write it: each number as
// "%.10f" writes it followed by a tab, then the end of the line.
void put_fixed10_row(OutputBuffer& out, const double* row, int count);

}  // namespace matinv
