// One line written from parts, into the output buffer and into a line of
// fixed capacity alike.
#include "numbers/append.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <string>

#include "dialogue/messages.h"
#include "io/output_buffer.h"
#include "numbers/bounded_line.h"
#include "support/memory_streams.h"

namespace matinv {
namespace {

// What append() writes of `parts` into an output buffer; lines with room
// for 512 and for 10 bytes must hold as many of its first bytes, even where
// they end inside a number, and a message line its first 502 between
// "matinv: " and its line break.
template <class... Parts>
std::string appended(const Parts&... parts) {
    MemorySink sink;
    OutputBuffer out(sink);
    append(out, parts...);
    out.flush();
    BoundedLine<512> line;
    BoundedLine<10> short_line;
    append(line, parts...);
    append(short_line, parts...);
    EXPECT_EQ(line.text(), sink.text.substr(0, 512)) << "in 512 bytes";
    EXPECT_EQ(short_line.text(), sink.text.substr(0, 10)) << "in 10 bytes";
    MessageLine message;
    append(message, parts...);
    EXPECT_EQ(message.on_a_new_line(), "\nmatinv: " + sink.text.substr(0, 502) + '\n')
        << "in a message line";
    return sink.text;
}

TEST(Append, WritesEachPartInItsFormAndCutsWhatDoesNotFit) {
    const double largest = std::numeric_limits<double>::max();
    char printed[400];
    std::snprintf(printed, sizeof printed, "1234%.10f|", -largest);
    const std::string long_text(600, 'w');  // longer than any of the lines
    const std::pair<std::string, std::string> cases[] = {
        {appended("  row ", 3, " / ", shortest(-1.714285714285714, 10), '\n'),
         "  row 3 / -1.714285714\n"},
        {appended(std::numeric_limits<std::int64_t>::min(), ' ', ~std::uint64_t{0}, ' ', -7, ' ',
                  std::size_t{10}),
         "-9223372036854775808 18446744073709551615 -7 10"},
        {appended(fixed10(-0.0), '\t', fixed10(2.0 / 3), '\t', fixed10(-std::nan(""))),
         "-0.0000000000\t0.6666666667\t-nan"},
        {appended(round_trip(0.1), ' ', round_trip(1e-12), ' ', shortest(1e30, 10)),
         "0.1 1e-12 1e+30"},
        // Round trips in the shorter form, fixed on a tie; whole numbers exact.
        {appended(round_trip(-0.0), ' ', round_trip(1e-4), ' ', round_trip(0.001), ' ',
                  round_trip(1e8), ' ', round_trip(123456789.0), ' ', round_trip(0x1p60), ' ',
                  round_trip(-2.5e-11), ' ', round_trip(5e-324), ' ', round_trip(0.1 + 0.2), ' ',
                  round_trip(1e23), ' ', round_trip(-std::numeric_limits<double>::infinity())),
         "-0 1e-04 0.001 1e+08 123456789 1152921504606846976 -2.5e-11 5e-324 "
         "0.30000000000000004 1e+23 -inf"},
        {appended("1234", fixed10(-largest), '|'), printed},
        {appended(fixed10(1.0), long_text), "1.0000000000" + long_text},
    };
    for (const auto& [written, expected] : cases) {
        EXPECT_EQ(written, expected) << "expected " << expected;
    }
}

}  // namespace
}  // namespace matinv
