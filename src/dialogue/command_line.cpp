#include "dialogue/command_line.h"

#include <cstring>
#include <string_view>

#include "dialogue/error_line.h"
#include "dialogue/shown_text.h"

namespace matinv {
namespace {

constexpr std::string_view kUsage =
    "Usage: matinv [--steps]\n"
    "       matinv --help | --version\n"
    "Inverts a real square matrix of order 1 to 10. Asks for the order and the\n"
    "entries row by row on standard input, and prints the matrix [A], its\n"
    "inverse [B] and their product [A][B].\n"
    "\n"
    "  --steps    also write every step of the elimination on standard error\n"
    "  --help     print this text and exit\n"
    "  --version  print the version and exit\n";

constexpr std::string_view kVersion = "matinv " MATINV_VERSION "\n";

constexpr int kUsageError = 2;

int write_text(Sink& out, Sink& errors, std::string_view text) {
    if (out.write_all(text.data(), text.size())) {
        return 0;
    }
    ErrorLine line;
    line << "standard output could not be written: " << std::strerror(out.error());
    return line.end(errors);
}

int refuse_option(Sink& errors, const char* option) {
    ErrorLine line;
    line << "unknown option " << ShownText(option).view() << "; try 'matinv --help'";
    line.write(errors);
    return kUsageError;
}

}  // namespace

CommandLine parse_command_line(int argc, const char* const* argv) {
    CommandLine line;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (!argument.starts_with('-')) {
            continue;
        }
        if (argument == "--steps") {
            line.options.steps = true;
        } else if (argument == "--help") {
            line.command = Command::help;
        } else if (argument == "--version") {
            line.command = Command::version;
        } else {
            line.command = Command::unknown_option;
            line.unknown = argv[i];
        }
        if (line.command != Command::run) {
            break;
        }
    }
    return line;
}

int run_command_line(int argc, const char* const* argv, Source& in, Sink& out, Sink& errors) {
    const CommandLine line = parse_command_line(argc, argv);
    switch (line.command) {
        case Command::help:
            return write_text(out, errors, kUsage);
        case Command::version:
            return write_text(out, errors, kVersion);
        case Command::unknown_option:
            return refuse_option(errors, line.unknown);
        case Command::run:
            break;
    }
    return run_dialogue(in, out, errors, line.options);
}

}  // namespace matinv
