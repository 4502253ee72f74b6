#include "texto_numero.h"

#include "aritmetica.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace vestamar {

namespace {

// ---- Exact decimal form ---------------------------------------------------------------

// A decimal number as  digitos × 10^expoente: digitos are ASCII digits without leading or
// trailing zeros (empty for zero).
struct Decimal {
    bool negativo = false;
    std::string digitos;
    std::int64_t expoente = 0;
};

// Exponents beyond this change nothing (the value is zero, or beyond every range), so the
// exponent text is read with saturation here.
constexpr std::int64_t kExpoenteMaximo = 1'000'000'000'000;

bool ehBranco(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }
bool ehDigito(char c) { return c >= '0' && c <= '9'; }

bool comecaCom(std::string_view s, std::size_t pos, const std::string& marca) {
    return !marca.empty() && s.substr(pos).starts_with(marca);
}

void normalizar(Decimal& d) {
    while (!d.digitos.empty() && d.digitos.back() == '0') {
        d.digitos.pop_back();
        ++d.expoente;
    }
    if (d.digitos.empty()) d.expoente = 0;
}

// Reads the text as an exact decimal. Accepts blanks around, one leading sign, digits with
// group marks between digits of the whole-number part, one decimal mark (followed by
// digits, or ending the mantissa after whole digits), and an exponent "E" or "e" with an
// optional sign and digits.
std::optional<Decimal> analisar(std::string_view texto, const Separadores& sep) {
    while (!texto.empty() && ehBranco(texto.front())) texto.remove_prefix(1);
    while (!texto.empty() && ehBranco(texto.back())) texto.remove_suffix(1);

    Decimal d;
    std::size_t pos = 0;
    const std::size_t n = texto.size();
    if (pos < n && (texto[pos] == '+' || texto[pos] == '-')) {
        d.negativo = texto[pos] == '-';
        ++pos;
    }

    bool algumDigito = false;
    bool ultimoDigitoInteiro = false;  // the previous item was a digit of the whole part
    bool esperaDigito = false;         // a group mark was just read
    bool naFracao = false;
    std::int64_t casasFracao = 0;
    while (pos < n) {
        const char c = texto[pos];
        if (ehDigito(c)) {
            if (!d.digitos.empty() || c != '0') d.digitos.push_back(c);
            if (naFracao) ++casasFracao;
            algumDigito = true;
            ultimoDigitoInteiro = !naFracao;
            esperaDigito = false;
            ++pos;
        } else if (!naFracao && comecaCom(texto, pos, sep.decimal)) {
            if (esperaDigito) return std::nullopt;
            naFracao = true;
            ultimoDigitoInteiro = false;
            pos += sep.decimal.size();
        } else if (!naFracao && comecaCom(texto, pos, sep.grupo)) {
            if (!ultimoDigitoInteiro) return std::nullopt;
            ultimoDigitoInteiro = false;
            esperaDigito = true;
            pos += sep.grupo.size();
        } else if (c == 'E' || c == 'e') {
            break;
        } else {
            return std::nullopt;
        }
    }
    if (!algumDigito || esperaDigito) return std::nullopt;

    std::int64_t expoente = 0;
    if (pos < n) {  // at the exponent mark
        ++pos;
        bool expNegativo = false;
        if (pos < n && (texto[pos] == '+' || texto[pos] == '-')) {
            expNegativo = texto[pos] == '-';
            ++pos;
        }
        if (pos == n) return std::nullopt;
        for (; pos < n; ++pos) {
            if (!ehDigito(texto[pos])) return std::nullopt;
            if (expoente < kExpoenteMaximo) expoente = expoente * 10 + (texto[pos] - '0');
        }
        if (expNegativo) expoente = -expoente;
    }
    d.expoente = expoente - casasFracao;
    normalizar(d);
    return d;
}

// The magnitude of d × 10^casas rounded to a whole number, halves to even; empty when it
// is beyond `limite`.
std::optional<std::uint64_t> inteiroParaPar(const Decimal& d, std::int64_t casas, std::uint64_t limite) {
    if (d.digitos.empty()) return 0;
    const auto len = static_cast<std::int64_t>(d.digitos.size());
    const std::int64_t k = d.expoente + casas;     // value = digitos × 10^k
    std::int64_t manter = k >= 0 ? len : len + k;  // digits kept before the rounding point
    if (manter < 0) return 0;                      // below a tenth of the unit
    if (manter + (k > 0 ? k : 0) > 20) return std::nullopt;

    std::optional<std::uint64_t> v = 0;
    for (std::int64_t i = 0; v && i < manter; ++i) {
        v = produtoExato<std::uint64_t>(*v, 10);
        if (v) v = somaExata<std::uint64_t>(*v, static_cast<std::uint64_t>(d.digitos[i] - '0'));
    }
    for (std::int64_t i = 0; v && i < k; ++i) v = produtoExato<std::uint64_t>(*v, 10);
    if (!v) return std::nullopt;
    if (manter < len) {
        // Trailing zeros were removed, so any digit after the first dropped one is non-zero.
        const char primeiro = d.digitos[manter];
        const bool maisDigitos = manter + 1 < len;
        const bool subir = primeiro > '5' || (primeiro == '5' && (maisDigitos || *v % 2 == 1));
        if (subir) v = somaExata<std::uint64_t>(*v, 1);
    }
    if (!v || *v > limite) return std::nullopt;
    return v;
}

// ---- Formatting ----------------------------------------------------------------------

// Adds one unit to a string of decimal digits.
void incrementar(std::string& digitos) {
    for (auto it = digitos.rbegin(); it != digitos.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return;
        }
        *it = '0';
    }
    digitos.insert(digitos.begin(), '1');
}

// The text of  digitos × 10^expoente  (with the sign), rounded to `casas` decimals with
// halves away from zero, the whole part grouped by three when asked. A value that rounds
// to zero carries no sign.
std::string escreverDecimal(bool negativo, std::string_view digitos, std::int64_t expoente, int casas, bool agrupar,
                            const Separadores& sep) {
    std::string n;
    const std::int64_t k = expoente + casas;
    const auto len = static_cast<std::int64_t>(digitos.size());
    if (k >= 0) {
        n.reserve(static_cast<std::size_t>(len + k));
        n.append(digitos);
        n.append(static_cast<std::size_t>(k), '0');
    } else {
        const std::int64_t manter = len + k;
        if (manter >= 0) {
            n.append(digitos.substr(0, static_cast<std::size_t>(manter)));
            if (manter < len && digitos[static_cast<std::size_t>(manter)] >= '5') {
                if (n.empty()) n.push_back('0');
                incrementar(n);
            }
        }
    }
    std::size_t zeros = 0;
    while (zeros < n.size() && n[zeros] == '0') ++zeros;
    n.erase(0, zeros);
    if (n.empty()) negativo = false;
    if (n.size() < static_cast<std::size_t>(casas) + 1)
        n.insert(0, static_cast<std::size_t>(casas) + 1 - n.size(), '0');

    const std::size_t nInteiro = n.size() - static_cast<std::size_t>(casas);
    const bool comGrupo = agrupar && !sep.grupo.empty();
    std::string r;
    r.reserve(n.size() + 2 + (comGrupo ? nInteiro / 3 * sep.grupo.size() : 0) + sep.decimal.size());
    if (negativo) r.push_back('-');
    for (std::size_t i = 0; i < nInteiro; ++i) {
        if (comGrupo && i > 0 && (nInteiro - i) % 3 == 0) r.append(sep.grupo);
        r.push_back(n[i]);
    }
    if (casas > 0) {
        r.append(sep.decimal);
        r.append(n, nInteiro, std::string::npos);
    }
    return r;
}

// A finite double taken at 15 significant digits: `digitos` holds exactly 15 digits and
// the value is  digitos × 10^(exp10 - 14).
struct Quinze {
    bool negativo = false;
    std::array<char, 15> digitos{};
    int exp10 = 0;
    std::string_view texto() const { return {digitos.data(), digitos.size()}; }
};

Quinze quinzeDigitos(double valor) {
    Quinze q;
    q.negativo = std::signbit(valor);
    std::array<char, 40> buf{};
    const auto res =
        std::to_chars(buf.data(), buf.data() + buf.size(), std::fabs(valor), std::chars_format::scientific, 14);
    // "d.dddddddddddddde+XX"
    q.digitos[0] = buf[0];
    for (std::size_t i = 1; i < 15; ++i) q.digitos[i] = buf[i + 1];
    const char* e = buf.data() + 17;  // after the 'e'
    if (*e == '+') ++e;
    std::from_chars(e, res.ptr, q.exp10);
    return q;
}

struct Padrao {
    int casas;
    bool agrupar;
};

// A pattern's decimals are the zeros after its point ("0.000000": six); a comma groups the
// thousands ("#,##0.00"). No pattern, or one not made of those marks, shows two decimals.
Padrao lerPadrao(std::string_view padrao) {
    if (padrao.empty() || padrao.find_first_not_of("#,0.") != std::string_view::npos) return {2, false};
    const auto ponto = padrao.find('.');
    const int casas = ponto == std::string_view::npos ? 0 : static_cast<int>(padrao.size() - ponto - 1);
    return {casas, padrao.find(',') != std::string_view::npos};
}

std::string formatarDouble(double valor, int casas, bool agrupar, const Separadores& sep) {
    if (!std::isfinite(valor)) return {};
    const Quinze q = quinzeDigitos(valor);
    return escreverDecimal(q.negativo, q.texto(), q.exp10 - 14, casas, agrupar, sep);
}

std::string formatarMoney(Money valor, int casas, bool agrupar, const Separadores& sep) {
    const std::int64_t v = valor.dezMilesimos();
    std::array<char, 24> buf{};
    const auto res = std::to_chars(buf.data(), buf.data() + buf.size(), magnitude(v));
    return escreverDecimal(v < 0, std::string_view(buf.data(), static_cast<std::size_t>(res.ptr - buf.data())), -4,
                           casas, agrupar, sep);
}

}  // namespace

// ---- Parsing -------------------------------------------------------------------------

bool mesmoValor(std::string_view a, std::string_view b, const Separadores& sep) {
    const auto x = analisar(a, sep);
    const auto y = analisar(b, sep);
    if (!x || !y) return false;
    if (x->digitos.empty() || y->digitos.empty()) return x->digitos.empty() && y->digitos.empty();
    return x->negativo == y->negativo && x->digitos == y->digitos && x->expoente == y->expoente;
}

std::optional<Money> lerMoney(std::string_view texto, const Separadores& sep) {
    const auto d = analisar(texto, sep);
    if (!d) return std::nullopt;
    constexpr std::uint64_t kMaxPositivo = std::numeric_limits<std::int64_t>::max();
    const auto mag = inteiroParaPar(*d, 4, d->negativo ? kMaxPositivo + 1 : kMaxPositivo);
    if (!mag) return std::nullopt;
    return Money::deDezMilesimos(d->negativo ? static_cast<std::int64_t>(0 - *mag) : static_cast<std::int64_t>(*mag));
}

std::optional<double> lerDouble(std::string_view texto, const Separadores& sep) {
    const auto d = analisar(texto, sep);
    if (!d) return std::nullopt;
    if (d->digitos.empty()) return 0.0;
    // Normalised ASCII form "-DIGITSe-EXP", which from_chars rounds to the nearest double.
    std::string s;
    s.reserve(d->digitos.size() + 24);
    if (d->negativo) s.push_back('-');
    s.append(d->digitos);
    s.push_back('e');
    std::array<char, 24> buf{};
    const auto res = std::to_chars(buf.data(), buf.data() + buf.size(), d->expoente);
    s.append(buf.data(), res.ptr);
    double v = 0;
    const auto r = std::from_chars(s.data(), s.data() + s.size(), v);
    if (r.ec == std::errc::result_out_of_range) {
        // Below the smallest subnormal the nearest double is zero; above the largest
        // finite double there is none.
        const std::int64_t primeiraPosicao = d->expoente + static_cast<std::int64_t>(d->digitos.size()) - 1;
        if (primeiraPosicao < 0) return 0.0;
        return std::nullopt;
    }
    if (r.ec != std::errc{} || !std::isfinite(v)) return std::nullopt;
    return v;
}

std::optional<std::int16_t> lerInteiro16(std::string_view texto, const Separadores& sep) {
    const auto d = analisar(texto, sep);
    if (!d) return std::nullopt;
    const auto mag = inteiroParaPar(*d, 0, d->negativo ? 32768u : 32767u);
    if (!mag) return std::nullopt;
    const auto m = static_cast<std::int32_t>(*mag);
    return static_cast<std::int16_t>(d->negativo ? -m : m);
}

std::optional<std::int32_t> arredondarInt32(double valor) {
    if (!std::isfinite(valor)) return std::nullopt;
    const double r = arredondarParaPar(valor);
    if (r < -2147483648.0 || r > 2147483647.0) return std::nullopt;
    return static_cast<std::int32_t>(r);
}

// ---- Formatting ----------------------------------------------------------------------

std::string formatarMoeda(double valor, const Separadores& sep) { return formatarDouble(valor, 2, true, sep); }

std::string formatarMoeda(Money valor, const Separadores& sep) { return formatarMoney(valor, 2, true, sep); }

std::string formatarPadrao(double valor, std::string_view padrao, const Separadores& sep) {
    const Padrao p = lerPadrao(padrao);
    return formatarDouble(valor, p.casas, p.agrupar, sep);
}

std::string formatarPadrao(Money valor, std::string_view padrao, const Separadores& sep) {
    const Padrao p = lerPadrao(padrao);
    return formatarMoney(valor, p.casas, p.agrupar, sep);
}

std::string formatarSignificativo(double valor, int casasMinimas, const Separadores& sep) {
    if (!std::isfinite(valor)) return {};
    const Quinze q = quinzeDigitos(valor);
    std::string_view dig = q.texto();
    while (!dig.empty() && dig.back() == '0') dig.remove_suffix(1);
    const auto len = static_cast<std::int64_t>(dig.size());
    const std::int64_t expoente = dig.empty() ? 0 : q.exp10 - (len - 1);
    const auto casas = static_cast<int>(std::max<std::int64_t>(casasMinimas, -expoente));
    return escreverDecimal(q.negativo, dig, expoente, casas, true, sep);
}

std::string formatarSignificativo(Money valor, int casasMinimas, const Separadores& sep) {
    int casas = std::max(4, casasMinimas);
    for (std::int64_t f = valor.dezMilesimos(); casas > casasMinimas && f % 10 == 0; f /= 10) --casas;
    return formatarMoney(valor, casas, true, sep);
}

std::string textoInteiro(std::int64_t valor) {
    std::array<char, 24> buf{};
    const auto res = std::to_chars(buf.data(), buf.data() + buf.size(), valor);
    return std::string(buf.data(), res.ptr);
}

std::string textoNumero(double valor, const Separadores& sep) {
    if (!std::isfinite(valor)) return {};
    const Quinze q = quinzeDigitos(valor);
    std::string_view dig = q.texto();
    while (!dig.empty() && dig.back() == '0') dig.remove_suffix(1);
    if (dig.empty()) return "0";  // zero, negative zero included

    std::string r;
    if (q.negativo) r.push_back('-');
    const int e = q.exp10;
    if (e >= 15 || e < -4) {
        r.push_back(dig[0]);
        if (dig.size() > 1) {
            r.append(sep.decimal);
            r.append(dig.substr(1));
        }
        r.push_back('E');
        r.push_back(e < 0 ? '-' : '+');
        const int a = e < 0 ? -e : e;
        if (a < 10) r.push_back('0');
        r.append(textoInteiro(a));
    } else if (e >= 0) {
        const auto nInteiro = static_cast<std::size_t>(e) + 1;
        if (dig.size() <= nInteiro) {
            r.append(dig);
            r.append(nInteiro - dig.size(), '0');
        } else {
            r.append(dig.substr(0, nInteiro));
            r.append(sep.decimal);
            r.append(dig.substr(nInteiro));
        }
    } else {
        r.push_back('0');
        r.append(sep.decimal);
        r.append(static_cast<std::size_t>(-e - 1), '0');
        r.append(dig);
    }
    return r;
}

std::string textoMoney(Money valor, const Separadores& sep) {
    const std::int64_t v = valor.dezMilesimos();
    const std::uint64_t mag = magnitude(v);
    std::string r;
    if (v < 0) r.push_back('-');
    std::array<char, 24> buf{};
    const auto res = std::to_chars(buf.data(), buf.data() + buf.size(), mag / Money::kEscala);
    r.append(buf.data(), res.ptr);
    auto frac = static_cast<unsigned>(mag % Money::kEscala);
    if (frac != 0) {
        r.append(sep.decimal);
        std::array<char, 4> f{};
        for (int i = 3; i >= 0; --i) {
            f[static_cast<std::size_t>(i)] = static_cast<char>('0' + frac % 10);
            frac /= 10;
        }
        std::size_t nf = 4;
        while (f[nf - 1] == '0') --nf;
        r.append(f.data(), nf);
    }
    return r;
}

}  // namespace vestamar
