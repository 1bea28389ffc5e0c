// Holds the scan of decimals to strtod: a text it takes has strtod's value,
// it takes the same bytes where strtod takes a plain decimal, and the
// exact conversion of short decimals agrees with it wherever it gives a value.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "numbers/decimal_parts.h"
#include "numbers/decimal_scanner.h"
#include "numbers/exact_decimal.h"

namespace {

struct TextCursor {  // the 0 after the text stops a scan as any byte outside a number does
    const char* at;
    int peek(std::size_t ahead) const { return static_cast<unsigned char>(at[ahead]); }
    void advance() { ++at; }
};

bool same_bits(double x, double y) {
    // libc++ 13 (emscripten's) lacks std::bit_cast; the builtin is its body.
    return __builtin_bit_cast(std::uint64_t, x) == __builtin_bit_cast(std::uint64_t, y);
}

void check(bool holds, const char* fault, const std::string& text) {
    if (!holds) {
        std::fprintf(stderr, "decimal_scanner_fuzz: %s for \"%s\"\n", fault, text.c_str());
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    TextCursor in{text.c_str()};
    matinv::DecimalParts digits;
    const bool taken = matinv::scan_decimal(in, digits);
    const double value = taken ? digits.value() : 0.0;
    const double expected = std::strtod(std::string(text.c_str(), in.at).c_str(), nullptr);
    check(same_bits(value, expected), "a value unlike strtod's", text);
    char* end = nullptr;
    std::strtod(text.c_str(), &end);
    const auto length = static_cast<std::size_t>(end - text.c_str());
    check(length == 0 || std::strspn(text.c_str(), "0123456789+-.eE") < length || end == in.at,
          "a length unlike strtod's", text);
    TextCursor short_in{text.c_str()};
    matinv::ShortDecimal short_digits;
    double quick = 0.0;
    const bool short_taken = matinv::scan_decimal(short_in, short_digits);
    check(short_taken == taken && short_in.at == in.at, "a short decimal scanned otherwise", text);
    check(!short_taken || !short_digits.exact_value(quick) || same_bits(quick, value),
          "a short decimal read otherwise", text);
    return 0;
}
