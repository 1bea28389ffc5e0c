#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>

#include "dialogue/output_buffer.h"
#include "memory_streams.h"

namespace matinv {
namespace {

using testing::StringSink;

std::string formatted(double value) {
    StringSink sink;
    OutputBuffer out(sink);
    out.put_fixed10(value);
    out.flush();
    return sink.text;
}

std::string printf_formatted(double value) {
    char text[512];
    std::snprintf(text, sizeof text, "%.10f", value);
    return text;
}

double from_bits(std::uint64_t bits) {
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

TEST(FixedTenDecimals, KnownTexts) {
    struct Case {
        double value;
        const char* text;
    };
    const Case cases[] = {
        {0.6, "0.6000000000"},
        {-0.7, "-0.7000000000"},
        {-0.0, "-0.0000000000"},
        {-1e-17, "-0.0000000000"},
        {1e-17, "0.0000000000"},
        {1.0 / 3, "0.3333333333"},
        {1e10, "10000000000.0000000000"},
        {1e-11, "0.0000000000"},
        {HUGE_VAL, "inf"},
        {-HUGE_VAL, "-inf"},
        {NAN, "nan"},
        {-NAN, "-nan"},
        {1e17, "100000000000000000.0000000000"},
        {317169501950603.4375, "317169501950603.4375000000"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(formatted(c.value), c.text) << "value " << c.text;
    }
}

// printf is the reference for every digit: exact binary values, halfway
// cases at the tenth decimal, the extremes of the range.
TEST(FixedTenDecimals, AgreesWithPrintf) {
    const double awkward[] = {
        0.00048828125,  // 2^-11: exactly halfway at the tenth decimal
        0.00146484375,  // 3 * 2^-11
        -0.00048828125,
        0.5e-10,
        0.15e-9,
        9.99999999995,
        0.99999999995,
        123456789.0123456789,
        DBL_MAX,
        -DBL_MAX,
        DBL_MIN,
        DBL_TRUE_MIN,
        1e300,
        2.5,
        4503599627370497.5,
    };
    for (const double value : awkward) {
        EXPECT_EQ(formatted(value), printf_formatted(value)) << "value " << printf_formatted(value);
    }

    std::mt19937_64 random(7);
    for (int trial = 0; trial < 20000; ++trial) {
        // Random bit patterns cover every exponent; a third of them are
        // drawn near 1 where ten decimals show most of the digits.
        double value = from_bits(random());
        if (trial % 3 == 0) {
            value = std::ldexp(static_cast<double>(random() >> 11), -53 - (trial % 40)) *
                    (trial % 2 ? 1 : -1);
        }
        ASSERT_EQ(formatted(value), printf_formatted(value)) << "bits of " << value;
    }
}

}  // namespace
}  // namespace matinv
