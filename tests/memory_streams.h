#pragma once

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "dialogue/byte_streams.h"

namespace matinv::testing {

// Hands out a fixed text, at most `chunk` bytes per read, and records what
// the output sink held each time it was asked to wait for input.
class TextSource final : public Source {
public:
    explicit TextSource(std::string text, std::size_t chunk = 1 << 20,
                        const std::string* output = nullptr)
        : text_(std::move(text)), chunk_(chunk), output_(output) {}

    std::size_t read_some(char* buffer, std::size_t capacity) override {
        if (output_ != nullptr) {
            output_seen_at_reads.push_back(*output_);
        }
        const std::size_t size = std::min({capacity, chunk_, text_.size() - position_});
        std::memcpy(buffer, text_.data() + position_, size);
        position_ += size;
        return size;
    }

    std::vector<std::string> output_seen_at_reads;

private:
    std::string text_;
    std::size_t position_ = 0;
    std::size_t chunk_;
    const std::string* output_;
};

class StringSink final : public Sink {
public:
    bool write_all(const char* data, std::size_t size) override {
        text.append(data, size);
        return true;
    }
    std::string text;
};

}  // namespace matinv::testing
