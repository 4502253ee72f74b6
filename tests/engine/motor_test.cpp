// The engine: number text (parsing and formatting) under both regional settings, the money
// type, and the calculation run over a map of field texts.
#include <algorithm>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <limits>
#include <map>
#include <optional>
#include <ranges>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "calculo.h"
#include "exemplo.h"
#include "money.h"
#include "tabelas2026.h"
#include "texto_numero.h"

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

// Every test of the number text and of the run is run under both regional settings: its cases
// are written in the decimal-comma form, and under the decimal-point setting "." and "," change
// places.
class NosDoisAjustes : public ::testing::TestWithParam<bool> {
protected:
    bool ponto() const { return GetParam(); }
    Separadores sep() const { return ponto() ? Separadores::ponto() : Separadores::brasil(); }
    std::string t(std::string_view s) const { return noAjuste(s, sep()); }
};
std::string nomeDoAjuste(const ::testing::TestParamInfo<bool>& p) { return p.param ? "ponto" : "virgula"; }

using Texto = NosDoisAjustes;
INSTANTIATE_TEST_SUITE_P(Ajustes, Texto, ::testing::Bool(), nomeDoAjuste);

// Money texts to ten-thousandths, halves to even, up to the range's ends; doubles and 16-bit
// integers are the nearest ones; texts that are no number are refused by every parser. Money
// also under marks given as they are: no group mark, and multi-byte decimal and group marks
// (the last texts there: a group mark cut short, a mark of another setting).
TEST_P(Texto, ParsingIsExactAndRefusesWhatIsNoNumber) {
    const Separadores semGrupo{".", ""}, largos{"\u066B", "\u202F"};
    // Packed tables, several cases a line
    // clang-format off
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
    // Packed tables, several cases a line
    // clang-format off
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
    // Packed tables, several cases a line
    // clang-format off
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
    // Packed tables, several cases a line
    // clang-format off
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
    // Packed table, several cases a line
    // clang-format off
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
    // Packed table, several cases a line
    // clang-format off
    const std::tuple<const char*, const char*, bool> casos[] = {
        {"1.800,00", "1800", true}, {"0,00", "-0", true}, {"1,5E+2", "150", true}, {"2,70", "2,7", true},
        {"300.000.000.000.000,01", "300000000000000,01", true}, {"300.000.000.000.000,00", "300000000000000,01", false},
        {"100.000.000.000.000.000.000,00", "99999999999999999999", false}, {"2,7", "2,666", false},
        {"-1", "1", false}, {"1", "x", false}, {"", "", false}};
    // clang-format on
    for (const auto& [a, b, igual] : casos) EXPECT_EQ(mesmoValor(t(a), t(b), sep()), igual) << a << " / " << b;
}

// ---- The calculation run over a map of field texts: the figures it writes and the working it
// records for each.

using P = ParametrosSimulacao;
using Textos = std::vector<std::pair<const char*, const char*>>;

// Every write of the worked example, in order, with the text it leaves (the insalubrity
// allowance is written by the rate, then replaced by its ceiling).
const std::vector<std::pair<std::string, std::string>> kExemplo = {
    {"TxManut", "90,00"},        {"valDAR", "0,00"},      {"retINSS", "198,00"},      {"retIR", "0,00"},
    {"liqPagar", "2.112,00"},    {"valTxAdm", "450,00"},  {"valTotalNF", "2.850,00"}, {"valIR", "42,75"},
    {"valISS", "13,50"},         {"valPIS", "18,53"},     {"valCofins", "85,50"},     {"nfLiq", "2.689,72"},
    {"valSeg", "0,00"},          {"valMargem", "379,72"}, {"valInsalub", "360,00"},   {"valInsalub", "135,60"},
    {"valPericExNot", "119,99"}, {"valDSR", "342,67"},    {"TxManut2", "119,91"},     {"valDAR2", "0,00"},
    {"retINSS2", "263,81"},      {"retIR2", "17,28"},     {"liqPagar2", "2.597,26"},  {"valTxAdm2", "599,57"},
    {"valTotalNF2", "3.597,83"}, {"valIR2", "53,97"},     {"valISS2", "17,99"},       {"valPIS2", "23,39"},
    {"valCofins2", "107,93"},    {"nfLiq2", "3.394,55"},  {"valSeg2", "0,00"},        {"valMargem2", "516,20"}};

// The text each field is left with: its last write.
const std::map<std::string, std::string> kFinais(kExemplo.rbegin(), kExemplo.rend());

std::vector<std::string> nomesAte(std::size_t n) {
    const auto nomes = kExemplo | std::views::take(n) | std::views::keys;
    return {nomes.begin(), nomes.end()};
}

Money centavos(std::int64_t c) { return Money::deCentavos(c); }

class Calculo : public NosDoisAjustes {
protected:
    P estado = estadoDoExemplo();
    VisaoMapa v = visaoDoExemplo(sep());
    MemoriaCalculo memoria;
    // The worked example's state changed by `muda`, and its entry texts.
    void preparar(void (*muda)(P&) = nullptr) {
        estado = estadoDoExemplo();
        if (muda) muda(estado);
        v = visaoDoExemplo(sep(), estado);
    }
    bool executar(bool comMemoria = true) { return executarCalculo(v, estado, sep(), comMemoria ? &memoria : nullptr); }

    // The workings of the last run: captions are captions, the figure's line ends with the field's
    // text, the production total of DEPOIS is explained once in each working that uses it, and
    // each DEPOIS result with an ANTES partner ends with the difference of the two texts.
    void conferirMemorias() {
        const auto lido = [&](std::string_view c) { return lerMoney(v.textos[std::string(c)], sep()).value(); };
        for (const LinhaResultado& l : linhasDeResultado()) {
            for (const std::string_view campo : {l.antes.campo, l.depois.campo}) {
                if (campo.empty() || !l.resultado || (l.linha == Linha::ProdBruta && v.indices["selecModalidade"] != 1))
                    continue;
                SCOPED_TRACE(campo);
                const std::string texto = textoDaMemoria(memoria, campo, sep());
                const auto passos = memoria.passos(campo);
                ASSERT_FALSE(passos.empty());
                for (const Passo& p : passos) {
                    // Captions in both columns' workings are captions, not field names, and carry
                    // no " - " that would read as a minus ("DAR - Desc. Anual Remun").
                    std::vector<std::string_view> rotulos{p.rotulo};
                    for (const Operando& o : p.operandos()) rotulos.push_back(o.rotulo);
                    for (const std::string_view r : rotulos) {
                        EXPECT_EQ(r.find(" - "), r.npos) << r;
                        EXPECT_EQ(rotuloDoCampo(r), r) << "a field's name as caption";
                    }
                }
                EXPECT_EQ(std::ranges::count(passos, "Produção total", &Passo::rotulo),
                          texto.find("Produção total") != texto.npos);
                const bool comDiferenca = campo == l.depois.campo && !l.antes.campo.empty();
                ASSERT_EQ(passos.back().tipo == Passo::Tipo::diferenca, comDiferenca);
                if (comDiferenca) {
                    EXPECT_EQ(std::get<Money>(passos.back().resultado), subtrair(lido(campo), lido(l.antes.campo)));
                }
                const std::string_view semDiferenca(texto.data(), comDiferenca ? texto.rfind('\n') : texto.size());
                EXPECT_TRUE(semDiferenca.ends_with(" = " + v.textos[std::string(campo)])) << texto;
            }
        }
    }
};
INSTANTIATE_TEST_SUITE_P(Ajustes, Calculo, ::testing::Bool(), nomeDoAjuste);

// Both scenarios to the cent, each write in order, with and without the working recorded;
// grouped results ("2.850,00") are read back by the later steps. "Mensal" leaves the typed
// production alone; "Plantões" first writes each production as 15,00 × 10 × 12,0.
TEST_P(Calculo, WorkedExampleOfBothScenariosInBothModes) {
    for (const int modo : {-1, 0, 1}) {
        for (const bool comMemoria : {false, true}) {
            SCOPED_TRACE(modo * 10 + comMemoria);
            preparar();
            v.indices["selecModalidade"] = modo;
            ASSERT_TRUE(executar(comMemoria));
            std::vector<std::string> esperadas = nomesAte(kExemplo.size());
            if (modo == 1) esperadas.insert(esperadas.begin(), {"ProdBruta", "ProdBruta2"});
            EXPECT_EQ(v.escritas, esperadas);
            for (const auto& [campo, texto] : kFinais) EXPECT_EQ(v.textos[campo], t(texto)) << campo;
            EXPECT_EQ(v.textos["ProdBruta"], t(modo != 1 ? "1.800,00" : "1800,00"));
            if (comMemoria) conferirMemorias();
            const auto antes = v.textos;
            ASSERT_TRUE(executar(comMemoria));
            EXPECT_EQ(v.textos, antes);
        }
    }
}

// The production handler of the window stores the value, changes the state and starts a
// nested run; the outer run goes on with the state as it is at each use, and the workings
// are those of the last write of each field.
TEST_P(Calculo, NestedRunFromAWriteIsSafe) {
    v.indices["selecModalidade"] = 1;
    int aninhadas = 0;
    v.aoMudar = [&](std::string_view campo) {
        if (campo != "ProdBruta" && campo != "ProdBruta2") return;
        estado.percentISS = 5;
        ++aninhadas;
        EXPECT_TRUE(executarCalculo(v, estado, sep(), &memoria));
    };
    ASSERT_TRUE(executar());
    EXPECT_EQ(aninhadas, 2);
    EXPECT_EQ(v.passagensResultados, 3);
    EXPECT_EQ(v.textos["valISS"], t("22,50"));           // 450,00 of fee at the new 5 %
    EXPECT_EQ(memoria.passos("ProdBruta2").size(), 2u);  // the product and one difference
    EXPECT_TRUE(textoDaMemoria(memoria, "valISS", sep()).ends_with(t("5,00 ÷ 100 = 22,50")));
}

// The field made unreadable, or given a number the run cannot carry ("1E+306", the two amounts,
// dependants or an allowance rate that take a result beyond the money range, an insalubrity
// ceiling beyond its 32-bit rounding); how many writes of the worked example come before; the
// step that fails, and the working's message for the failure where it is given.
TEST_P(Calculo, FailureStopsTheRunAndTheWorkingsSayWhere) {
    const char* const naoNumero =
        "Não calculado: o último cálculo parou em “Retenção INSS $ - ANTES”, porque o "
        "campo “INSS %” não contém um número.";
    const char* const limite =
        "Não calculado: o último cálculo parou em “Líquido a Pagar $ - ANTES”, porque um "
        "valor passou do limite do cálculo.";
    const struct {
        const char *campo, *texto;
        std::size_t escritasAntes;
        const char* etapa;
        const char* aviso = nullptr;
        void (*estado)(P&) = nullptr;
    } casos[] = {
        // Packed table, one case a line
        // clang-format off
        {"ProdBruta", "", 0, "TxManut"},
        {"percINSS", "onze", 2, "retINSS", naoNumero},
        {"ProdBruta2", "1,2,3", 14, "valInsalub"},
        {"percTxMan", "1E+306", 0, "TxManut"},
        {"quantDeps", "1E+300", 3, "retIR"},
        {"ProdBruta", "922.337.203.685.477,00", 4, "liqPagar", limite},
        {"ProdBruta2", "1.800,00", 14, "valInsalub", nullptr,
         [](P& e) { e.tetoInsalub = Money::deDezMilesimos(100'000'000'000'000); }},
        {"ProdBruta2", "1.800,00", 16, "valPericExNot", nullptr, [](P& e) { e.percPeric = 1e300; }},
        // clang-format on
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(std::string(c.campo) + " = " + c.texto);
        preparar(c.estado);
        v.textos[c.campo] = t(c.texto);
        EXPECT_FALSE(executar());
        EXPECT_EQ(v.falhas, 1);
        EXPECT_EQ(v.escritas, nomesAte(c.escritasAntes));
        EXPECT_EQ(memoria.etapaDaFalha(), c.etapa);
        EXPECT_EQ(memoria.campoDaFalha(), lerDouble(t(c.texto), sep()) ? "" : c.campo);
        if (c.aviso) {
            EXPECT_EQ(textoDaMemoria(memoria, "valMargem2", sep()), c.aviso);
        }
        for (const auto& [campo, texto] : kFinais) {
            const bool escrito = std::ranges::count(v.escritas, campo) > 0;
            EXPECT_EQ(memoria.situacao(campo), escrito ? Situacao::calculado : Situacao::naoCalculado) << campo;
        }
        preparar();  // a later successful run replaces every working
        ASSERT_TRUE(executar());
        for (const auto& [campo, texto] : kFinais) EXPECT_FALSE(memoria.passos(campo).empty()) << campo;
        EXPECT_EQ(memoria.etapaDaFalha(), "");
    }
}

// Brackets whose deductions make each bound visible; the first one's deduction is above
// the tax at its bound.
void tabelaPropria(P& e) {
    e.tabelaIR = {{{},
                   {centavos(100000), 10, centavos(15000)},
                   {centavos(200000), 20, centavos(15000)},
                   {centavos(300000), 30, centavos(30000)},
                   {centavos(400000), 40, centavos(50000)}}};
}
// A reduction whose bounds show: 1000 − 0,1 × income between 5.000,00 and 7.350,00.
void reducaoPropria(P& e) {
    tabelaPropria(e);
    e.reducaoIR = 1;
    e.reducaoIRIsencao = centavos(500000);
    e.reducaoIRLimite = centavos(735000);
    e.reducaoIRParcela = centavos(100000);
    e.reducaoIRFator = 0.1;
}
// The 2026 tables without the simplified discount.
void semSimplificado2026(P& e) {
    aplicarTabelas2026(e);
    e.descontoSimplificado = {};
}

Textos seis(const char* inssTerc) { return {{"ProdBruta", "6.000,00"}, {"InssTerc", inssTerc}}; }
Textos semINSS(const char* prod) { return {{"ProdBruta", prod}, {"percINSS", "0"}}; }

// Changes of the state and of entry texts (decimal-comma form) against the worked example,
// the result texts they give, and lines that some results' workings hold (read in the
// decimal-comma setting, where the captions keep their marks; a difference of nothing
// carries no sign).
TEST_P(Calculo, ResultsForVariedInputs) {
    const struct {
        const char* nome;
        Textos entradas;
        void (*estado)(P&);
        Textos esperados;
        Textos memorias = {};
    } casos[] = {
        // Packed table, a case or two a line
        // clang-format off
        {"the worked example", {}, nullptr, {},
         {{"retIR", "Base IR 1.602,00 abaixo de 1.903,99: isento"}, {"valSeg2", "Diferença para ANTES: 0,00"},
          {"valISS2", "Diferença para ANTES: +4,49"}}},
        {"INSS above it", seis("0,00"), nullptr, {{"retINSS", "570,88"}, {"retIR", "623,65"}},
         {{"retINSS", "Base INSS 6.000,00 acima do Teto INSS 5.189,82: limitada ao teto\n"
                      "Retenção INSS = Base INSS × INSS % ÷ 100 = 5.189,82 × 11,00 ÷ 100 = 570,88"}}},
        {"all of it used elsewhere", seis("5.189,82"), nullptr, {{"retINSS", "0,00"}, {"retIR", "780,64"}}},
        {"the field's ceiling is compared with InssTerc",
         {{"ProdBruta", "6.000,00"}, {"InssTerc", "5.189,83"}, {"tetoINSS", "9.999,99"}}, nullptr,
         {{"retINSS", "0,00"}}},
        {"special fund in every base", {{"percDAR", "10,00"}, {"percSeg", "1,00"}}, nullptr,
         {{"valDAR", "180,00"}, {"retINSS", "217,80"}, {"valTxAdm", "495,00"}, {"valSeg", "19,80"}}},
        {"no INSS rate", semINSS("3.000,00"), nullptr, {{"retINSS", "0"}, {"retIR", "95,20"}}},
        {"amounts too large for a float", semINSS("10.000.000,10"), nullptr, {{"retIR", "2.749.130,67"}}},
        {"284,385 for 1,5 dependants", {{"ProdBruta", "2.500,00"}, {"percINSS", "0"}, {"quantDeps", "1,5"}},
         nullptr, {{"retIR", "23,37"}},
         {{"retIR", "Dedução dependentes = Desc Dependente × Quant Dependentes = 189,59 × 1,5 = 284,385\n"
                    "Base IR = Produção Bruta + Fundo Especial − Retenção INSS − Dedução dependentes = "
                    "2.500,00 + 0,00 − 0,00 − 284,385 = 2.215,615\nBase IR 2.215,615 a partir de 1.903,99: faixa 1\n"
                    "Retenção IR = Imposto pela alíquota − Desconto faixa 1 = 166,1711 − 142,80 = 23,37"}}},
        {"deduction above the tax", semINSS("1.000,00"), tabelaPropria, {{"retIR", "0,00"}}},
        {"bound of row 4", semINSS("4.000,00"), tabelaPropria, {{"retIR", "1.100,00"}}},
        {"all the tax reduced at the exemption", semINSS("5.000,00"), reducaoPropria, {{"retIR", "0,00"}}},
        {"a reduction still at the upper limit", semINSS("7.350,00"), reducaoPropria, {{"retIR", "2.175,00"}}},
        {"reduction below zero", semINSS("6.000,00"),
         [](P& e) { reducaoPropria(e); e.reducaoIRParcela = centavos(50000); }, {{"retIR", "1.900,00"}}},
        {"2026, reduction above the tax", {{"ProdBruta", "5.200,00"}},
         [](P& e) { aplicarTabelas2026(e); e.percINSS = 20; }, {{"retIR", "0,00"}}},
        {"2026", {{"ProdBruta", "6.000,00"}}, [](P& e) { aplicarTabelas2026(e); e.percINSS = 20; },
         {{"retIR", "231,52"}},
         {{"retIR", "Deduções legais 1.200,00 iguais ou maiores que o desconto simplificado 607,20: usadas as "
                    "deduções legais\nRedução = Parcela da redução − Fator da redução × Rendimento tributável = "
                    "978,62 − 0,133145 × 6.000,00 = 179,75\nRetenção IR = Imposto pela tabela − Redução = "
                    "411,27 − 179,75 = 231,52"}}},
        {"2026, the reduction's cap, no deduction", semINSS("5.000,00"), semSimplificado2026, {{"retIR", "153,38"}},
         {{"retIR", "Redução 466,27 acima do teto 312,89: limitada ao teto"}}},
        {"2026, the cap below the limit", semINSS("4.800,00"), semSimplificado2026, {{"retIR", "98,38"}}},
        {"2026, no cap", semINSS("5.000,00"), [](P& e) { semSimplificado2026(e); e.reducaoIRTeto = {}; },
         {{"retIR", "0,00"}}},
        {"insalubrity capped", {{"ProdBruta2", "1.000,00"}}, [](P& e) { e.percNoturno = 0; e.baseDSR = 0; },
         {{"valInsalub", "135,60"}, {"valPericExNot", "0,00"}, {"valDSR", "166,70"}},
         {{"valInsalub", "Teto em centavos = Valor de Referência × Adicional Insalub % = 678,00 × 20,00 = "
                         "13.560\nAdicional 200,00 acima do teto 135,60: limitado ao teto"}}},
        {"DSR without a base chosen (production only)", {}, [](P& e) { e.baseDSR = -1; }, {{"valDSR", "300,06"}}},
        {"allowances rounded one by one, 0,005 each", {{"ProdBruta2", "0,10"}}, [](P& e) {
             e.percInsalub = 0; e.percPeric = e.percExtra = e.percNoturno = 5; e.fatorNoturno = 100; },
         {{"valPericExNot", "0,03"}, {"valDSR", "0,02"}}},
        {"fee on the special fund alone", {{"percDAR", "10,00"}}, [](P& e) { e.itaProd = 0; },
         {{"valTxAdm", "45,00"}, {"valTotalNF", "2.625,00"}, {"valISS", "1,35"}}},
        // clang-format on
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nome);
        preparar(c.estado);
        for (const auto& [campo, texto] : c.entradas) v.textos[campo] = t(texto);
        ASSERT_TRUE(executar());
        conferirMemorias();
        for (const auto& [campo, texto] : c.esperados) EXPECT_EQ(v.textos[campo], t(texto)) << campo;
        for (const auto& [campo, linhas] : ponto() ? Textos{} : c.memorias) {
            const std::string texto = '\n' + textoDaMemoria(memoria, campo, sep()) + '\n';
            std::istringstream porLinha(linhas);
            for (std::string l; std::getline(porLinha, l);) EXPECT_NE(texto.find('\n' + l + '\n'), texto.npos) << texto;
        }
    }
}

// Every cent of income between the two limits of the 2026 reduction: the reduction is
// 978,62 − 0,133145 × income, here worked out in whole millionths of a cent and rounded to the
// cent, halves up. The arithmetic the run uses is held against it at every cent; the whole run
// at every fiftieth cent and at every income whose product ends in half a cent, where a tax
// equal to the income (one bracket of 100 %, no INSS, no deduction) withholds the income less
// the reduction.
TEST(Reducao2026, EveryCentBetweenTheLimits) {
    const Separadores sep = Separadores::brasil();
    P e = estadoDoExemplo();
    aplicarTabelas2026(e);
    e.percINSS = 0;
    e.descontoSimplificado = {};
    e.tabelaIR = {{{}, {{}, 100, {}}}};
    e.tabelaIR[2].aPartir = e.tabelaIR[3].aPartir = e.tabelaIR[4].aPartir = centavos(100'000'000'00);
    VisaoMapa v = visaoDoExemplo(sep, e);
    int diferentes = 0, meiosCentavos = 0;
    for (std::int64_t renda = 500'001; renda <= 735'000; ++renda) {
        const std::int64_t milionesimos = std::int64_t{97'862} * 1'000'000 - 133'145 * renda;
        const std::int64_t reducao = (milionesimos + 500'000) / 1'000'000;
        const bool meioCentavo = milionesimos % 1'000'000 == 500'000;
        meiosCentavos += meioCentavo;
        const auto calculada = parcelaMenosProdutoEmCentavos(e.reducaoIRParcela, e.reducaoIRFator, centavos(renda));
        bool certo = calculada == centavos(reducao);
        if (certo && (renda % 50 == 0 || meioCentavo)) {
            v.textos["ProdBruta"] = formatarMoeda(centavos(renda), sep);
            ASSERT_TRUE(executarCalculo(v, e, sep));
            certo = lerMoney(v.textos["retIR"], sep) == centavos(renda - reducao);
        }
        if (!certo && ++diferentes <= 5) {
            ADD_FAILURE() << "renda " << renda << " centavos: retIR " << v.textos["retIR"] << ", redução esperada "
                          << reducao;
        }
    }
    EXPECT_EQ(diferentes, 0);
    EXPECT_EQ(meiosCentavos, 1) << "7.000,00";
}

}  // namespace
}  // namespace vestamar
