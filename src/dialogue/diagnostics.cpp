#include "dialogue/diagnostics.h"

namespace matinv {

void Diagnostics::write(const MessageLine& line) {
    bool new_line_first = false;
    if (pending_ != nullptr) {
        const bool output_written = pending_->flush();
        // Where both streams show on the same terminal and the output
        // stopped mid-line, as after a prompt that no typed line has ended,
        // the line starts on a new one.
        new_line_first = output_written && pending_->is_terminal() && errors_.is_terminal() &&
                         !pending_->at_line_start();
    }
    const std::string_view text = new_line_first ? line.on_a_new_line() : line.text();
    // A failure stays in errors_, where exit_status() finds it.
    errors_.write_all(text.data(), text.size());
}

void Diagnostics::tell(const MessageLine& line) { write(line); }

void Diagnostics::fail(const MessageLine& line) {
    ending_ = Ending::failed;
    write(line);
}

void Diagnostics::refuse_usage(const MessageLine& line) {
    ending_ = Ending::refused_usage;
    write(line);
}

int Diagnostics::exit_status() const {
    switch (ending_) {
        case Ending::refused_usage:
            return 2;
        case Ending::failed:
            return 1;
        case Ending::ran:
            break;
    }
    // Any write on the error stream, the trace's included, that failed.
    return errors_.error() != 0 ? 1 : 0;
}

}  // namespace matinv
