// Every number in the report is written as printf's "%.10f" writes it,
// though the writer does not call printf.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "io/output_buffer.h"
#include "numbers/buffered_numbers.h"
#include "numbers/number_text.h"
#include "support/lcg_random.h"
#include "support/memory_streams.h"

namespace matinv {
namespace {

// Into a buffer of exactly the room the writer claims, so that a longer
// text is cut short or, under AddressSanitizer, caught.
std::string written(double value) {
    std::vector<char> room(kLongestFixed10);
    return std::string(room.data(), write_fixed10(room.data(), value));
}

// As printf writes `value` in `format` with `digits` digits.
std::string printed(double value, const char* format = "%.*f", int digits = 10) {
    if (std::isnan(value)) {  // MinGW's printf drops the sign, which glibc's writes
        return std::signbit(value) ? "-nan" : "nan";
    }
    char text[512];
    std::snprintf(text, sizeof text, format, digits, value);
    return text;
}

TEST(FixedFormat, AsPrintfWritesIt) {
    using limits = std::numeric_limits<double>;
    std::vector<double> values = {
        0.0, -0.0, limits::infinity(), -limits::infinity(), limits::quiet_NaN(),
        -limits::quiet_NaN(), limits::denorm_min(), -limits::min(), limits::max(), -limits::max(),
        // Exactly halfway at the tenth decimal: 2^-11 = 0.00048828125, and others.
        0x1p-11, -0x1p-11, 3 * 0x1p-11, 0x1p-12, 5 * 0x1p-13, 1.0 + 0x1p-11,
        // Carries into the next integer digit, and tiny values of either sign.
        0.99999999995, 0.999999999949999, 9.99999999995, 99999.99999999995, 4e-11, -4e-11, 5e-11,
        -5e-11, 6e-11, -6e-11,
        // More than 17 significant digits in the integer part.
        1e7, 123456789.0123456789, 1e10, 1e17, 1e22, 1e23, 0x1p70, 6.02214076e23};
    testing::LcgRandom random(3);
    for (int i = 0; i < 100000; ++i) {
        const std::uint64_t r = random.next();
        double v;
        if (i % 2 == 0) {  // any bit pattern: subnormals up to the largest doubles
            const std::uint64_t pattern = (r << 17) ^ random.next();
            std::memcpy(&v, &pattern, sizeof v);
        } else {  // the magnitudes a report holds in practice, 1e-12 to 1e12
            v = (static_cast<double>(r) * 0x1p-47 - 0.5) * std::pow(10.0, int(r % 25) - 12);
        }
        values.push_back(v);
    }
    for (const double v : values) {
        ASSERT_EQ(written(v), printed(v)) << "value " << std::hexfloat << v;
    }
}

// A row keeps room for the longest number before it writes one, so a
// number of the largest magnitude comes out whole wherever the 64 KiB
// output buffer stands, up to its very end.
TEST(FixedFormat, WholeAtTheEndOfTheBuffer) {
    constexpr std::size_t kBufferSize = std::size_t{1} << 16;
    for (const double value :
         {-std::numeric_limits<double>::max(), std::numeric_limits<double>::max()}) {
        for (std::size_t filled = kBufferSize - 400; filled <= kBufferSize; ++filled) {
            MemorySink sink;
            OutputBuffer out(sink);
            const std::string before(filled, '.');
            out.put(before);
            put_fixed10_row(out, &value, 1);
            out.flush();
            ASSERT_EQ(sink.text, before + printed(value) + "\t\n")
                << "value " << value << " after " << filled << " bytes";
        }
    }
}

// Numbers inside sentences as "%.<digits>g" writes them, and whole numbers
// as "%lld" and "%llu" do, each into exactly the room its writer claims.
TEST(NumberText, ShortestAndWholeAsPrintfWritesThem) {
    using limits = std::numeric_limits<double>;
    const double values[] = {0.0,
                             -0.0,
                             7.0,
                             -1.714285714285714,
                             1.2e-17,
                             1e-10,
                             1e-5,
                             9.99999e-5,
                             123456789012.0,
                             1e16,
                             -limits::denorm_min(),
                             -limits::min(),
                             -limits::max(),
                             limits::infinity(),
                             -limits::quiet_NaN()};
    for (const double v : values) {
        for (int digits = 1; digits <= 17; ++digits) {
            std::vector<char> room(kLongestShortest);
            EXPECT_EQ(std::string(room.data(), write_shortest(room.data(), v, digits)),
                      printed(v, "%.*g", digits))
                << "value " << std::hexfloat << v << " to " << digits << " digits";
        }
    }
    for (const long long v : {0LL, -7LL, std::numeric_limits<long long>::min(),
                              std::numeric_limits<long long>::max()}) {
        std::vector<char> room(kLongestInteger);
        EXPECT_EQ(std::string(room.data(), write_integer(room.data(), std::int64_t{v})),
                  std::to_string(v));
    }
    std::vector<char> room(kLongestInteger);
    const std::uint64_t largest = ~std::uint64_t{0};
    EXPECT_EQ(std::string(room.data(), write_integer(room.data(), largest)),
              std::to_string(largest));
}

}  // namespace
}  // namespace matinv
