#include "dialogue/command_line.h"

#include <string_view>

#include "dialogue/driver.h"
#include "dialogue/messages.h"
#include "dialogue/option_spelling.h"
#include "dialogue/options.h"

namespace matinv {
namespace {

enum class Command { run, help, version, unknown_option };

struct CommandLine {
    Command command = Command::run;
    DialogueOptions options;
    const char* unknown = nullptr;  // the first unknown option
};

CommandLine parse_command_line(int argc, const char* const* argv) {
    CommandLine line;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (!argument.starts_with('-')) {
            continue;
        }
        const OptionSpec* option = find_option(argument);
        if (option == nullptr) {
            line.command = Command::unknown_option;
            line.unknown = argv[i];
            break;
        }
        switch (option->effect) {
            case OptionEffect::exact:
                line.options.exact = true;
                break;
            case OptionEffect::steps:
                line.options.steps = true;
                break;
            case OptionEffect::help:
                line.command = Command::help;
                break;
            case OptionEffect::version:
                line.command = Command::version;
                break;
        }
        if (line.command != Command::run) {
            break;
        }
    }
    return line;
}

// Nothing is held back here, so each line is written at once; a write that
// fails stays in `errors`, where the dialogue's exit status finds it.
void write_line(Sink& errors, const MessageLine& line) {
    errors.write_all(line.text().data(), line.text().size());
}

// Before the dialogue, which reads standard input whatever the arguments
// say: "matinv m.txt" must not seem to read m.txt.
void warn_of_arguments(int argc, const char* const* argv, Sink& errors) {
    for (int i = 1; i < argc; ++i) {
        if (!std::string_view(argv[i]).starts_with('-')) {
            write_line(errors, argument_ignored(argv[i]));
        }
    }
}

}  // namespace

// An unknown option is a command line that cannot be run: status 2.
int run_command_line(int argc, const char* const* argv, Source& in, Sink& out, Sink& errors,
                     int trace_columns) {
    CommandLine line = parse_command_line(argc, argv);
    switch (line.command) {
        case Command::run:
#ifndef MATINV_EXACT_ARITHMETIC
            // A build without GMP cannot take the option; saying so beats
            // answering in rounded decimals that the user did not ask for.
            if (line.options.exact) {
                write_line(errors, exact_arithmetic_missing());
                return 2;
            }
#endif
            warn_of_arguments(argc, argv, errors);
            line.options.trace_columns = trace_columns;
            return run_dialogue(in, out, errors, line.options);
        case Command::unknown_option:
            write_line(errors, unknown_option(line.unknown, closest_option(line.unknown)));
            return 2;
        case Command::help:
        case Command::version:
            break;
    }
    const std::string_view text = line.command == Command::help ? usage() : version();
    if (!out.write_all(text.data(), text.size())) {
        write_line(errors, output_unwritable(out.error()));
        return 1;
    }
    return 0;
}

}  // namespace matinv
