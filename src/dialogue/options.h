#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

// The options the program takes, in one table that parsing, --help and the
// suggestions for a mistyped option all read, so that none of them can
// know an option that the others do not.
namespace matinv {

// What an option does: a setting of the dialogue, or a command whose
// answer replaces the dialogue.
enum class OptionEffect : std::uint8_t { exact, steps, help, version };

struct OptionSpec {
    std::string_view name;        // the long form, as "--steps"
    std::string_view short_name;  // as "-h", or empty
    OptionEffect effect;
    // Its lines in --help, broken to fit 80 columns beside the names.
    std::string_view help;

    constexpr bool is_setting() const {
        return effect == OptionEffect::exact || effect == OptionEffect::steps;
    }
};

// In the order --help lists them. --exact is here in every build: one
// without GMP refuses it with a word on why.
inline constexpr std::array kOptions = {
    OptionSpec{"--exact", "", OptionEffect::exact,
               "read every entry as the exact rational it denotes (0.1 is\n"
               "1/10; 2/3 is one entry) and write [A], [B], [A][B] and\n"
               "det[A] in exact fractions"},
    OptionSpec{"--steps", "", OptionEffect::steps,
               "also write every step of the elimination on standard error"},
    OptionSpec{"--help", "-h", OptionEffect::help, "print this text and exit"},
    OptionSpec{"--version", "", OptionEffect::version, "print the version and exit"},
};

inline constexpr std::size_t kLongestOptionName =
    std::max_element(kOptions.begin(), kOptions.end(), [](const auto& a, const auto& b) {
        return a.name.size() < b.name.size();
    }) -> name.size();

// The option that `argument` names, long or short; nullptr for none.
constexpr const OptionSpec* find_option(std::string_view argument) {
    const auto* found =
        std::find_if(kOptions.begin(), kOptions.end(), [argument](const auto& option) {
            return argument == option.name ||
                   (!option.short_name.empty() && argument == option.short_name);
        });
    return found != kOptions.end() ? found : nullptr;
}

}  // namespace matinv
