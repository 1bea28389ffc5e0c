#pragma once

#include <string>
#include <vector>

namespace matinv::testing {

struct ProgramRun {
    std::string out;
    std::string errors;
    int status = -1;  // the exit status, or -1 if the program did not exit
};

// Runs the built program with `arguments` and with `input` as its standard
// input, to the end. With `full_output`, standard output is /dev/full, where
// every write fails.
ProgramRun run_matinv(const std::string& input, const std::vector<std::string>& arguments = {},
                      bool full_output = false);

}  // namespace matinv::testing
