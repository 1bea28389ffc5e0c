#pragma once

#include "exact/exact_inversion.h"
#include "exact/rational.h"
#include "io/output_buffer.h"

namespace matinv {

// Writes the entered matrix [A], its inverse [B], their product [A][B]
// (exactly the identity) and det[A], every number an integer or p/q in
// lowest terms followed by a tab. Reads the matrices only.
void write_exact_report(OutputBuffer& out, const ExactMatrices& m, const Rational& determinant);

}  // namespace matinv
