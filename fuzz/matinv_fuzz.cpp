// Feeds arbitrary bytes to the whole dialogue as its standard input and
// judges the run from the outside.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "dialogue/driver.h"
#include "support/memory_streams.h"
#include "transcript_check.h"

namespace {

struct Run {
    matinv::MemorySink out;
    matinv::MemorySink errors;
    int status = 0;
};

Run run(std::string_view input, std::size_t chunk_limit) {
    Run result;
    matinv::MemorySource in(input, chunk_limit);
    result.status = matinv::run_dialogue(in, result.out, result.errors);
    return result;
}

[[noreturn]] void fail(const std::string& fault) {
    std::fprintf(stderr, "matinv_fuzz: %s\n", fault.c_str());
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const Run whole = run(input, 0);
    const std::string fault =
        matinv::fuzz::transcript_fault(whole.out.text, whole.errors.text, whole.status);
    if (!fault.empty()) {
        fail(fault);
    }
    // Reads that return a few bytes at a time must not change anything.
    const Run trickled = run(input, 7);
    if (trickled.out.text != whole.out.text || !matinv::fuzz::same_errors(whole.errors.text, trickled.errors.text) ||
        trickled.status != whole.status) {
        fail("the run changes when the input arrives a few bytes at a time");
    }
    return 0;
}
