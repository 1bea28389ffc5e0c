#pragma once

#include "exact/exact_inversion.h"
#include "exact/rational.h"
#include "inversion/inversion.h"

// The exact inverse without fractions along the way. Each row of the
// matrix is multiplied by the lcm of its denominators, which leaves a
// matrix of integers M = D A (D diagonal); a fraction-free Gauss-Jordan
// elimination of [M | I] with Bareiss's exact divisions turns it into
// [d I | adj], where d is the determinant of M with its rows as exchanged.
// Every intermediate is then a minor of M, so nothing grows beyond what the
// answer needs and no gcd is taken along the way; [B] = adj D / d is
// reduced to lowest terms once per entry at the end.
//
// The inverse of a matrix does not depend on the path that reaches it, so
// this gives the same [B] and determinant as invert_exactly, whose
// elimination runs step for step in rationals, in a fraction of the time.
namespace matinv {

// Inverts the order-n matrix held in the first n columns of a0 (only those
// are read; a0 is not changed). On success a holds the identity in its
// first n columns and the inverse in the next n, every entry in lowest
// terms, and determinant holds the determinant of a0: what invert_exactly
// leaves. On failure, for a singular matrix, the determinant is 0 and a is
// left as it was. An order of 0 or less succeeds with determinant 1 and
// leaves a alone. a may be a0 itself: a0 is read in full before a is
// written. Needs no more than GMP's own allocations.
Outcome invert_without_fractions(const RationalMatrix& a0, int n, RationalMatrix& a,
                                 Rational& determinant);

}  // namespace matinv
