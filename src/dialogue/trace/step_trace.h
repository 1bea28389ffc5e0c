#pragma once

#include <cstdint>

#include "inversion/inversion.h"
#include "inversion/inversion_observer.h"
#include "io/output_buffer.h"

namespace matinv {

// Writes each step of one inversion as it is taken, for a reader following
// the elimination by hand: the augmented matrix after the seeding, the row
// scaling, each column of the forward and the backward phase and the final
// division, each number as the report writes it (ten decimals, or exact
// fractions), and between them what was done, with rows and columns counted
// from 1 as the prompts count them. Made for double and, in a build with
// exact arithmetic, for Rational.
template <class Number>
class BasicStepTrace final : public BasicInversionObserver<Number> {
public:
    using Value = typename BasicInversionObserver<Number>::Value;
    using Augmented = typename BasicInversionObserver<Number>::Augmented;

    // `out` is a buffer of its own in front of the error stream; `columns`
    // is the width of the terminal that it shows on, or 0 for no limit. A
    // blank line sets the trace apart from what is above it, unless it
    // `opens_stream`: a file would then begin with an empty line.
    BasicStepTrace(OutputBuffer& out, std::uint64_t attempt, int columns,
                   bool opens_stream = false);
    BasicStepTrace(const BasicStepTrace&) = delete;
    BasicStepTrace& operator=(const BasicStepTrace&) = delete;

    // Writes what is still buffered; false once any write has failed.
    bool finish();

    void seeded(const Augmented& a, int n) override;
    void row_scaled(int i, Value s) override;
    void scaling_done(const Augmented& a, int n) override;
    void column_started(Phase phase, int j) override;
    void rows_exchanged(int upper) override;
    void row_replaced(int r, int p, Value ratio) override;
    void row_kept(int r, int j) override;
    void column_done(const Augmented& a, int n) override;
    void singularity_tested(int smallest_row, Value smallest, bool singular) override;
    void row_divided_by_diagonal(int i, Value d) override;
    void final_division_done(const Augmented& a, int n) override;

private:
    template <class... Parts>
    void say(const Parts&... parts);
    void put_matrix(const Augmented& a, int n);
    void note_missing_exchange();

    OutputBuffer& out_;
    std::uint64_t attempt_;
    int columns_;
    bool opens_stream_;
    bool exchange_pending_ = false;  // a forward column has had no exchange yet
};

using StepTrace = BasicStepTrace<double>;

}  // namespace matinv
