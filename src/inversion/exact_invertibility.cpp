#include "inversion/exact_invertibility.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <initializer_list>

// Every double is an integer times a power of two, so multiplying each row
// by a power of two (which leaves invertibility alone) makes every entry an
// integer of at most 53 + 2098 bits. The determinant of that integer matrix
// is 0 exactly when it is 0 modulo enough primes for their product to
// exceed twice Hadamard's bound on it; a nonzero remainder for any one prime
// settles the answer at once, which is the usual case. Primes below 2^31
// keep every product of two residues within 64 bits.
namespace matinv {
namespace {

using u64 = std::uint64_t;

u64 power_mod(u64 base, u64 exponent, u64 p) {
    u64 result = 1 % p;
    base %= p;
    for (; exponent > 0; exponent >>= 1) {
        if ((exponent & 1) != 0) {
            result = result * base % p;
        }
        base = base * base % p;
    }
    return result;
}

// Miller-Rabin with the bases 2, 7 and 61, which decide every n below
// 4,759,123,141.
bool is_prime(u64 n) {
    if (n < 2 || n % 2 == 0) {
        return n == 2;
    }
    u64 d = n - 1;
    int twos = 0;
    for (; d % 2 == 0; d /= 2) {
        ++twos;
    }
    for (const u64 base : {2, 7, 61}) {
        if (base % n == 0) {
            continue;
        }
        u64 x = power_mod(base, d, n);
        bool composite = x != 1 && x != n - 1;
        for (int k = 1; k < twos && composite; ++k) {
            x = x * x % n;
            composite = x != n - 1;
        }
        if (composite) {
            return false;
        }
    }
    return true;
}

// An entry as sign x mantissa x 2^exponent, the mantissa a whole number
// below 2^53.
struct Dyadic {
    bool negative = false;
    u64 mantissa = 0;
    int exponent = 0;
};

// Read off the bits: a refused matrix of order 10 has a hundred entries,
// and frexp and ldexp on each cost more than the rest of the check.
Dyadic split(double x) {
#if defined(_LIBCPP_VERSION) && _LIBCPP_VERSION < 14000
    const auto bits = __builtin_bit_cast(u64, x);  // libc++ 13 (emscripten's) lacks std::bit_cast
#else
    const auto bits = std::bit_cast<u64>(x);
#endif
    const int biased = static_cast<int>(bits >> 52 & 0x7ff);
    const u64 fraction = bits & ((u64{1} << 52) - 1);
    if (biased == 0) {  // zero or subnormal: fraction x 2^-1074
        return {(bits >> 63) != 0, fraction, -1074};
    }
    return {(bits >> 63) != 0, fraction | u64{1} << 52, biased - 1075};
}

// Whether the integer matrix, entry (i, j) being mantissa x 2^shift with
// the shift of its row, has a determinant that p does not divide.
bool nonzero_modulo(const Dyadic (&entries)[kMaxOrder][kMaxOrder], const int (&lowest)[kMaxOrder],
                    int n, u64 p) {
    u64 m[kMaxOrder][kMaxOrder];
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) {
            const Dyadic& e = entries[i][j];
            const u64 shift = static_cast<u64>(e.exponent - lowest[i]);
            const u64 r = e.mantissa % p * power_mod(2, shift, p) % p;
            m[i][j] = e.negative && r != 0 ? p - r : r;
        }
    }
    for (int j = 0; j < n; ++j) {
        int pivot = j;
        while (pivot < n && m[pivot][j] == 0) {
            ++pivot;
        }
        if (pivot == n) {
            return false;
        }
        for (int k = 0; k < n; ++k) {
            const u64 t = m[j][k];
            m[j][k] = m[pivot][k];
            m[pivot][k] = t;
        }
        const u64 inverse = power_mod(m[j][j], p - 2, p);
        for (int r = j + 1; r < n; ++r) {
            const u64 factor = m[r][j] * inverse % p;
            for (int k = j; k < n; ++k) {
                m[r][k] = (m[r][k] + (p - factor) * m[j][k]) % p;
            }
        }
    }
    return true;
}

// Splits the entries of a0 and finds each row's lowest exponent; returns
// the bits of Hadamard's bound on the determinant once every row is scaled
// to integers, or 0 when an entry is not finite or a row is all zeros.
long split_rows(const Matrix& a0, int n, Dyadic (&entries)[kMaxOrder][kMaxOrder],
                int (&lowest)[kMaxOrder]) {
    // Each row's length is below sqrt(n) times its largest entry, so 2 bits
    // more than that entry's per row suffice.
    long bound_bits = 1;
    for (int i = 0; i < n; ++i) {
        bool zero_row = true;
        int highest = 0;
        for (int j = 0; j < n; ++j) {
            if (!std::isfinite(a0[i][j])) {
                return 0;
            }
            entries[i][j] = split(a0[i][j]);
            const int e = entries[i][j].exponent;
            if (a0[i][j] != 0.0) {
                lowest[i] = zero_row || e < lowest[i] ? e : lowest[i];
                highest = zero_row || e > highest ? e : highest;
                zero_row = false;
            }
        }
        if (zero_row) {
            return 0;
        }
        bound_bits += 53 + (highest - lowest[i]) + 2;
    }
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) {
            if (a0[i][j] == 0.0) {
                entries[i][j] = {false, 0, lowest[i]};
            }
        }
    }
    return bound_bits;
}

}  // namespace

bool invertible_as_entered(const Matrix& a0, int n) {
    if (n <= 0 || n > kMaxOrder) {
        return false;
    }
    // A row of zeros is the common case of a matrix without an inverse, and
    // the cheapest to see.
    for (int i = 0; i < n; ++i) {
        if (std::all_of(a0[i], a0[i] + n, [](double x) { return x == 0.0; })) {
            return false;
        }
    }
    Dyadic entries[kMaxOrder][kMaxOrder];
    int lowest[kMaxOrder]{};
    const long bound_bits = split_rows(a0, n, entries, lowest);
    if (bound_bits == 0) {
        return false;
    }
    // Each prime above 2^30 adds 30 bits to the product.
    u64 p = u64{1} << 31;
    for (long bits = 0; bits <= bound_bits; bits += 30) {
        do {
            --p;
        } while (!is_prime(p));
        if (nonzero_modulo(entries, lowest, n, p)) {
            return true;
        }
    }
    return false;
}

}  // namespace matinv
