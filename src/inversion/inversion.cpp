#include "inversion/inversion.h"

#include <cfloat>

#include "inversion/elimination.h"

// Every operation of the elimination must be rounded to double on its own: printed digits
// and, for borderline matrices, the verdict depend on it. The build passes
// -ffp-contract=off; this guards against a target that evaluates in a wider
// format.
static_assert(FLT_EVAL_METHOD == 0, "double expressions must be evaluated in double");

namespace matinv {
namespace {

struct Unobserved final : InversionObserver {};

}  // namespace

Outcome invert(Matrix& a, int n) {
    Unobserved nobody;
    return elimination::run_steps(a, n, nobody);
}

Outcome invert(Matrix& a, int n, InversionObserver& observer) {
    return elimination::run_steps(a, n, observer);
}

}  // namespace matinv
