#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <thread>

#include "io/posix_streams.h"

namespace matinv {
namespace {

std::atomic<int> signals_caught = 0;

// A read from an empty pipe while another thread sends it signals, then
// lifts the limit on descriptors and writes a byte. The handler does not ask
// for SA_RESTART, so each signal ends a wait in poll(2) or read(2) with
// EINTR: after twenty the read must still get the byte. With no descriptors
// allowed, poll(2) fails with EINVAL even on an open one: the read must end
// with that reason before the writer gives up, 2000 signals later.
TEST(FdStreams, DisturbedWaits) {
    struct sigaction action {};
    action.sa_handler = [](int) { ++signals_caught; };
    rlimit limit{};
    ASSERT_TRUE(sigaction(SIGUSR1, &action, nullptr) == 0 && getrlimit(RLIMIT_NOFILE, &limit) == 0);
    const rlimit none = {0, limit.rlim_max};
    const struct {
        const char* name;
        int flags;
        int error;  // 0: interrupted, and the byte read
    } cases[] = {
        {"poll(2) interrupted", O_NONBLOCK, 0},
        {"read(2) interrupted", 0, 0},
        {"poll(2) failing", O_NONBLOCK, EINVAL},
    };
    for (const auto& c : cases) {
        int ends[2];
        ASSERT_TRUE(pipe2(ends, c.flags) == 0 &&
                    (c.error == 0 || setrlimit(RLIMIT_NOFILE, &none) == 0));
        std::atomic<bool> ended = false;
        std::thread writer([&, reader = pthread_self(), seen = signals_caught.load()] {
            for (int ms = 0; ms < 2000 && !ended && (c.error != 0 || signals_caught < seen + 20);
                 ++ms) {
                pthread_kill(reader, SIGUSR1);
                usleep(1000);
            }
            setrlimit(RLIMIT_NOFILE, &limit);
            EXPECT_EQ(write(ends[1], "x", 1), 1) << c.name;
        });
        FdSource source(ends[0]);
        char byte = 0;
        EXPECT_EQ(source.read_some(&byte, 1), c.error == 0 ? 1U : 0U) << c.name;
        ended = true;
        setrlimit(RLIMIT_NOFILE, &limit);
        writer.join();
        EXPECT_EQ(source.error(), c.error) << c.name;
        close(ends[0]);
        close(ends[1]);
    }
}

}  // namespace
}  // namespace matinv
