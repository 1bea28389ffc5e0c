// Times two programs side by side on the same input: each round runs both,
// alternating which goes first, with standard input from the file and
// standard output to /dev/null. Prints each program's median wall time and
// peak resident memory, and the ratio of the medians, so that a shared and
// noisy machine affects both alike.
//
//   compare_runs ROUNDS INPUT PROGRAM_A PROGRAM_B
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <vector>

namespace {

struct Run {
    double seconds = 0.0;
    long max_rss_kb = 0;
    bool ok = false;
};

double now() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

Run run_once(const char* program, const char* input) {
    Run run;
    const double start = now();
    const pid_t child = fork();
    if (child == 0) {
        const int in = open(input, O_RDONLY);
        const int out = open("/dev/null", O_WRONLY);
        if (in < 0 || out < 0 || dup2(in, 0) < 0 || dup2(out, 1) < 0) {
            _exit(127);
        }
        execl(program, program, static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (child < 0 || wait4(child, &status, 0, &usage) != child) {
        return run;
    }
    run.seconds = now() - start;
    run.max_rss_kb = usage.ru_maxrss;
    run.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return run;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2.0;
}

struct Series {
    const char* program;
    std::vector<double> seconds;
    long peak_rss_kb = 0;
};

void print(const Series& s) {
    const auto [low, high] = std::minmax_element(s.seconds.begin(), s.seconds.end());
    const char* slash = std::strrchr(s.program, '/');
    std::printf("%-16s median %9.3f ms  (min %9.3f, max %9.3f)  peak RSS %6ld KB\n",
                slash != nullptr ? slash + 1 : s.program, median(s.seconds) * 1e3, *low * 1e3,
                *high * 1e3, s.peak_rss_kb);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: compare_runs ROUNDS INPUT PROGRAM_A PROGRAM_B\n");
        return 2;
    }
    const int rounds = std::atoi(argv[1]);
    const char* input = argv[2];
    Series series[2] = {{argv[3], {}, 0}, {argv[4], {}, 0}};
    std::vector<double> paired_ratios;

    // One unmeasured round warms the page cache and the dynamic loader.
    run_once(series[0].program, input);
    run_once(series[1].program, input);
    for (int round = 0; round < rounds; ++round) {
        double seconds[2] = {};
        for (int k = 0; k < 2; ++k) {
            const int which = (round % 2 == 0) ? k : 1 - k;
            const Run run = run_once(series[which].program, input);
            if (!run.ok) {
                std::fprintf(stderr, "compare_runs: %s failed on %s\n", series[which].program,
                             input);
                return 1;
            }
            seconds[which] = run.seconds;
            series[which].seconds.push_back(run.seconds);
            series[which].peak_rss_kb = std::max(series[which].peak_rss_kb, run.max_rss_kb);
        }
        paired_ratios.push_back(seconds[0] / seconds[1]);
    }
    print(series[0]);
    print(series[1]);
    std::printf("ratio of medians A/B %.3f   (median of paired ratios %.3f, %d rounds)\n",
                median(series[0].seconds) / median(series[1].seconds), median(paired_ratios),
                rounds);
    return 0;
}
