#include "dialogue/input_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "dialogue/typed_entries.h"
#include "io/output_buffer.h"
#include "support/lcg_random.h"
#include "support/memory_streams.h"
#include "support/stream_reading.h"

namespace matinv {
namespace {

using testing::LcgRandom;
using testing::read_each_way;

// Hands out one piece per read, as a terminal hands out typed lines, and
// notes what the output held each time the reader asked for input.
class PieceSource final : public Source {
public:
    PieceSource(std::vector<std::string> pieces, const std::string* output = nullptr)
        : pieces_(std::move(pieces)), output_(output) {}
    std::vector<std::string> output_seen_at_reads;

private:
    long read_once(char* buffer, std::size_t capacity, int& /*error*/) override {
        output_seen_at_reads.push_back(output_ ? *output_ : "");
        if (next_ == pieces_.size()) {
            return 0;
        }
        const std::string& piece = pieces_[next_];
        const std::size_t part = std::min(capacity, piece.size() - offset_);
        std::memcpy(buffer, piece.data() + offset_, part);
        offset_ += part;
        if (offset_ == piece.size()) {
            ++next_;
            offset_ = 0;
        }
        return static_cast<long>(part);
    }

    std::vector<std::string> pieces_;
    const std::string* output_;
    std::size_t next_ = 0;
    std::size_t offset_ = 0;
};

bool same_bits(double x, double y) { return std::memcmp(&x, &y, sizeof x) == 0; }

// MinGW's strtod misrounds long and halfway decimals: there from_chars,
// which agrees with glibc's strtod, stands in within the range of doubles.
double strtod_of(const std::string& text) {
#if defined(_WIN32)
    double value = 0;
    if (std::from_chars(text.data(), text.data() + text.size(), value).ec == std::errc{}) {
        return value;
    }
#endif
    return std::strtod(text.c_str(), nullptr);
}

struct Entries {
    std::vector<double> values;
    Found stop = Found::number;
    std::string shown;  // the text found when the reading stopped, as shown
    Found again{};      // a further read after the stop
};

std::string shown(const TypedText& text) { return std::string(ShownText(text.view()).view()); }

// Reads entries until a read finds no number.
Entries read_entries(InputReader& reader) {
    Entries e;
    for (;;) {
        const Token& token = reader.read_entry();
        if (!token.is_number()) {
            e.stop = token.found;
            e.shown = shown(token.text);
            break;
        }
        e.values.push_back(token.value);
    }
    e.again = reader.read_entry().found;
    return e;
}

// Values are those strtod gives for the listed number texts; the rest of a
// token is the next read's.
TEST(ReadEntry, Texts) {
    struct Case {
        std::string input;
        std::vector<std::string> numbers;
        Found stop;
        const char* shown = "";
        // Byte by byte the text is refused once its first bytes rule out a
        // number, quoting only those; when not given, as shown. In larger
        // reads it is quoted as far as it has arrived. A number that runs on
        // has read the text it runs into.
        const char* shown_byte_by_byte = nullptr;
    };
    const auto ended = Found::end;
    const auto refused = Found::text;
    const Case cases[] = {
        // Accepted forms, and white space of every kind.
        {"7 -2.5 +3 .5 5. -.25 1e-3 1E3 2.5e+2 0007.50 -0",
         {"7", "-2.5", "+3", ".5", "5.", "-.25", "1e-3", "1E3", "2.5e+2", "0007.50", "-0"},
         ended},
        {"\t\n\v\f\r 4 ", {"4"}, ended},
        {"", {}, ended},
        // The longest prefix that is a number.
        {"1.2.3", {"1.2", ".3"}, ended},
        {"5e5.5", {"5e5", ".5"}, ended},
        {"1-2", {"1", "-2"}, ended},
        {"0x10", {"0"}, refused, "\"x10\""},
        {"1e", {"1"}, refused, "\"e\""},
        {"1e+", {"1"}, refused, "\"e+\""},
        {"3e-x", {"3"}, refused, "\"e-x\""},
        {"2inf", {"2"}, refused, "\"inf\""},
        // Beyond the range of doubles and below it, and huge exponents.
        {"1e400 -1e400 1e-400 -1e-400 4.9406564584124654e-324 1.7976931348623157e308",
         {"1e400", "-1e400", "1e-400", "-1e-400", "4.9406564584124654e-324",
          "1.7976931348623157e308"},
         ended},
        {"1e99999999999999999999 0e99999999999999999999 1e-99999999999999999999",
         {"1e99999999999999999999", "0", "0"},
         ended},
        {"0." + std::string(100000, '0') + "15e100005", {"15000"}, ended},
        // Not numbers: nothing is taken, and the text is quoted and made safe.
        {"abc", {}, refused, "\"abc\"", "\"a\""},
        {"inf", {}, refused, "\"inf\"", "\"i\""},
        {"-INF", {}, refused, "\"-INF\"", "\"-I\""},
        {"infinity", {}, refused, "\"infinity\"", "\"i\""},
        {"NaN(1)", {}, refused, "\"NaN(1)\"", "\"N\""},
        {"--5", {}, refused, "\"--5\"", "\"--\""},
        {"+-5", {}, refused, "\"+-5\"", "\"+-\""},
        {"-", {}, refused, "\"-\""},
        {".", {}, refused, "\".\""},
        {"-.", {}, refused, "\"-.\""},
        {".e5", {}, refused, "\".e5\"", "\".e\""},
        {"  abc def", {}, refused, "\"abc\"", "\"a\""},
        {std::string("\x01\x1b[2J", 5), {}, refused, "\"\\x01\\x1b[2J\"", "\"\\x01\""},
        {"\"quoted\\\"", {}, refused, "'\"quoted\\\\\"'", "'\"'"},
        {std::string("a\0b", 3), {}, refused, "\"a\\x00b\"", "\"a\""},
        {std::string(100, 'z'), {}, refused, "\"zzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzz\"...", "\"z\""},
        {std::string(32, 'y'), {}, refused, "\"yyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyy\"", "\"y\""},
    };
    for (const Case& c : cases) {
        read_each_way<InputReader>(c.input, {1, 4}, [&](auto& reader, const auto& source) {
            const Entries e = read_entries(reader);
            ASSERT_EQ(e.values.size(), c.numbers.size());
            for (std::size_t i = 0; i < e.values.size(); ++i) {
                EXPECT_TRUE(same_bits(e.values[i], strtod_of(c.numbers[i])))
                    << c.input.substr(0, 20) << ": number " << i << " read as " << e.values[i];
            }
            EXPECT_EQ(e.stop, c.stop);
            if (c.stop == refused) {
                EXPECT_EQ(e.again, refused);
                const bool at_once = source.chunk_limit() == 1 && c.shown_byte_by_byte != nullptr;
                if (source.chunk_limit() <= 1) {
                    EXPECT_EQ(e.shown, at_once ? c.shown_byte_by_byte : c.shown);
                }
            }
        });
    }
}

TEST(ReadOrder, Texts) {
    struct Case {
        std::string input;
        Found found;
        int value;  // beyond int's range, the nearer end of it
        const char* shown;
        const char* shown_byte_by_byte = nullptr;  // when not as shown
    };
    const Case cases[] = {
        {"2", Found::number, 2, "\"2\""},
        {"+3", Found::number, 3, "\"+3\""},
        {"  -4\n", Found::number, -4, "\"-4\""},
        {"007", Found::number, 7, "\"007\""},
        {"2.5", Found::number_running_on, 2, "\"2\""},
        {"10abc", Found::number_running_on, 10, "\"10\""},
        {"2147483647", Found::number, INT_MAX, "\"2147483647\""},
        {"2147483648", Found::number, INT_MAX, "\"2147483648\""},
        {"-2147483648", Found::number, INT_MIN, "\"-2147483648\""},
        {"-2147483649", Found::number, INT_MIN, "\"-2147483649\""},
        {std::string(1000, '9'), Found::number, INT_MAX, "\"99999999999999999999999999999999\"..."},
        {" \n", Found::end, 0, "\"\""},
        {".5", Found::text, 0, "\".5\"", "\".\""},
        {"- 5", Found::text, 0, "\"-\""},
        {"two", Found::text, 0, "\"two\"", "\"t\""},
    };
    for (const Case& c : cases) {
        read_each_way<InputReader>(c.input, {1, 4}, [&](auto& reader, const auto& source) {
            const Token& token = reader.read_order();
            ASSERT_EQ(token.found, c.found) << c.input.substr(0, 20);
            if (token.is_number()) {
                EXPECT_EQ(token.order, c.value) << c.input.substr(0, 20);
            }
            const bool at_once = source.chunk_limit() == 1 && c.shown_byte_by_byte != nullptr;
            if (token.is_number() || (c.found == Found::text && source.chunk_limit() <= 1)) {
                EXPECT_EQ(shown(token.text), at_once ? c.shown_byte_by_byte : c.shown)
                    << c.input.substr(0, 20);
            }
        });
    }
}

// Texts of every shape the reader accepts, most of them near the limits of
// its exact quick conversion on digits and exponent.
std::string random_number_text(LcgRandom& random) {
    auto digits = [&random](int count) {
        std::string text;
        for (int i = 0; i < count; ++i) {
            // Zeros and nines are overweighted: runs of zeros and carries.
            const int pick = random.below(14);
            text += pick < 10 ? static_cast<char>('0' + pick) : (pick < 12 ? '0' : '9');
        }
        return text;
    };
    std::string text = std::string(1, "+-"[random.below(2)]).substr(0, random.below(3) == 0);
    const int integer_digits = random.below(4) == 0 ? 0 : random.below(22);
    const int fraction_digits = random.below(3) == 0 ? 0 : random.below(22);
    text += digits(integer_digits);
    if (fraction_digits > 0 || integer_digits == 0 || random.below(4) == 0) {
        text += "." + digits(fraction_digits == 0 && integer_digits == 0 ? 1 : fraction_digits);
    }
    if (random.below(2) == 0) {
        text += random.below(2) == 0 ? "e" : "E";
        text += std::to_string(random.below(61) - 30);
    }
    return text;
}

// Every value is the one strtod gives for the same text, bit for bit: at the
// borders of the quick paths, for numbers longer than the reader's buffer,
// and for generated texts, with the input split at random.
TEST(ReadEntry, ValuesAgreeWithStrtod) {
    std::vector<std::string> texts = {
        // 2^53 is the largest integer taken whole; 10^22 the largest exact power.
        "9007199254740992",
        "9007199254740993",
        "9007199254740992e22",
        "9007199254740993e-22",
        "9007199254740992e23",
        "9007199254740992e-23",
        "1e22",
        "1e23",
        "1e-22",
        "1e-23",
        "0.1e23",
        "10e-23",
        "123456789e14",
        "0.0000000000000000000001",
        "100000000000000000000000",
        // Nineteen and twenty digits; 2^64 + 1 wraps round to 1 in 64 bits.
        "1234567890123456789",
        "12345678901234567890",
        "18446744073709551617",
        "1844674407370955161.7",
        "0.30000000000000000000001",
        "0.1234567890123456789",
        "1.00000000000000011102230246251565404236316680908203125",
        "-0e22",
        "-.0e-40",
        // Longer than the buffer, and halfway cases decided hundreds of digits on.
        "0." + std::string(100000, '0') + "15e100005",
        "-" + std::string(70000, '9') + "e-69990",
        "2.470328229206232720882843964341106861825299013071623822127928412503377536351043759326"
        "499181808182197" +
            std::string(900, '0') + "1e-324",
        "1" + std::string(400, '0') + "." + std::string(400, '0') + "1e-400",
        // 2^53 + 1 lies halfway between two doubles; a 1 far past the kept
        // digits puts it above, so it rounds up to 2^53 + 2.
        "9007199254740993." + std::string(900, '0') + "1",
        "9007199254740993",
    };
    LcgRandom random(7);
    for (int i = 0; i < 200000; ++i) {
        texts.push_back(random_number_text(random));
    }
    // Small reads make each number straddle refills; they go over the first
    // few thousand texts, which include every hand-picked one.
    const struct {
        std::size_t count;
        testing::ChunkLimits limits;
    } rounds[] = {{texts.size(), {200, 200}}, {5000, {1, 4}}};
    for (const auto& round : rounds) {
        std::string stream;
        for (std::size_t i = 0; i < round.count; ++i) {
            stream += texts[i] + (random.below(4) == 0 ? "\n" : " ");
        }
        read_each_way<InputReader>(stream, round.limits, [&](auto& reader, const auto&) {
            const Entries e = read_entries(reader);
            ASSERT_EQ(e.values.size(), round.count);
            for (std::size_t i = 0; i < round.count; ++i) {
                ASSERT_TRUE(same_bits(e.values[i], strtod_of(texts[i])))
                    << texts[i].substr(0, 60) << " read as " << e.values[i];
            }
        });
    }
}

// True halfway points between doubles take hundreds of digits: 2^-1075,
// between 0 and the smallest subnormal, and 3 x 2^-1075, between it and
// twice it, have 752 significant digits each. Exactly halfway rounds to
// the even neighbour; a 1 past the 800th digit tips the value up; one less
// in the last digit, then nines past the 800th, tips it down. Keeping too
// few digits, or forgetting that a dropped digit was not zero, turns one of
// these round the wrong way.
TEST(ReadEntry, HalfwayPointsBetweenDoubles) {
    // m x 2^-1075 is m x 5^1075 x 10^-1075: the digits of m x 5^1075 with
    // the point 1075 places to their left.
    const auto halfway = [](int multiple) {
        std::string digits = std::to_string(multiple);
        for (int power = 0; power < 1075; ++power) {
            int carry = 0;
            for (auto digit = digits.rbegin(); digit != digits.rend(); ++digit) {
                const int product = (*digit - '0') * 5 + carry;
                *digit = static_cast<char>('0' + product % 10);
                carry = product / 10;
            }
            if (carry > 0) {
                digits.insert(digits.begin(), static_cast<char>('0' + carry));
            }
        }
        return std::pair{"0." + std::string(1075 - digits.size(), '0'), digits};
    };
    const auto above = [](std::string digits) { return digits + std::string(850, '0') + "1"; };
    const auto below = [](std::string digits) {
        --digits.back();  // the last digit of m x 5^1075 is 5
        return digits + std::string(850, '9');
    };
    const double tiny = std::numeric_limits<double>::denorm_min();
    const auto [point1, one] = halfway(1);
    const auto [point3, three] = halfway(3);
    const struct {
        const char* name;
        std::string text;
        double value;
    } cases[] = {
        {"2^-1075", point1 + one, 0.0},
        {"2^-1075 and a 1 past the 800th digit", point1 + above(one), tiny},
        {"just below 2^-1075", point1 + below(one), 0.0},
        {"3 x 2^-1075", point3 + three, 2 * tiny},
        {"3 x 2^-1075 and a 1 past the 800th digit", point3 + above(three), 2 * tiny},
        {"just below 3 x 2^-1075", point3 + below(three), tiny},
        {"-(just below 3 x 2^-1075)", "-" + point3 + below(three), -tiny},
    };
    ASSERT_EQ(one.size(), 752u);
    for (const auto& c : cases) {
        read_each_way<InputReader>(c.text, {7, 7}, [&](auto& reader, const auto&) {
            const Entries e = read_entries(reader);
            ASSERT_EQ(e.values.size(), 1u) << c.name;
            EXPECT_TRUE(same_bits(e.values[0], c.value)) << c.name << " read as " << e.values[0];
        });
    }
}

// The reader asks for more input only when a number may go on past what has
// arrived: a number that ends a typed line is taken at once.
TEST(ReadEntry, ReadsOnlyWhatItNeeds) {
    struct Case {
        std::vector<std::string> pieces;
        std::vector<double> values;
        std::size_t reads;  // reads of the input once the last value is taken
    };
    const Case cases[] = {
        {{"4 7\n"}, {4, 7}, 1},
        {{"4 7\n", "2 6\n"}, {4, 7}, 1},
        {{"2.5e\n"}, {2.5}, 1},
        {{"1e+\n"}, {1}, 1},
        {{"-0.125\t"}, {-0.125}, 1},
        {{"4 7", "5\n"}, {4, 75}, 2},
        {{"1e", "5 "}, {1e5}, 2},
        {{"1e", "-", "2 "}, {1e-2}, 3},
        {{"-", "3 "}, {-3}, 2},
        {{".", "5 "}, {0.5}, 2},
        {{"1.", "25e-", "2 "}, {0.0125}, 3},
        {{"12", "34", "56\n"}, {123456}, 3},
        {{"4 7"}, {4, 7}, 2},  // the end of the input is a read too
        {{"9e"}, {9}, 2},
    };
    for (const Case& c : cases) {
        MemorySink sink;
        OutputBuffer out(sink);
        PieceSource source(c.pieces);
        InputReader reader(source, out);
        std::string label = c.pieces[0];
        for (std::size_t i = 1; i < c.pieces.size(); ++i) {
            label += "|" + c.pieces[i];
        }
        for (const double expected : c.values) {
            const Token& token = reader.read_entry();
            ASSERT_TRUE(token.is_number()) << label;
            EXPECT_EQ(token.value, expected) << label;
        }
        EXPECT_EQ(source.output_seen_at_reads.size(), c.reads) << label;
    }
}

// The decimal typed, kept beside its double for every entry, as sign,
// digits and power of ten; "" when it has more digits than can be kept.
TEST(ReadEntry, KeepsTheDecimalAsTyped) {
    const std::pair<const char*, const char*> cases[] = {
        {"49.1564 ", "491564e-4"},
        {"-0.00120e3 ", "-12e-1"},
        {"7-1 ", "7e0"},
        {"1e400 ", "1e400"},
        {"12345678901234567890 ", "1234567890123456789e1"},
        {"1.00000000000000000000000001 ", ""}};
    for (const auto& c : cases) {
        read_each_way<InputReader>(c.first, {1, 1}, [&](auto& reader, const auto& /*source*/) {
            TypedEntries typed;
            ASSERT_TRUE(reader.read_entry(typed.slot(1, 2)).is_number());
            const DecimalParts* p = typed.typed_entry(1, 2);
            EXPECT_EQ(p == nullptr ? ""
                                   : std::string(p->negative() ? "-" : "").append(p->digits()) +
                                         "e" + std::to_string(p->exponent()),
                      c.second)
                << "input " << c.first;
        });
    }
}

// Pending output reaches the sink right before the reader waits for input,
// and not at every prompt: typed-ahead numbers cost no write.
TEST(ReadEntry, FlushesPendingOutputOnlyBeforeItWaits) {
    MemorySink sink;
    OutputBuffer out(sink);
    PieceSource source({"5 6 "}, &sink.text);
    InputReader reader(source, out);
    out.put("first? ");
    ASSERT_EQ(reader.read_entry().found, Found::number);
    out.put("second? ");
    const Token& second = reader.read_entry();
    ASSERT_EQ(second.found, Found::number);
    EXPECT_EQ(second.value, 6);
    EXPECT_EQ(source.output_seen_at_reads, std::vector<std::string>{"first? "});
    EXPECT_EQ(sink.text, "first? ");
    out.put("third? ");
    EXPECT_EQ(reader.read_entry().found, Found::end);
    EXPECT_EQ(source.output_seen_at_reads.back(), "first? second? third? ");
}

// Once the output cannot be written, the input ends for the reader, though
// it goes on; the output tells why.
TEST(ReadEntry, StopsWhenPendingOutputCannotBeWritten) {
    MemorySink sink;
    sink.failing_write = 2;
    OutputBuffer out(sink);
    PieceSource source({"5 ", "6 "});
    InputReader reader(source, out);
    out.put("first? ");
    ASSERT_EQ(reader.read_entry().found, Found::number);
    out.put("second? ");
    EXPECT_EQ(reader.read_entry().found, Found::end);
    EXPECT_TRUE(out.failed());
    EXPECT_EQ(source.output_seen_at_reads.size(), 1U);
}

// An order, then entries until a read is not ok: that read's place is the
// first byte of the refused text, or the end of the input; for an order
// beyond int's range, the order's first byte. In small reads the reader
// drops the bytes it has taken at every refill.
TEST(Reader, PlacesOfFaults) {
    const auto ended = Found::end;
    const auto refused = Found::text;
    std::string many_lines = "2\n";
    for (int i = 0; i < 50000; ++i) {
        many_lines += "1\n";
    }
    std::string long_line = "2 ";
    for (int i = 0; i < 40000; ++i) {
        long_line += "1 ";
    }
    const struct {
        const char* name;
        std::string input;
        Found stop;  // number: the order was beyond int's range
        std::uint64_t line;
        std::uint64_t column;
    } cases[] = {
        {"nothing", "", ended, 1, 1},
        {"only blanks", "  \n \t", ended, 2, 3},
        {"a row cut short", "2\n1 2\n", ended, 3, 1},
        {"a word after an empty line", "2\n\n  1 x", refused, 3, 5},
        {"a carriage return and a tab are one column each", "2 1\r\n\tabc", refused, 2, 2},
        {"a sign alone at the end", "2\n 1 2 3 -", refused, 2, 8},
        {"an order of 1000 digits", "\n\n  " + std::string(1000, '9'), Found::number, 3, 3},
        {"a word after 50,001 lines", many_lines + "z", refused, 50002, 1},
        {"the end after 50,001 lines", many_lines, ended, 50002, 1},
        {"a word after 70,000 blanks", "2 " + std::string(70000, ' ') + "\n\nq", refused, 3, 1},
        {"a word at column 80,003", long_line + "w", refused, 1, 80003},
        {"an order of 1000 digits after 70,000 lines",
         std::string(70000, '\n') + std::string(1000, '9'), Found::number, 70001, 1},
    };
    for (const auto& c : cases) {
        read_each_way<InputReader>(c.input, {1, 3}, [&](auto& reader, const auto&) {
            const Token* token = &reader.read_order();
            const bool beyond_int = token->is_number() && token->order == INT_MAX;
            while (token->is_number() && !beyond_int) {
                token = &reader.read_entry();
            }
            EXPECT_EQ(token->found, c.stop) << c.name;
            EXPECT_EQ(reader.place().line, c.line) << c.name;
            EXPECT_EQ(reader.place().column, c.column) << c.name;
        });
    }
}

// Whether a number runs on into text is known without waiting, since the
// byte after a number has always arrived by the time it is read; the text
// it runs into is kept without taking it, beside the number's own text.
TEST(Reader, TellsWhetherANumberRunsOn) {
    const struct {
        std::string input;  // an order, and for order 1 an entry
        bool runs_on;
        const char* ahead;
        Found then;               // the read of an entry after that
        const char* number = "";  // the text of the number that runs on
    } cases[] = {
        {"2.0", true, "\".0\"", Found::number, "\"2\""},
        {"2 ", false, "", Found::end},
        {"2", false, "", Found::end},
        {"1 1.5e", true, "\"e\"", Found::text, "\"1.5\""},
        {"1 -3e+", true, "\"e+\"", Found::text, "\"-3\""},
        {"1 7-1", true, "\"-1\"", Found::number, "\"7\""},
        {"1 3..5", true, "\".5\"", Found::number, "\"3.\""},
        {"1 2.5.1", true, "\".1\"", Found::number, "\"2.5\""},
        {std::string("1 4\0", 4), true, "\"\\x00\"", Found::text, "\"4\""},
        {"1 4\n5", false, "", Found::number},
    };
    for (const auto& c : cases) {
        read_each_way<InputReader>(c.input, {1, 2}, [&](auto& reader, const auto&) {
            const Token* token = &reader.read_order();
            ASSERT_TRUE(token->is_number()) << c.input;
            if (token->order == 1) {
                token = &reader.read_entry();
            }
            const auto found = c.runs_on ? Found::number_running_on : Found::number;
            EXPECT_EQ(token->found, found) << c.input;
            if (c.runs_on) {
                EXPECT_EQ(shown(token->text), c.number) << c.input;
                EXPECT_EQ(shown(token->rest), c.ahead) << c.input;
            }
            EXPECT_EQ(reader.read_entry().found, c.then) << c.input;
        });
    }
}

// After an order, the rest of its typed line when it goes on with a number,
// however the line ends: a number cut short at the end of what arrived is
// still one that the next read takes.
TEST(Reader, FindsNumbersTypedAhead) {
    const struct {
        const char* line;
        const char* ahead;
    } cases[] = {
        {"2 3 4\n", "3 4"}, {"2  .5 x \n", ".5 x"}, {"2 -7", "-7"}, {"2 1e", "1e"}, {"2 x 3\n", ""},
        {"2   \n", ""},     {"2\n3 4\n", ""},       {"2 -", ""},    {"2 -.", ""},   {"2 .", ""},
        {"2", ""},
    };
    for (const auto& c : cases) {
        PieceSource source({c.line});
        MemorySink sink;
        OutputBuffer out(sink);
        InputReader reader(source, out);
        ASSERT_TRUE(reader.read_order().is_number()) << c.line;
        EXPECT_EQ(reader.numbers_typed_ahead(), c.ahead) << c.line;
    }
}

}  // namespace
}  // namespace matinv
