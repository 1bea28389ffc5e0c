#include <gtest/gtest.h>
#include <termios.h>

#include <cstring>
#include <string>
#include <vector>

#include "support/prompts.h"
#include "support/terminal_conversation.h"

namespace {

using matinv::testing::Conversation;
using matinv::testing::Exchange;
using matinv::testing::hold_conversation;
using matinv::testing::kOrder;
using matinv::testing::row_prompt;

const std::string kRow1 = row_prompt(2, 1);
const std::string kRow2 = row_prompt(2, 2);
const std::string kOnly = row_prompt(1, 1);
const std::string kMinus = "'−' is U+2212 MINUS SIGN: type '-' instead\n";
// The keys as a terminal sends them.
const std::string kLeft = "\x1b[D", kUp = "\x1b[A", kHome = "\x1b[H", kEnd = "\x1b[F";
const std::string kDelete = "\x1b[3~", kBackspace = "\x7f";

// A terminal where the editor is used, in the locale given.
const std::vector<std::string> kEditing = {"TERM=xterm", "LC_ALL", "LC_CTYPE", "LANG"};

std::vector<std::string> editing_in(const char* lang) {
    std::vector<std::string> environment = kEditing;
    environment.back() = lang;
    return environment;
}

void converse_at_the_editor(const std::vector<Exchange>& session, int status,
                            const std::vector<std::string>& environment = kEditing) {
    Conversation program;
    ASSERT_TRUE(program.start_on_terminal(nullptr, 80, environment));
    program.drop_carriage_returns();
    hold_conversation(program, session, status);
}

// Each row typed with the editing keys must reach the reader as the line
// shows it when Enter is pressed: the first row becomes 4 7, the second 2 6.
TEST(LineEditor, EditsTheLineBeforeItIsRead) {
    const std::string report = "\n[A]=\n4.0000000000\t7.0000000000\t\n2.0000000000\t6.0";
    const struct {
        const char* keys;
        std::string row1, row2;
    } cases[] = {
        {"left, backspace", "2 7" + kLeft + kLeft + kBackspace + "4\n",
         "2 56" + kLeft + kBackspace + "\n"},
        {"home, end, delete", "x 7" + kHome + kDelete + "4" + kEnd + "\n",
         "2 6 8" + kLeft + kLeft + kDelete + kDelete + "\n"},
        {"Ctrl-A, Ctrl-E, Ctrl-K",
         "7\x01"
         "4 \x05\n",
         "2 6 3\x01\x06\x06\x06\x0b\n"},
        {"Ctrl-U, Ctrl-W",
         "1 1\x15"
         "4 7\n",
         "2 1 1\x17\x17"
         "6\n"},
        {"Ctrl-D within a line, and at its end", "44 7" + kHome + "\x04\n", "2 6\x04\n"},
        {"up recalls a line, edited", "4 7\n",
         kUp + kBackspace + kBackspace + kBackspace + "2 6\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.keys);
        converse_at_the_editor({{kOrder, "2\n"}, {kRow1, c.row1}, {kRow2, c.row2}, {report, ""}},
                               0);
    }
}

// What is typed reaches the reader byte for byte whatever the locale, a
// paste is read as pasted, and the prompts show as without the editor.
TEST(LineEditor, ReadsWhatWasTypedAsTyped) {
    const std::string report = "\n[A]=\n4.0000000000\t7.0000000000\t\n";
    const struct {
        const char* name;
        std::vector<std::string> environment;
        std::vector<Exchange> session;
        int status;
    } cases[] = {
        {"U+2212 with LANG unset",
         kEditing,
         {{kOrder, "1\n"},
          {kOnly, "−1\n"},
          {"found \"−1\"; " + kMinus + kOnly, "1\n"},
          {"\n[A]=\n1.0", ""}},
         0},
        {"U+2212 with C.UTF-8",
         editing_in("LANG=C.UTF-8"),
         {{kOrder, "1\n"}, {kOnly, "−1\n"}, {"found \"−1\"; " + kMinus + kOnly, "\x04"}},
         1},
        {"a byte that is no UTF-8",
         kEditing,
         {{kOrder, "1\n"}, {kOnly, "\xff\n"}, {"found \"\\xff\"\n" + kOnly, "\x04"}},
         1},
        {"a paste of the whole session",
         kEditing,
         {{kOrder, "2\n4\n7\n2 6\n"},
          {"2\n" + kRow1 + "4\nINPUT a12: 7\n" + kRow2 + "2 6\n" + report, ""}},
         0},
        // Drawn by the editor, the prompt for the rest of a row stays on
        // a redraw (Ctrl-L).
        {"a row split over lines",
         kEditing,
         {{kOrder, "2\n"},
          {kRow1, "4\n"},
          {"4\nINPUT a12: ", "7\x0c"},
          {"INPUT a12: 7", "\n"},
          {kRow2, "2 6\n"},
          {report, ""}},
         0},
        // Beyond U+3FFFF, where every bit of the first byte counts.
        {"a character of four bytes",
         kEditing,
         {{kOrder, "1\n"},
          {kOnly, "\xf3\xa0\x84\x80\n"},
          {"found \"\\xf3\\xa0\\x84\\x80\"; \\xf3\\xa0\\x84\\x80 is U+E0100, which does not "
           "print\n" +
               kOnly,
           "\x04"}},
         1},
        {"a typo in a paste drops the rest",
         kEditing,
         {{kOrder, "2\n4 x\n2 6\n"},
          {"but found \"x\"\n" + kRow1, "4 7\n"},
          {kRow2, "2 6\n"},
          {report, ""}},
         0},
        {"several rows on one line",
         kEditing,
         {{kOrder, "2\n"}, {kRow1, "4 7 2 6\n"}, {"4 7 2 6\n", ""}, {kRow2, ""}, {report, ""}},
         0},
        {"Ctrl-D on an empty line ends the input",
         kEditing,
         {{kOrder, "2\n"}, {kRow1, "\x04"}, {"\nmatinv: line 2, column 1: input ended", ""}},
         1},
        {"Ctrl-D typed ahead ends the input after the prompt shows",
         kEditing,
         {{kOrder, "2\n\x04"}, {"2\n" + kRow1 + "\nmatinv: line 2, column 1: input ended", ""}},
         1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        converse_at_the_editor(c.session, c.status, c.environment);
    }
}

// Ctrl-C while a line is being edited ends the run and leaves the terminal
// with the settings it had before, not the editor's.
TEST(LineEditor, CtrlCLeavesTheTerminalAsItWas) {
    Conversation program;
    ASSERT_TRUE(program.start_on_terminal(nullptr, 80, kEditing));
    const struct termios before = program.initial_settings();
    ASSERT_TRUE(program.expect(kOrder));
    program.answer("2 5\x03");
    EXPECT_EQ(program.exit_status(), -1);
    const struct termios after = program.settings();
    EXPECT_EQ(before.c_iflag, after.c_iflag);
    EXPECT_EQ(before.c_oflag, after.c_oflag);
    EXPECT_EQ(before.c_lflag, after.c_lflag);
    EXPECT_EQ(before.c_cflag, after.c_cflag);
    EXPECT_EQ(0, std::memcmp(before.c_cc, after.c_cc, sizeof before.c_cc));
}

}  // namespace
