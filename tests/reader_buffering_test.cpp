// The reader parses numbers straight from its buffer and reads on only when
// a number may continue past what has arrived. These tests feed the input in
// pieces, as a terminal or a pipe delivers it, and check both the values and
// that the reader never waits for input it does not need.
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

// Hands out the pieces one per read, as a terminal hands out typed lines.
class PieceSource final : public matinv::Source {
public:
    explicit PieceSource(std::vector<std::string> pieces) : pieces_(std::move(pieces)) {}
    std::size_t read_some(char* buffer, std::size_t capacity) override {
        ++reads;
        if (next_ == pieces_.size()) {
            return 0;
        }
        std::string& piece = pieces_[next_];
        const std::size_t part = std::min(capacity, piece.size() - offset_);
        std::memcpy(buffer, piece.data() + offset_, part);
        offset_ += part;
        if (offset_ == piece.size()) {
            ++next_;
            offset_ = 0;
        }
        return part;
    }
    int reads = 0;

private:
    std::vector<std::string> pieces_;
    std::size_t next_ = 0;
    std::size_t offset_ = 0;
};

using matinv::MemorySink;

std::uint64_t bits(double x) {
    std::uint64_t b;
    std::memcpy(&b, &x, sizeof b);
    return b;
}

std::string describe(const std::vector<std::string>& pieces) {
    std::string text;
    for (const std::string& piece : pieces) {
        text += '[';
        for (char c : piece) {
            text += c == '\n' ? std::string("\\n") : std::string(1, c);
        }
        text += ']';
    }
    return text;
}

struct PiecesCase {
    std::vector<std::string> pieces;
    std::vector<double> values;  // read one after another with read_entry
    int reads;                   // reads of the input once the last value is taken
};

TEST(ReaderBuffering, NumbersSplitAcrossReadsAndNumbersEndingAReadAreTakenWithoutWaiting) {
    const PiecesCase cases[] = {
        // A number that ends a typed line is complete: no further read.
        {{"4 7\n"}, {4.0, 7.0}, 1},
        {{"4 7\n", "2 6\n"}, {4.0, 7.0}, 1},
        {{"2.5e\n"}, {2.5}, 1},
        {{"1e+\n"}, {1.0}, 1},
        {{"-0.125\t"}, {-0.125}, 1},
        {{"3 "}, {3.0}, 1},
        // A number cut off by the end of a read continues in the next.
        {{"4 7", "5\n"}, {4.0, 75.0}, 2},
        {{"1e", "5 "}, {1e5}, 2},
        {{"1e", "-", "2 "}, {1e-2}, 3},
        {{"-", "3 "}, {-3.0}, 2},
        {{".", "5 "}, {0.5}, 2},
        {{"1.", "25e-", "2 "}, {0.0125}, 3},
        {{"12", "34", "56\n"}, {123456.0}, 3},
        // A number at the very end of the input.
        {{"4 7"}, {4.0, 7.0}, 2},
        {{"9e"}, {9.0}, 2},
    };
    for (const PiecesCase& c : cases) {
        PieceSource source(c.pieces);
        MemorySink sink;
        matinv::OutputBuffer pending(sink);
        matinv::InputReader reader(source, pending);
        for (double expected : c.values) {
            double value = 0.0;
            ASSERT_EQ(reader.read_entry(value), matinv::ReadStatus::ok) << describe(c.pieces);
            EXPECT_EQ(value, expected) << describe(c.pieces);
        }
        EXPECT_EQ(source.reads, c.reads) << "reads of the input for " << describe(c.pieces);
    }
}

using Random = matinv::testing::LcgRandom;

std::string random_token(Random& random) {
    static const char* const kShapes[] = {"-12.3456",
                                          "7",
                                          "+.5",
                                          "1e5",
                                          "2.5E-3",
                                          "-0",
                                          "123456789012345678901234567890",
                                          "0.000001e+2",
                                          "9007199254740993",
                                          "3.",
                                          "1e-400",
                                          "4e400"};
    return kShapes[random.below(12)];
}

TEST(ReaderBuffering, AnySplitOfTheInputGivesTheValuesOfTheWholeText) {
    Random random(11);
    std::vector<std::string> tokens;
    std::string text;
    for (int i = 0; i < 3000; ++i) {
        tokens.push_back(random_token(random));
        text += tokens.back();
        text += random.below(4) == 0 ? "\n" : " ";
    }
    for (int round = 0; round < 20; ++round) {
        std::vector<std::string> pieces;
        for (std::size_t at = 0; at < text.size();) {
            const std::size_t size =
                1 + static_cast<std::size_t>(random.below(round < 10 ? 4 : 200));
            pieces.push_back(text.substr(at, size));
            at += size;
        }
        PieceSource source(pieces);
        MemorySink sink;
        matinv::OutputBuffer pending(sink);
        matinv::InputReader reader(source, pending);
        for (std::size_t i = 0; i < tokens.size(); ++i) {
            double value = 0.0;
            ASSERT_EQ(reader.read_entry(value), matinv::ReadStatus::ok)
                << "token " << i << " " << tokens[i] << ", round " << round;
            ASSERT_EQ(bits(value), bits(std::strtod(tokens[i].c_str(), nullptr)))
                << "token " << i << " " << tokens[i] << ", round " << round;
        }
        double after = 0.0;
        EXPECT_EQ(reader.read_entry(after), matinv::ReadStatus::ended) << "round " << round;
    }
}

// Numbers longer than the reader's buffer are read through in a stream.
TEST(ReaderBuffering, NumbersLongerThanTheBufferAreReadWhole) {
    const std::string long_fraction = "0." + std::string(100000, '0') + "15e100005";
    const std::string long_integer = "-" + std::string(70000, '9') + "e-69990";
    for (const std::size_t piece_size : {std::size_t{4096}, std::size_t{1} << 20}) {
        const std::string text = "7 " + long_fraction + " " + long_integer + "\n8\n";
        std::vector<std::string> pieces;
        for (std::size_t at = 0; at < text.size(); at += piece_size) {
            pieces.push_back(text.substr(at, piece_size));
        }
        PieceSource source(pieces);
        MemorySink sink;
        matinv::OutputBuffer pending(sink);
        matinv::InputReader reader(source, pending);
        const double expected[] = {7.0, std::strtod(long_fraction.c_str(), nullptr),
                                   std::strtod(long_integer.c_str(), nullptr), 8.0};
        for (double e : expected) {
            double value = 0.0;
            ASSERT_EQ(reader.read_entry(value), matinv::ReadStatus::ok)
                << "pieces of " << piece_size;
            EXPECT_EQ(bits(value), bits(e)) << "pieces of " << piece_size;
        }
    }
}

}  // namespace
