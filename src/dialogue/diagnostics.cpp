#include "dialogue/diagnostics.h"

namespace matinv {

// Where both streams show on the same terminal and the output stopped
// mid-line, as after a prompt that no typed line has ended, the line starts
// on a new one.
void Diagnostics::write(const MessageLine& line) {
    const bool new_line_first = pending_.flush() && pending_.is_terminal() &&
                                errors_.is_terminal() && !pending_.at_line_start();
    const std::string_view text = new_line_first ? line.on_a_new_line() : line.text();
    said_anything_ = true;
    // A failure stays in errors_, where exit_status() finds it.
    errors_.write_all(text.data(), text.size());
}

void Diagnostics::tell(const MessageLine& line) { write(line); }

void Diagnostics::fail(const MessageLine& line, int status) {
    status_ = status;
    write(line);
}

// Any write on the error stream, the trace's included, that failed makes
// the status 1 too.
int Diagnostics::exit_status() const { return errors_.error() != 0 ? 1 : status_; }

}  // namespace matinv
