#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

#include "support/prompts.h"
#include "support/slurp.h"
#include "support/terminal_conversation.h"

namespace {

using matinv::testing::Conversation;
using matinv::testing::Exchange;
using matinv::testing::hold_conversation;
using matinv::testing::kFractionWord;
using matinv::testing::kNoInverse;
using matinv::testing::kOrder;
using matinv::testing::kSession;
using matinv::testing::row_prompt;
using matinv::testing::row_prompts;
using matinv::testing::slurp;

// Where a conversation is held: at a pseudo-terminal, which echoes answers
// and shows both streams, or through pipes.
enum class Over { terminal, pipes, non_blocking_pipes, pipes_with_errors };

// A conversation with the program: each prompt must show before its answer
// is sent, and the run must end with `status`.
struct ConversationCase {
    Over over;
    std::vector<Exchange> session;
    int status;
    const char* option = nullptr;
    unsigned short columns = 0;
};

void PrintTo(const ConversationCase& c, std::ostream* os) {
    *os << ::testing::PrintToString(c.session[0].answer);
}

// At a terminal, a typo is said and asked again, the rest of a paste dropped
// and earlier rows kept; a line after Enter follows the echo, one after a
// prompt or Ctrl-D starts anew. A number that runs on is a typo there, and
// Enter on an empty line asks again, but not an empty line inside a paste.
// Through pipes, text that cannot start a number is refused as soon as it
// arrives, although the pipe stays open and no blank has followed it.
std::vector<ConversationCase> conversations() {
    const std::string unread = "\", which is not read: the report ends the run\n";
    const std::string inverse = "[B]=\n0.6000000000\t-0.7000000000\t\n-0.2000000000\t0.4";
    // Row 1 of the 2x2 example, then 2 and `typed` for row 2, said as
    // `found`: row 2 is asked again and the report is the example's.
    const auto typo_in_row_2 = [&inverse](const std::string& typed, const std::string& found,
                                          const std::string& report = {}) {
        return std::vector<Exchange>{{kOrder, "2\n"},
                                     {row_prompt(2, 1), "4 7\n"},
                                     {row_prompt(2, 2), "2 " + typed + "\n"},
                                     {"line 3, column 3: expected a number for entry a22 (row 2, "
                                      "column 2), but found " +
                                          found + "\n" + row_prompt(2, 2),
                                      "2 6\n"},
                                     {report.empty() ? inverse : report, ""}};
    };
    const auto typo_in_order = [](const std::string& typed, const std::string& found) {
        return std::vector<Exchange>{{kOrder, typed + "\n"},
                                     {"line 1, column 1: expected the order, a whole "
                                      "number, but found " +
                                          found + "\n" + kOrder,
                                      "1\n"},
                                     {row_prompt(1, 1), "2\n"},
                                     {"[B]=\n0.5000000000\t\n", ""}};
    };
    std::vector<ConversationCase> cases = {
        {Over::terminal, kSession, 0},  // the prompts show
        {Over::pipes, kSession, 0},
        {Over::non_blocking_pipes, kSession, 0},
        {Over::pipes_with_errors,
         {{kOrder, "1\n"},
          {row_prompt(1, 1), "x"},
          {"matinv: line 2, column 1: expected a number for entry a11 (row 1, column 1)"
           ", but found \"x\"\n",
           ""}},
         1},
        // Ctrl-D echoes nothing: the line break before the message is its own.
        {Over::terminal,
         {{kOrder, "\x04"},
          {"\nmatinv: line 1, column 1: input ended while reading the order\n", ""}},
         1},
        // The steps fit the terminal's width: at 40 columns, two numbers a line.
        {Over::terminal,
         {{kOrder, "2 4 7 2 6\n"},
          {row_prompt(2, 2) + "\n\n--- steps for matrix 1", ""},  // set apart on the screen
          {"row\nColumns 1 and 2:\n4.0000000000\t7.0000000000\t\n", ""}},
         0,
         "--steps",
         40},
        {Over::terminal,
         {{kOrder, "3\n"},
          {row_prompt(3, 1), "1 2 3\n"},
          {row_prompt(3, 2), "4 x 6\n7 8 9\n"},
          {"line 3, column 3: expected a number for entry a22 (row 2, column 2), "
           "but "
           "found \"x\"\n" +
               row_prompt(3, 2),
           "4 5 7\n"},
          {row_prompt(3, 3), "7 8 10\n"},
          {"\n[A]=\n1.0000000000\t2.0000000000\t3.0000000000\t\n4.0000000000\t5.0", ""}},
         0},
        {Over::terminal,
         {{kOrder, "11\n"},
          {"11\nmatinv: line 1, column 1: order \"11\"", ""},
          {"above the limit of 10\n" + kOrder, "1 2\n5\n"},
          {"1 2\n5\nmatinv: note: \"2\" after the order is taken as a11\n" + row_prompt(1, 1), ""},
          {"matinv: note: line 3, column 1: the input goes on with \"5" + unread, ""}},
         0},
        {Over::terminal,
         {{kOrder, "1\n"},
          {row_prompt(1, 1), "0 2\n"},
          {"0 2\n" + kNoInverse +
               "matinv: note: \"2\" after a11 is taken as the "
               "order of matrix 2\n" +
               kOrder,
           ""},
          {row_prompt(2, 1), "1 0 0 1\n"},
          {"[A][B]=", ""}},
         0},
        {Over::terminal,
         {{kOrder, "2 x\n"},
          {"2 x\n" + row_prompt(2, 1) + "\nmatinv: line 1, column 3: ", ""},
          {"but found \"x\"\n" + row_prompt(2, 1), "\x04"},
          {"\nmatinv: line 2, column 1: input ended while reading entry a11", ""}},
         1},
        {Over::pipes_with_errors,
         {{kOrder, "1 3 9\n"}, {"note: line 1, column 5: the input goes on with \"9" + unread, ""}},
         0},
        {Over::terminal, typo_in_row_2("7-1", "\"7-1\", which would be read as 7 and then \"-1\""),
         0},
        {Over::terminal,
         typo_in_row_2("1,5",
                       "\"1,5\", which would be read as 1 and then \",5\"; a comma is "
                       "neither a decimal point nor a separator here"),
         0},
        {Over::terminal,
         typo_in_row_2("3..5", "\"3..5\", which would be read as 3 and then \".5\""), 0},
        {Over::terminal,
         typo_in_row_2("1e3.5", "\"1e3.5\", which would be read as 1000 and then \".5\""), 0},
        {Over::terminal,
         typo_in_row_2("1/2", "\"1/2\", which would be read as 1 and then \"/2\"" + kFractionWord),
         0},
        {Over::terminal, typo_in_row_2("6x", "\"6x\", which would be read as 6 and then \"x\""), 0},
        {Over::terminal,
         typo_in_row_2("5\x1b[D",
                       "\"5\\x1b[D\", which would be read as 5 and then \"\\x1b[D\"; "
                       "\\x1b[D is the left arrow key"),
         0},
        {Over::terminal, typo_in_order("2.5", "\"2.5\", which would be read as 2 and then \".5\""),
         0},
        {Over::terminal, typo_in_order("2x", "\"2x\", which would be read as 2 and then \"x\""), 0},
        // A row split over lines asks for the rest of it.
        {Over::terminal,
         {{kOrder, "3\n"},
          {row_prompt(3, 1), "1\n"},
          {"1\nINPUT a12 a13: ", "2\n"},
          {"2\nINPUT a13: ", "3\n"},
          {"3\n" + row_prompt(3, 2), "4 5 7\n7 8 10\n"},
          {"\n[A]=\n1.0000000000\t2.0000000000\t3.0000000000\t\n4.0000000000\t5.0", ""}},
         0},
        // The input ends right after a matrix without inverse: status 3.
        {Over::terminal,
         {{kOrder, "1\n"},
          {row_prompt(1, 1), "0\n"},
          {kNoInverse + kOrder, "\n"},
          {kOrder, "\x04"},
          {"\nmatinv: line 4, column 1: input ended while reading the order of matrix 2\n", ""}},
         3},
        // Enter alone, at the order and in the middle of a row, where the
        // note shows that the program waits for a12: the prompt again.
        {Over::terminal,
         {{kOrder, "\n"},
          {kOrder, "2 4\n"},
          {"taken as a11\n" + row_prompt(2, 1), "\n"},
          {row_prompt(2, 1), "4 7 2 6\n"},
          {inverse, ""}},
         0},
        // The terminal echoes a paste as it arrives, above the prompts that
        // it answers: each of them ends its line.
        {Over::terminal,
         {{kOrder, "2\n\n4 7\n\n2 6\n"},
          {"2 6\n" + row_prompt(2, 1) + "\n" + row_prompt(2, 2) + "\n\n[A]=", ""}},
         0},
        {Over::terminal,
         {{kOrder, "\xff\xfe\x32\n"},  // 2 after the byte order mark of UTF-16
          {"matinv: standard input is UTF-16 text, which matinv does not read; save the text "
           "as "
           "UTF-8\n",
           ""}},
         1},
#if MATINV_EXACT_ARITHMETIC
        {Over::terminal,
         {{kOrder, "2\n"},
          {row_prompt(2, 1), "1/0 2\n"},
          {"line 2, column 1: \"1/0\" for entry a11 (row 1, column 1) has the "
           "denominator 0\n" +
               row_prompt(2, 1),
           "1 1e-150\n"},
          {"line 3, column 3: \"1e-150\" for entry a12 (row 1, column 2) cannot be "
           "held exactly: its denominator has more than 150 digits; --exact takes at most 150 "
           "digits above the fraction bar and 150 below, in lowest terms\n" +
               row_prompt(2, 1),
           "1 2\n"},
          {row_prompt(2, 2), "3 4\n"},
          {"\n[A]=\n1\t2\t\n3\t4\t\n\n[B]=\n-2\t1\t\n3/2\t-1/2\t\n", ""}},
         0,
         "--exact"},
#endif
    };
#if MATINV_EXACT_ARITHMETIC  // --exact names the rational a number running on is read as
    const char* const exact_run_ons[][3] = {
        {"3x", "3", "\"x\""},
        {"7-1", "7", "\"-1\""},
        {"2/3x", "2/3", "\"x\""},
        {"1.5x", "3/2", "\"x\""},
        {"-4x", "-4", "\"x\""},
        {"9/2-1", "9/2", "\"-1\""},
        {"1,5", "1", "\",5\"; a comma is neither a decimal point nor a separator here"}};
    for (const auto& [typed, read_as, then] : exact_run_ons) {
        const std::string found = std::string("\"") + typed + "\", which would be read as " +
                                  read_as + " and then " + then;
        cases.push_back({Over::terminal,
                         typo_in_row_2(typed, found, "[B]=\n3/5\t-7/10\t\n-1/5\t2/5\t\n"), 0,
                         "--exact"});
    }
#endif
    return cases;
}

class Conversations : public ::testing::TestWithParam<ConversationCase> {};

TEST_P(Conversations, AreHeldAsWritten) {
    const ConversationCase& c = GetParam();
    Conversation program;
    ASSERT_TRUE(c.over == Over::terminal
                    ? program.start_on_terminal(c.option, c.columns)
                    : program.start_on_pipes(c.over == Over::non_blocking_pipes,
                                             c.over == Over::pipes_with_errors));
    hold_conversation(program, c.session, c.status);
}

INSTANTIATE_TEST_SUITE_P(Interactive, Conversations, ::testing::ValuesIn(conversations()));

// A paste that is still arriving while its rest is dropped after a typo:
// the dropping ends once the paste does, and the question is asked again.
TEST(Interactive, DroppingAPasteEndsWhileItIsStillArriving) {
    Conversation program;
    ASSERT_TRUE(program.start_on_terminal());
    ASSERT_TRUE(program.expect(kOrder));
    program.answer("1\n");
    ASSERT_TRUE(program.expect(row_prompt(1, 1)));
    program.answer("x\n");
    // A line every 10 ms for a second: well within the quiet time that ends a paste.
    std::thread paste([&program] {
        for (int line = 0; line < 100; ++line) {
            program.answer("7 8 9\n");
            usleep(10'000);
        }
    });
    const bool asked_again = program.expect("found \"x\"\n") && program.expect(row_prompt(1, 1));
    paste.join();
    ASSERT_TRUE(asked_again) << "the program still drops input a while after the paste ended";
    program.answer("2\n");
    EXPECT_TRUE(program.expect("\n[B]=\n0.5000000000\t\n"));
    EXPECT_EQ(program.exit_status(), 0);
}

// Runs `script` in a shell whose last command execs the program (as "$0"),
// with standard output a pipe the caller reads and standard error a file.
pid_t spawn_script(const char* script, int& from_program, int errors_fd, bool non_blocking,
                   bool ignore_sigpipe) {
    int out[2];
    if (pipe(out) != 0) {
        return -1;
    }
    if (non_blocking) {
        fcntl(out[1], F_SETFL, O_NONBLOCK);
    }
    const pid_t pid = fork();
    if (pid == 0) {
        setpgid(0, 0);  // a group of its own, so that a hung pipeline can be ended whole
        if (ignore_sigpipe) {
            signal(SIGPIPE, SIG_IGN);  // kept across exec, as supervisors run programs
        }
        dup2(out[1], 1);
        dup2(errors_fd, 2);
        close(out[0]);
        close(out[1]);
        execl("/bin/sh", "sh", "-c", script, MATINV_BINARY, static_cast<char*>(nullptr));
        _exit(127);
    }
    setpgid(pid, pid);
    close(out[1]);
    from_program = out[0];
    return pid;
}

// Output far larger than the pipe, into a pipe left non-blocking and read
// only after a while: every byte arrives, in order.
TEST(Pipes, NonBlockingOutputArrivesWhole) {
    const std::string attempt = kOrder + row_prompts(2) + kNoInverse;
    const std::string report = kOrder + row_prompts(1) +
                               "\n[A]=\n2.0000000000\t\n"
                               "\n[B]=\n0.5000000000\t\n\n[A][B]=\n1.0000000000\t\n";
    FILE* errors = std::tmpfile();
    int from_program = -1;
    const pid_t pid = spawn_script("{ yes '2 1 2 2 4' | head -n 5000; echo 1 2; } | exec \"$0\"",
                                   from_program, fileno(errors), true, false);
    ASSERT_GT(pid, 0);
    usleep(200'000);  // the program fills the pipe and finds it full
    const std::string out = slurp(fdopen(from_program, "r"));
    int status = 0;
    waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    std::string expected;
    for (int i = 0; i < 5000; ++i) {
        expected += attempt;
    }
    EXPECT_TRUE(out == expected + report) << "the output differs; " << out.size() << " bytes";
    EXPECT_EQ(slurp(errors), "");
}

// With SIGPIPE ignored, as many supervisors run programs, an endless stream
// whose reader stops after 100 bytes: the program must notice the failed
// write and stop, not read and invert forever.
TEST(Pipes, EndsWhenTheReaderGoesAwayWithSigpipeIgnored) {
    FILE* errors = std::tmpfile();
    ASSERT_TRUE(errors != nullptr);
    int from_program = -1;
    const pid_t pid = spawn_script("yes '2 1 2 2 4' 2>/dev/null | exec \"$0\"", from_program,
                                   fileno(errors), false, true);
    ASSERT_GT(pid, 0);
    std::string head;
    char chunk[100];
    while (head.size() < 100) {
        const ssize_t got = read(from_program, chunk, 100 - head.size());
        ASSERT_GT(got, 0);
        head.append(chunk, static_cast<std::size_t>(got));
    }
    close(from_program);
    // Ending takes one failed write; a second is a thousandfold margin.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(1);
    int status = 0;
    pid_t ended = 0;
    while ((ended = waitpid(pid, &status, WNOHANG)) == 0 &&
           std::chrono::steady_clock::now() < deadline) {
        usleep(1000);
    }
    if (ended == 0) {
        kill(-pid, SIGKILL);
        waitpid(pid, &status, 0);
        FAIL() << "still running a second after its reader went away";
    }
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1);
    EXPECT_EQ(slurp(errors), "matinv: standard output could not be written: Broken pipe\n");
}

}  // namespace
