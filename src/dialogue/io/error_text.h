#pragma once

#include <cerrno>
#include <cstring>

namespace matinv {

// The system's words for why a read or a write failed, as the program says
// them on Linux. musl, the C library of the WebAssembly build, words a few
// of those that a stream can meet its own way ("I/O error").
inline const char* error_text(int error) {
#ifdef __EMSCRIPTEN__
    switch (error) {
        case EIO:
            return "Input/output error";
        case ENOMEM:
            return "Cannot allocate memory";
        case EDQUOT:
            return "Disk quota exceeded";
        default:
            break;
    }
#endif
    return std::strerror(error);
}

}  // namespace matinv
