#include <cstdlib>

#include "dialogue/command_line.h"
#include "io/standard_streams.h"
#include "trace/trace_layout.h"

// Options start with '-' (see --help); other arguments are not read.
int main(int argc, char** argv) {
    matinv::Sink& errors = matinv::standard_error();
    const int trace_columns = matinv::trace_width(
        errors.is_terminal(), matinv::standard_error_columns(), std::getenv("COLUMNS"));
    const int status = matinv::run_command_line(argc, argv, matinv::standard_input(),
                                                matinv::standard_output(), errors, trace_columns);
#ifdef __EMSCRIPTEN__
    // Compiled to WebAssembly, main has been unwound and resumed at each
    // read, and what it returns then goes nowhere: exit() hands the status
    // to the host.
    std::exit(status);
#else
    return status;
#endif
}
