// Writes input for matinv to standard output.
//
//   make_stream failing ATTEMPTS SEED
//     The throughput workload: ATTEMPTS matrices of order 10 with entries in
//     [-100, 100] written "%.4f", one row per line, each with one row of
//     exact zeros so that it has no inverse; then a 3x3 matrix that ends the
//     dialogue.
//
//   make_stream session SEED
//     One varied session for comparing outputs: a few matrices without an
//     inverse, then a random matrix of order 1 to 10 whose entries come in
//     many notations and magnitudes, then the same closing 3x3 matrix in
//     case the random one has no inverse either.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// splitmix64: a fixed sequence for a seed on every platform.
class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9e3779b97f4a7c15ULL);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
        return z ^ (z >> 31);
    }
    // In [0, 1).
    double unit() { return static_cast<double>(next() >> 11) * 0x1p-53; }
    double between(double low, double high) { return low + (high - low) * unit(); }
    int below(int bound) { return static_cast<int>(next() % static_cast<std::uint64_t>(bound)); }

private:
    std::uint64_t state_;
};

void write_closing_matrix() { std::printf("3\n0 1 2\n1 0 3\n4 -3 8\n"); }

// Order 10, one zero row, "%.4f" entries.
void write_failing_order10(Random& random) {
    std::printf("10\n");
    const int zero_row = random.below(10);
    for (int i = 0; i < 10; ++i) {
        for (int j = 0; j < 10; ++j) {
            const double x = i == zero_row ? 0.0 : random.between(-100.0, 100.0);
            std::printf(j == 0 ? "%.4f" : " %.4f", x);
        }
        std::printf("\n");
    }
}

const char* random_space(Random& random) {
    static const char* const kSpaces[] = {" ", " ", " ", "  ", "\t", "\n", " \n ", "\r\n"};
    return kSpaces[random.below(8)];
}

// One entry in one of many notations, chosen to reach both the reader's
// quick and slow conversions and every branch of the fixed-point writer.
// Each draw is its own statement: the order in which a call's arguments or
// an expression's operands are evaluated differs between compilers and
// CPUs, and every platform must generate the same sessions.
void write_varied_entry(Random& random) {
    const double sign = random.below(2) == 0 ? 1.0 : -1.0;
    switch (random.below(10)) {
        case 0:
            std::printf("%.4f", random.between(-100.0, 100.0));
            break;
        case 1:
            std::printf("%d", random.below(19) - 9);
            break;
        case 2: {  // anywhere from 1e-12 to 1e12, all 17 digits
            const double digits = random.unit();
            std::printf("%.17g", sign * digits * std::pow(10.0, random.below(25) - 12));
            break;
        }
        case 3: {
            const double digits = random.between(1.0, 10.0);
            std::printf("%.3e", sign * digits * std::pow(10.0, random.below(9) - 4));
            break;
        }
        case 4: {  // dyadic values whose eleventh decimal can be an exact 5
            const double odd = 2.0 * random.below(5000) + 1.0;
            std::printf("%.17g", sign * std::ldexp(odd, -(1 + random.below(40))));
            break;
        }
        case 5: {  // beyond 1e7, where ten decimals need more than 17 digits
            const double digits = random.between(1.0, 10.0);
            std::printf("%.6e", sign * digits * std::pow(10.0, 7 + random.below(60)));
            break;
        }
        case 6:  // more digits than any quick path takes
            std::printf("%.30f", sign * random.unit());
            break;
        case 7: {  // leading zeros, no integer part, upper-case exponent
            const int exponent = random.below(7) - 3;
            std::printf("%s.%05dE%+d", sign < 0 ? "-" : "+", random.below(100000), exponent);
            break;
        }
        case 8:
            std::printf(random.below(2) == 0 ? "-0" : "0.0");
            break;
        default:
            std::printf("%.1f", random.between(-10.0, 10.0));
            break;
    }
}

void write_varied_matrix(Random& random, int n) {
    std::printf("%d\n", n);
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) {
            if (j > 0) {
                std::printf("%s", random_space(random));
            }
            write_varied_entry(random);
        }
        std::printf("\n");
    }
}

// A zero row or a repeated row: exact zeros always fail, a repeated row
// nearly always does, and either way both programs must agree.
void write_singular_matrix(Random& random, int n) {
    std::printf("%d\n", n);
    const int special = random.below(n);
    const bool repeat = n > 1 && random.below(2) == 0;
    double first_row[10];
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) {
            double x = random.between(-100.0, 100.0);
            if (i == 0) {
                first_row[j] = x;
            }
            if (i == special) {
                x = repeat && i > 0 ? first_row[j] : 0.0;
            }
            std::printf(j == 0 ? "%.4f" : " %.4f", x);
        }
        std::printf("\n");
    }
}

int usage() {
    std::fprintf(stderr, "usage: make_stream failing ATTEMPTS SEED | make_stream session SEED\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "failing") == 0) {
        const long attempts = std::strtol(argv[2], nullptr, 10);
        Random random(std::strtoull(argv[3], nullptr, 10));
        for (long k = 0; k < attempts; ++k) {
            write_failing_order10(random);
        }
        write_closing_matrix();
        return 0;
    }
    if (argc == 3 && std::strcmp(argv[1], "session") == 0) {
        Random random(std::strtoull(argv[2], nullptr, 10));
        const int singular = random.below(3);
        for (int k = 0; k < singular; ++k) {
            write_singular_matrix(random, 1 + random.below(10));
        }
        write_varied_matrix(random, 1 + random.below(10));
        write_closing_matrix();
        return 0;
    }
    return usage();
}
