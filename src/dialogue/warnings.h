#pragma once

#include "dialogue/diagnostics.h"
#include "dialogue/input_reader.h"
#include "inversion/working_matrices.h"

// Lines on the error stream that leave standard output and the exit status
// as they are: what a careful user wants to know about a reading or a result
// that the dialogue itself takes without a word.
namespace matinv {

// "2.0" as an order is 2 followed by ".0": the reading stands, but the user
// most likely meant something else.
void warn_if_order_runs_on(Diagnostics& diagnostics, InputReader& reader, int order);

// "7-1" as entries is 7 followed by -1: told as the order's run-on is, with
// the place of the entry and the value it was read as.
void warn_that_entry_runs_on(Diagnostics& diagnostics, InputReader& reader, const Wanted& wanted,
                             double value);

// At a terminal, after the last number a prompt asked for: when the typed
// line goes on with another number, which the next prompt will not show is
// already taken, the read it goes to.
void note_if_more_numbers_typed(Diagnostics& diagnostics, InputReader& reader, const Wanted& after,
                                const Wanted& next);

// After the report of a matrix of `order`: one line when the input goes on
// with more than white space, as far as can be known without waiting.
void note_if_input_left(Diagnostics& diagnostics, InputReader& reader, int order);

// After a report: one line when [B] holds inf or nan, or when the matrix is
// singular to working precision (rcond below 2^-52); then one line for each
// of [A] and [B] that holds entries printed as 0.0000000000 that are not
// zero and not round-off. The warning comes first, as the graver word, and
// the notes follow in the order of the report's blocks.
void tell_of_report(Diagnostics& diagnostics, const WorkingMatrices& m);

// After a refusal: one line when the matrix does have an inverse and was
// refused only because some rows hold small entries.
void note_if_refused_for_row_size(Diagnostics& diagnostics, const WorkingMatrices& m);

}  // namespace matinv
