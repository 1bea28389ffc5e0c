#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <string_view>

#include "io/output_buffer.h"
#include "support/memory_streams.h"

namespace matinv::testing {

// The chunk limits that a text is read with besides whole, each from
// smallest to largest: under a limit of k, reads take 1, 2, ..., k bytes in
// turn, so that every number straddles refills of the reader's buffer.
struct ChunkLimits {
    std::size_t smallest;
    std::size_t largest;
};

// Reads `text` whole (chunk limit 0) and in the reads of each limit, each
// way through a fresh Reader(source, pending output) that check(reader,
// source) reads and judges, so that every way is held to the same
// expectations. Failures name the text and the way it arrived.
template <class Reader, class Check>
void read_each_way(std::string_view text, ChunkLimits limits, Check check) {
    // Control bytes are shown as \xNN, so that the name stays on its line.
    static constexpr char kHex[] = "0123456789abcdef";
    std::string name = "reading \"";
    for (const unsigned char c : text.substr(0, 40)) {
        if (c >= 0x20 && c < 0x7f) {
            name += static_cast<char>(c);
        } else {
            name += {'\\', 'x', kHex[c >> 4], kHex[c & 0xf]};
        }
    }
    name += text.size() > 40 ? "...\"" : "\"";
    const auto read_one_way = [&](std::size_t limit) {
        SCOPED_TRACE(name +
                     (limit == 0 ? " whole" : " in reads of up to " + std::to_string(limit)));
        MemorySink sink;
        OutputBuffer pending(sink);
        MemorySource source(text, limit);
        source.poison_unfilled = true;
        Reader reader(source, pending);
        check(reader, static_cast<const MemorySource&>(source));
    };
    read_one_way(0);
    for (std::size_t limit = limits.smallest; limit <= limits.largest; ++limit) {
        read_one_way(limit);
    }
}

}  // namespace matinv::testing
