#pragma once

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

#include "dialogue/byte_streams.h"

// The dialogue's input and output held in memory, for running it in-process
// in tests, benchmarks and fuzzing.
namespace matinv {

// Serves a fixed text, which must outlive the source. A chunk limit of 0
// hands out as much as the reader asks for; otherwise reads return 1, 2, ...
// up to `chunk_limit` bytes in turn, so that numbers straddle the reader's
// refills as they do when a terminal or a pipe delivers them.
class MemorySource final : public Source {
public:
    explicit MemorySource(std::string_view text, std::size_t chunk_limit = 0)
        : text_(text), chunk_limit_(chunk_limit) {}

    std::size_t read_some(char* buffer, std::size_t capacity) override {
        ++reads;
        std::size_t size = std::min(capacity, text_.size());
        if (chunk_limit_ > 0) {
            size = std::min(size, next_chunk_);
            next_chunk_ = next_chunk_ % chunk_limit_ + 1;
        }
        if (size > 0) {  // an empty input may have no storage at all
            std::memcpy(buffer, text_.data(), size);
            text_.remove_prefix(size);
        }
        return size;
    }

    int reads = 0;  // how often the reader asked for input

private:
    std::string_view text_;
    std::size_t chunk_limit_;
    std::size_t next_chunk_ = 1;
};

class MemorySink final : public Sink {
public:
    bool write_all(const char* data, std::size_t size) override {
        text.append(data, size);
        return true;
    }

    std::string text;
};

}  // namespace matinv
