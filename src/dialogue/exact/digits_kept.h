#pragma once

#include <memory>

#include "exact/exact_inversion.h"
#include "inversion/inverse_trust.h"
#include "inversion/working_matrices.h"
#include "numbers/decimal_parts.h"

// How many significant digits an inverse worked out in doubles keeps of the
// exact inverse of the entries as they were typed. The doubles read from
// the decimals differ from them in their 17th digit or so, and for an
// ill-conditioned matrix that alone moves the inverse by far more than the
// elimination's own rounding: the measure takes both into account, as a
// user who typed 0.1 means 1/10.
namespace matinv {

// The entries of one matrix as typed, each as the exact rational it
// denotes, and their exact inverse. It allocates, so it is made only for a
// matrix whose inverse needs the measure.
class TypedMatrix {
public:
    explicit TypedMatrix(int n);

    // Entry (i, j): the decimal as typed, or, when it was too long to keep
    // (typed == nullptr) or is beyond the exact limit, the double `read`,
    // which is exact as it stands. False when that double is not finite:
    // there is then nothing exact to measure against.
    bool take(int i, int j, const DecimalParts* typed, double read);

    // [B], in columns n to 2n-1 of `a`, against the exact inverse: the
    // largest error over all entries, relative to the largest entry of the
    // exact inverse, max |B - X| / max |X|, in significant digits,
    // floor(-log10) of it, from 0 to 16. [B] must be finite.
    MeasuredDigits measure(const Matrix& a);

private:
    std::unique_ptr<ExactMatrices> m_;
    bool some_as_read_ = false;
};

// The measure of [B] against the exact inverse of the entries as `typed`
// holds them (typed.typed_entry(i, j) is the decimal of entry (i, j), or
// nullptr when a0's double stands for it); unmeasured when an entry of a0
// is not finite.
template <class TypedEntries>
MeasuredDigits measure_digits_kept(const TypedEntries& typed, const WorkingMatrices& m) {
    TypedMatrix exact(m.n);
    for (int i = 0; i < m.n; ++i) {
        for (int j = 0; j < m.n; ++j) {
            if (!exact.take(i, j, typed.typed_entry(i, j), m.a0[i][j])) {
                return {};
            }
        }
    }
    return exact.measure(m.a);
}

}  // namespace matinv
