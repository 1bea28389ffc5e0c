// The reader converts short decimals by one exact multiplication or division
// and everything else by strtod. Whatever path a text takes, its value must
// be bit for bit the one strtod gives for the same text.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "dialogue/byte_streams.h"
#include "dialogue/input_reader.h"
#include "dialogue/memory_streams.h"
#include "lcg_random.h"
#include "dialogue/output_buffer.h"

namespace {

using matinv::MemorySink;
using matinv::MemorySource;

std::uint64_t bits(double x) {
    std::uint64_t b;
    std::memcpy(&b, &x, sizeof b);
    return b;
}

// Reads every token of `texts`, written one after another separated by
// blanks, and compares each value with strtod of the token.
void expect_same_as_strtod(const std::vector<std::string>& texts) {
    std::string stream;
    for (const std::string& t : texts) {
        stream += t;
        stream += ' ';
    }
    MemorySource source(stream);
    MemorySink sink;
    matinv::OutputBuffer pending(sink);
    matinv::InputReader reader(source, pending);
    for (const std::string& t : texts) {
        double value = 0.0;
        ASSERT_EQ(reader.read_entry(value), matinv::ReadStatus::ok) << "text " << t;
        const double expected = std::strtod(t.c_str(), nullptr);
        EXPECT_EQ(bits(value), bits(expected))
            << "text " << t << ": read " << value << ", strtod " << expected;
    }
}

TEST(NumberConversion, BordersOfTheQuickPathMatchStrtod) {
    expect_same_as_strtod({
        // 2^53 is the largest integer taken whole, 2^53 + 1 the first that is not.
        "9007199254740992",
        "9007199254740993",
        "9007199254740992e22",
        "9007199254740993e-22",
        "9007199254740992e-22",
        "9007199254740992e23",
        "9007199254740992e-23",
        // Exponents at and just past 10^22, written and implied by the point.
        "1e22",
        "1e23",
        "1e-22",
        "1e-23",
        "0.1e23",
        "10e-23",
        "123456789e14",
        "1.5e-21",
        "0.0000000000000000000001",
        "0.00000000000000000000001",
        "10000000000000000000000",
        "100000000000000000000000",
        // Nineteen and twenty significant digits, and digits with trailing zeros.
        "1234567890123456789",
        "12345678901234567890",
        "1.000000000000000000",
        "100.0000000",
        "0.30000000000000000000001",
        "4.9406564584124654e-324",
        "1.7976931348623157e308",
        // Halfway cases between neighbouring doubles.
        "9007199254740993.0",
        "0.5",
        "2.5e-1",
        "1.00000000000000011102230246251565404236316680908203125",
        // Zeros of both signs and in all notations.
        "0",
        "-0",
        "+0.0",
        "-0e22",
        "-.0e-40",
        "000000000000000000000000000000001",
        // The throughput workload's notation.
        "49.1564",
        "-11.1282",
        "-100.0000",
        "0.0001",
        "-99.9999",
        // Plain decimals at the borders of the one-pass scan: 2^53 with a
        // point anywhere, 2^64 + 1 whose digits wrap round to 1 in 64 bits,
        // 22 and 23 decimals, a point at either end, and an exponent.
        "900719925474099.2",
        "9.007199254740993",
        "18446744073709551617",
        "1844674407370955161.7",
        "18446744073709551616.5",
        "-0.0000000000000000000009",
        "0.00000000000000000000009",
        "12.",
        "-.5",
        "+5.",
        "2.5e-3",
        "0.1234567890123456789",
    });
}

using Random = matinv::testing::LcgRandom;

std::string random_digits(Random& random, int count) {
    std::string digits;
    for (int i = 0; i < count; ++i) {
        // Zeros and nines are overweighted: they make runs of trailing zeros
        // and carries, which is where counting digits goes wrong.
        const int pick = random.below(14);
        digits += pick < 10 ? static_cast<char>('0' + pick) : (pick < 12 ? '0' : '9');
    }
    return digits;
}

// Texts of every shape the reader accepts, most of them near the quick
// path's limits on digits and exponent.
std::string random_number_text(Random& random) {
    std::string text;
    const int sign = random.below(3);
    if (sign == 1) {
        text += '-';
    } else if (sign == 2) {
        text += '+';
    }
    const int integer_digits = random.below(4) == 0 ? 0 : random.below(22);
    const int fraction_digits = random.below(3) == 0 ? 0 : random.below(22);
    text += random_digits(random, integer_digits);
    if (fraction_digits > 0 || integer_digits == 0 || random.below(4) == 0) {
        text += '.';
        text += random_digits(random,
                              fraction_digits == 0 && integer_digits == 0 ? 1 : fraction_digits);
    }
    if (random.below(2) == 0) {
        text += random.below(2) == 0 ? 'e' : 'E';
        const int exponent = random.below(61) - 30;
        if (exponent < 0) {
            text += '-';
        } else if (random.below(2) == 0) {
            text += '+';
        }
        text += std::to_string(exponent < 0 ? -exponent : exponent);
    }
    return text;
}

TEST(NumberConversion, RandomTextsMatchStrtod) {
    Random random(7);
    std::vector<std::string> texts;
    for (int i = 0; i < 200000; ++i) {
        texts.push_back(random_number_text(random));
    }
    expect_same_as_strtod(texts);
}

}  // namespace
