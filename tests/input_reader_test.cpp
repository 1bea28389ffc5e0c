#include "dialogue/input_reader.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "dialogue/memory_streams.h"
#include "dialogue/output_buffer.h"

namespace matinv {
namespace {

// Reads with a whole-text source and with one that hands out a byte at a
// time, so that every token also straddles a refill of the reader's buffer.
constexpr std::size_t kChunkSizes[] = {0, 1};

std::string quoted(const std::string& text) {
    std::string label;
    label.append(1, '"').append(text).append(1, '"');
    return label;
}

std::string chunk_name(std::size_t chunk) { return chunk == 1 ? " (byte by byte)" : ""; }

struct Reading {
    ReadStatus status;
    double value = 0;
    std::string text;  // last_text() after the read
    ReadStatus next;   // what the following entry read finds
    double next_value = 0;
};

Reading read_two_entries(const std::string& input, std::size_t chunk) {
    MemorySink sink;
    OutputBuffer out(sink);
    MemorySource source(input, chunk);
    InputReader reader(source, out);
    Reading r;
    r.status = reader.read_entry(r.value);
    r.text = reader.last_text();
    r.next = reader.read_entry(r.next_value);
    return r;
}

bool same_double(double x, double y) { return std::memcmp(&x, &y, sizeof x) == 0; }

// Accepted entries: the value is the one strtod gives for the number's text,
// and what follows is left for the next read.
TEST(ReadEntry, AcceptedTexts) {
    struct Case {
        const char* input;
        double value;
        ReadStatus next;  // after the first number
        double next_value = 0;
    };
    const Case cases[] = {
        {"7", 7, ReadStatus::ended},
        {"-2.5", -2.5, ReadStatus::ended},
        {"+3", 3, ReadStatus::ended},
        {".5", 0.5, ReadStatus::ended},
        {"5.", 5, ReadStatus::ended},
        {"-.25", -0.25, ReadStatus::ended},
        {"1e-3", 1e-3, ReadStatus::ended},
        {"1E3", 1000, ReadStatus::ended},
        {"2.5e+2", 250, ReadStatus::ended},
        {"0007.50", 7.5, ReadStatus::ended},
        {"0.1", 0.1, ReadStatus::ended},
        {"-0", -0.0, ReadStatus::ended},
        {"\t\n\v\f\r 4 ", 4, ReadStatus::ended},
        // The longest prefix that is a number; the rest is the next read's.
        {"1.2.3", 1.2, ReadStatus::ok, 0.3},
        {"5e5.5", 5e5, ReadStatus::ok, 0.5},
        {"1-2", 1, ReadStatus::ok, -2},
        {"0x10", 0, ReadStatus::not_a_number},
        {"1e", 1, ReadStatus::not_a_number},
        {"1e+", 1, ReadStatus::not_a_number},
        {"3e-x", 3, ReadStatus::not_a_number},
        {"2inf", 2, ReadStatus::not_a_number},
        // Beyond the range of doubles, and below it.
        {"1e400", HUGE_VAL, ReadStatus::ended},
        {"-1e400", -HUGE_VAL, ReadStatus::ended},
        {"1e-400", 0, ReadStatus::ended},
        {"-1e-400", -0.0, ReadStatus::ended},
        {"4.9406564584124654e-324", 4.9406564584124654e-324, ReadStatus::ended},
        {"2.2250738585072011e-308", 2.2250738585072011e-308, ReadStatus::ended},
        {"1.7976931348623157e308", 1.7976931348623157e308, ReadStatus::ended},
        {"1e99999999999999999999", HUGE_VAL, ReadStatus::ended},
        {"0e99999999999999999999", 0, ReadStatus::ended},
        {"1e-99999999999999999999", 0, ReadStatus::ended},
    };
    for (const Case& c : cases) {
        for (const std::size_t chunk : kChunkSizes) {
            const Reading r = read_two_entries(c.input, chunk);
            const std::string label = quoted(c.input) + chunk_name(chunk);
            ASSERT_EQ(r.status, ReadStatus::ok) << label;
            EXPECT_TRUE(same_double(r.value, c.value)) << label << " read as " << r.value;
            EXPECT_EQ(r.next, c.next) << label;
            if (c.next == ReadStatus::ok) {
                EXPECT_TRUE(same_double(r.next_value, c.next_value)) << label;
            }
        }
    }
}

// Not numbers: refused without a value, the text quoted and made safe.
TEST(ReadEntry, RejectedTexts) {
    const std::string long_junk(100, 'z');
    struct Case {
        std::string input;
        const char* shown;
    };
    const Case cases[] = {
        {"abc", "\"abc\""},
        {"x10", "\"x10\""},
        {"inf", "\"inf\""},
        {"-INF", "\"-INF\""},
        {"infinity", "\"infinity\""},
        {"nan", "\"nan\""},
        {"NaN(1)", "\"NaN(1)\""},
        {"--5", "\"--5\""},
        {"+-5", "\"+-5\""},
        {"-", "\"-\""},
        {".", "\".\""},
        {"-.", "\"-.\""},
        {".e5", "\".e5\""},
        {"e5", "\"e5\""},
        {"  abc def", "\"abc\""},
        {std::string("\x01\x1b[2J", 5), "\"\\x01\\x1b[2J\""},
        {"\"quoted\\\"", "\"\\x22quoted\\x5c\\x22\""},
        {std::string("a\0b", 3), "\"a\\x00b\""},
        {long_junk, "\"zzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzz\"..."},
        {std::string(32, 'y'), "\"yyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyy\""},
    };
    for (const Case& c : cases) {
        for (const std::size_t chunk : kChunkSizes) {
            const Reading r = read_two_entries(c.input, chunk);
            const std::string label = quoted(c.input) + chunk_name(chunk);
            EXPECT_EQ(r.status, ReadStatus::not_a_number) << label;
            EXPECT_EQ(r.text, c.shown) << label;
            // Nothing was taken: the same text stands in the way again.
            EXPECT_EQ(r.next, ReadStatus::not_a_number) << label;
        }
    }
}

TEST(ReadEntry, EndOfInput) {
    for (const char* input : {"", " ", "\n\t \r\n"}) {
        const Reading r = read_two_entries(input, 1);
        EXPECT_EQ(r.status, ReadStatus::ended) << "\"" << input << "\"";
    }
}

struct OrderReading {
    ReadStatus status;
    Order order;
    std::string text;
};

OrderReading read_order_of(const std::string& input, std::size_t chunk) {
    MemorySink sink;
    OutputBuffer out(sink);
    MemorySource source(input, chunk);
    InputReader reader(source, out);
    OrderReading r;
    r.status = reader.read_order(r.order);
    r.text = reader.last_text();
    return r;
}

TEST(ReadOrder, Texts) {
    struct Case {
        std::string input;
        ReadStatus status;
        int value;
        bool too_large;
        const char* shown;
    };
    const std::string thousand_digits(1000, '9');
    const Case cases[] = {
        {"2", ReadStatus::ok, 2, false, "\"2\""},
        {"+3", ReadStatus::ok, 3, false, "\"+3\""},
        {"  -4\n", ReadStatus::ok, -4, false, "\"-4\""},
        {"007", ReadStatus::ok, 7, false, "\"007\""},
        {"2.5", ReadStatus::ok, 2, false, "\"2\""},
        {"10abc", ReadStatus::ok, 10, false, "\"10\""},
        {"2147483647", ReadStatus::ok, INT_MAX, false, "\"2147483647\""},
        {"2147483648", ReadStatus::ok, INT_MAX, true, "\"2147483648\""},
        {"-2147483648", ReadStatus::ok, INT_MIN, false, "\"-2147483648\""},
        {"-2147483649", ReadStatus::ok, INT_MIN, false, "\"-2147483649\""},
        {thousand_digits, ReadStatus::ok, INT_MAX, true, "\"99999999999999999999999999999999\"..."},
        {"", ReadStatus::ended, 0, false, ""},
        {" \n", ReadStatus::ended, 0, false, ""},
        {".5", ReadStatus::not_a_number, 0, false, "\".5\""},
        {"+", ReadStatus::not_a_number, 0, false, "\"+\""},
        {"- 5", ReadStatus::not_a_number, 0, false, "\"-\""},
        {"two", ReadStatus::not_a_number, 0, false, "\"two\""},
    };
    for (const Case& c : cases) {
        for (const std::size_t chunk : kChunkSizes) {
            const OrderReading r = read_order_of(c.input, chunk);
            const std::string label = quoted(c.input.substr(0, 20)) + chunk_name(chunk);
            ASSERT_EQ(r.status, c.status) << label;
            if (c.status == ReadStatus::ok) {
                EXPECT_EQ(r.order.value, c.value) << label;
                EXPECT_EQ(r.order.too_large, c.too_large) << label;
            }
            if (c.status != ReadStatus::ended) {
                EXPECT_EQ(r.text, c.shown) << label;
            }
        }
    }
}

double read_one(const std::string& text) {
    MemorySink sink;
    OutputBuffer out(sink);
    MemorySource source(text);
    InputReader reader(source, out);
    double value = 0;
    EXPECT_EQ(reader.read_entry(value), ReadStatus::ok) << text.substr(0, 40);
    return value;
}

// Numbers far longer than any buffer: digits past the first few hundred
// still decide the rounding when the kept ones lie exactly halfway.
TEST(ReadEntry, VeryLongNumbersRoundAsStrtod) {
    // 2^-1075 + 2^-1126, written out in full: the halfway point below the
    // smallest subnormal, nudged up by a digit hundreds of places further on.
    const std::string halfway_plus =
        "2.4703282292062327208828439643411068618252990130716238221279284125033775363510437593264"
        "99181808182197" +
        std::string(900, '0') + "1e-324";
    const std::string texts[] = {
        std::string(5000, '1'),
        "0." + std::string(3000, '0') + "17e3000",
        std::string(2000, '9') + "e-2000",
        halfway_plus,
        "1" + std::string(400, '0') + "." + std::string(400, '0') + "1e-400",
    };
    for (const std::string& text : texts) {
        const double expected = std::strtod(text.c_str(), nullptr);
        EXPECT_TRUE(same_double(read_one(text), expected)) << text.substr(0, 60) << "...";
    }
}

// Notes what the output held each time the reader asked for input.
class RecordingSource final : public Source {
public:
    RecordingSource(std::string_view text, const std::string& output)
        : inner_(text), output_(output) {}
    std::size_t read_some(char* buffer, std::size_t capacity) override {
        output_seen_at_reads.push_back(output_);
        return inner_.read_some(buffer, capacity);
    }
    std::vector<std::string> output_seen_at_reads;

private:
    MemorySource inner_;
    const std::string& output_;
};

// Pending output reaches the sink right before the reader waits for input,
// and not at every prompt: typed-ahead numbers cost no write.
TEST(InputReader, FlushesPendingOutputOnlyBeforeItWaits) {
    MemorySink sink;
    OutputBuffer out(sink);
    RecordingSource source("5 6 ", sink.text);
    InputReader reader(source, out);
    out.put("first? ");
    double value = 0;
    ASSERT_EQ(reader.read_entry(value), ReadStatus::ok);
    out.put("second? ");
    ASSERT_EQ(reader.read_entry(value), ReadStatus::ok);
    EXPECT_EQ(value, 6);
    ASSERT_EQ(source.output_seen_at_reads.size(), 1u);
    EXPECT_EQ(source.output_seen_at_reads[0], "first? ");
    EXPECT_EQ(sink.text, "first? ");

    out.put("third? ");
    EXPECT_EQ(reader.read_entry(value), ReadStatus::ended);
    EXPECT_EQ(source.output_seen_at_reads.back(), "first? second? third? ");
}

}  // namespace
}  // namespace matinv
