#include <unistd.h>

#include "io/byte_streams.h"
#include "dialogue/command_line.h"

// Options start with '-' (see --help); other arguments are ignored.
int main(int argc, char** argv) {
    matinv::FdSource in(0);
    matinv::FdSink out(1, isatty(1) == 1);
    matinv::FdSink errors(2, isatty(2) == 1);
    return matinv::run_command_line(argc, argv, in, out, errors);
}
