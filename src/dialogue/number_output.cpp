#include "dialogue/number_output.h"

namespace matinv {

void put_fixed10_row(OutputBuffer& out, const double* row, int count) {
    for (int j = 0; j < count; ++j) {
        char* const end = write_fixed10(out.room(kLongestFixed10 + 1), row[j]);
        *end = '\t';
        out.commit(end + 1);
    }
    out.put_char('\n');
}

}  // namespace matinv
