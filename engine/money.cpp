#include "money.h"

#include "aritmetica.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

namespace vestamar {

namespace {

// 2^63 as a double: the first value beyond the positive end of the money range, and
// (negated) exactly its negative end.
constexpr double kDois63 = 9223372036854775808.0;
// Beyond 2^53 ten-thousandths the count is no longer exact as a double.
constexpr std::int64_t kDois53 = std::int64_t{1} << 53;

// ---- Whole numbers of any length as decimal digits, most significant first -------------
// Only what the exact product below needs: no signs, no leading zeros ("" is zero).

using Digitos = std::string;

Digitos semZerosAEsquerda(Digitos d) {
    d.erase(0, std::min(d.find_first_not_of('0'), d.size()));
    return d;
}

Digitos digitosDe(std::uint64_t v) { return semZerosAEsquerda(std::to_string(v)); }

int comparar(const Digitos& a, const Digitos& b) {
    if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
    return a.compare(b) < 0 ? -1 : (a == b ? 0 : 1);
}

Digitos somarDigitos(const Digitos& a, const Digitos& b) {
    Digitos r;
    int vai = 0;
    for (std::size_t i = 0; i < std::max(a.size(), b.size()) || vai; ++i) {
        int s = vai;
        if (i < a.size()) s += a[a.size() - 1 - i] - '0';
        if (i < b.size()) s += b[b.size() - 1 - i] - '0';
        r.push_back(static_cast<char>('0' + s % 10));
        vai = s / 10;
    }
    std::reverse(r.begin(), r.end());
    return semZerosAEsquerda(r);
}

// a − b for a >= b.
Digitos subtrairDigitos(const Digitos& a, const Digitos& b) {
    Digitos r;
    int empresta = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        int s = (a[a.size() - 1 - i] - '0') - empresta;
        if (i < b.size()) s -= b[b.size() - 1 - i] - '0';
        empresta = s < 0;
        r.push_back(static_cast<char>('0' + s + 10 * empresta));
    }
    std::reverse(r.begin(), r.end());
    return semZerosAEsquerda(r);
}

Digitos multiplicarDigitos(const Digitos& a, const Digitos& b) {
    if (a.empty() || b.empty()) return {};
    std::vector<int> soma(a.size() + b.size(), 0);  // one place each, least significant first
    for (std::size_t i = 0; i < a.size(); ++i) {
        for (std::size_t j = 0; j < b.size(); ++j) {
            soma[i + j] += (a[a.size() - 1 - i] - '0') * (b[b.size() - 1 - j] - '0');
        }
    }
    for (std::size_t k = 0; k + 1 < soma.size(); ++k) {
        soma[k + 1] += soma[k] / 10;
        soma[k] %= 10;
    }
    Digitos r;
    for (auto k = soma.rbegin(); k != soma.rend(); ++k) r.push_back(static_cast<char>('0' + *k));
    return semZerosAEsquerda(r);
}

// A signed whole number: its sign and its digits.
struct Inteiro {
    bool negativo = false;
    Digitos digitos;
};

Inteiro somarInteiros(const Inteiro& a, const Inteiro& b) {
    if (a.negativo == b.negativo) return {a.negativo, somarDigitos(a.digitos, b.digitos)};
    if (comparar(a.digitos, b.digitos) >= 0) return {a.negativo, subtrairDigitos(a.digitos, b.digitos)};
    return {b.negativo, subtrairDigitos(b.digitos, a.digitos)};
}

}  // namespace

std::optional<Money> parcelaMenosProdutoEmCentavos(Money parcela, double fator, Money valor) {
    if (!std::isfinite(fator)) return std::nullopt;
    // The factor as mantissa × 10^expoente, from its text of 15 significant digits.
    std::array<char, 40> texto{};
    const auto fim = std::to_chars(texto.data(), texto.data() + texto.size(), fator, std::chars_format::scientific, 14);
    if (fim.ec != std::errc{}) return std::nullopt;
    const std::string_view t(texto.data(), static_cast<std::size_t>(fim.ptr - texto.data()));
    const std::size_t e = t.find('e');
    Inteiro f{t[0] == '-', {}};
    for (char c : t.substr(0, e)) {
        if (c >= '0' && c <= '9') f.digitos.push_back(c);
    }
    f.digitos = semZerosAEsquerda(f.digitos);
    int expoente = 0;
    std::from_chars(t.data() + e + (t[e + 1] == '+' ? 2 : 1), t.data() + t.size(), expoente);
    expoente -= 14;
    // In ten-thousandths: parcela − f × valor × 10^expoente. Both sides are made whole by
    // 10^s, so the value in cents is N ÷ 10^(s+2) with N = parcela × 10^s − f × valor × 10^(expoente+s).
    const int s = std::max(0, -expoente);
    Inteiro p{parcela.dezMilesimos() < 0,
              digitosDe(magnitude(parcela.dezMilesimos())) + std::string(static_cast<std::size_t>(s), '0')};
    Inteiro produto{f.negativo != (valor.dezMilesimos() < 0),
                    multiplicarDigitos(f.digitos, digitosDe(magnitude(valor.dezMilesimos())))};
    if (!produto.digitos.empty()) produto.digitos += std::string(static_cast<std::size_t>(expoente + s), '0');
    produto.negativo = !produto.negativo;
    p.digitos = semZerosAEsquerda(p.digitos);
    const Inteiro dif = somarInteiros(p, produto);
    // Halves away from zero: half a cent is added to the magnitude, then the places below the
    // cent are dropped.
    const Digitos meio = "5" + std::string(static_cast<std::size_t>(s + 1), '0');
    Digitos centavos = somarDigitos(dif.digitos, meio);
    const std::size_t abaixo = static_cast<std::size_t>(s + 2);
    centavos = centavos.size() > abaixo ? centavos.substr(0, centavos.size() - abaixo) : Digitos{};
    if (centavos.size() > 19) return std::nullopt;
    std::uint64_t c = 0;
    std::from_chars(centavos.data(), centavos.data() + centavos.size(), c);
    if (c > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max())) return std::nullopt;
    const auto dezMilesimos = produtoExato(static_cast<std::int64_t>(c), std::int64_t{100});
    if (!dezMilesimos) return std::nullopt;
    return Money::deDezMilesimos(dif.negativo ? -*dezMilesimos : *dezMilesimos);
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
