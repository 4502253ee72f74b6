// Number text: parsing and formatting under both regional settings, and the money type.
#include <clocale>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <tuple>
#include <utility>

#include "ajustes.h"
#include "money.h"

namespace vestamar {
namespace {

// The C library follows the locale named by the environment, so that a decimal-comma setting is
// in force while the engine formats and parses.
const bool kLocaleDoAmbiente = std::setlocale(LC_ALL, "") != nullptr;
TEST(Ambiente, TheLocaleOfTheEnvironmentIsInstalled) { EXPECT_TRUE(kLocaleDoAmbiente); }

constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
constexpr std::nullopt_t kNada = std::nullopt;
Money dm(std::int64_t dezMilesimos) { return Money::deDezMilesimos(dezMilesimos); }
std::optional<Money> dm(std::optional<std::int64_t> d) { return d ? std::optional(dm(*d)) : kNada; }

using Texto = NosDoisAjustes;
INSTANTIATE_TEST_SUITE_P(Ajustes, Texto, ::testing::Bool(), nomeDoAjuste);

// Money texts to ten-thousandths, halves to even, up to the range's ends; doubles and 16-bit
// integers are the nearest ones; texts that are no number are refused by every parser. Money
// also under marks given as they are: no group mark, and multi-byte decimal and group marks
// (the last texts there: a group mark cut short, a mark of another setting).
TEST_P(Texto, ParsingIsExactAndRefusesWhatIsNoNumber) {
    const Separadores semGrupo{".", ""}, largos{"\u066B", "\u202F"};
    // clang-format off: packed tables, several cases a line
    const std::tuple<const char*, std::optional<std::int64_t>, const Separadores*> money[] = {
        {"1.234,57", 12345700, nullptr}, {"  -1.234,5678\t", -12345678, nullptr}, {"0,12345", 1234, nullptr},
        {"0,12355", 1236, nullptr}, {"0,123451", 1235, nullptr}, {"+7", 70000, nullptr}, {",5", 5000, nullptr},
        {"5,", 50000, nullptr}, {"1.2.3", 1230000, nullptr}, {"-0", 0, nullptr}, {"000.001,00", 10000, nullptr},
        {"1,5E+2", 1500000, nullptr}, {"5E-5", 0, nullptr}, {"1,5E-4", 2, nullptr},
        {"1E-99999999999999999999", 0, nullptr}, {"922.337.203.685.477,5807", kMax, nullptr},
        {"922337203685477,58074", kMax, nullptr}, {"-922337203685477,5808", kMin, nullptr},
        {"922337203685477,5808", kNada, nullptr}, {"922337203685477,58075", kNada, nullptr},
        {"-922337203685477,5809", kNada, nullptr}, {"1E+400", kNada, nullptr},
        {"7.5", 75000, &semGrupo}, {"75E-1", 75000, &semGrupo}, {"1,000", kNada, &semGrupo},
        {"1\u202F234\u066B5", 12345000, &largos}, {"1\xE2\x80\x32\x33\x34", kNada, &largos}, {"1.5", kNada, &largos}};
    const std::pair<const char*, std::optional<double>> duplos[] = {
        {"0,1", 0.1}, {"1,5E+20", 1.5e20}, {"0,30000000000000004", 0.30000000000000004},
        {"9007199254740993", 9007199254740992.0}, {"4,9406564584124654E-324", 4.9406564584124654e-324},
        {"123.456.789.012.345.678.901.234.567.890", 1.2345678901234568e29}, {"1E-400", 0.0}, {"1E+400", kNada}};
    const std::pair<const char*, std::optional<std::int16_t>> inteiros[] = {
        {"32767", 32767}, {"-32768", -32768}, {"32768", kNada}, {"-32769", kNada}, {"2,5", 2}, {"3,5", 4},
        {"-2,5", -2}, {"1E+2", 100}, {"32767,5", kNada}};
    for (const char* s : {"", "   ", "-", "+", ",", ".", "abc", "1,2,3", "5-", "1 000", "1a", "--1", "- 1", "1E",
                          "1E+", ".5", "1.", "1.,5", "1,5.0", "0x10", "inf", "nan", "1E5,5"})
        EXPECT_FALSE(lerMoney(t(s), sep()) || lerDouble(t(s), sep()) || lerInteiro16(t(s), sep())) << s;
    // clang-format on
    for (const auto& [s, v, marcas] : money)
        EXPECT_EQ(marcas ? lerMoney(s, *marcas) : lerMoney(t(s), sep()), dm(v)) << s;
    for (const auto& [s, v] : duplos) EXPECT_EQ(lerDouble(t(s), sep()), v) << s;
    for (const auto& [s, v] : inteiros) EXPECT_EQ(lerInteiro16(t(s), sep()), v) << s;
}

// Arithmetic fails beyond the range; conversions with double, and a double to a 32-bit whole
// number, halves to even.
TEST(Money, RangeAndDoubles) {
    EXPECT_FALSE(somar(dm(kMax), dm(1)));
    EXPECT_FALSE(subtrair(dm(kMin), dm(1)));
    EXPECT_FALSE(multiplicar(dm(kMin), -1));
    EXPECT_EQ(somar(dm(kMax), dm(-1)), dm(kMax - 1));
    EXPECT_EQ(multiplicar(dm(-12345), -3), dm(37035));
    // The products by 10,000 of the first three are 2.5, 3.5 and -2.5 exactly: halves go to even.
    // 922337203685477.5807 as a double is 2^63 ten-thousandths, just beyond the range.
    // clang-format off: packed tables, several cases a line
    const std::pair<double, std::optional<std::int64_t>> casos[] = {
        {0.00025, 2}, {0.00035, 4}, {-0.00025, -2}, {-922337203685477.5808, kMin}, {922337203685477.5807, kNada},
        {NAN, kNada}};
    // The nearest double, also beyond 2^53 ten-thousandths (where the count itself is no double).
    const std::pair<std::int64_t, double> duplos[] = {
        {kMax, 922337203685477.5807}, {1234565, 123.4565}, {3, 0.0003}, {4611686018427395681, 461168601842739.56}};
    const std::pair<double, std::optional<std::int32_t>> inteiros[] = {
        {2.5, 2}, {-3.5, -4}, {-2147483648.5, -2147483648}, {2147483647.0, 2147483647}, {2147483647.5, kNada},
        {NAN, kNada}};
    // clang-format on
    for (const auto& [x, v] : casos) EXPECT_EQ(Money::deDouble(x), dm(v)) << x;
    for (const auto& [d, x] : duplos) EXPECT_EQ(dm(d).paraDouble(), x) << d;
    for (const auto& [x, v] : inteiros) EXPECT_EQ(arredondarInt32(x), v) << x;
}

// Results (formatarMoeda, "#,##0.00") and the entry fields' patterns, an unknown one shown like "0.00":
// a double is taken at 15 significant digits, then rounded half away from zero; money exactly; a
// zero shows no sign. Money in a working never shows fewer than 2 decimals.
TEST_P(Texto, PatternsRoundHalvesAwayFromZeroAfterFifteenDigits) {
    // clang-format off: packed tables, several cases a line
    const std::tuple<double, const char*, const char*> duplos[] = {
        {2850 * 0.65 / 100, "18,53", nullptr}, {1234.565, "1.234,57", nullptr}, {-2.5, "-2,50", nullptr},
        {-0.5, "-0,50", nullptr}, {123.455, "123,46", nullptr}, {999.995, "1.000,00", nullptr},
        {-0.005, "-0,01", nullptr}, {-0.001, "0,00", nullptr}, {-0.0, "0,00", nullptr},
        {1e20, "100.000.000.000.000.000.000,00", nullptr}, {1234567.891, "1.234.567,89", "#,##0.00"},
        {1800, "1800,00", "0.00"}, {11.126, "11,13", "0.00"}, {12.05, "12,1", "0.0"}, {-2.5, "-3", "0"},
        {-0.4, "0", "0"}, {1234.5, "1.234,5", "#,##0.0"}, {1234.5, "1234,50", "?"}};
    const std::tuple<std::int64_t, const char*, const char*> money[] = {
        {1250, "0,13", nullptr}, {12345650, "1.234,57", nullptr}, {-50, "-0,01", nullptr}, {-49, "0,00", nullptr},
        {kMin, "-922.337.203.685.477,58", nullptr}, {19039500, "1.904,0", "#,##0.0"}};
    // clang-format on
    for (const auto& [x, texto, padrao] : duplos)
        EXPECT_EQ(padrao ? formatarPadrao(x, padrao, sep()) : formatarMoeda(x, sep()), t(texto));
    for (const auto& [d, texto, padrao] : money)
        EXPECT_EQ(padrao ? formatarPadrao(dm(d), padrao, sep()) : formatarMoeda(dm(d), sep()), t(texto));
    const std::string enorme = formatarMoeda(1e308, sep());
    EXPECT_EQ(enorme.substr(0, 7), t("100.000"));
    EXPECT_EQ(enorme.size(), 309u + 102u + 3u);  // 309 digits, 102 group marks, ",00"
    EXPECT_EQ(textoDoNumero(dm(50000), sep(), 0), t("5,00"));
}

// The plain text of a double (15 significant digits, exponent form outside 1E-4 .. 1E15) and of
// money, each read back to the same text or value.
TEST_P(Texto, PlainNumberReadsBack) {
    // clang-format off: packed tables, several cases a line
    const std::pair<double, const char*> duplos[] = {
        {12, "12"}, {7.5, "7,5"}, {1.0 / 3, "0,333333333333333"}, {2.0 / 3, "0,666666666666667"}, {0.1 + 0.2, "0,3"},
        {-11.126, "-11,126"}, {0.0001, "0,0001"}, {1e15, "1E+15"}, {1.5e20, "1,5E+20"}, {1e-5, "1E-05"},
        {-2.5e-7, "-2,5E-07"}, {1e308, "1E+308"}, {999999999999999, "999999999999999"},
        {999999999999999.9, "1E+15"}, {-0.0, "0"}, {4.9406564584124654e-324, "4,94065645841247E-324"}};
    const std::pair<std::int64_t, const char*> money[] = {
        {1428000, "142,8"}, {6780000, "678"}, {-1, "-0,0001"}, {kMin, "-922337203685477,5808"}};
    // clang-format on
    for (const auto& [x, s] : duplos) {
        EXPECT_EQ(textoNumero(x, sep()), t(s));
        EXPECT_EQ(textoNumero(lerDouble(t(s), sep()).value_or(NAN), sep()), t(s)) << "read back";
    }
    for (const auto& [d, s] : money) {
        EXPECT_EQ(textoMoney(dm(d), sep()), t(s));
        EXPECT_EQ(lerMoney(t(s), sep()), dm(d));
    }
}

// parcela − fator × valor, exact and rounded once to cents, halves away from zero: 978,62 −
// 0,133145 × 7.000,00 is 46,605 (a double gives 46,60), × 5.000,01 312,89366855, × 7.350,00
// 0,00425; no cent carries no sign; a third spelled with 15 digits; far below the cent; past the
// range by the product, by the sum, by a factor just beyond 1; the cents of the range's end fit.
TEST(Money, ExactReductionRoundsHalvesAwayFromZero) {
    // clang-format off: packed table, several cases a line
    const std::tuple<std::int64_t, double, std::int64_t, std::optional<std::int64_t>> casos[] = {
        {9786200, 0.133145, 70000000, 4661}, {9786200, 0.133145, 50000100, 31289}, {9786200, 0.133145, 73500000, 0},
        {0, 0.5, 10, 0}, {0, 0.005, 10000, -1}, {0, -0.005, 10000, 1}, {150, 0, 0, 2}, {0, 1.0 / 3, 30000, -100},
        {0, 1e-20, 10000, 0}, {0, 1e300, 10000, kNada}, {kMax, -1, kMax, kNada},
        {0, -1.00000000000001, kMax, kNada}, {0, -1, kMax, 92233720368547758},
        {0, 1, 922337203685477'0000, -92233720368547700}, {0, NAN, 1, kNada}};
    // clang-format on
    for (const auto& [parcela, fator, valor, centavos] : casos) {
        EXPECT_EQ(parcelaMenosProdutoEmCentavos(dm(parcela), fator, dm(valor)),
                  dm(centavos ? std::optional(*centavos * 100) : kNada))
            << parcela << " " << fator << " " << valor;
    }
}

// Two texts of the same decimal value, whatever a double makes of them.
TEST_P(Texto, SameValueIsExact) {
    // clang-format off: packed table, several cases a line
    const std::tuple<const char*, const char*, bool> casos[] = {
        {"1.800,00", "1800", true}, {"0,00", "-0", true}, {"1,5E+2", "150", true}, {"2,70", "2,7", true},
        {"300.000.000.000.000,01", "300000000000000,01", true}, {"300.000.000.000.000,00", "300000000000000,01", false},
        {"100.000.000.000.000.000.000,00", "99999999999999999999", false}, {"2,7", "2,666", false},
        {"-1", "1", false}, {"1", "x", false}, {"", "", false}};
    // clang-format on
    for (const auto& [a, b, igual] : casos) EXPECT_EQ(mesmoValor(t(a), t(b), sep()), igual) << a << " / " << b;
}

}  // namespace
}  // namespace vestamar
