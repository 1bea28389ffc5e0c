#pragma once

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

#include "dialogue/byte_streams.h"

namespace matinv::fuzz {

// Serves a fixed text as standard input. A chunk limit of 0 hands out as much
// as the reader asks for; otherwise reads return 1, 2, ... up to `chunk_limit`
// bytes in turn, so that numbers and prompts straddle the reader's refills.
class MemorySource final : public Source {
public:
    MemorySource(std::string_view text, std::size_t chunk_limit)
        : text_(text), chunk_limit_(chunk_limit) {}

    std::size_t read_some(char* buffer, std::size_t capacity) override {
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

}  // namespace matinv::fuzz
