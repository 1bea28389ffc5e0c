#include <unistd.h>

#include "dialogue/byte_streams.h"
#include "dialogue/driver.h"

// Command-line arguments are ignored.
int main() {
    matinv::FdSource in(0);
    matinv::FdSink out(1, isatty(1) == 1);
    matinv::FdSink errors(2, isatty(2) == 1);
    return matinv::run_dialogue(in, out, errors);
}
