#include "io/line_editor_source.h"

#include <histedit.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "io/utf8.h"

namespace matinv {
namespace {

// Lines of this run that ↑ recalls; none is written anywhere.
constexpr int kHistoryLines = 500;
// Stands for the byte b that is no part of a UTF-8 character.
constexpr wchar_t kByteMark = 0xdc00;

bool is_continuation(unsigned char byte) { return (byte & 0xc0) == 0x80; }

// The character that starts bytes[0..size), and in `used` how many bytes it
// takes: a UTF-8 character, or else the first byte on its own.
wchar_t decode(const unsigned char* bytes, std::size_t size, std::size_t& used) {
    const Utf8Character c = first_character({reinterpret_cast<const char*>(bytes), size});
    const bool whole = c.length > 0 && !c.cut;
    used = whole ? c.length : 1;
    return whole ? static_cast<wchar_t>(c.code_point) : kByteMark | bytes[0];
}

// The bytes that `character` came from.
void encode(wchar_t character, std::string& out) {
    const auto code = static_cast<char32_t>(character);
    if (code < 0x80 || (code >= (kByteMark | 0x80) && code <= (kByteMark | 0xff))) {
        out += static_cast<char>(code & 0xff);
    } else if (code < 0x800) {
        out += static_cast<char>(0xc0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3f));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xe0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3f));
        out += static_cast<char>(0x80 | (code & 0x3f));
    } else {
        out += static_cast<char>(0xf0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3f));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3f));
        out += static_cast<char>(0x80 | (code & 0x3f));
    }
}

// The terminal's settings as the run found them, for the handler of the
// signals that end it, which may only make async-signal-safe calls.
int g_terminal = -1;
struct termios g_found_settings;

extern "C" void restore_settings_and_end(int signal_number) {
    ::tcsetattr(g_terminal, TCSADRAIN, &g_found_settings);
    ::signal(signal_number, SIG_DFL);
    ::raise(signal_number);
}

// Whatever libedit leaves between lines and on a signal, the terminal is
// given back with the settings it had: libedit forces a few of its own
// (output post-processing, for one), which the user never asked for.
void keep_settings_on_signals(int terminal) {
    if (::tcgetattr(terminal, &g_found_settings) != 0) {
        return;
    }
    g_terminal = terminal;
    for (const int signal_number : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) {
        struct sigaction action {};
        ::sigaction(signal_number, nullptr, &action);
        if (action.sa_handler == SIG_DFL) {  // an ignored signal stays ignored
            action.sa_handler = restore_settings_and_end;
            ::sigaction(signal_number, &action, nullptr);
        }
    }
}

void restore_found_settings() {
    if (g_terminal >= 0) {
        ::tcsetattr(g_terminal, TCSADRAIN, &g_found_settings);
    }
}

LineEditorSource& source_of(EditLine* editor) {
    void* source = nullptr;
    el_get(editor, EL_CLIENTDATA, &source);
    return *static_cast<LineEditorSource*>(source);
}

// Ctrl-D: on an empty line it ends the input and leaves no mark on the
// screen, as the terminal's own line editing does (libedit would show
// "^D"); elsewhere it deletes the character under the cursor.
unsigned char end_or_delete(EditLine* editor, int /*key*/) {
    const LineInfoW* line = el_wline(editor);
    if (line->lastchar == line->buffer) {
        return CC_EOF;
    }
    if (line->cursor == line->lastchar) {
        return CC_ERROR;
    }
    el_cursor(editor, 1);
    el_deletestr(editor, 1);
    return CC_REFRESH;
}

}  // namespace

bool LineEditorSource::suits(int out) {
    if (::isatty(out) != 1) {
        return false;
    }
    const char* terminal = std::getenv("TERM");
    return terminal != nullptr && *terminal != '\0' && std::strcmp(terminal, "dumb") != 0;
}

LineEditorSource::LineEditorSource(int in, int out) : in_(in), terminal_(in) {
    // libedit writes through stdio; the program's own output goes straight
    // to the descriptor, and is flushed before each line is edited.
    FILE* const screen = out == STDOUT_FILENO ? stdout : ::fdopen(out, "w");
    // Before libedit sets up, which already changes them.
    keep_settings_on_signals(in);
    editor_ = el_init("matinv", stdin, screen, stderr);
    if (editor_ == nullptr) {
        return;
    }
    history_ = history_winit();
    HistEventW event;
    history_w(history_, &event, H_SETSIZE, kHistoryLines);
    history_w(history_, &event, H_SETUNIQUE, 1);
    el_wset(editor_, EL_CLIENTDATA, this);
    el_wset(editor_, EL_EDITOR, L"emacs");
    // libedit's handlers leave its own settings for the time between lines
    // and pass the signal on, to the handler that restores the settings the
    // terminal was found with.
    el_wset(editor_, EL_SIGNAL, 1);
    el_wset(editor_, EL_HIST, history_w, history_);
    el_wset(editor_, EL_PROMPT, &LineEditorSource::prompt_of);
    el_wset(editor_, EL_GETCFN, &LineEditorSource::next_character);
    // As shells have them: Ctrl-W and Ctrl-U delete back to the start of
    // the word and of the line.
    el_wset(editor_, EL_BIND, L"^W", L"ed-delete-prev-word", nullptr);
    el_wset(editor_, EL_BIND, L"^U", L"vi-kill-line-prev", nullptr);
    // Home, End and Delete as xterm, the Linux console, tmux and rxvt send
    // them, whatever the terminal description says.
    for (const wchar_t* home : {L"\\e[H", L"\\eOH", L"\\e[1~", L"\\e[7~"}) {
        el_wset(editor_, EL_BIND, home, L"ed-move-to-beg", nullptr);
    }
    for (const wchar_t* end : {L"\\e[F", L"\\eOF", L"\\e[4~", L"\\e[8~"}) {
        el_wset(editor_, EL_BIND, end, L"ed-move-to-end", nullptr);
    }
    el_wset(editor_, EL_BIND, L"\\e[3~", L"ed-delete-next-char", nullptr);
    el_wset(editor_, EL_ADDFN, L"matinv-end-or-delete", L"End the input or delete a character",
            &end_or_delete);
    el_wset(editor_, EL_BIND, L"^D", L"matinv-end-or-delete", nullptr);
    display_locale_ = ::newlocale(LC_CTYPE_MASK, "", nullptr);
}

LineEditorSource::~LineEditorSource() {
    if (editor_ != nullptr) {
        el_end(editor_);
        history_wend(history_);
        restore_found_settings();
    }
    if (display_locale_ != nullptr) {
        ::freelocale(display_locale_);
    }
}

// Once the input has ended no line is edited, so the prompt is left to the
// output: it still shows before the message that the input ended.
bool LineEditorSource::draws_prompt(std::string_view unfinished_line) {
    if (ended_) {
        return false;
    }
    prompt_.clear();
    const auto* bytes = reinterpret_cast<const unsigned char*>(unfinished_line.data());
    for (std::size_t at = 0, used = 0; at < unfinished_line.size(); at += used) {
        prompt_ += decode(bytes + at, unfinished_line.size() - at, used);
    }
    return true;
}

long LineEditorSource::read_once(char* buffer, std::size_t capacity, int& error) {
    error = 0;
    if (handed_out_ == line_.size() && !edit_line()) {
        error = read_error_;
        return read_error_ != 0 ? -1 : 0;
    }
    return hand_out(buffer, capacity);
}

// The rest of the line edited last, or a line typed ahead, which the
// terminal holds whole: poll(2) does not report a line being typed. It is
// edited, and so shown, after the prompt that the output last offered.
long LineEditorSource::read_ready(char* buffer, std::size_t capacity) {
    if (handed_out_ < line_.size()) {
        return hand_out(buffer, capacity);
    }
    if (ended_) {
        return 0;
    }
    struct pollfd waiting = {in_, POLLIN, 0};
    if (unread_bytes_.empty() && (::poll(&waiting, 1, 0) != 1 || (waiting.revents & POLLIN) == 0)) {
        return -1;
    }
    if (edit_line()) {
        return hand_out(buffer, capacity);
    }
    return read_error_ == 0 ? 0 : -1;
}

void LineEditorSource::drop_queued_input() {
    handed_out_ = line_.size();
    unread_bytes_.clear();
    terminal_.drop_queued_input();
}

long LineEditorSource::hand_out(char* buffer, std::size_t capacity) {
    const std::size_t part = std::min(capacity, line_.size() - handed_out_);
    std::memcpy(buffer, line_.data() + handed_out_, part);
    handed_out_ += part;
    return static_cast<long>(part);
}

bool LineEditorSource::edit_line() {
    if (ended_) {
        return false;
    }
    const locale_t shown_as = display_locale_ != nullptr ? ::uselocale(display_locale_) : nullptr;
    // libedit would draw the prompt first and only then take the terminal
    // out of line mode, before its first read: a key typed as the prompt
    // shows would meet the terminal's own line editing, be echoed twice,
    // and Ctrl-D would reach the editor as a NUL byte instead of ending
    // the input. The terminal is handed over before anything is drawn.
    el_wset(editor_, EL_PREP_TERM, 1);
    int count = 0;
    const wchar_t* edited = el_wgets(editor_, &count);
    restore_found_settings();
    if (shown_as != nullptr) {
        ::uselocale(shown_as);
    }
    prompt_.clear();
    line_.clear();
    handed_out_ = 0;
    if (edited == nullptr || count <= 0) {
        ended_ = true;
        return false;
    }
    std::wstring_view text(edited, static_cast<std::size_t>(count));
    // The line as typed, without the line break, is what ↑ recalls.
    if (text.ends_with(L'\n')) {
        text.remove_suffix(1);
    }
    if (!text.empty()) {
        HistEventW event;
        history_w(history_, &event, H_ENTER, std::wstring(text).c_str());
    }
    for (const wchar_t character : text) {
        encode(character, line_);
    }
    line_ += '\n';
    return true;
}

bool LineEditorSource::read_byte(unsigned char& byte) {
    if (!unread_bytes_.empty()) {
        byte = static_cast<unsigned char>(unread_bytes_.front());
        unread_bytes_.erase(0, 1);
        return true;
    }
    for (;;) {
        const ssize_t got = ::read(in_, &byte, 1);
        if (got == 1) {
            return true;
        }
        if (got == 0) {
            return false;
        }
        if (errno == EAGAIN || errno == EWOULDBLOCK) {
            struct pollfd readable = {in_, POLLIN, 0};
            ::poll(&readable, 1, -1);
        } else if (errno != EINTR) {
            read_error_ = errno;
            return false;
        }
    }
}

int LineEditorSource::next_character(EditLine* editor, wchar_t* character) {
    LineEditorSource& source = source_of(editor);
    unsigned char bytes[4];
    if (!source.read_byte(bytes[0])) {
        return source.read_error_ != 0 ? -1 : 0;
    }
    // The bytes of one character arrive together: read on while they
    // continue it.
    std::size_t size = 1;
    if (const std::size_t length = utf8_length(bytes[0]); length > 1) {
        while (size < length && source.read_byte(bytes[size])) {
            if (!is_continuation(bytes[size])) {
                source.unread_bytes_.insert(0, 1, static_cast<char>(bytes[size]));
                break;
            }
            ++size;
        }
    }
    std::size_t used = 0;
    *character = decode(bytes, size, used);
    source.unread_bytes_.insert(0, reinterpret_cast<const char*>(bytes + used), size - used);
    return 1;
}

wchar_t* LineEditorSource::prompt_of(EditLine* editor) { return source_of(editor).prompt_.data(); }

}  // namespace matinv
