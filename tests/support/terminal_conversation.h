#pragma once

// The program at the other end of a pseudo-terminal or of two pipes, for the
// tests that drive it as a person or a script would. The including test
// program defines MATINV_BINARY, the program to start.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>
#include <utmp.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "support/prompts.h"

namespace matinv::testing {

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

    // `environment` holds NAME=value to set and NAME to unset. A dumb
    // terminal gets no line editor: the terminal itself echoes what is typed.
    bool start_on_terminal(const char* option = nullptr, unsigned short columns = 0,
                           const std::vector<std::string>& environment = {"TERM=dumb"}) {
        struct termios settings {};
        cfmakeraw(&settings);
        settings.c_lflag |= ICANON | ECHO;  // a terminal as a user has it
        settings.c_cc[VEOF] = '\x04';       // Ctrl-D ends the input
        struct winsize size = {24, columns, 0, 0};
        // Opened and read before the program starts, which may change the
        // settings at once.
        int program_end = -1;
        if (openpty(&to_program_, &program_end, nullptr, &settings, &size) != 0) {
            return false;
        }
        tcgetattr(to_program_, &started_with_);
        pid_ = fork();
        if (pid_ == 0) {
            close(to_program_);
            if (login_tty(program_end) != 0) {
                _exit(127);
            }
            for (const std::string& setting : environment) {
                const std::size_t equals = setting.find('=');
                if (equals == std::string::npos) {
                    unsetenv(setting.c_str());
                } else {
                    setenv(setting.substr(0, equals).c_str(), setting.c_str() + equals + 1, 1);
                }
            }
            execl(MATINV_BINARY, MATINV_BINARY, option, static_cast<char*>(nullptr));
            _exit(127);
        }
        close(program_end);
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
            for (const char c : std::string_view(chunk, static_cast<std::size_t>(got))) {
                if (c != '\r' || !drop_carriage_returns_) {
                    seen_ += c;
                }
            }
        }
    }

    void answer(const std::string& line) {
        ASSERT_EQ(write(to_program_, line.data(), line.size()), static_cast<ssize_t>(line.size()));
    }

    // A line editor ends each line it echoes as a terminal's output does,
    // with a carriage return before the line break: these drop it.
    void drop_carriage_returns() { drop_carriage_returns_ = true; }

    // The terminal's settings before the program started.
    const struct termios& initial_settings() const { return started_with_; }
    // The terminal's settings as the program has left them.
    struct termios settings() const {
        struct termios now {};
        tcgetattr(to_program_, &now);
        return now;
    }

    // -1 for a program that a signal ended.
    int exit_status() {
        // A program still waiting for input long after its last answer
        // has not ended as it should: it is ended, and counted as -1.
        int status = 0;
        const auto deadline = std::chrono::steady_clock::now() + kPromptTimeout;
        while (waitpid(pid_, &status, WNOHANG) == 0) {
            if (std::chrono::steady_clock::now() > deadline) {
                kill(pid_, SIGKILL);
                waitpid(pid_, &status, 0);
                ADD_FAILURE() << "the program had not ended " << kPromptTimeout.count()
                              << " s after its last answer";
            }
            usleep(1000);
        }
        pid_ = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

private:
    pid_t pid_ = -1;
    int to_program_ = -1;
    struct termios started_with_ {};
    int from_program_ = -1;
    std::string seen_;
    std::size_t consumed_ = 0;
    bool drop_carriage_returns_ = false;
};

struct Exchange {
    std::string prompt;
    std::string answer;
};

// A singular matrix, then the 2x2 example: every prompt must show before
// its answer is sent, and the report must follow the last answer.
inline const std::vector<Exchange> kSession = {
    {kOrder, "2\n"},
    {row_prompt(2, 1), "1 2\n"},
    {row_prompt(2, 2), "2 4\n"},
    {kNoInverse + kOrder, "2\n"},
    {row_prompt(2, 1), "4 7\n"},
    {row_prompt(2, 2), "2 6\n"},
    {"\n[A][B]=\n1.0000000000\t-0.0000000000\t", ""},
};

inline void hold_conversation(Conversation& program,
                              const std::vector<Exchange>& session = kSession, int status = 0) {
    for (const Exchange& step : session) {
        ASSERT_TRUE(program.expect(step.prompt)) << "waiting for \"" << step.prompt << "\"";
        program.answer(step.answer);
    }
    EXPECT_EQ(program.exit_status(), status);
}

}  // namespace matinv::testing
