#pragma once

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

#include "io/byte_streams.h"

#if defined(__SANITIZE_ADDRESS__)
#define MATINV_TEST_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define MATINV_TEST_ASAN 1
#endif
#endif
#ifdef MATINV_TEST_ASAN
#include <sanitizer/asan_interface.h>
#endif

// The dialogue's input and output held in memory, for running it in-process
// in tests, benchmarks and fuzzing. Both can also misbehave as descriptors
// do, so that tests can hold the program to what it does then.
namespace matinv {

// Serves a fixed text, which must outlive the source. A chunk limit of 0
// hands out as much as the reader asks for; otherwise reads return 1, 2, ...
// up to `chunk_limit` bytes in turn, so that numbers straddle the reader's
// refills as they do when a terminal or a pipe delivers them.
class MemorySource final : public Source {
public:
    explicit MemorySource(std::string_view text, std::size_t chunk_limit = 0)
        : text_(text), chunk_limit_(chunk_limit) {}
    MemorySource(const MemorySource&) = delete;
    MemorySource& operator=(const MemorySource&) = delete;
    ~MemorySource() override {
        if (poisoned_end_ != nullptr) {
            poison_after(poisoned_end_);  // the buffer may be reused
        }
    }

    std::size_t chunk_limit() const { return chunk_limit_; }
    // The text is all there, so what a read would take is ready.
    long read_ready(char* buffer, std::size_t capacity) override {
        int error = 0;
        return read_once(buffer, capacity, error);
    }

    int reads = 0;  // how often the reader asked for input
    // When set, every other read fails with EAGAIN, as on a descriptor left
    // non-blocking, until the source has been waited on.
    bool would_block = false;
    int waits = 0;
    // When not 0, waiting fails with this errno value, as a failed poll does.
    int wait_error = 0;
    // When not 0, the read after the text fails with this errno value
    // instead of reporting the end of the input.
    int error_after_text = 0;
    // For a source read into one reader's buffer: under AddressSanitizer,
    // the bytes of the buffer past those a read fills and the 0 that the
    // reader puts after them are poisoned, so that looking further is caught.
    bool poison_unfilled = false;

private:
    long read_once(char* buffer, std::size_t capacity, int& error) override {
        ++reads;
        if (would_block && !ready_) {
            error = EAGAIN;
            return -1;
        }
        ready_ = false;
        if (text_.empty() && error_after_text != 0) {
            error = error_after_text;
            return -1;
        }
        std::size_t size = std::min(capacity, text_.size());
        if (chunk_limit_ > 0) {
            size = std::min(size, next_chunk_);
            next_chunk_ = next_chunk_ % chunk_limit_ + 1;
        }
        if (poison_unfilled) {
            if (poisoned_end_ == nullptr) {
                poisoned_from_ = poisoned_end_ = buffer + capacity;
            }
            poison_after(std::min(buffer + size + 1, poisoned_end_));
        }
        if (size > 0) {  // an empty input may have no storage at all
            std::memcpy(buffer, text_.data(), size);
            text_.remove_prefix(size);
        }
        return static_cast<long>(size);
    }
    int wait_until_readable() override {
        ++waits;
        ready_ = true;
        return wait_error;
    }

    // Poisons [from, poisoned_end_) and nothing before it, changing only the
    // bytes that change.
    void poison_after(char* from) {
#ifdef MATINV_TEST_ASAN
        if (from < poisoned_from_) {
            ASAN_POISON_MEMORY_REGION(from, static_cast<std::size_t>(poisoned_from_ - from));
        } else {
            ASAN_UNPOISON_MEMORY_REGION(poisoned_from_,
                                        static_cast<std::size_t>(from - poisoned_from_));
        }
#endif
        poisoned_from_ = from;
    }

    std::string_view text_;
    std::size_t chunk_limit_;
    std::size_t next_chunk_ = 1;
    bool ready_ = false;
    char* poisoned_from_ = nullptr;
    char* poisoned_end_ = nullptr;
};

class MemorySink final : public Sink {
public:
    bool is_terminal() const override { return terminal; }

    std::string text;
    bool terminal = false;
    // When not 0, each write takes at most this many bytes: a partial write.
    std::size_t chunk_limit = 0;
    // When set, every other write fails with EAGAIN until waited on.
    bool would_block = false;
    int waits = 0;
    int wait_error = 0;  // as for MemorySource
    // The write, counted from 1, that fails with `error_number`; 0 for none.
    int failing_write = 0;
    int error_number = ENOSPC;
    int writes = 0;  // every write attempted, the failing one included

private:
    long write_once(const char* data, std::size_t size, int& error) override {
        ++writes;
        if (writes == failing_write) {
            error = error_number;
            return -1;
        }
        if (would_block && !ready_) {
            error = EAGAIN;
            return -1;
        }
        ready_ = false;
        if (chunk_limit > 0) {
            size = std::min(size, chunk_limit);
        }
        text.append(data, size);
        return static_cast<long>(size);
    }
    int wait_until_writable() override {
        ++waits;
        ready_ = true;
        return wait_error;
    }

    bool ready_ = false;
};

}  // namespace matinv
