#include "dialogue/command_line.h"
#include "io/standard_streams.h"

// Options start with '-' (see --help); other arguments are ignored.
int main(int argc, char** argv) {
    return matinv::run_command_line(argc, argv, matinv::standard_input(), matinv::standard_output(),
                                    matinv::standard_error());
}
