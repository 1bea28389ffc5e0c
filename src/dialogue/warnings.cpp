#include "dialogue/warnings.h"

#include <algorithm>
#include <cmath>
#include <span>

#include "dialogue/messages.h"
#include "dialogue/typed_entries.h"
#include "inversion/exact_invertibility.h"
#include "inversion/inverse_trust.h"
#include "inversion/row_rescaling.h"
#include "numbers/number_text.h"

#if MATINV_EXACT_ARITHMETIC
#include "exact/digits_kept.h"
#endif

namespace matinv {

namespace {

// Whether x is not zero and still prints as zero, by the very writer that
// prints the report; below 1e-10 it prints 0.0000000001 at most.
bool prints_as_zero(double x) {
    if (x == 0.0 || !(std::fabs(x) < 1e-10)) {
        return false;
    }
    char text[kLongestFixed10];
    char* const end = write_fixed10(text, x);
    return std::none_of(text, end, [](char c) { return c >= '1' && c <= '9'; });
}

// The first entry, row by row, of the n x n block of `m` that starts at
// `first_column`, prints as zero and is at least `least` in magnitude.
void note_first_hidden(Diagnostics& diagnostics, Block block, const Matrix& m, int n,
                       int first_column, double least) {
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) {
            const double x = m[i][first_column + j];
            if (prints_as_zero(x) && std::fabs(x) >= least) {
                diagnostics.tell(digits_hidden(block, i, j, x));
                return;
            }
        }
    }
}

// An entry of [B] that is 0 in the exact inverse comes out as round-off: a
// few units of 2^-52 of the largest entries, more as the matrix nears
// singularity; b12 of the matrix 0 5 3 / -5 2 -2 / 5 -5 -3 comes out as
// -1.2e-17 beside entries near 0.3. Half the digits of a double, 2^-26 of
// the largest magnitude, stands far above that for every matrix whose
// condition number is below about 10^6, and an entry printed as zero can
// reach it only when all of [B] is below 5e-11 * 2^26, about 3e-3. An exact
// entry below it is taken for round-off too: at that size the two cannot be
// told apart.
constexpr double kBeyondRoundOff = 0x1p-26;

double largest_magnitude(const Matrix& m, int n, int first_column) {
    double largest = 0.0;
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) {
            largest = std::max(largest, std::fabs(m[i][first_column + j]));
        }
    }
    return largest;
}

// The word on [B] as a whole, if any; returns whether [B] is trusted. Below
// an rcond of 1e-8, where the rule of thumb no longer promises the digits
// that matter, [B] is measured against the exact inverse of the entries as
// typed where the build has exact arithmetic: the measure, not the bound,
// then says how far to trust it. Above it the measure would cost the
// stream of well-conditioned matrices its time for a note never written.
bool tell_of_inverse(Diagnostics& diagnostics, const WorkingMatrices& m,
                     [[maybe_unused]] const TypedEntries& typed) {
    const InverseTrust trust = judge_inverse(one_norm(m.a0, m.n, 0), m.a, m.n);
#if MATINV_EXACT_ARITHMETIC
    if (trust.finite && trust.rcond < kFewDigitsBelow) {
        const MeasuredDigits measured = measure_digits_kept(typed, m);
        if (measured.verdict != MeasuredDigits::Verdict::unmeasured) {
            if (!measured.trusted()) {
                diagnostics.tell(untrusted_by_measure(measured, trust.rcond));
                return false;
            }
            if (measured.digits < kEnoughDigits) {
                diagnostics.tell(digits_measured(measured, trust.rcond));
            }
            return true;
        }
    }
#endif
    if (!trust.trusted()) {
        diagnostics.tell(untrusted_inverse(trust));
        return false;
    }
    if (const int lost = digits_possibly_lost(trust); lost > 0) {
        diagnostics.tell(few_digits_bound(lost, trust.rcond));
    }
    return true;
}

}  // namespace

void tell_of_report(Diagnostics& diagnostics, const WorkingMatrices& m, const TypedEntries& typed) {
    const bool trusted = tell_of_inverse(diagnostics, m, typed);
    // Each entry of [A] was typed: none is round-off. [A][B] has round-off
    // where the identity has its zeros, and [B], when it cannot be trusted,
    // is round-off throughout: neither gets a note.
    note_first_hidden(diagnostics, Block::entered, m.a0, m.n, 0, 0.0);
    if (trusted) {
        note_first_hidden(diagnostics, Block::inverse, m.a, m.n, m.n,
                          kBeyondRoundOff * largest_magnitude(m.a, m.n, m.n));
    }
}

// The rows of small entries are the ones that the absolute singularity
// threshold holds against the matrix; the rescaling check finds them. That
// answer is the more useful one, as it says what to change.
void note_if_refused_yet_invertible(Diagnostics& diagnostics, const WorkingMatrices& m) {
    const SmallRows small = small_rows_to_blame(m.a0, m.n);
    if (small.count > 0) {
        diagnostics.tell(refused_for_small_rows(
            std::span<const int>(small.rows, static_cast<std::size_t>(small.count))));
    } else if (invertible_as_entered(m.a0, m.n)) {
        diagnostics.tell(refused_yet_invertible());
    }
}

}  // namespace matinv
