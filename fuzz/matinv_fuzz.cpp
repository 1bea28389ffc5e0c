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

Run run(std::string_view input, std::size_t chunk_limit,
        const matinv::DialogueOptions& options = {}) {
    Run result;
    matinv::MemorySource in(input, chunk_limit);
    result.status = matinv::run_dialogue(in, result.out, result.errors, options);
    return result;
}

std::size_t count(std::string_view text, std::string_view part) {
    std::size_t found = 0;
    for (std::size_t at = 0; (at = text.find(part, at)) != std::string_view::npos; ++at) {
        ++found;
    }
    return found;
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
    if (trickled.out.text != whole.out.text ||
        !matinv::fuzz::same_errors(whole.errors.text, trickled.errors.text) ||
        trickled.status != whole.status) {
        fail("the run changes when the input arrives a few bytes at a time");
    }
    // The trace changes nothing else, and has one heading for each attempt
    // whose entries were all read: each without an inverse, and a report of
    // entries. The warnings and notes stay.
    const Run traced = run(input, 0, {.steps = true});
    const std::string_view out = whole.out.text;
    const std::size_t read_whole = count(out, "\nINVERSE MATRIX NOT EXIST!!\n") +
                                   count(out, "\n[A]=\n") - count(out, "\n[A]=\n\n");
    if (traced.out.text != out || traced.status != whole.status ||
        count(traced.errors.text, "--- steps for matrix ") != read_whole ||
        count(traced.errors.text, "matinv: ") != count(whole.errors.text, "matinv: ")) {
        fail("--steps changes the run, or does not trace each attempt read whole once");
    }
#if MATINV_EXACT_ARITHMETIC
    // In exact arithmetic: the same dialogue, every report's [A][B] exactly
    // the identity. It refuses what the rounded run refuses and more (p/0,
    // entries beyond its digit limit), and a matrix with a rounded inverse
    // may be exactly singular, so only the judge compares.
    const Run exact = run(input, 0, {.exact = true});
    const std::string exact_fault = matinv::fuzz::transcript_fault(
        exact.out.text, exact.errors.text, exact.status, matinv::fuzz::Arithmetic::exact);
    if (!exact_fault.empty()) {
        fail("--exact: " + exact_fault);
    }
    const Run exact_trickled = run(input, 7, {.exact = true});
    if (exact_trickled.out.text != exact.out.text || exact_trickled.status != exact.status) {
        fail("--exact: the run changes when the input arrives a few bytes at a time");
    }
#endif
    return 0;
}
