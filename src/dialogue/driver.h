#pragma once

#include "dialogue/byte_streams.h"

namespace matinv {

// Runs attempts until one matrix is inverted and reported: asks for the
// order and the entries, inverts, and on a matrix without an inverse says so
// and asks again. Returns the exit status: 0 after the report; 1 when the
// input ends or holds something other than a number before that, when the
// order is above what the matrices hold, or when the output cannot be
// written. Those faults are described on `errors`, never on `out`.
//
// Warnings and notes that leave the exit status alone go to `errors` too:
// an order whose text runs on into more text, an inverse that cannot be
// trusted, and a refused matrix that has an inverse after all.
struct DialogueOptions {
    bool steps = false;  // trace every inversion on `errors`
};

int run_dialogue(Source& in, Sink& out, Sink& errors, const DialogueOptions& options = {});

}  // namespace matinv
