#pragma once

#include "exact/rational.h"
#include "inversion/inversion.h"
#include "inversion/inversion_observer.h"
#include "inversion/working_matrices.h"

namespace matinv {

using RationalMatrix = BasicMatrix<Rational>;
using ExactObserver = BasicInversionObserver<Rational>;

// The working matrices of an attempt in exact arithmetic, shaped as the
// double ones; 800 rationals, so they are made once per run, on the heap.
struct ExactMatrices {
    RationalMatrix a;   // the entered matrix beside the identity, reduced in place
    RationalMatrix a0;  // the matrix exactly as entered
    int n = 0;          // the order, as read
};

void clear(ExactMatrices& m);
void store_entry(ExactMatrices& m, int i, int j, const Rational& x);
void seed_identity(ExactMatrices& m, int i);

// The elimination of the double inversion, step for step, in exact
// arithmetic; it fails only when a diagonal entry is exactly 0 after the
// forward phase, that is when the matrix has no inverse. On success the
// determinant of the entered matrix is left in determinant, worked out from
// the elimination's own steps; on failure it is 0.
Outcome invert_exactly(RationalMatrix& a, int n, Rational& determinant);
Outcome invert_exactly(RationalMatrix& a, int n, Rational& determinant, ExactObserver& observer);

}  // namespace matinv
