#include "exact/rational_text.h"

#include <cstring>

namespace matinv {

std::size_t rational_text_room(const Rational& x) {
    // mpz_sizeinbase may exceed the digit count by one, never fall short;
    // then a sign, a slash, and mpz_get_str's terminating 0.
    return mpz_sizeinbase(mpq_numref(x.get()), 10) + mpz_sizeinbase(mpq_denref(x.get()), 10) + 3;
}

char* write_rational(char* out, const Rational& x) {
    mpz_get_str(out, 10, mpq_numref(x.get()));
    out += std::strlen(out);
    if (mpz_cmp_ui(mpq_denref(x.get()), 1) != 0) {
        *out++ = '/';
        mpz_get_str(out, 10, mpq_denref(x.get()));
        out += std::strlen(out);
    }
    return out;
}

std::string rational_text(const Rational& x) {
    std::string text(rational_text_room(x), '\0');
    text.resize(static_cast<std::size_t>(write_rational(text.data(), x) - text.data()));
    return text;
}

}  // namespace matinv
