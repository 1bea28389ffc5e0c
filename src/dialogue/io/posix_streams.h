#pragma once

#include "io/byte_streams.h"

// Standard input, output and error as POSIX file descriptors. A descriptor
// that another program left non-blocking is waited on with poll(2), so that
// it behaves as a blocking one.
namespace matinv {

class FdSource final : public Source {
public:
    explicit FdSource(int fd);
    bool is_terminal() const override { return terminal_; }
    long read_ready(char* buffer, std::size_t capacity) override;
    void drop_queued_input() override;

private:
    long read_once(char* buffer, std::size_t capacity, int& error) override;
    int wait_until_readable() override;

    int fd_;
    bool terminal_;
};

class FdSink final : public Sink {
public:
    explicit FdSink(int fd);
    bool is_terminal() const override { return terminal_; }

private:
    long write_once(const char* data, std::size_t size, int& error) override;
    int wait_until_writable() override;

    int fd_;
    bool terminal_;
};

}  // namespace matinv
