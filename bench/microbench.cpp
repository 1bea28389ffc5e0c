// Where the time of a stream of matrices goes: the inversion of order 10,
// reading numbers, writing numbers, and the whole dialogue in memory.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "dialogue/driver.h"
#include "dialogue/input_reader.h"
#include "inversion/inversion.h"
#include "inversion/working_matrices.h"
#include "io/byte_streams.h"
#include "io/output_buffer.h"
#include "numbers/buffered_numbers.h"
#include "support/memory_streams.h"

#ifdef MATINV_EXACT_ARITHMETIC
#include <memory>

#include "exact/exact_entry.h"
#include "exact/exact_inversion.h"
#include "exact/fraction_free_inversion.h"
#endif

namespace {

class DiscardingSink final : public matinv::Sink {
public:
    std::size_t bytes = 0;

private:
    long write_once(const char* data, std::size_t size, int& /*error*/) override {
        benchmark::DoNotOptimize(data);
        bytes += size;
        return static_cast<long>(size);
    }
};

// A fixed pseudo-random sequence in [-100, 100).
class Entries {
public:
    double next() {
        state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<double>(state_ >> 11) * 0x1p-53 * 200.0 - 100.0;
    }

private:
    unsigned long long state_ = 42;
};

void fill_order10(matinv::WorkingMatrices& m, bool zero_row) {
    Entries entries;
    matinv::clear(m);
    m.n = 10;
    for (int i = 0; i < 10; ++i) {
        for (int j = 0; j < 10; ++j) {
            matinv::store_entry(m, i, j, zero_row && i == 3 ? 0.0 : entries.next());
        }
        matinv::seed_identity(m, i);
    }
}

void invert_order10(benchmark::State& state, bool zero_row, matinv::Outcome expected) {
    matinv::WorkingMatrices m;
    fill_order10(m, zero_row);
    matinv::Matrix work;
    for (auto _ : state) {
        std::memcpy(work, m.a, sizeof work);
        const matinv::Outcome outcome = matinv::invert(work, 10);
        benchmark::DoNotOptimize(outcome);
        if (outcome != expected) {
            state.SkipWithError("unexpected outcome of the inversion");
            break;
        }
    }
}

void BM_InvertOrder10(benchmark::State& state) {
    invert_order10(state, false, matinv::Outcome::success);
}
BENCHMARK(BM_InvertOrder10);

// The kind of matrix in the throughput stream: the forward phase runs in
// full, then the singularity test stops it.
void BM_InvertOrder10WithZeroRow(benchmark::State& state) {
    invert_order10(state, true, matinv::Outcome::failure);
}
BENCHMARK(BM_InvertOrder10WithZeroRow);

std::string numbers_text(const char* format, int count) {
    Entries entries;
    std::string text;
    char number[64];
    for (int k = 0; k < count; ++k) {
        std::snprintf(number, sizeof number, format, entries.next());
        text += number;
        text += k % 10 == 9 ? '\n' : ' ';
    }
    return text;
}

void read_entries(benchmark::State& state, const char* format) {
    constexpr int kCount = 10000;
    const std::string text = numbers_text(format, kCount);
    for (auto _ : state) {
        matinv::MemorySource source(text);
        DiscardingSink sink;
        matinv::OutputBuffer pending(sink);
        matinv::InputReader reader(source, pending);
        double sum = 0.0;
        for (const matinv::Token* token = &reader.read_entry(); token->is_number();
             token = &reader.read_entry()) {
            sum += token->value;
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * kCount);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

// Entries as in the throughput stream.
void BM_ReadEntriesFourDecimals(benchmark::State& state) { read_entries(state, "%.4f"); }
BENCHMARK(BM_ReadEntriesFourDecimals);

// Seventeen significant digits: more than an exact quick conversion takes.
void BM_ReadEntriesSeventeenDigits(benchmark::State& state) { read_entries(state, "%.17g"); }
BENCHMARK(BM_ReadEntriesSeventeenDigits);

void BM_WriteFixedTenDecimals(benchmark::State& state) {
    constexpr int kCount = 1000;
    double values[kCount];
    Entries entries;
    for (double& v : values) {
        v = entries.next() / 7.0;
    }
    DiscardingSink sink;
    matinv::OutputBuffer out(sink);
    for (auto _ : state) {
        // In rows of ten, as the report of an order-10 matrix writes them.
        for (int k = 0; k < kCount; k += 10) {
            matinv::put_fixed10_row(out, values + k, 10);
        }
        out.flush();
    }
    state.SetItemsProcessed(state.iterations() * kCount);
}
BENCHMARK(BM_WriteFixedTenDecimals);

// The throughput stream in memory: prompts, reading, inversion, report.
void BM_DialogueStreamPerAttempt(benchmark::State& state) {
    constexpr int kAttempts = 500;
    Entries entries;
    std::string text;
    char number[32];
    for (int k = 0; k < kAttempts; ++k) {
        text += "10\n";
        for (int i = 0; i < 10; ++i) {
            for (int j = 0; j < 10; ++j) {
                std::snprintf(number, sizeof number, j == 0 ? "%.4f" : " %.4f",
                              i == k % 10 ? 0.0 : entries.next());
                text += number;
            }
            text += '\n';
        }
    }
    text += "3\n0 1 2\n1 0 3\n4 -3 8\n";
    for (auto _ : state) {
        matinv::MemorySource source(text);
        DiscardingSink out;
        DiscardingSink errors;
        if (matinv::run_dialogue(source, out, errors) != 0) {
            state.SkipWithError("the dialogue did not end with a report");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * kAttempts);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_DialogueStreamPerAttempt);

#ifdef MATINV_EXACT_ARITHMETIC
// The longest numerator or denominator, in decimal digits, of any entry the
// elimination leaves after a step.
class LongestFraction final : public matinv::ExactObserver {
public:
    std::size_t digits = 0;

    void scaling_done(const matinv::RationalMatrix& a, int n) override { measure(a, n); }
    void column_done(const matinv::RationalMatrix& a, int n) override { measure(a, n); }

private:
    void measure(const matinv::RationalMatrix& a, int n) {
        for (int i = 0; i < n; ++i) {
            for (int j = 0; j < 2 * n; ++j) {
                digits = std::max({digits, mpz_sizeinbase(mpq_numref(a[i][j].get()), 10),
                                   mpz_sizeinbase(mpq_denref(a[i][j].get()), 10)});
            }
        }
    }
};

// How an order-10 matrix is inverted exactly: by the elimination in
// rationals that --exact --steps traces, or by the fraction-free one.
enum class ExactWay { rationals, without_fractions };

// An order-10 matrix of entries in [-100, 100) written with `format`, or,
// with no format, of the largest entries the reader takes for that way:
// fractions of two integers of as many digits as it allows.
void invert_exactly_order10(benchmark::State& state, const char* format, ExactWay way) {
    Entries entries;
    auto m = std::make_unique<matinv::ExactMatrices>();
    matinv::clear(*m);
    m->n = 10;
    std::string digits(
        way == ExactWay::rationals ? matinv::kExactStepsDigitLimit : matinv::kExactDigitLimit, '0');
    for (int i = 0; i < 10; ++i) {
        for (int j = 0; j < 10; ++j) {
            matinv::Rational x;
            if (format) {
                char text[64];
                std::snprintf(text, sizeof text, format, entries.next());
                matinv::MemorySource source(text);
                DiscardingSink sink;
                matinv::OutputBuffer pending(sink);
                matinv::InputReader reader(source, pending);
                const matinv::Token& token = reader.read_exact_entry();
                matinv::rational_from_parts(token.numerator,
                                            token.fraction ? &token.denominator : nullptr, x);
            } else {
                // numerator and denominator as long as the limit allows
                matinv::Rational parts[2];
                for (matinv::Rational& part : parts) {
                    for (char& d : digits) {
                        d = static_cast<char>('1' + static_cast<int>(entries.next() + 100) % 9);
                    }
                    matinv::rational_from_decimal(i == j, digits, 0, part);
                }
                mpq_div(x.get(), parts[0].get(), parts[1].get());
            }
            matinv::store_entry(*m, i, j, x);
        }
        matinv::seed_identity(*m, i);
    }
    LongestFraction longest;
    matinv::RationalMatrix work;
    matinv::Rational determinant;
    for (auto _ : state) {
        matinv::Outcome outcome{};
        if (way == ExactWay::rationals) {
            for (int i = 0; i < 10; ++i) {
                std::copy(m->a[i], m->a[i] + 20, work[i]);
            }
            outcome = matinv::invert_exactly(work, 10, determinant, longest);
        } else {
            outcome = matinv::invert_without_fractions(m->a0, 10, work, determinant);
        }
        if (outcome != matinv::Outcome::success) {
            state.SkipWithError("the matrix has no inverse");
            break;
        }
    }
    if (way == ExactWay::rationals) {
        state.counters["longest_digits"] = static_cast<double>(longest.digits);
    }
}

void BM_ExactInvertOrder10TwoDecimals(benchmark::State& state) {
    invert_exactly_order10(state, "%.2f", ExactWay::rationals);
}
BENCHMARK(BM_ExactInvertOrder10TwoDecimals)->Unit(benchmark::kMillisecond);

void BM_ExactInvertOrder10SeventeenDigits(benchmark::State& state) {
    invert_exactly_order10(state, "%.17g", ExactWay::rationals);
}
BENCHMARK(BM_ExactInvertOrder10SeventeenDigits)->Unit(benchmark::kMillisecond);

// Fractions of two integers as long as the reader accepts with --steps: the
// worst entries that elimination is given.
void BM_ExactInvertOrder10LargestEntries(benchmark::State& state) {
    invert_exactly_order10(state, nullptr, ExactWay::rationals);
}
BENCHMARK(BM_ExactInvertOrder10LargestEntries)->Unit(benchmark::kMillisecond);

void BM_FractionFreeOrder10TwoDecimals(benchmark::State& state) {
    invert_exactly_order10(state, "%.2f", ExactWay::without_fractions);
}
BENCHMARK(BM_FractionFreeOrder10TwoDecimals)->Unit(benchmark::kMillisecond);

void BM_FractionFreeOrder10SeventeenDigits(benchmark::State& state) {
    invert_exactly_order10(state, "%.17g", ExactWay::without_fractions);
}
BENCHMARK(BM_FractionFreeOrder10SeventeenDigits)->Unit(benchmark::kMillisecond);

// The worst entries --exact takes without --steps.
void BM_FractionFreeOrder10LargestEntries(benchmark::State& state) {
    invert_exactly_order10(state, nullptr, ExactWay::without_fractions);
}
BENCHMARK(BM_FractionFreeOrder10LargestEntries)->Unit(benchmark::kMillisecond);
#endif

}  // namespace

BENCHMARK_MAIN();
