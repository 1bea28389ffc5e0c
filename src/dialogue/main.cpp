#include "dialogue/byte_streams.h"
#include "dialogue/driver.h"

// Command-line arguments are ignored.
int main() {
    matinv::FdSource in(0);
    matinv::FdSink out(1);
    matinv::FdSink errors(2);
    return matinv::run_dialogue(in, out, errors);
}
