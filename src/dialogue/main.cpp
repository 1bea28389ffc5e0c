#include <unistd.h>

#include <cstdlib>

#include "io/byte_streams.h"
#include "dialogue/command_line.h"
#include "trace/trace_width.h"

#if __has_include(<sys/ioctl.h>)
#include <sys/ioctl.h>
#endif

// Options start with '-' (see --help); other arguments are ignored.
int main(int argc, char** argv) {
    matinv::FdSource in(0);
    matinv::FdSink out(1, isatty(1) == 1);
    matinv::FdSink errors(2, isatty(2) == 1);
    int columns = 0;  // of the terminal on standard error, where it tells them
#ifdef TIOCGWINSZ
    struct winsize size {};
    columns = ioctl(2, TIOCGWINSZ, &size) == 0 ? size.ws_col : 0;
#endif
    const int trace_columns =
        matinv::trace_width(errors.is_terminal(), columns, std::getenv("COLUMNS"));
    return matinv::run_command_line(argc, argv, in, out, errors, trace_columns);
}
