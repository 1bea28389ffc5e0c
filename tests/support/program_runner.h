#pragma once

#include <string>
#include <vector>

namespace matinv::testing {

struct ProgramRun {
    std::string out;
    std::string errors;
    int status = -1;  // the exit status, or -1 if the program did not exit
};

// What the program meets besides its input text.
struct Surroundings {
    bool full_output = false;                 // standard output is /dev/full: every write fails
    const char* input_path = nullptr;         // standard input is this file instead of the text
    bool input_closed = false;                // there is no standard input at all
    int stack_kib = 0;                        // a stack limit, as `ulimit -s` sets it; 0 for none
    std::vector<std::string> arguments = {};  // the command line after the program's name
};

// Why `surroundings` cannot be arranged on this system; nullptr if they can.
const char* unavailable_here(const Surroundings& surroundings);

// Runs the built program with `input` as its standard input, to the end.
ProgramRun run_matinv(const std::string& input, const Surroundings& surroundings = {});

}  // namespace matinv::testing
