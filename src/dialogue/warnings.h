#pragma once

#include "dialogue/diagnostics.h"
#include "inversion/working_matrices.h"

// Lines on the error stream that leave standard output and the exit status
// as they are: what a careful user wants to know about a result that the
// dialogue itself takes without a word.
namespace matinv {

struct TypedEntries;

// After a report: one line on [B] as a whole, then one line for each of [A]
// and [B] that holds entries printed as 0.0000000000 that are not zero and
// not round-off, in the order of the report's blocks. The line on [B]: a
// warning when it holds inf or nan; else, for an ill-conditioned matrix
// (rcond below 1e-8) in a build with exact arithmetic, the significant
// digits it keeps of the exact inverse of the entries as `typed` holds
// them, in a note, or a warning when it keeps none or that matrix has no
// inverse; else, without the measure, a warning when the matrix is
// singular to working precision (rcond below 2^-52), or a note bounding
// the digits it may have lost.
void tell_of_report(Diagnostics& diagnostics, const WorkingMatrices& m, const TypedEntries& typed);

// After a refusal: one line when the matrix does have an inverse, saying
// that it was refused only because some rows hold small entries when so,
// or else that it is too close to singular for the threshold. An exactly
// singular matrix gets no line.
void note_if_refused_yet_invertible(Diagnostics& diagnostics, const WorkingMatrices& m);

}  // namespace matinv
