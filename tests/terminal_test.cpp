#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "support/prompts.h"
#include "support/slurp.h"

namespace {

using matinv::testing::kNoInverse;
using matinv::testing::kOrder;
using matinv::testing::row_prompt;
using matinv::testing::row_prompts;
using matinv::testing::slurp;

// How long a prompt may take to show. A prompt that is written but held
// back in a buffer never shows, since the program then waits for an answer
// that is only sent once the prompt has arrived.
constexpr auto kPromptTimeout = std::chrono::seconds(10);

// The program at the other end of a terminal or of two pipes: answers are
// written only after the prompt they answer has been read.
class Conversation {
public:
    ~Conversation() {
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
    }

    bool start_on_terminal(const char* option = nullptr, unsigned short columns = 0) {
        struct termios settings {};
        cfmakeraw(&settings);
        settings.c_lflag |= ICANON | ECHO;  // a terminal as a user has it
        settings.c_cc[VEOF] = '\x04';       // Ctrl-D ends the input
        struct winsize size = {24, columns, 0, 0};
        pid_ = forkpty(&to_program_, nullptr, &settings, &size);
        if (pid_ == 0) {
            execl(MATINV_BINARY, MATINV_BINARY, option, static_cast<char*>(nullptr));
            _exit(127);
        }
        from_program_ = to_program_;
        return pid_ > 0;
    }

    // With `non_blocking`, the program's ends of both pipes are left in
    // O_NONBLOCK, as a crashed program may leave a shared terminal or pipe;
    // with `errors_too`, standard error goes to the same pipe as the output.
    bool start_on_pipes(bool non_blocking = false, bool errors_too = false) {
        int in[2];
        int out[2];
        if (pipe(in) != 0 || pipe(out) != 0) {
            return false;
        }
        if (non_blocking) {
            fcntl(in[0], F_SETFL, O_NONBLOCK);
            fcntl(out[1], F_SETFL, O_NONBLOCK);
        }
        pid_ = fork();
        if (pid_ == 0) {
            dup2(in[0], 0);
            dup2(out[1], 1);
            if (errors_too) {
                dup2(out[1], 2);
            }
            close(in[0]);
            close(in[1]);
            close(out[0]);
            close(out[1]);
            execl(MATINV_BINARY, MATINV_BINARY, static_cast<char*>(nullptr));
            _exit(127);
        }
        close(in[0]);
        close(out[1]);
        to_program_ = in[1];
        from_program_ = out[0];
        return pid_ > 0;
    }

    // Reads until `text` has arrived past what earlier calls consumed.
    ::testing::AssertionResult expect(const std::string& text) {
        const auto deadline = std::chrono::steady_clock::now() + kPromptTimeout;
        for (;;) {
            const std::size_t at = seen_.find(text, consumed_);
            if (at != std::string::npos) {
                consumed_ = at + text.size();
                return ::testing::AssertionSuccess();
            }
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                deadline - std::chrono::steady_clock::now());
            struct pollfd ready = {from_program_, POLLIN, 0};
            if (left.count() <= 0 || poll(&ready, 1, static_cast<int>(left.count())) <= 0) {
                return ::testing::AssertionFailure()
                       << "\"" << text << "\" did not show; the program showed \""
                       << seen_.substr(consumed_) << "\"";
            }
            char chunk[4096];
            const ssize_t got = read(from_program_, chunk, sizeof chunk);
            if (got <= 0) {
                return ::testing::AssertionFailure()
                       << "output ended before \"" << text << "\"; it showed \""
                       << seen_.substr(consumed_) << "\"";
            }
            seen_.append(chunk, static_cast<std::size_t>(got));
        }
    }

    void answer(const std::string& line) {
        ASSERT_EQ(write(to_program_, line.data(), line.size()), static_cast<ssize_t>(line.size()));
    }

    int exit_status() {
        int status = 0;
        waitpid(pid_, &status, 0);
        pid_ = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

private:
    pid_t pid_ = -1;
    int to_program_ = -1;
    int from_program_ = -1;
    std::string seen_;
    std::size_t consumed_ = 0;
};

struct Exchange {
    std::string prompt;
    std::string answer;
};

// A singular matrix, then the 2x2 example: every prompt must show before
// its answer is sent, and the report must follow the last answer.
const std::vector<Exchange> kSession = {
    {kOrder, "2\n"},
    {row_prompt(2, 1), "1 2\n"},
    {row_prompt(2, 2), "2 4\n"},
    {kNoInverse + kOrder, "2\n"},
    {row_prompt(2, 1), "4 7\n"},
    {row_prompt(2, 2), "2 6\n"},
    {"\n[A][B]=\n1.0000000000\t-0.0000000000\t", ""},
};

void hold_conversation(Conversation& program, const std::vector<Exchange>& session = kSession,
                       int status = 0) {
    for (const Exchange& step : session) {
        ASSERT_TRUE(program.expect(step.prompt)) << "waiting for \"" << step.prompt << "\"";
        program.answer(step.answer);
    }
    EXPECT_EQ(program.exit_status(), status);
}

TEST(Interactive, PromptsShowOnATerminal) {
    Conversation program;
    ASSERT_TRUE(program.start_on_terminal());
    hold_conversation(program);
}

TEST(Interactive, PromptsShowThroughPipes) {
    Conversation program;
    ASSERT_TRUE(program.start_on_pipes());
    hold_conversation(program);
}

TEST(Interactive, PromptsShowThroughNonBlockingPipes) {
    Conversation program;
    ASSERT_TRUE(program.start_on_pipes(/*non_blocking=*/true));
    hold_conversation(program);
}

// Text that cannot start a number is refused as soon as it arrives, although
// the pipe stays open and no blank has followed it.
TEST(Interactive, RefusesTextAtOnce) {
    Conversation program;
    ASSERT_TRUE(program.start_on_pipes(false, /*errors_too=*/true));
    ASSERT_TRUE(program.expect(kOrder));
    program.answer("1\n");
    ASSERT_TRUE(program.expect(row_prompt(1, 1)));
    program.answer("x");
    ASSERT_TRUE(
        program.expect("matinv: line 2, column 1: expected a number for entry a11 "
                       "(row 1, column 1) of matrix 1, but found \"x\"\n"));
    EXPECT_EQ(program.exit_status(), 1);
}

// At a terminal the error line does not run on from the prompt before it.
TEST(Interactive, ErrorLineStartsOnANewLineAtATerminal) {
    Conversation program;
    ASSERT_TRUE(program.start_on_terminal());
    ASSERT_TRUE(program.expect(kOrder));
    program.answer("\x04");
    // Ctrl-D echoes nothing: the line break before the message is its own.
    ASSERT_TRUE(
        program.expect("\nmatinv: line 1, column 1: input ended while reading the "
                       "order of matrix 1\n"));
    EXPECT_EQ(program.exit_status(), 1);
}

// The steps fit the terminal's width: at 40 columns, two numbers a line.
TEST(Interactive, StepsFitTheTerminal) {
    Conversation program;
    ASSERT_TRUE(program.start_on_terminal("--steps", 40));
    ASSERT_TRUE(program.expect(kOrder));
    program.answer("2 4 7 2 6\n");
    EXPECT_TRUE(program.expect("row\nColumns 1 and 2:\n4.0000000000\t7.0000000000\t\n"));
    EXPECT_EQ(program.exit_status(), 0);
}

// At a terminal, which echoes answers and shows both streams, a typo is said
// and asked again, the rest of a paste dropped and earlier rows kept; a line
// after Enter follows the echo, one after a prompt or Ctrl-D starts anew.
TEST(Interactive, SaysWhatWasReadAndAsksAgainAtATerminal) {
    const std::string unread = "\", which is not read: the report ends the run\n";
    const struct {
        bool terminal;
        std::vector<Exchange> session;
        int status;
        const char* option = nullptr;
    } cases[] = {
        {true,
         {{kOrder, "3\n"},
          {row_prompt(3, 1), "1 2 3\n"},
          {row_prompt(3, 2), "4 x 6\n7 8 9\n"},
          {"line 3, column 3: expected a number for entry a22 (row 2, column 2) of matrix 1, but "
           "found \"x\"\n" +
               row_prompt(3, 2),
           "4 5 7\n"},
          {row_prompt(3, 3), "7 8 10\n"},
          {"\n[A]=\n1.0000000000\t2.0000000000\t3.0000000000\t\n4.0000000000\t5.0", ""}},
         0},
        {true,
         {{kOrder, "11\n"},
          {"11\nmatinv: line 1, column 1: order \"11\" of matrix 1", ""},
          {"above the limit of 10\n" + kOrder, "1 2\n5\n"},
          {"1 2\n5\nmatinv: note: \"2\" after the order is taken as a11\n" + row_prompt(1, 1), ""},
          {"matinv: note: line 3, column 1: the input goes on with \"5" + unread, ""}},
         0},
        {true,
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
        {true,
         {{kOrder, "2 x\n"},
          {"2 x\n" + row_prompt(2, 1) + "\nmatinv: line 1, column 3: ", ""},
          {"but found \"x\"\n" + row_prompt(2, 1), "\x04"},
          {"\nmatinv: line 2, column 1: input ended while reading entry a11", ""}},
         1},
        {false,
         {{kOrder, "1 3 9\n"}, {"note: line 1, column 5: the input goes on with \"9" + unread, ""}},
         0},
#if MATINV_EXACT_ARITHMETIC
        {true,
         {{kOrder, "2\n"},
          {row_prompt(2, 1), "1/0 2\n"},
          {"line 2, column 1: \"1/0\" for entry a11 (row 1, column 1) of matrix 1 has the "
           "denominator 0\n" +
               row_prompt(2, 1),
           "1 1e21\n"},
          {"line 3, column 3: \"1e21\" for entry a12 (row 1, column 2) of matrix 1 is too large "
           "to hold exactly: in lowest terms, its numerator and its denominator may have at most "
           "20 digits each\n" +
               row_prompt(2, 1),
           "1 2\n"},
          {row_prompt(2, 2), "3 4\n"},
          {"\n[A]=\n1\t2\t\n3\t4\t\n\n[B]=\n-2\t1\t\n3/2\t-1/2\t\n", ""}},
         0,
         "--exact"},
#endif
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.session[0].answer);
        Conversation program;
        ASSERT_TRUE(c.terminal ? program.start_on_terminal(c.option)
                               : program.start_on_pipes(false, true));
        hold_conversation(program, c.session, c.status);
    }
}

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
