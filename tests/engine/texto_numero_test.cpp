// Number text: parsing and formatting under both regional settings, and the money type.
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>

#include "ajustes.h"
#include "money.h"

namespace vestamar {
namespace {

constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
Money dm(std::int64_t dezMilesimos) { return Money::deDezMilesimos(dezMilesimos); }

TEST(Ler, TextThatIsNoNumberIsRefusedByEveryParser) {
    for (const char* t : {"", "   ", "-", "+", ",", ".", "abc", "1,2,3", "5-", "1 000", "1a", "--1", "- 1",
                          "1E", "1E+", ".5", "1.", "1.,5", "1,5.0", "0x10", "inf", "nan", "1E5,5"}) {
        nosDoisAjustes(t, [](const std::string& s, const Separadores& sep) {
            EXPECT_FALSE(lerMoney(s, sep));
            EXPECT_FALSE(lerDouble(s, sep));
            EXPECT_FALSE(lerInteiro16(s, sep));
        });
    }
}

TEST(Ler, MoneyIsExactDecimalRoundedHalfToEven) {
    struct Caso { const char* texto; std::optional<std::int64_t> dezMilesimos; };
    const Caso casos[] = {
        {"1.234,57", 12345700}, {"  -1.234,5678\t", -12345678}, {"0,12345", 1234}, {"0,12355", 1236},
        {"0,123451", 1235}, {"+7", 70000}, {",5", 5000}, {"5,", 50000}, {"1.2.3", 1230000}, {"-0", 0},
        {"000.001,00", 10000}, {"1E+3", 10000000}, {"1,5E+2", 1500000}, {"5E-5", 0}, {"1,5E-4", 2},
        {"1E-99999999999999999999", 0}, {"922.337.203.685.477,5807", kMax}, {"922337203685477,58074", kMax},
        {"-922337203685477,5808", kMin}, {"922337203685477,5808", std::nullopt},
        {"922337203685477,58075", std::nullopt}, {"-922337203685477,5809", std::nullopt}, {"1E+400", std::nullopt},
    };
    for (const Caso& c : casos) {
        nosDoisAjustes(c.texto, [&](const std::string& t, const Separadores& sep) {
            EXPECT_EQ(lerMoney(t, sep), c.dezMilesimos ? std::optional(dm(*c.dezMilesimos)) : std::nullopt);
        });
    }
}

TEST(Ler, SeparatorsAreTakenAsGiven) {
    const Separadores semGrupo{".", ""};
    EXPECT_EQ(lerMoney("7.5", semGrupo), dm(75000));
    EXPECT_FALSE(lerMoney("1,000", semGrupo));
    const Separadores largos{"\u066B", "\u202F"};  // multi-byte decimal and group marks
    EXPECT_EQ(lerMoney("1\u202F234\u066B5", largos), dm(12345000));
    EXPECT_FALSE(lerMoney("1\xE2\x80" "234", largos));  // a group mark cut short
    EXPECT_FALSE(lerMoney("1.5", largos));
}

TEST(Ler, DoubleIsTheNearestOne) {
    struct Caso { const char* texto; std::optional<double> valor; };
    const Caso casos[] = {
        {"0,1", 0.1}, {"1,5E+20", 1.5e20}, {"1E-05", 1e-5}, {"0,30000000000000004", 0.30000000000000004},
        {"9007199254740993", 9007199254740992.0}, {"123.456.789.012.345.678.901.234.567.890", 1.2345678901234568e29},
        {"4,9406564584124654E-324", 4.9406564584124654e-324}, {"1E-400", 0.0}, {"1E+400", std::nullopt},
    };
    for (const Caso& c : casos) {
        nosDoisAjustes(c.texto, [&](const std::string& t, const Separadores& sep) {
            EXPECT_EQ(lerDouble(t, sep), c.valor);
        });
    }
}

TEST(Ler, IntegersRoundHalfToEvenWithinTheirRange) {
    struct Caso { const char* texto; std::optional<std::int16_t> valor; };
    const Caso casos[] = {{"32767", 32767}, {"-32768", -32768}, {"32768", std::nullopt}, {"-32769", std::nullopt},
                          {"2,5", 2}, {"3,5", 4}, {"-2,5", -2}, {"1E+2", 100}, {"32767,5", std::nullopt}};
    for (const Caso& c : casos) {
        nosDoisAjustes(c.texto, [&](const std::string& t, const Separadores& sep) {
            EXPECT_EQ(lerInteiro16(t, sep), c.valor);
        });
    }
    EXPECT_EQ(arredondarInt32(2.5), 2);
    EXPECT_EQ(arredondarInt32(-3.5), -4);
    EXPECT_EQ(arredondarInt32(-2147483648.5), -2147483648);
    EXPECT_FALSE(arredondarInt32(2147483647.5));
    EXPECT_FALSE(arredondarInt32(std::nan("")));
}

TEST(Money, ArithmeticFailsBeyondTheRange) {
    EXPECT_FALSE(somar(dm(kMax), dm(1)));
    EXPECT_FALSE(subtrair(dm(kMin), dm(1)));
    EXPECT_FALSE(multiplicar(dm(kMin), -1));
    EXPECT_EQ(somar(dm(kMax), dm(-1)), dm(kMax - 1));
    EXPECT_EQ(multiplicar(dm(-12345), -3), dm(37035));
    EXPECT_FALSE(Money::deInteiro(922337203685478));
}

TEST(Money, ConversionsWithDouble) {
    // The products by 10,000 are 2.5, 3.5 and -2.5 exactly: halves go to even.
    EXPECT_EQ(Money::deDouble(0.00025), dm(2));
    EXPECT_EQ(Money::deDouble(0.00035), dm(4));
    EXPECT_EQ(Money::deDouble(-0.00025), dm(-2));
    EXPECT_EQ(Money::deDouble(-922337203685477.5808), dm(kMin));
    EXPECT_FALSE(Money::deDouble(922337203685477.5807));  // 2^63 as a double
    EXPECT_FALSE(Money::deDouble(std::nan("")));
    // The nearest double, also beyond 2^53 ten-thousandths.
    EXPECT_EQ(dm(kMax).paraDouble(), 922337203685477.5807);
    EXPECT_EQ(dm((std::int64_t{1} << 53) + 1).paraDouble(), 900719925474.0993);
    EXPECT_EQ(dm(1234565).paraDouble(), 123.4565);
}

TEST(Formatar, ResultsRoundHalvesAwayFromZeroAfterFifteenDigits) {
    struct Caso { double valor; const char* textoBr; };
    const Caso casos[] = {
        {2850 * 0.65 / 100, "18,53"}, {1234.565, "1.234,57"}, {-2.5, "-2,50"}, {-0.5, "-0,50"},
        {1800, "1.800,00"}, {123.455, "123,46"}, {999.995, "1.000,00"}, {-0.005, "-0,01"},
        {-0.001, "0,00"}, {-0.0, "0,00"}, {1e20, "100.000.000.000.000.000.000,00"},
    };
    for (const Caso& c : casos) {
        nosDoisAjustes(c.textoBr, [&](const std::string& esperado, const Separadores& sep) {
            EXPECT_EQ(formatarMoeda(c.valor, sep), esperado);
        });
    }
    const std::string enorme = formatarMoeda(1e308, Separadores::brasil());
    EXPECT_EQ(enorme.substr(0, 7), "100.000");
    EXPECT_EQ(enorme.size(), 309u + 102u + 3u);  // 309 digits, 102 group marks, ",00"

    const std::pair<std::int64_t, const char*> money[] = {
        {1250, "0,13"}, {12345650, "1.234,57"}, {-50, "-0,01"}, {-49, "0,00"}, {kMin, "-922.337.203.685.477,58"}};
    for (const auto& [v, textoBr] : money) {
        nosDoisAjustes(textoBr, [&](const std::string& esperado, const Separadores& sep) {
            EXPECT_EQ(formatarMoeda(dm(v), sep), esperado);
        });
    }
}

TEST(Formatar, DisplayPatterns) {
    struct Caso { double valor; const char* padrao; const char* textoBr; };
    const Caso casos[] = {
        {1800, "0.00", "1800,00"}, {11.126, "0.00", "11,13"}, {12.05, "0.0", "12,1"}, {-2.5, "0", "-3"},
        {-0.4, "0", "0"}, {1234.5, "#,##0.0", "1.234,5"}, {1234567.891, "#,##0.00", "1.234.567,89"},
        {1234.5, "outro", "1234,50"},
    };
    for (const Caso& c : casos) {
        nosDoisAjustes(c.textoBr, [&](const std::string& esperado, const Separadores& sep) {
            EXPECT_EQ(formatarPadrao(c.valor, c.padrao, sep), esperado);
        });
    }
    EXPECT_EQ(formatarPadrao(dm(19039500), "#,##0.0", Separadores::brasil()), "1.904,0");
}

TEST(Texto, PlainNumberReadsBack) {
    struct Caso { double valor; const char* textoBr; };
    const Caso casos[] = {
        {12, "12"}, {7.5, "7,5"}, {1.0 / 3, "0,333333333333333"}, {2.0 / 3, "0,666666666666667"},
        {0.1 + 0.2, "0,3"}, {-11.126, "-11,126"}, {0.0001, "0,0001"}, {1e15, "1E+15"}, {1.5e20, "1,5E+20"},
        {1e-5, "1E-05"}, {-2.5e-7, "-2,5E-07"}, {1e308, "1E+308"}, {999999999999999, "999999999999999"},
        {999999999999999.9, "1E+15"}, {-0.0, "0"}, {4.9406564584124654e-324, "4,94065645841247E-324"},
    };
    for (const Caso& c : casos) {
        nosDoisAjustes(c.textoBr, [&](const std::string& esperado, const Separadores& sep) {
            EXPECT_EQ(textoNumero(c.valor, sep), esperado);
            const auto lido = lerDouble(esperado, sep);
            ASSERT_TRUE(lido);
            EXPECT_EQ(textoNumero(*lido, sep), esperado);
        });
    }
    const std::pair<std::int64_t, const char*> money[] = {
        {1428000, "142,8"}, {6780000, "678"}, {-1, "-0,0001"}, {kMin, "-922337203685477,5808"}};
    for (const auto& [v, textoBr] : money) {
        nosDoisAjustes(textoBr, [&](const std::string& esperado, const Separadores& sep) {
            EXPECT_EQ(textoMoney(dm(v), sep), esperado);
            EXPECT_EQ(lerMoney(esperado, sep), dm(v));
        });
    }
    EXPECT_EQ(textoInteiro(kMin), "-9223372036854775808");
}

}  // namespace
}  // namespace vestamar
