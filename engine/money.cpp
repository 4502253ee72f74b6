#include "money.h"

#include "aritmetica.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>

namespace vestamar {

namespace {

// 2^63 as a double: the first value beyond the positive end of the money range, and
// (negated) exactly its negative end.
constexpr double kDois63 = 9223372036854775808.0;
// Beyond 2^53 ten-thousandths the count is no longer exact as a double.
constexpr std::int64_t kDois53 = std::int64_t{1} << 53;

}  // namespace

std::optional<Money> Money::deInteiro(std::int64_t unidades) {
    const auto v = produtoExato(unidades, kEscala);
    if (!v) return std::nullopt;
    return deDezMilesimos(*v);
}

std::optional<Money> Money::deDouble(double valor) {
    if (!std::isfinite(valor)) return std::nullopt;
    const double r = arredondarParaPar(valor * static_cast<double>(kEscala));
    if (!(r >= -kDois63 && r < kDois63)) return std::nullopt;
    return deDezMilesimos(static_cast<std::int64_t>(r));
}

double Money::paraDouble() const {
    if (valor_ >= -kDois53 && valor_ <= kDois53) {
        // Both operands are exact, so the one division is correctly rounded.
        return static_cast<double>(valor_) / static_cast<double>(kEscala);
    }
    // Too many digits for an exact double: go through the exact decimal text, which
    // from_chars rounds correctly to the nearest double.
    std::array<char, 32> buf{};
    char* p = buf.data();
    char* const fim = buf.data() + buf.size();
    const std::uint64_t mag = magnitude(valor_);
    if (valor_ < 0) *p++ = '-';
    p = std::to_chars(p, fim, mag / kEscala).ptr;
    *p++ = '.';
    const auto frac = static_cast<unsigned>(mag % kEscala);
    for (unsigned d = 1000; d > 0; d /= 10) *p++ = static_cast<char>('0' + (frac / d) % 10);
    double r = 0;
    std::from_chars(buf.data(), p, r);
    return r;
}

std::optional<Money> somar(Money a, Money b) {
    const auto v = somaExata(a.dezMilesimos(), b.dezMilesimos());
    if (!v) return std::nullopt;
    return Money::deDezMilesimos(*v);
}

std::optional<Money> subtrair(Money a, Money b) {
    const auto v = diferencaExata(a.dezMilesimos(), b.dezMilesimos());
    if (!v) return std::nullopt;
    return Money::deDezMilesimos(*v);
}

std::optional<Money> multiplicar(Money a, std::int16_t fator) {
    const auto v = produtoExato(a.dezMilesimos(), static_cast<std::int64_t>(fator));
    if (!v) return std::nullopt;
    return Money::deDezMilesimos(*v);
}

}  // namespace vestamar
