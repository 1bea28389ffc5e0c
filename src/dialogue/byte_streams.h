#pragma once

#include <cstddef>

// The dialogue reads and writes through these two seams, so that the whole
// program can run against standard input and output, or against memory in
// tests and fuzzing.
namespace matinv {

class Source {
public:
    virtual ~Source() = default;
    // Reads at most capacity bytes into buffer, waiting if need be; returns
    // how many were read, 0 once the input has ended (or cannot be read).
    virtual std::size_t read_some(char* buffer, std::size_t capacity) = 0;
};

class Sink {
public:
    virtual ~Sink() = default;
    // Writes all size bytes; returns false if they could not all be written.
    virtual bool write_all(const char* data, std::size_t size) = 0;
};

// Standard input, output and error as file descriptors.
class FdSource final : public Source {
public:
    explicit FdSource(int fd) : fd_(fd) {}
    std::size_t read_some(char* buffer, std::size_t capacity) override;

private:
    int fd_;
};

class FdSink final : public Sink {
public:
    explicit FdSink(int fd) : fd_(fd) {}
    bool write_all(const char* data, std::size_t size) override;

private:
    int fd_;
};

}  // namespace matinv
