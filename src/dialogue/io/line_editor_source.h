#pragma once

#include <locale.h>

#include <cstddef>
#include <string>
#include <string_view>

#include "io/byte_streams.h"
#include "io/posix_streams.h"

struct editline;
struct historyW;

// Standard input at a terminal, read a line at a time through libedit: the
// line is edited with the usual keys, earlier lines of the run are recalled
// with the arrow keys, and the pending prompt is the editor's to draw, so
// that a redraw keeps it. Nothing is kept after the run.
//
// Every byte typed reaches the reader as typed, whatever the locale: bytes
// are read here, not by libedit, valid UTF-8 handed to it as characters and
// any other byte as a character of its own that stands for it (U+DC80 to
// U+DCFF, which no UTF-8 text holds). The environment's locale is used only
// to show the line.
namespace matinv {

class LineEditorSource final : public Source {
public:
    // Whether lines typed at a terminal and shown on `out` can be edited:
    // `out` is a terminal too, and one whose cursor can be moved (TERM is
    // set, not dumb).
    static bool suits(int out);

    LineEditorSource(int in, int out);
    ~LineEditorSource() override;
    LineEditorSource(const LineEditorSource&) = delete;
    LineEditorSource& operator=(const LineEditorSource&) = delete;

    // Whether libedit could be set up; if not, the input is to be read
    // without it.
    bool ready() const { return editor_ != nullptr; }

    bool is_terminal() const override { return true; }
    long read_ready(char* buffer, std::size_t capacity) override;
    void drop_queued_input() override;
    bool draws_prompt(std::string_view unfinished_line) override;
    bool echoes_when_read() const override { return true; }

private:
    long read_once(char* buffer, std::size_t capacity, int& error) override;
    // Edits one line into line_; false once the input has ended or failed.
    bool edit_line();
    long hand_out(char* buffer, std::size_t capacity);
    // For libedit: the next character typed, as described above; 1 with it,
    // 0 at the end of the input, -1 when a read fails.
    static int next_character(editline* editor, wchar_t* character);
    static wchar_t* prompt_of(editline* editor);
    bool read_byte(unsigned char& byte);

    int in_;
    FdSource terminal_;
    editline* editor_ = nullptr;
    historyW* history_ = nullptr;
    locale_t display_locale_ = nullptr;
    std::wstring prompt_;
    std::string line_;  // the edited line and its line break
    std::size_t handed_out_ = 0;
    std::string unread_bytes_;  // read past the end of a character
    bool ended_ = false;
    int read_error_ = 0;
};

}  // namespace matinv
