#include "support/program_runner.h"

#if defined(_WIN32)
#include <io.h>
#include <windows.h>
#elif defined(__EMSCRIPTEN__)
#include <emscripten.h>
#else
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;
#endif

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "support/slurp.h"

namespace matinv::testing {
namespace {

#if defined(_WIN32)
HANDLE inherited(std::FILE* file) {
    const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)));
    SetHandleInformation(handle, HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT);
    return handle;
}

// Windows has no posix_spawn: CreateProcess, on the same files.
int status_of(std::FILE* in, std::FILE* out, std::FILE* errors, const Surroundings& surroundings) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = surroundings.input_closed ? INVALID_HANDLE_VALUE : inherited(in);
    startup.hStdOutput = inherited(out);
    startup.hStdError = inherited(errors);
    // Words in quotes; none holds a quote or a backslash, which would need escaping.
    std::string command = "matinv";
    for (const std::string& word : surroundings.arguments) {
        command += " \"" + word + "\"";
    }
    PROCESS_INFORMATION process{};
    DWORD status = static_cast<DWORD>(-1);
    if (CreateProcessA(MATINV_BINARY, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                       &startup, &process)) {
        WaitForSingleObject(process.hProcess, INFINITE);
        GetExitCodeProcess(process.hProcess, &status);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    return static_cast<int>(status);
}
#elif defined(__EMSCRIPTEN__)
// Compiled to WebAssembly, the test runs under node, which starts the
// program (node on matinv.js, through its wrapper script) on the same
// files: node's descriptors stand behind these (-sNODERAWFS). `words` are
// the arguments, each ended by a newline. The body is JavaScript.
// clang-format off
EM_JS(int, node_status_of,
      (const char* program, const char* words, int input, const char* input_path, int output,
       int full_output, int errors), {
    const fs = require('fs');
    const opened = [];
    const open = (path, flags) => opened[opened.push(fs.openSync(path, flags)) - 1];
    const stdio = [input_path ? open(UTF8ToString(input_path), 'r') : FS.getStream(input).nfd,
                   full_output ? open('/dev/full', 'w') : FS.getStream(output).nfd,
                   FS.getStream(errors).nfd];
    const args = UTF8ToString(words).split('\n').slice(0, -1);
    const run = require('child_process').spawnSync(UTF8ToString(program), args, {stdio});
    opened.forEach((fd) => fs.closeSync(fd));
    return run.status === null ? -1 : run.status;
});
// clang-format on

int status_of(std::FILE* in, std::FILE* out, std::FILE* errors, const Surroundings& surroundings) {
    std::string words;
    for (const std::string& word : surroundings.arguments) {
        words += word + '\n';
    }
    return node_status_of(MATINV_BINARY, words.c_str(), fileno(in), surroundings.input_path,
                          fileno(out), surroundings.full_output, fileno(errors));
}
#else
int status_of(std::FILE* in, std::FILE* out, std::FILE* errors, const Surroundings& surroundings) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (surroundings.input_closed) {
        posix_spawn_file_actions_addclose(&actions, 0);
    } else if (surroundings.input_path != nullptr) {
        posix_spawn_file_actions_addopen(&actions, 0, surroundings.input_path, O_RDONLY, 0);
    } else {
        posix_spawn_file_actions_adddup2(&actions, fileno(in), 0);
    }
    if (surroundings.full_output) {
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/full", O_WRONLY, 0);
    } else {
        posix_spawn_file_actions_adddup2(&actions, fileno(out), 1);
    }
    posix_spawn_file_actions_adddup2(&actions, fileno(errors), 2);
    // A stack limit is set by a shell that then becomes the program.
    char program[] = MATINV_BINARY;
    char shell[] = "/bin/sh";
    char dash_c[] = "-c";
    std::string limit_then_run =
        "ulimit -s " + std::to_string(surroundings.stack_kib) + " && exec \"$0\" \"$@\"";
    const bool limited = surroundings.stack_kib > 0;
    std::vector<std::string> words = surroundings.arguments;
    std::vector<char*> argv;
    if (limited) {
        argv = {shell, dash_c, limit_then_run.data()};
    }
    argv.push_back(program);
    for (std::string& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);
    pid_t pid = 0;
    int status = -1;
    if (posix_spawn(&pid, limited ? shell : program, &actions, nullptr, argv.data(), environ) ==
        0) {
        int wait_status = 0;
        waitpid(pid, &wait_status, 0);
        if (WIFEXITED(wait_status)) {
            status = WEXITSTATUS(wait_status);
        }
    }
    posix_spawn_file_actions_destroy(&actions);
    return status;
}
#endif

}  // namespace

const char* unavailable_here([[maybe_unused]] const Surroundings& surroundings) {
#if defined(_WIN32)
    if (surroundings.full_output || surroundings.input_path || surroundings.stack_kib > 0) {
        return "Windows has no /dev/full, reads no directory, and sets stacks when linking";
    }
#elif defined(__EMSCRIPTEN__)
    if (surroundings.input_closed || surroundings.stack_kib > 0) {
        return "node opens /dev/null on a closed descriptor, and wasm sets stacks when linking";
    }
#endif
    return nullptr;
}

ProgramRun run_matinv(const std::string& input, const Surroundings& surroundings) {
    // Files rather than pipes: nothing can block however much the program
    // writes or leaves unread.
    std::FILE* in = std::tmpfile();
    std::FILE* out = std::tmpfile();
    std::FILE* errors = std::tmpfile();
    std::fwrite(input.data(), 1, input.size(), in);
    std::fflush(in);
    std::rewind(in);
    ProgramRun run;
    run.status = status_of(in, out, errors, surroundings);
    std::fclose(in);
    run.out = slurp(out);
    run.errors = slurp(errors);
    return run;
}

}  // namespace matinv::testing
