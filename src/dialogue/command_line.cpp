#include "dialogue/command_line.h"

#include <string_view>

#include "dialogue/diagnostics.h"
#include "dialogue/driver.h"
#include "dialogue/messages.h"
#include "dialogue/option_spelling.h"

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
        if (argument == "--steps") {
            line.options.steps = true;
        } else if (argument == "--help" || argument == "-h") {
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

// Before the dialogue, which reads standard input whatever the arguments
// say: "matinv m.txt" must not seem to read m.txt.
void warn_of_arguments(int argc, const char* const* argv, Sink& errors) {
    Diagnostics diagnostics(errors);
    for (int i = 1; i < argc; ++i) {
        if (!std::string_view(argv[i]).starts_with('-')) {
            diagnostics.tell(argument_ignored(argv[i]));
        }
    }
}

void write_text(Sink& out, Diagnostics& diagnostics, std::string_view text) {
    if (!out.write_all(text.data(), text.size())) {
        diagnostics.fail(output_unwritable(out.error()));
    }
}

}  // namespace

int run_command_line(int argc, const char* const* argv, Source& in, Sink& out, Sink& errors,
                     int trace_columns) {
    CommandLine line = parse_command_line(argc, argv);
    if (line.command == Command::run) {
        // A warning that could not be written stays in `errors`, where the
        // dialogue's exit status finds it.
        warn_of_arguments(argc, argv, errors);
        line.options.trace_columns = trace_columns;
        return run_dialogue(in, out, errors, line.options);
    }
    // Nothing is held back here: each text is written at once.
    Diagnostics diagnostics(errors);
    if (line.command == Command::unknown_option) {
        diagnostics.refuse_usage(unknown_option(line.unknown, closest_option(line.unknown)));
    } else {
        write_text(out, diagnostics, line.command == Command::help ? usage() : version());
    }
    return diagnostics.exit_status();
}

}  // namespace matinv
