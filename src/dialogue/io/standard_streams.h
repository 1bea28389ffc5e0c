#pragma once

#include "io/byte_streams.h"

// The program's own standard input, output and error. Each system has its
// implementation, which the build picks: posix_streams.cpp,
// windows_streams.cpp or emscripten_streams.cpp. All pass the bytes
// through untouched, so that the output is the same on every system, byte
// for byte, with LF line ends.
namespace matinv {

Source& standard_input();
// is_terminal() is true where a user reads the stream at a terminal or a
// console, and false for a file, a pipe or a device such as NUL.
Sink& standard_output();
Sink& standard_error();

// The width in columns of the terminal or console that standard error shows
// on, or 0 where it has none or does not tell.
int standard_error_columns();

}  // namespace matinv
