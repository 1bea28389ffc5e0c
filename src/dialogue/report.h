#pragma once

#include "inversion/working_matrices.h"
#include "io/output_buffer.h"

namespace matinv {

// Writes the entered matrix [A], its inverse [B] and their product [A][B],
// every number with ten decimals and a tab. Reads the matrices only.
void write_report(OutputBuffer& out, const WorkingMatrices& m);

}  // namespace matinv
