#pragma once

#include "io/byte_streams.h"

namespace matinv {

struct DialogueOptions {
    bool steps = false;     // trace every inversion on `errors`
    bool exact = false;     // read, invert and report in exact rationals (needs GMP)
    int trace_columns = 0;  // the width that the trace fits, or 0 for no limit
};

// Runs attempts until one matrix is inverted and reported: asks for the
// order and the entries, inverts, and on a matrix without an inverse says so
// and asks again. Returns the exit status: 0 after the report; 3 when the
// input ends at the order's question right after a matrix without inverse,
// nothing typed since; 1 when the input ends elsewhere or holds something
// other than a number before the report, when the order is above what the
// matrices hold, when the input cannot be read, or at the first write to
// `out` that fails. Each such ending is one line on `errors`, never on
// `out`; faults in the input name the line and column where they are, and
// the matrix once there is a second. When `in` is a terminal, text that is not
// a number, a number that runs straight into more text and an order too
// large are said in the same line, and the order or the row is asked for
// again, with what was typed ahead dropped; Enter on an empty line asks
// again without a word.
//
// Warnings and notes that leave the exit status alone go to `errors` too:
// elsewhere, an order or an entry whose text runs on into more text; a typed line that
// answers more than its prompt asked, input left after the report, an
// inverse that cannot be trusted, and a refused matrix that has an inverse
// after all. A write on `errors` that fails, of such a line, an error or the
// trace, makes the status 1; the dialogue goes on as before.
//
// Not reentrant: a run's buffers live in static storage, so that the
// program runs on a small stack.
int run_dialogue(Source& in, Sink& out, Sink& errors, const DialogueOptions& options = {});

}  // namespace matinv
