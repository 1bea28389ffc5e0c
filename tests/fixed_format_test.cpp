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

#include "support/memory_streams.h"
#include "io/output_buffer.h"
#include "support/lcg_random.h"

namespace matinv {
namespace {

std::string written(double value) {
    MemorySink sink;
    OutputBuffer out(sink);
    out.put_fixed10(value);
    out.flush();
    return sink.text;
}

std::string printed(double value) {
    if (std::isnan(value)) {  // MinGW's printf drops the sign, which glibc's writes
        return std::signbit(value) ? "-nan" : "nan";
    }
    char text[512];
    std::snprintf(text, sizeof text, "%.10f", value);
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

// The writer keeps room for the longest number before it writes one, so a
// number of the largest magnitude comes out whole wherever the 64 KiB
// buffer stands, up to its very end.
TEST(FixedFormat, WholeAtTheEndOfTheBuffer) {
    constexpr std::size_t kBufferSize = std::size_t{1} << 16;
    for (const double value :
         {-std::numeric_limits<double>::max(), std::numeric_limits<double>::max()}) {
        for (std::size_t filled = kBufferSize - 400; filled <= kBufferSize; ++filled) {
            MemorySink sink;
            OutputBuffer out(sink);
            const std::string before(filled, '.');
            out.put(before);
            out.put_fixed10(value);
            out.flush();
            ASSERT_EQ(sink.text, before + printed(value))
                << "value " << value << " after " << filled << " bytes";
        }
    }
}

}  // namespace
}  // namespace matinv
