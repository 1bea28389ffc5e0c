// Windows has no posix_spawn: the program is started by CreateProcess, with
// its standard streams on temporary files as on POSIX.
#include <io.h>
#include <windows.h>

#include <cstdio>

#include "support/program_runner.h"

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

HANDLE inherited(std::FILE* file) {
    const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)));
    SetHandleInformation(handle, HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT);
    return handle;
}

}  // namespace

const char* unavailable_here(const Surroundings& surroundings) {
    if (surroundings.full_output) {
        return "Windows has no device that refuses every write, as /dev/full does";
    }
    if (surroundings.input_path != nullptr) {
        return "Windows opens no directory as a file to read";
    }
    return surroundings.stack_kib > 0 ? "a Windows program's stack is set when it is linked"
                                      : nullptr;
}

ProgramRun run_matinv(const std::string& input, const Surroundings& surroundings) {
    std::FILE* in = std::tmpfile();
    std::FILE* out = std::tmpfile();
    std::FILE* errors = std::tmpfile();
    std::fwrite(input.data(), 1, input.size(), in);
    std::fflush(in);
    std::rewind(in);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = surroundings.input_closed ? INVALID_HANDLE_VALUE : inherited(in);
    startup.hStdOutput = inherited(out);
    startup.hStdError = inherited(errors);
    // Each word in quotes, as the C runtime splits a command line; no test
    // word holds a quote or a backslash, which would need escaping.
    std::string command = "matinv";
    for (const std::string& word : surroundings.arguments) {
        command += " \"" + word + "\"";
    }
    PROCESS_INFORMATION process{};
    ProgramRun run;
    if (CreateProcessA(MATINV_BINARY, command.data(), nullptr, nullptr, TRUE, 0, nullptr,
                       nullptr, &startup, &process)) {
        WaitForSingleObject(process.hProcess, INFINITE);
        DWORD status = 0;
        GetExitCodeProcess(process.hProcess, &status);
        run.status = static_cast<int>(status);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    std::fclose(in);
    run.out = slurp(out);
    run.errors = slurp(errors);
    return run;
}

}  // namespace matinv::testing
