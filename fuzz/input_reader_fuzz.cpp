// Reads arbitrary bytes as orders and entries, in the order the first byte's
// bits give, from a source that poisons the bytes of the reader's buffer
// past those that have arrived, so that AddressSanitizer catches a look
// beyond them; in reads of a few bytes, the numbers, texts and places must
// stay the same (a refused text aside, quoted as far as it has arrived).
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "dialogue/input_reader.h"
#include "support/memory_streams.h"

namespace {

std::string reading(std::string_view input, std::size_t chunk_limit) {
    matinv::MemorySink sink;
    matinv::OutputBuffer pending(sink);
    matinv::MemorySource source(input, chunk_limit);
    source.poison_unfilled = true;
    matinv::InputReader reader(source, pending);
    const unsigned kinds = input.empty() ? 0 : static_cast<unsigned char>(input[0]);
    std::string log;
    for (unsigned k = 0;; ++k) {
        const bool as_order = (kinds >> k % 8 & 1) != 0;
        const matinv::Token& token = as_order ? reader.read_order() : reader.read_entry();
        // A place is told after an order, and after an entry that was not
        // simply read.
        const bool placed = as_order || token.found != matinv::Found::number;
        const matinv::InputPlace place = placed ? reader.place() : matinv::InputPlace{0, 0};
        char line[96];
        std::snprintf(line, sizeof line, "%d %d %a %llu:%llu ", static_cast<int>(token.found),
                      as_order ? token.order : 0, as_order ? 0.0 : token.value,
                      static_cast<unsigned long long>(place.line),
                      static_cast<unsigned long long>(place.column));
        log += line;
        if (!token.is_number()) {
            return log;
        }
        const bool runs_on = token.found == matinv::Found::number_running_on;
        if (as_order || runs_on) {
            log += std::string(token.text.view());
        }
        log += runs_on ? " runs on " + std::string(token.rest.view()) + "\n" : "\n";
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::string whole = reading(input, 0);
    if (reading(input, 1) != whole || reading(input, 3) != whole) {
        std::fprintf(stderr, "input_reader_fuzz: reads of a few bytes change\n%s", whole.c_str());
        std::abort();
    }
    return 0;
}
