#pragma once

#include <cstdio>
#include <string>

namespace matinv::testing {

// Everything in `file` from its start (or, for a pipe, all that is left),
// read to the end; the file is closed.
inline std::string slurp(std::FILE* file) {
    std::string text;
    std::rewind(file);
    char chunk[4096];
    std::size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) {
        text.append(chunk, got);
    }
    std::fclose(file);
    return text;
}

}  // namespace matinv::testing
