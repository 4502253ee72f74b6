// Number text: parsing and formatting under both regional settings, and the money type.
#include <clocale>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
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
Money dm(std::int64_t dezMilesimos) { return Money::deDezMilesimos(dezMilesimos); }

using Texto = NosDoisAjustes;
INSTANTIATE_TEST_SUITE_P(Ajustes, Texto, ::testing::Bool(), nomeDoAjuste);

// Also under marks given as they are: no group mark, and multi-byte decimal and group marks
// (the last texts there: a group mark cut short, a mark of another setting).
TEST_P(Texto, MoneyIsExactDecimalRoundedHalfToEven) {
    const Separadores semGrupo{".", ""}, largos{"\u066B", "\u202F"};
    const struct {
        const char* texto;
        std::optional<std::int64_t> v;
        const Separadores* marcas = nullptr;
    } casos[] = {{"1.234,57", 12345700},
                 {"  -1.234,5678\t", -12345678},
                 {"0,12345", 1234},
                 {"0,12355", 1236},
                 {"0,123451", 1235},
                 {"+7", 70000},
                 {",5", 5000},
                 {"5,", 50000},
                 {"1.2.3", 1230000},
                 {"-0", 0},
                 {"000.001,00", 10000},
                 {"1E+3", 10000000},
                 {"1,5E+2", 1500000},
                 {"5E-5", 0},
                 {"1,5E-4", 2},
                 {"1E-99999999999999999999", 0},
                 {"922.337.203.685.477,5807", kMax},
                 {"922337203685477,58074", kMax},
                 {"-922337203685477,5808", kMin},
                 {"922337203685477,5808", std::nullopt},
                 {"922337203685477,58075", std::nullopt},
                 {"-922337203685477,5809", std::nullopt},
                 {"1E+400", std::nullopt},
                 {"7.5", 75000, &semGrupo},
                 {"75E-1", 75000, &semGrupo},
                 {"1,000", {}, &semGrupo},
                 {"1\u202F234\u066B5", 12345000, &largos},
                 {"1\xE2\x80\x32\x33\x34", {}, &largos},  // "234" after a cut-off character
                 {"1.5", {}, &largos}};
    for (const auto& [s, v, marcas] : casos)
        EXPECT_EQ(marcas ? lerMoney(s, *marcas) : lerMoney(t(s), sep()), v ? std::optional(dm(*v)) : std::nullopt) << s;
}

// Doubles and 16-bit integers, and texts that are no number: refused by every parser.
TEST_P(Texto, DoublesAndIntegersAreTheNearestOnesAndTheRestIsRefused) {
    const std::pair<const char*, std::optional<double>> casos[] = {
        {"0,1", 0.1},
        {"1,5E+20", 1.5e20},
        {"1E-05", 1e-5},
        {"0,30000000000000004", 0.30000000000000004},
        {"9007199254740993", 9007199254740992.0},
        {"123.456.789.012.345.678.901.234.567.890", 1.2345678901234568e29},
        {"4,9406564584124654E-324", 4.9406564584124654e-324},
        {"1E-400", 0.0},
        {"1E+400", std::nullopt}};
    for (const auto& [s, v] : casos) EXPECT_EQ(lerDouble(t(s), sep()), v) << s;
    for (const char* s : {"",    "   ", "-",   "+",  ",",  ".",    "abc",   "1,2,3", "5-",  "1 000", "1a",   "--1",
                          "- 1", "1E",  "1E+", ".5", "1.", "1.,5", "1,5.0", "0x10",  "inf", "nan",   "1E5,5"})
        EXPECT_FALSE(lerMoney(t(s), sep()) || lerDouble(t(s), sep()) || lerInteiro16(t(s), sep())) << s;
    const std::pair<const char*, std::optional<std::int16_t>> inteiros[] = {
        {"32767", 32767}, {"-32768", -32768}, {"32768", std::nullopt}, {"-32769", std::nullopt}, {"2,5", 2},
        {"3,5", 4},       {"-2,5", -2},       {"1E+2", 100},           {"32767,5", std::nullopt}};
    for (const auto& [s, v] : inteiros) EXPECT_EQ(lerInteiro16(t(s), sep()), v) << s;
    const std::pair<double, std::optional<std::int32_t>> duplos[] = {{2.5, 2},
                                                                     {-3.5, -4},
                                                                     {-2147483648.5, -2147483648},
                                                                     {2147483647.0, 2147483647},
                                                                     {2147483647.5, std::nullopt},
                                                                     {NAN, std::nullopt}};
    for (const auto& [x, v] : duplos) EXPECT_EQ(arredondarInt32(x), v) << x;
}

// Arithmetic fails beyond the range; conversions with double.
TEST(Money, RangeAndDoubles) {
    EXPECT_FALSE(somar(dm(kMax), dm(1)));
    EXPECT_FALSE(subtrair(dm(kMin), dm(1)));
    EXPECT_FALSE(multiplicar(dm(kMin), -1));
    EXPECT_EQ(somar(dm(kMax), dm(-1)), dm(kMax - 1));
    EXPECT_EQ(multiplicar(dm(-12345), -3), dm(37035));
    // The products by 10,000 of the first three are 2.5, 3.5 and -2.5 exactly: halves go to even.
    // 922337203685477.5807 as a double is 2^63 ten-thousandths, just beyond the range.
    const std::pair<double, std::optional<std::int64_t>> casos[] = {{0.00025, 2},
                                                                    {0.00035, 4},
                                                                    {-0.00025, -2},
                                                                    {-922337203685477.5808, kMin},
                                                                    {922337203685477.5807, std::nullopt},
                                                                    {NAN, std::nullopt}};
    for (const auto& [x, v] : casos) EXPECT_EQ(Money::deDouble(x), v ? std::optional(dm(*v)) : std::nullopt) << x;
    // The nearest double, also beyond 2^53 ten-thousandths (where the count itself is no double).
    const std::pair<std::int64_t, double> duplos[] = {
        {kMax, 922337203685477.5807}, {1234565, 123.4565}, {3, 0.0003}, {4611686018427395681, 461168601842739.56}};
    for (const auto& [d, x] : duplos) EXPECT_EQ(dm(d).paraDouble(), x) << d;
}

// Results (formatarMoeda, "#,##0.00") and the entry fields' patterns, an unknown one shown like "0.00":
// a double is taken at 15 significant digits, then rounded half away from zero; money exactly; a
// zero shows no sign. Money in a working never shows fewer than 2 decimals.
TEST_P(Texto, PatternsRoundHalvesAwayFromZeroAfterFifteenDigits) {
    const struct {
        double valor;
        const char* texto;
        const char* padrao = nullptr;
    } casos[] = {{2850 * 0.65 / 100, "18,53"},
                 {1234.565, "1.234,57"},
                 {-2.5, "-2,50"},
                 {-0.5, "-0,50"},
                 {123.455, "123,46"},
                 {999.995, "1.000,00"},
                 {-0.005, "-0,01"},
                 {-0.001, "0,00"},
                 {-0.0, "0,00"},
                 {1e20, "100.000.000.000.000.000.000,00"},
                 {1234567.891, "1.234.567,89", "#,##0.00"},
                 {1800, "1800,00", "0.00"},
                 {11.126, "11,13", "0.00"},
                 {12.05, "12,1", "0.0"},
                 {-2.5, "-3", "0"},
                 {-0.4, "0", "0"},
                 {1234.5, "1.234,5", "#,##0.0"},
                 {1234.5, "1234,50", "?"}};
    for (const auto& c : casos)
        EXPECT_EQ(c.padrao ? formatarPadrao(c.valor, c.padrao, sep()) : formatarMoeda(c.valor, sep()), t(c.texto));
    const std::string enorme = formatarMoeda(1e308, sep());
    EXPECT_EQ(enorme.substr(0, 7), t("100.000"));
    EXPECT_EQ(enorme.size(), 309u + 102u + 3u);  // 309 digits, 102 group marks, ",00"
    const struct {
        std::int64_t valor;
        const char* texto;
        const char* padrao = nullptr;
    } money[] = {{1250, "0,13"},
                 {12345650, "1.234,57"},
                 {-50, "-0,01"},
                 {-49, "0,00"},
                 {kMin, "-922.337.203.685.477,58"},
                 {19039500, "1.904,0", "#,##0.0"}};
    for (const auto& c : money)
        EXPECT_EQ(c.padrao ? formatarPadrao(dm(c.valor), c.padrao, sep()) : formatarMoeda(dm(c.valor), sep()),
                  t(c.texto));
    EXPECT_EQ(textoDoNumero(dm(50000), sep(), 0), t("5,00"));
}

TEST_P(Texto, PlainNumberReadsBack) {
    const std::pair<double, const char*> casos[] = {
        {12, "12"},
        {7.5, "7,5"},
        {1.0 / 3, "0,333333333333333"},
        {2.0 / 3, "0,666666666666667"},
        {0.1 + 0.2, "0,3"},
        {-11.126, "-11,126"},
        {0.0001, "0,0001"},
        {1e15, "1E+15"},
        {1.5e20, "1,5E+20"},
        {1e-5, "1E-05"},
        {-2.5e-7, "-2,5E-07"},
        {1e308, "1E+308"},
        {999999999999999, "999999999999999"},
        {999999999999999.9, "1E+15"},
        {-0.0, "0"},
        {4.9406564584124654e-324, "4,94065645841247E-324"},
    };
    for (const auto& [v, s] : casos) {
        EXPECT_EQ(textoNumero(v, sep()), t(s));
        EXPECT_EQ(textoNumero(lerDouble(t(s), sep()).value_or(NAN), sep()), t(s)) << "read back";
    }
    const std::pair<std::int64_t, const char*> money[] = {
        {1428000, "142,8"}, {6780000, "678"}, {-1, "-0,0001"}, {kMin, "-922337203685477,5808"}};
    for (const auto& [v, s] : money) {
        EXPECT_EQ(textoMoney(dm(v), sep()), t(s));
        EXPECT_EQ(lerMoney(t(s), sep()), dm(v));
    }
}

// parcela − fator × valor, exact and rounded once to cents, halves away from zero: where the
// binary product lies just beside a half cent, past the range, and with factors the double
// spells with many digits.
TEST(Money, ExactReductionRoundsHalvesAwayFromZero) {
    const struct {
        std::int64_t parcela;
        double fator;
        std::int64_t valor;
        std::optional<std::int64_t> centavos;
    } casos[] = {
        {9786200, 0.133145, 70000000, 4661},   // 978,62 − 932,015 = 46,605: up (a double gives 46,60)
        {9786200, 0.133145, 50000100, 31289},  // 5.000,01: 312,89366855
        {9786200, 0.133145, 52822500, 27531},  // 5.282,25: 275,31482375
        {9786200, 0.133145, 73500000, 0},      // 978,62 − 978,61575 = 0,00425
        {0, 0.5, 10, 0},                       // −0,0005: no cent, no sign
        {0, 0.5, 1000, -5},                    // −0,05
        {0, 0.005, 10000, -1},                 // −0,005: away from zero
        {0, -0.005, 10000, 1},
        {125, 0, 0, 1},             // 0,0125 alone: 0,01
        {150, 0, 0, 2},             // 0,015: up
        {0, 1.0 / 3, 30000, -100},  // 0,333333333333333 × 3 = 0,999999999999999
        {0, 1e-20, 10000, 0},
        {0, 1e300, 10000, std::nullopt},
        {kMax, -1, kMax, std::nullopt},
        {0, -1, kMax, 92233720368547758},            // 922.337.203.685.477,5807: the cents fit
        {0, -1.00000000000001, kMax, std::nullopt},  // past the range
        {0, 1, 922337203685477'0000, -92233720368547700},
    };
    for (const auto& c : casos) {
        const auto r = parcelaMenosProdutoEmCentavos(dm(c.parcela), c.fator, dm(c.valor));
        const std::optional<std::int64_t> obtido = r ? std::optional(r->dezMilesimos()) : std::nullopt;
        EXPECT_EQ(obtido, c.centavos ? std::optional(*c.centavos * 100) : std::nullopt)
            << c.parcela << " " << c.fator << " " << c.valor;
    }
    EXPECT_EQ(parcelaMenosProdutoEmCentavos(dm(0), std::numeric_limits<double>::quiet_NaN(), dm(1)), std::nullopt);
}

// Two texts of the same decimal value, whatever a double makes of them.
TEST_P(Texto, SameValueIsExact) {
    const struct {
        const char* a;
        const char* b;
        bool igual;
    } casos[] = {
        {"1.800,00", "1800", true},
        {"0,00", "-0", true},
        {"1,5E+2", "150", true},
        {"2,70", "2,7", true},
        {"300.000.000.000.000,01", "300000000000000,01", true},
        {"300.000.000.000.000,00", "300000000000000,01", false},
        {"100.000.000.000.000.000.000,00", "99999999999999999999", false},
        {"2,7", "2,666", false},
        {"-1", "1", false},
        {"1", "x", false},
        {"", "", false},
    };
    for (const auto& c : casos) EXPECT_EQ(mesmoValor(t(c.a), t(c.b), sep()), c.igual) << c.a << " / " << c.b;
}

}  // namespace
}  // namespace vestamar
