#pragma once

#include <string_view>

#include "io/output_buffer.h"

namespace matinv {

// Writes `text`, whole lines, with each line longer than `width` columns
// broken at its last blank that fits, so that the terminal never wraps it
// mid-word; the rest goes on below, two columns further in than the
// line's own indent. A word wider than the line is left whole.
void write_wrapped(OutputBuffer& out, std::string_view text, int width);

}  // namespace matinv
