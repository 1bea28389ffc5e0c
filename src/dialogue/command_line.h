#pragma once

#include "io/byte_streams.h"

namespace matinv {

// Runs the program for its command line. Options start with '-': --exact
// (refused with status 2 by a build without exact arithmetic), --steps,
// -h or --help, and --version; any other is unknown. Arguments that do not
// start with '-' are not read: before the dialogue, each gets a warning.
// Options are taken in order, so the first of --help, --version or an
// unknown option decides: the usage or the version on `out` with status 0,
// one line on `errors` with status 2 for an unknown option, and otherwise
// the dialogue. `trace_columns` is the width that the trace of --steps
// fits (see trace_layout.h).
int run_command_line(int argc, const char* const* argv, Source& in, Sink& out, Sink& errors,
                     int trace_columns = 0);

}  // namespace matinv
