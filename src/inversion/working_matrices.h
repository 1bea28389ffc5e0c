#pragma once

#include <type_traits>

// The matrices one attempt works on. They live for the whole run and are
// reused by every attempt, so nothing is allocated while inverting.
namespace matinv {

inline constexpr int kMaxOrder = 10;
inline constexpr int kColumns = 2 * kMaxOrder;  // the augmented form of order 10

template <class Number>
using BasicMatrix = Number[kMaxOrder][kColumns];
// BasicMatrix<double>, spelt out: cppcheck sees through no alias template.
using Matrix = double[kMaxOrder][kColumns];
static_assert(std::is_same_v<Matrix, BasicMatrix<double>>);

struct WorkingMatrices {
    Matrix a{};   // the entered matrix beside the identity, reduced in place
    Matrix a0{};  // the matrix exactly as entered
    int n = 0;    // the order, as read
};

// Sets all 200 entries of both matrices to 0, not only the block that the
// previous attempt used; n is left to be overwritten by the next read.
void clear(WorkingMatrices& m);

// Writes one entered value into both matrices at once; inline, as it is
// done for every entry read.
inline void store_entry(WorkingMatrices& m, int i, int j, double x) {
    m.a[i][j] = x;
    m.a0[i][j] = x;
}

// Puts row i's 1 into the identity half of a.
void seed_identity(WorkingMatrices& m, int i);

}  // namespace matinv
