#include "program_runner.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

extern char** environ;

namespace matinv::testing {
namespace {

std::string slurp(std::FILE* file) {
    std::string text;
    std::rewind(file);
    char chunk[4096];
    std::size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) {
        text.append(chunk, got);
    }
    std::fclose(file);
    return text;
}

}  // namespace

ProgramRun run_matinv(const std::string& input, const std::vector<std::string>& arguments,
                      bool full_output) {
    // Files rather than pipes: nothing can block however much the program
    // writes or leaves unread.
    std::FILE* in = std::tmpfile();
    std::FILE* out = std::tmpfile();
    std::FILE* errors = std::tmpfile();
    std::fwrite(input.data(), 1, input.size(), in);
    std::fflush(in);
    std::rewind(in);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fileno(in), 0);
    if (full_output) {
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/full", O_WRONLY, 0);
    } else {
        posix_spawn_file_actions_adddup2(&actions, fileno(out), 1);
    }
    posix_spawn_file_actions_adddup2(&actions, fileno(errors), 2);
    char program[] = MATINV_BINARY;
    std::vector<std::string> words = arguments;
    std::vector<char*> argv = {program};
    for (std::string& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);
    pid_t pid = 0;
    ProgramRun run;
    if (posix_spawn(&pid, program, &actions, nullptr, argv.data(), environ) == 0) {
        int wait_status = 0;
        waitpid(pid, &wait_status, 0);
        if (WIFEXITED(wait_status)) {
            run.status = WEXITSTATUS(wait_status);
        }
    }
    posix_spawn_file_actions_destroy(&actions);
    std::fclose(in);
    run.out = slurp(out);
    run.errors = slurp(errors);
    return run;
}

}  // namespace matinv::testing
