#include <emscripten.h>

#include <cerrno>
#include <cstddef>
#include <string_view>

#include "io/standard_streams.h"

// Compiled to WebAssembly, the program has no descriptors of its own: its
// standard streams belong to a host, the object Module.matinvHost that
// whoever starts the module hands over (web/node_host.js under node, the
// page's terminal in a browser). emscripten's own streams would not do:
// they all count as terminals, hold output back until a line ends, so that
// a prompt never shows, and abort where a terminal's input is dropped.
//
// Reading waits for the host's promise: -sASYNCIFY unwinds the program and
// rewinds it once the bytes have come, so that the dialogue reads as it
// does everywhere else. A host names a failure with the POSIX name of its
// errno value in the `code` of what it throws or rejects with, as node's
// fs does; the name comes back through `reason`.
namespace {

constexpr std::size_t kReasonRoom = 16;

// The bodies are JavaScript, which clang-format would lay out as C++.
// clang-format off
EM_JS(int, host_is_terminal, (int fd), { return Module.matinvHost.isTerminal(fd) ? 1 : 0; });

// The count read, 0 at the end of the input, or -1 with `reason` named.
// Named in -sASYNCIFY_IMPORTS.
EM_ASYNC_JS(int, host_read, (char* buffer, std::size_t capacity, char* reason), {
    try {
        const bytes = await Module.matinvHost.read(capacity);
        HEAPU8.set(bytes.subarray(0, capacity), buffer);
        return Math.min(bytes.length, capacity);
    } catch (error) {
        stringToUTF8(String((error && error.code) || "EIO"), reason, 16);
        return -1;
    }
});

// The count of bytes there without waiting, 0 at the end of the input, or
// -1 when there are none or the host failed.
EM_JS(int, host_read_ready, (char* buffer, std::size_t capacity), {
    try {
        const bytes = Module.matinvHost.readReady(capacity);
        if (bytes === null) {
            return -1;
        }
        HEAPU8.set(bytes.subarray(0, capacity), buffer);
        return Math.min(bytes.length, capacity);
    } catch (error) {
        return -1;
    }
});

EM_JS(void, host_drop_queued, (), { Module.matinvHost.dropQueued(); });

// Whether the host shows a line typed ahead only once it is read, as the
// page does the lines of a paste; a host that does not say does not.
EM_JS(int, host_echoes_when_read, (), {
    return Module.matinvHost.echoesWhenRead && Module.matinvHost.echoesWhenRead() ? 1 : 0;
});

// 0 once all the bytes are written, or -1 with `reason` named.
EM_JS(int, host_write, (int fd, const char* data, std::size_t size, char* reason), {
    try {
        Module.matinvHost.write(fd, HEAPU8.slice(data, data + size));
        return 0;
    } catch (error) {
        stringToUTF8(String((error && error.code) || "EIO"), reason, 16);
        return -1;
    }
});

EM_JS(int, host_columns, (), { return Module.matinvHost.columns() | 0; });
// clang-format on

// The errno value of a failure the host named; EIO for one it did not.
int errno_named(const char* reason) {
    static constexpr struct {
        std::string_view name;
        int value;
    } kNames[] = {{"EBADF", EBADF},   {"EISDIR", EISDIR}, {"ENOSPC", ENOSPC}, {"EPIPE", EPIPE},
                  {"EINVAL", EINVAL}, {"EFBIG", EFBIG},   {"EDQUOT", EDQUOT}, {"ENXIO", ENXIO},
                  {"EACCES", EACCES}, {"EINTR", EINTR}};
    for (const auto& known : kNames) {
        if (known.name == reason) {
            return known.value;
        }
    }
    return EIO;
}

class HostSource final : public matinv::Source {
public:
    HostSource()
        : terminal_(host_is_terminal(0) != 0), echoes_when_read_(host_echoes_when_read() != 0) {}
    bool is_terminal() const override { return terminal_; }
    bool echoes_when_read() const override { return echoes_when_read_; }
    long read_ready(char* buffer, std::size_t capacity) override {
        return host_read_ready(buffer, capacity);
    }
    void drop_queued_input() override { host_drop_queued(); }

private:
    long read_once(char* buffer, std::size_t capacity, int& error) override {
        char reason[kReasonRoom] = "";
        const int got = host_read(buffer, capacity, reason);
        error = got < 0 ? errno_named(reason) : 0;
        return got;
    }

    bool terminal_;
    bool echoes_when_read_;
};

// The host takes all the bytes at once, or fails.
class HostSink final : public matinv::Sink {
public:
    explicit HostSink(int fd) : fd_(fd), terminal_(host_is_terminal(fd) != 0) {}
    bool is_terminal() const override { return terminal_; }

private:
    long write_once(const char* data, std::size_t size, int& error) override {
        char reason[kReasonRoom] = "";
        if (host_write(fd_, data, size, reason) != 0) {
            error = errno_named(reason);
            return -1;
        }
        error = 0;
        return static_cast<long>(size);
    }

    int fd_;
    bool terminal_;
};

}  // namespace

namespace matinv {

Source& standard_input() {
    static HostSource in;
    return in;
}

Sink& standard_output() {
    static HostSink out(1);
    return out;
}

Sink& standard_error() {
    static HostSink errors(2);
    return errors;
}

int standard_error_columns() { return host_columns(); }

}  // namespace matinv
