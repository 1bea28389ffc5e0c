#pragma once

#include <cstdint>
#include <type_traits>

#include "inversion/working_matrices.h"

namespace matinv {

// Doubles are handed to the observer by value, larger numbers by reference.
template <class Number>
using ObservedValue = std::conditional_t<std::is_floating_point_v<Number>, Number, const Number&>;

// The elimination's two sweeps: downward to a triangle, then upward.
enum class Phase : std::uint8_t { forward, backward };

// Told of every step of one inversion as the inversion takes it, so that the
// steps can be shown from the very run that computes the result; a member
// not overridden ignores its step. Rows and columns count from 0; a matrix
// handed over is the whole augmented matrix then, n rows of 2n entries.
template <class Number>
class BasicInversionObserver {
public:
    using Value = ObservedValue<Number>;
    using Augmented = BasicMatrix<Number>;

    virtual ~BasicInversionObserver() = default;

    // The entered matrix beside the identity, before any step.
    virtual void seeded(const Augmented& /*a*/, int /*n*/) {}
    // Row i was divided by its scale divisor s.
    virtual void row_scaled(int /*i*/, Value /*s*/) {}
    virtual void scaling_done(const Augmented& /*a*/, int /*n*/) {}
    // A column of either phase begins; its pivot is the diagonal entry of
    // column j.
    virtual void column_started(Phase /*phase*/, int /*j*/) {}
    // Rows upper and upper + 1 were exchanged while bubbling the pivot up.
    virtual void rows_exchanged(int /*upper*/) {}
    // Row r became row p minus ratio times row r.
    virtual void row_replaced(int /*r*/, int /*p*/, Value /*ratio*/) {}
    // Row r was left alone: its entry in column j is exactly 0.
    virtual void row_kept(int /*r*/, int /*j*/) {}
    virtual void column_done(const Augmented& /*a*/, int /*n*/) {}
    // The diagonal was tested for singularity: smallest is its smallest
    // magnitude, the uppermost of equal ones, in smallest_row; a
    // not-a-number one only when all are, and then in the last row.
    virtual void singularity_tested(int /*smallest_row*/, Value /*smallest*/, bool /*singular*/) {}
    // Row i was divided by its diagonal entry d in the final division.
    virtual void row_divided_by_diagonal(int /*i*/, Value /*d*/) {}
    virtual void final_division_done(const Augmented& /*a*/, int /*n*/) {}
};

using InversionObserver = BasicInversionObserver<double>;

}  // namespace matinv
