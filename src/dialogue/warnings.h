#pragma once

#include "dialogue/diagnostics.h"
#include "inversion/working_matrices.h"

// Lines on the error stream that leave standard output and the exit status
// as they are: what a careful user wants to know about a result that the
// dialogue itself takes without a word.
namespace matinv {

// After a report: one line when [B] holds inf or nan, or when the matrix is
// singular to working precision (rcond below 2^-52), or else when [B] keeps
// few significant digits; then one line for each of [A] and [B] that holds
// entries printed as 0.0000000000 that are not zero and not round-off. The
// word on [B] as a whole comes first, and the notes on entries follow in
// the order of the report's blocks.
void tell_of_report(Diagnostics& diagnostics, const WorkingMatrices& m);

// After a refusal: one line when the matrix does have an inverse, saying
// that it was refused only because some rows hold small entries when so,
// or else that it is too close to singular for the threshold. An exactly
// singular matrix gets no line.
void note_if_refused_yet_invertible(Diagnostics& diagnostics, const WorkingMatrices& m);

}  // namespace matinv
