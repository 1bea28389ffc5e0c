// Every number in the report is written as printf's "%.10f" writes it. The
// writer does not call printf, so this holds the two side by side on values
// of every size, on values whose eleventh decimal is an exact 5, and on the
// special values.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "dialogue/memory_streams.h"
#include "dialogue/output_buffer.h"

namespace {

using matinv::MemorySink;

std::string written(double value) {
    MemorySink sink;
    matinv::OutputBuffer out(sink);
    out.put_fixed10(value);
    out.flush();
    return sink.text;
}

std::string printed(double value) {
    char text[512];
    std::snprintf(text, sizeof text, "%.10f", value);
    return text;
}

void expect_as_printf(const std::vector<double>& values) {
    for (double v : values) {
        EXPECT_EQ(written(v), printed(v)) << "value " << std::hexfloat << v;
    }
}

TEST(FixedFormat, SpecialAndBorderValuesAreWrittenAsPrintfWritesThem) {
    constexpr double kInf = std::numeric_limits<double>::infinity();
    expect_as_printf({
        0.0,
        -0.0,
        kInf,
        -kInf,
        std::numeric_limits<double>::quiet_NaN(),
        -std::numeric_limits<double>::quiet_NaN(),
        std::numeric_limits<double>::denorm_min(),
        -std::numeric_limits<double>::min(),
        std::numeric_limits<double>::max(),
        -std::numeric_limits<double>::max(),
        // Halfway at the tenth decimal: 2^-11 = 0.00048828125, and others.
        0x1p-11,
        -0x1p-11,
        3 * 0x1p-11,
        0x1p-12,
        5 * 0x1p-13,
        1.0 + 0x1p-11,
        // Just below and above a carry into the next integer digit.
        0.99999999995,
        0.999999999949999,
        9.99999999995,
        99999.99999999995,
        // Tiny values that round to zero with either sign.
        4e-11,
        -4e-11,
        5e-11,
        -5e-11,
        6e-11,
        -6e-11,
        // Beyond 17 significant digits in the integer part.
        1e7,
        123456789.0123456789,
        1e17,
        1e22,
        1e23,
        0x1p70,
        6.02214076e23,
    });
}

TEST(FixedFormat, RandomDoublesOfEveryMagnitudeAreWrittenAsPrintfWritesThem) {
    std::uint64_t state = 3;
    std::vector<double> values;
    for (int i = 0; i < 100000; ++i) {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        const std::uint64_t r = state >> 12;
        double v;
        if (i % 2 == 0) {
            // Any bit pattern: covers subnormals up to the largest doubles.
            std::uint64_t pattern = (state & 0xfff0000000000000ULL) | (r & 0x000fffffffffffffULL);
            std::memcpy(&v, &pattern, sizeof v);
        } else {
            // The magnitudes a report holds in practice, 1e-12 to 1e12.
            const double unit = static_cast<double>(r) * 0x1p-52;
            v = (unit - 0.5) * std::pow(10.0, static_cast<int>(r % 25) - 12);
        }
        values.push_back(v);
    }
    expect_as_printf(values);
}

}  // namespace
