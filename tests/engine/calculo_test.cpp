// The calculation run over a map of field texts, under both regional settings.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "calculo.h"
#include "visao_mapa.h"

namespace vestamar {
namespace {

std::string emPonto(std::string s) {
    for (char& c : s) c = c == '.' ? ',' : c == ',' ? '.' : c;
    return s;
}

// Default rates of a new parameter file, with the DEPOIS allowances of the worked example.
ParametrosSimulacao estadoPadrao() {
    ParametrosSimulacao e;
    auto m = [](std::int64_t centavos) { return Money::deDezMilesimos(centavos * 100); };
    e.aPartir1 = m(190399); e.percentIR1 = 7.5;  e.Desconto1 = m(14280);
    e.aPartir2 = m(282666); e.percentIR2 = 15;   e.Desconto2 = m(35480);
    e.aPartir3 = m(375106); e.percentIR3 = 22.5; e.Desconto3 = m(63613);
    e.aPartir4 = m(466468); e.percentIR4 = 27.5; e.Desconto4 = m(86936);
    e.tetoINSS = m(518982);
    e.itaProd = 1; e.itaDAR = 1; e.itaAjuda = 0; e.incideISS = 1; e.percentISS = 3;
    e.percInsalub = 20; e.fatorInsalub = 100; e.tetoInsalub = m(67800);
    e.fatorPeric = 100; e.percNoturno = 20; e.fatorNoturno = 33.33; e.fatorExtra = 100;
    e.montarTabelaIR();
    return e;
}

// Entry texts as the window shows them (decimal-comma form); hour fields that would not
// give 1800 in mode "Plantões".
VisaoMapa visaoPadrao(bool ponto) {
    VisaoMapa v;
    const std::pair<const char*, const char*> campos[] = {
        {"ProdBruta", "1.800,00"}, {"ProdBruta2", "1.800,00"}, {"ValorHora", "20,00"}, {"ValorHora2", "20,00"},
        {"QuantDias", "10"}, {"QuantDias2", "10"}, {"QuantHorasDia", "12,0"}, {"QuantHorasDia2", "12,0"},
        {"InssTerc", "0,00"}, {"tetoINSS", "5.189,82"}, {"abatDep", "189,59"}, {"quantDeps", "0"},
        {"valorAjCusto", "600,00"}, {"valorAjCusto2", "600,00"}, {"percINSS", "11,00"},
        {"percTxMan", "5,00"}, {"percTxMan2", "5,00"}, {"percDAR", "0,00"}, {"percDAR2", "0,00"},
        {"percTxAdm", "25,00"}, {"percTxAdm2", "25,00"}, {"percentIrrf", "1,50"}, {"percentPis", "0,65"},
        {"percentCofins", "3,00"}, {"percSeg", "0,00"}, {"percSeg2", "0,00"}, {"percDSR", "16,67"}};
    for (const auto& [campo, texto] : campos) v.textos[campo] = ponto ? emPonto(texto) : texto;
    v.indices = {{"selecModalidade", 0}, {"selecBaseDSR", 1}};
    return v;
}

// Every write of the worked example, in order, with the text it leaves (the insalubrity
// allowance is written by the rate, then replaced by its ceiling).
const std::vector<std::pair<std::string, std::string>> kExemplo = {
    {"TxManut", "90,00"}, {"valDAR", "0,00"}, {"retINSS", "198,00"}, {"retIR", "0,00"},
    {"liqPagar", "2.112,00"}, {"valTxAdm", "450,00"}, {"valTotalNF", "2.850,00"}, {"valIR", "42,75"},
    {"valISS", "13,50"}, {"valPIS", "18,53"}, {"valCofins", "85,50"}, {"nfLiq", "2.689,72"},
    {"valSeg", "0,00"}, {"valMargem", "379,72"},
    {"valInsalub", "360,00"}, {"valInsalub", "135,60"}, {"valPericExNot", "119,99"}, {"valDSR", "342,67"},
    {"TxManut2", "119,91"}, {"valDAR2", "0,00"}, {"retINSS2", "263,81"}, {"retIR2", "17,28"},
    {"liqPagar2", "2.597,26"}, {"valTxAdm2", "599,57"}, {"valTotalNF2", "3.597,83"}, {"valIR2", "53,97"},
    {"valISS2", "17,99"}, {"valPIS2", "23,39"}, {"valCofins2", "107,93"}, {"nfLiq2", "3.394,55"},
    {"valSeg2", "0,00"}, {"valMargem2", "516,20"}};

std::vector<std::string> nomesAte(std::size_t n) {
    std::vector<std::string> r;
    for (std::size_t i = 0; i < n; ++i) r.push_back(kExemplo[i].first);
    return r;
}

class Calculo : public ::testing::TestWithParam<bool> {
protected:
    bool ponto() const { return GetParam(); }
    Separadores sep() const { return ponto() ? Separadores::ponto() : Separadores::brasil(); }
    std::string t(const std::string& br) const { return ponto() ? emPonto(br) : br; }
    ParametrosSimulacao estado = estadoPadrao();
    VisaoMapa v = visaoPadrao(GetParam());
    bool executar() { return executarCalculo(v, estado, sep()); }
};

// Both scenarios to the cent, each write in order; grouped results ("2.850,00") are read
// back by the later steps, and "Mensal" leaves the typed production alone.
TEST_P(Calculo, WorkedExampleOfBothScenarios) {
    ASSERT_TRUE(executar());
    EXPECT_EQ(v.escritas, nomesAte(kExemplo.size()));
    for (std::size_t i = 0; i < kExemplo.size(); ++i) {
        const auto& [campo, texto] = kExemplo[i];
        if (i + 1 < kExemplo.size() && kExemplo[i + 1].first == campo) continue;  // replaced later
        EXPECT_EQ(v.textos[campo], t(texto)) << campo;
    }
    EXPECT_EQ(v.textos["ProdBruta"], t("1.800,00"));
    EXPECT_EQ(v.falhas, 0);
    EXPECT_EQ(v.passagensResultados, 1);

    const auto antes = v.textos;
    ASSERT_TRUE(executar());
    EXPECT_EQ(v.textos, antes);
}

TEST_P(Calculo, ShiftsModeWritesProductionFirst) {
    v.indices["selecModalidade"] = 1;
    v.textos["ValorHora"] = t("15,00");
    v.textos["ValorHora2"] = t("15,00");
    ASSERT_TRUE(executar());
    ASSERT_GE(v.escritas.size(), 2u);
    EXPECT_EQ(v.escritas[0], "ProdBruta");
    EXPECT_EQ(v.escritas[1], "ProdBruta2");
    EXPECT_EQ(v.textos["ProdBruta"], t("1800,00"));
    EXPECT_EQ(v.textos["ProdBruta2"], t("1800,00"));
    EXPECT_EQ(v.textos["valMargem"], t("379,72"));
    EXPECT_EQ(v.textos["valMargem2"], t("516,20"));
}

// The production handler of the window stores the value, changes the state and starts a
// nested run; the outer run goes on with the state as it is at each use.
TEST_P(Calculo, NestedRunFromAWriteIsSafe) {
    v.indices["selecModalidade"] = 1;
    int aninhadas = 0;
    v.aoMudar = [&](std::string_view campo) {
        if (campo != "ProdBruta" && campo != "ProdBruta2") return;
        estado.percentISS = 5;
        ++aninhadas;
        EXPECT_TRUE(executarCalculo(v, estado, sep()));
    };
    ASSERT_TRUE(executar());
    EXPECT_EQ(aninhadas, 2);
    EXPECT_EQ(v.passagensResultados, 3);
    EXPECT_EQ(v.textos["ProdBruta"], t("2400,00"));
    EXPECT_EQ(v.textos["valISS"], t("30,00"));  // 600,00 of fee at the new 5 %
}

struct CasoFalha {
    const char* campo;
    const char* texto;
    std::size_t escritasAntes;  // writes of the worked example that happen before the failure
};

TEST_P(Calculo, FailureStopsTheRunAtTheFailingStep) {
    const CasoFalha casos[] = {
        {"ProdBruta", "", 0},                            // the maintenance fee reads it first
        {"percINSS", "onze", 2},                         {"valorAjCusto", "", 4},
        {"percentPis", "-", 9},                          {"ProdBruta2", "1,2,3", 14},
        {"percDSR", "", 17},                             {"percTxMan", "1E+306", 0},  // 1800 × 1E+306 overflows
        {"ProdBruta", "922.337.203.685.477,00", 4},      // allowance added beyond the range
        {"ProdBruta", "-922.337.203.685.477,5808", 6},   // invoice total beyond the range
    };
    for (const CasoFalha& c : casos) {
        SCOPED_TRACE(std::string(c.campo) + " = " + c.texto);
        v = visaoPadrao(ponto());
        for (const auto& [campo, texto] : kExemplo) v.textos[campo] = "antigo";
        v.textos[c.campo] = t(c.texto);
        EXPECT_FALSE(executar());
        EXPECT_EQ(v.falhas, 1);
        EXPECT_EQ(v.escritas, nomesAte(c.escritasAntes));
        for (std::size_t i = c.escritasAntes; i < kExemplo.size(); ++i) {
            if (i > 0 && kExemplo[i].first == kExemplo[i - 1].first) continue;  // written twice
            EXPECT_EQ(v.textos[kExemplo[i].first], "antigo") << kExemplo[i].first;
        }
    }
    // The insalubrity ceiling overflows its 32-bit rounding before valInsalub is written.
    v = visaoPadrao(ponto());
    estado.tetoInsalub = Money::deDezMilesimos(100'000'000'000'000);
    EXPECT_FALSE(executar());
    EXPECT_EQ(v.escritas, nomesAte(14));
}

struct CasoRetencao {
    const char* prod;
    const char* inssTerc;
    const char* percINSS;
    const char* quantDeps;
    const char* retINSS;
    const char* retIR;
};

// INSS around its ceiling, and IR with the default brackets.
TEST_P(Calculo, WithholdingAroundCeilingAndBrackets) {
    const CasoRetencao casos[] = {
        {"1.800,00", "0,00", "11", "0", "198,00", "0,00"},         // below the ceiling
        {"5.189,82", "0,00", "11", "0", "570,88", "403,13"},       // at it
        {"6.000,00", "0,00", "11", "0", "570,88", "623,65"},       // above it
        {"6.000,00", "1.000,00", "11", "0", "460,88", "653,90"},   // part of it used elsewhere
        {"6.000,00", "5.189,82", "11", "0", "0,00", "780,64"},     // all of it used elsewhere
        {"6.000,00", "5.189,83", "11", "0", "0", "780,64"},        // InssTerc above it
        {"3.000,00", "0,00", "0", "0", "0", "95,20"},
        {"1.903,99", "0,00", "0", "0", "0", "0,00"},               // a fraction of a cent below zero
        {"1.903,98", "0,00", "0", "0", "0", "0,00"},               // row 0
        {"1.800,00", "0,00", "11", "20", "198,00", "0,00"},        // base below zero
        {"2.500,00", "0,00", "0", "1,5", "0", "23,37"},            // 284,385 deducted
    };
    for (const CasoRetencao& c : casos) {
        SCOPED_TRACE(c.prod);
        v = visaoPadrao(ponto());
        v.textos["ProdBruta"] = t(c.prod);
        v.textos["InssTerc"] = t(c.inssTerc);
        v.textos["percINSS"] = t(c.percINSS);
        v.textos["quantDeps"] = t(c.quantDeps);
        ASSERT_TRUE(executar());
        EXPECT_EQ(v.textos["retINSS"], t(c.retINSS));
        EXPECT_EQ(v.textos["retIR"], t(c.retIR));
    }
}

// Each bracket taken from its bound on; where the rate falls short of the deduction the
// tax is 0,00, never negative.
TEST_P(Calculo, IncomeTaxBracketBoundsAndNoNegativeTax) {
    const std::pair<const char*, const char*> casos[] = {
        {"999,99", "0,00"},   {"1.000,00", "0,00"}, {"1.600,00", "10,00"},   {"1.999,99", "50,00"},
        {"2.000,00", "250,00"}, {"3.000,00", "600,00"}, {"4.000,00", "1.100,00"}};
    auto m = [](std::int64_t unidades) { return Money::deDezMilesimos(unidades * 10000); };
    estado.aPartir1 = m(1000); estado.percentIR1 = 10; estado.Desconto1 = m(150);
    estado.aPartir2 = m(2000); estado.percentIR2 = 20; estado.Desconto2 = m(150);
    estado.aPartir3 = m(3000); estado.percentIR3 = 30; estado.Desconto3 = m(300);
    estado.aPartir4 = m(4000); estado.percentIR4 = 40; estado.Desconto4 = m(500);
    estado.montarTabelaIR();
    for (const auto& [prod, retIR] : casos) {
        v = visaoPadrao(ponto());
        v.textos["percINSS"] = "0";
        v.textos["ProdBruta"] = t(prod);
        ASSERT_TRUE(executar());
        EXPECT_EQ(v.textos["retIR"], t(retIR)) << prod;
    }
}

struct CasoAdicional {
    const char* prod2;
    double percInsalub, percPeric, percExtra, percNoturno, fatorNoturno;
    int baseDSR;
    const char *valInsalub, *valPericExNot, *valDSR;
};

TEST_P(Calculo, AllowancesOfScenarioDepois) {
    const CasoAdicional casos[] = {
        {"1.000,00", 20, 0, 0, 0, 0, 0, "135,60", "0,00", "166,70"},    // capped
        {"500,00", 20, 0, 0, 0, 0, 0, "100,00", "0,00", "83,35"},
        {"678,00", 20, 0, 0, 0, 0, 0, "135,60", "0,00", "113,02"},      // equal to the ceiling
        {"1.800,00", 0, 0, 0, 20, 33.33, 0, "0,00", "119,99", "300,06"},
        {"0,10", 0, 5, 5, 5, 100, 1, "0,00", "0,03", "0,02"},           // each allowance 0,005
    };
    for (const CasoAdicional& c : casos) {
        SCOPED_TRACE(c.prod2);
        v = visaoPadrao(ponto());
        v.textos["ProdBruta2"] = t(c.prod2);
        v.indices["selecBaseDSR"] = c.baseDSR;
        estado.percInsalub = c.percInsalub;
        estado.percPeric = c.percPeric;
        estado.percExtra = c.percExtra;
        estado.percNoturno = c.percNoturno;
        estado.fatorNoturno = c.fatorNoturno;
        ASSERT_TRUE(executar());
        EXPECT_EQ(v.textos["valInsalub"], t(c.valInsalub));
        EXPECT_EQ(v.textos["valPericExNot"], t(c.valPericExNot));
        EXPECT_EQ(v.textos["valDSR"], t(c.valDSR));
    }
}

INSTANTIATE_TEST_SUITE_P(Ajustes, Calculo, ::testing::Values(false, true),
                         [](const auto& p) { return p.param ? "ponto" : "virgula"; });

}  // namespace
}  // namespace vestamar
