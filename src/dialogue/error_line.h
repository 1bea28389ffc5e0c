#pragma once

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "io/byte_streams.h"
#include "dialogue/input_reader.h"
#include "io/output_buffer.h"

namespace matinv {

// One line on the error stream, starting "matinv: ", gathered in a small
// buffer of its own and written in one piece after all pending output, so
// that it follows the prompt it answers. When both streams show on the same
// terminal and the output stopped mid-line, as after a prompt, the line
// starts on a new one. Without pending output, as before the dialogue
// starts, the line is simply written.
class ErrorLine {
public:
    explicit ErrorLine(OutputBuffer& out) : ErrorLine() { out_ = &out; }
    ErrorLine() { *this << "matinv: "; }
    ErrorLine(const ErrorLine&) = delete;
    ErrorLine& operator=(const ErrorLine&) = delete;

    ErrorLine& operator<<(std::string_view text) {
        const std::size_t part = std::min(text.size(), kCapacity - used_);
        std::memcpy(text_ + used_, text.data(), part);
        used_ += part;
        return *this;
    }
    ErrorLine& operator<<(std::uint64_t number) {
        char digits[24];
        const auto result = std::to_chars(digits, digits + sizeof digits, number);
        return *this << std::string_view(digits, static_cast<std::size_t>(result.ptr - digits));
    }
    ErrorLine& operator<<(int number) { return *this << static_cast<std::uint64_t>(number); }
    ErrorLine& operator<<(InputPlace place) {
        return *this << "line " << place.line << ", column " << place.column << ": ";
    }

    // Writes the line: for warnings and notes, which leave the exit status
    // alone.
    void write(Sink& errors) {
        const bool new_line_first = out_ != nullptr && out_->flush() && out_->is_terminal() &&
                                    errors.is_terminal() && !out_->at_line_start();
        text_[used_++] = '\n';
        const std::size_t skip = new_line_first ? 0 : 1;
        errors.write_all(text_ + skip, used_ - skip);
    }
    // Writes the line of an error, which ends the run with status 1.
    int end(Sink& errors) {
        write(errors);
        return 1;
    }

private:
    // Room for the longest message: its words, a quoted text of at most 132
    // bytes, the place and a system error's description.
    static constexpr std::size_t kCapacity = 510;
    OutputBuffer* out_ = nullptr;
    char text_[kCapacity + 2] = {'\n'};  // a new line first, when one is needed
    std::size_t used_ = 1;
};

}  // namespace matinv
