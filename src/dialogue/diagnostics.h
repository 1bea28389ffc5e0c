#pragma once

#include "dialogue/messages.h"
#include "io/byte_streams.h"
#include "io/output_buffer.h"

namespace matinv {

// The error stream of one run, and the exit status that the run earns.
// Each line is written in one piece after all pending output, so that it
// follows the prompt it answers.
//
// A write that fails on the error stream makes the status 1 even when the
// run otherwise succeeds: a trace or a line that was asked for and lost
// must not pass for a success. Nothing can say so: the error stream writes
// nothing after a failure, and standard output carries only the program's
// own texts.
class Diagnostics {
public:
    // `pending` is the output that every line must follow.
    Diagnostics(Sink& errors, OutputBuffer& pending) : errors_(errors), pending_(pending) {}
    Diagnostics(const Diagnostics&) = delete;
    Diagnostics& operator=(const Diagnostics&) = delete;

    // A warning or a note, or an error in what a person typed at a terminal,
    // whose question is asked again: the status stays as it is, so that a
    // run that recovers and reports ends with 0.
    void tell(const MessageLine& line);
    // An error that ends the run with `status`: 1, or 3 for an input that
    // ended right after a matrix without inverse.
    void fail(const MessageLine& line, int status = 1);
    // Whether any line has been written.
    bool said_anything() const { return said_anything_; }

    // 0 when the run did what it was asked and wrote everything it meant to.
    int exit_status() const;

private:
    void write(const MessageLine& line);

    Sink& errors_;
    OutputBuffer& pending_;
    int status_ = 0;
    bool said_anything_ = false;
};

}  // namespace matinv
