// Holds write_fixed10 to "%.10f" and write_shortest to "%.<digits>g" on any
// double, its bits from the input, each writing into exactly the room it
// claims; NaN is spelt from its sign bit, as glibc's printf spells it.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "numbers/number_text.h"

namespace {

void check(std::size_t room, char* (*write)(char*, double, int), const char* format, double value,
           int digits) {
    char expected[512];
    std::snprintf(expected, sizeof expected, format, digits, value);
    std::vector<char> text(room);  // on the heap, so that writing past it is caught
    const std::string written(text.data(), write(text.data(), value, digits));
    if (written != (std::isnan(value) ? (std::signbit(value) ? "-nan" : "nan") : expected)) {
        std::fprintf(stderr, "number_text_fuzz: %a as \"%s\"\n", value, written.c_str());
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    double value = 0.0;
    std::memcpy(&value, data, size < sizeof value ? size : sizeof value);
    const int digits = 1 + (size > sizeof value ? data[sizeof value] % 17 : 0);
    check(
        matinv::kLongestFixed10,
        [](char* out, double v, int) { return matinv::write_fixed10(out, v); }, "%.*f", value, 10);
    check(matinv::kLongestShortest, matinv::write_shortest, "%.*g", value, digits);
    return 0;
}
