#pragma once

namespace matinv {

// The width in columns that the trace of --steps fits: that of the terminal
// on the error stream, else the COLUMNS variable's, else 80, as programs
// that lay text out for a terminal take it; 0, no limit, when the error
// stream is not a terminal, so that a trace kept in a file or read through
// a pipe is the same on every terminal. `terminal_columns` is 0 where the
// terminal does not tell its size; `columns_variable` is COLUMNS's value,
// or null when it is not set.
int trace_width(bool terminal, int terminal_columns, const char* columns_variable);

}  // namespace matinv
