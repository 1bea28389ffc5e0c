#pragma once

#include "inversion/inversion_observer.h"
#include "inversion/working_matrices.h"

// The steps of the inversion, in the order invert() runs them. They are
// visible on their own so that each intermediate matrix can be checked. An
// observer, when given, is told of each step as it is taken.
namespace matinv::step {

// Divides each row by its scale divisor.
void scale_rows(Matrix& a, int n, InversionObserver* observer = nullptr);
// Brings the pivot of column j into row j by one bottom-up pass of exchanges.
void bubble_pivot(Matrix& a, int n, int j, InversionObserver* observer = nullptr);
// Clears column j below row j.
void eliminate_below(Matrix& a, int n, int j, InversionObserver* observer = nullptr);
// Bubbling and elimination for every column but the last.
void forward_phase(Matrix& a, int n, InversionObserver* observer = nullptr);
// Whether a diagonal entry lies below the singularity threshold.
bool has_small_diagonal(const Matrix& a, int n);
// Clears every column above the diagonal, from the last column leftward.
void backward_phase(Matrix& a, int n, InversionObserver* observer = nullptr);
// Divides each row by its diagonal entry.
void normalise(Matrix& a, int n, InversionObserver* observer = nullptr);

}  // namespace matinv::step
