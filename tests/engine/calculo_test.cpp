// The calculation run over a map of field texts, under both regional settings.
#include <string>
#include <vector>

#include "ajustes.h"
#include "calculo.h"
#include "visao_mapa.h"

namespace vestamar {
namespace {

using P = ParametrosSimulacao;
Money centavos(std::int64_t c) { return Money::deDezMilesimos(c * 100); }

// Default rates of a new parameter file, with the DEPOIS allowances of the worked example.
P estadoPadrao() {
    P e;
    e.aPartir1 = centavos(190399); e.percentIR1 = 7.5;  e.Desconto1 = centavos(14280);
    e.aPartir2 = centavos(282666); e.percentIR2 = 15;   e.Desconto2 = centavos(35480);
    e.aPartir3 = centavos(375106); e.percentIR3 = 22.5; e.Desconto3 = centavos(63613);
    e.aPartir4 = centavos(466468); e.percentIR4 = 27.5; e.Desconto4 = centavos(86936);
    e.tetoINSS = centavos(518982);
    e.itaProd = 1; e.itaDAR = 1; e.itaAjuda = 0; e.incideISS = 1; e.percentISS = 3;
    e.percInsalub = 20; e.fatorInsalub = 100; e.tetoInsalub = centavos(67800);
    e.fatorPeric = 100; e.percNoturno = 20; e.fatorNoturno = 33.33; e.fatorExtra = 100;
    e.montarTabelaIR();
    return e;
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

class Calculo : public NosDoisAjustes {
protected:
    P estado = estadoPadrao();
    VisaoMapa v = visaoPadrao();
    bool executar() { return executarCalculo(v, estado, sep()); }

    // Entry texts as the window shows them; hour fields that would not give 1800 in mode "Plantões".
    VisaoMapa visaoPadrao() const {
        VisaoMapa m;
        const std::pair<const char*, const char*> campos[] = {
            {"ProdBruta", "1.800,00"}, {"ProdBruta2", "1.800,00"}, {"ValorHora", "20,00"}, {"ValorHora2", "20,00"},
            {"QuantDias", "10"}, {"QuantDias2", "10"}, {"QuantHorasDia", "12,0"}, {"QuantHorasDia2", "12,0"},
            {"InssTerc", "0,00"}, {"tetoINSS", "5.189,82"}, {"abatDep", "189,59"}, {"quantDeps", "0"},
            {"valorAjCusto", "600,00"}, {"valorAjCusto2", "600,00"}, {"percINSS", "11,00"},
            {"percTxMan", "5,00"}, {"percTxMan2", "5,00"}, {"percDAR", "0,00"}, {"percDAR2", "0,00"},
            {"percTxAdm", "25,00"}, {"percTxAdm2", "25,00"}, {"percentIrrf", "1,50"}, {"percentPis", "0,65"},
            {"percentCofins", "3,00"}, {"percSeg", "0,00"}, {"percSeg2", "0,00"}, {"percDSR", "16,67"}};
        for (const auto& [campo, texto] : campos) m.textos[campo] = t(texto);
        m.indices = {{"selecModalidade", 0}, {"selecBaseDSR", 1}};
        return m;
    }
};
INSTANTIATE_TEST_SUITE_P(Ajustes, Calculo, ::testing::Bool(), nomeDoAjuste);

// Both scenarios to the cent, each write in order; grouped results ("2.850,00") are read
// back by the later steps. "Mensal" leaves the typed production alone; "Plantões" first writes
// each production as hourly amount × shifts × hours, here 15,00 × 10 × 12,0.
TEST_P(Calculo, WorkedExampleOfBothScenariosInBothModes) {
    for (const int modo : {0, 1}) {
        SCOPED_TRACE(modo);
        v = visaoPadrao();
        v.indices["selecModalidade"] = modo;
        v.textos["ValorHora"] = v.textos["ValorHora2"] = t("15,00");
        ASSERT_TRUE(executar());
        std::vector<std::string> esperadas = nomesAte(kExemplo.size());
        if (modo == 1) esperadas.insert(esperadas.begin(), {"ProdBruta", "ProdBruta2"});
        EXPECT_EQ(v.escritas, esperadas);
        for (std::size_t i = 0; i < kExemplo.size(); ++i) {
            const auto& [campo, texto] = kExemplo[i];
            if (i + 1 < kExemplo.size() && kExemplo[i + 1].first == campo) continue;  // replaced later
            EXPECT_EQ(v.textos[campo], t(texto)) << campo;
        }
        EXPECT_EQ(v.textos["ProdBruta"], t(modo == 0 ? "1.800,00" : "1800,00"));
        EXPECT_EQ(v.falhas, 0);
        EXPECT_EQ(v.passagensResultados, 1);
        const auto antes = v.textos;
        ASSERT_TRUE(executar());
        EXPECT_EQ(v.textos, antes);
    }
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

TEST_P(Calculo, FailureStopsTheRunAtTheFailingStep) {
    // The field made unreadable, and how many writes of the worked example come before.
    const struct { const char* campo; const char* texto; std::size_t escritasAntes; } casos[] = {
        {"ProdBruta", "", 0},                            // the maintenance fee reads it first
        {"percINSS", "onze", 2},                         {"valorAjCusto", "", 4},
        {"percentPis", "-", 9},                          {"ProdBruta2", "1,2,3", 14},
        {"percDSR", "", 17},                             {"percTxMan", "1E+306", 0},  // 1800 × 1E+306 overflows
        {"ProdBruta", "922.337.203.685.477,00", 4},      // allowance added beyond the range
        {"ProdBruta", "-922.337.203.685.477,5808", 6},   // invoice total beyond the range
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(std::string(c.campo) + " = " + c.texto);
        v = visaoPadrao();
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
    v = visaoPadrao();
    estado.tetoInsalub = Money::deDezMilesimos(100'000'000'000'000);
    EXPECT_FALSE(executar());
    EXPECT_EQ(v.escritas, nomesAte(14));
}

using Textos = std::vector<std::pair<const char*, const char*>>;

// Brackets whose deductions make each bound visible; the first one's deduction is above
// the tax at its bound.
void tabelaPropria(P& e) {
    auto m = [](std::int64_t unidades) { return Money::deDezMilesimos(unidades * 10000); };
    e.aPartir1 = m(1000); e.percentIR1 = 10; e.Desconto1 = m(150);
    e.aPartir2 = m(2000); e.percentIR2 = 20; e.Desconto2 = m(150);
    e.aPartir3 = m(3000); e.percentIR3 = 30; e.Desconto3 = m(300);
    e.aPartir4 = m(4000); e.percentIR4 = 40; e.Desconto4 = m(500);
    e.montarTabelaIR();
}

void semNoturno(P& e) { e.percNoturno = 0; }
void semInsalub(P& e) { e.percInsalub = 0; }
void centesimos(P& e) {  // each allowance 0,005 on 0,10
    e.percInsalub = 0;
    e.percPeric = e.percExtra = e.percNoturno = 5;
    e.fatorNoturno = 100;
}
void issNaNota(P& e) { e.incideISS = 0; }
void taxaNaAjuda(P& e) { e.itaAjuda = 1; }
void semTaxa(P& e) { e.itaProd = e.itaDAR = 0; }

Textos seis(const char* inssTerc) { return {{"ProdBruta", "6.000,00"}, {"InssTerc", inssTerc}}; }
Textos semINSS(const char* prod) { return {{"ProdBruta", prod}, {"percINSS", "0"}}; }

// Changes of entry texts (decimal-comma form), of the state and of the DSR base, against
// the worked example, and the result texts they give.
TEST_P(Calculo, ResultsForVariedInputs) {
    const struct {
        const char* nome; Textos entradas; void (*estado)(P&); int baseDSR; Textos esperados;
    } casos[] = {
        {"INSS at the ceiling", {{"ProdBruta", "5.189,82"}}, nullptr, 1, {{"retINSS", "570,88"}, {"retIR", "403,13"}}},
        {"INSS above it", seis("0,00"), nullptr, 1, {{"retINSS", "570,88"}, {"retIR", "623,65"}}},
        {"part of it used elsewhere", seis("1.000,00"), nullptr, 1, {{"retINSS", "460,88"}, {"retIR", "653,90"}}},
        {"all of it used elsewhere", seis("5.189,82"), nullptr, 1, {{"retINSS", "0,00"}, {"retIR", "780,64"}}},
        {"InssTerc above it", seis("5.189,83"), nullptr, 1, {{"retINSS", "0"}, {"retIR", "780,64"}}},
        {"no INSS rate", semINSS("3.000,00"), nullptr, 1, {{"retINSS", "0"}, {"retIR", "95,20"}}},
        {"a fraction of a cent below zero", semINSS("1.903,99"), nullptr, 1, {{"retIR", "0,00"}}},
        {"IR base below zero", {{"quantDeps", "20"}}, nullptr, 1, {{"retIR", "0,00"}}},
        {"284,385 for 1,5 dependants", {{"ProdBruta", "2.500,00"}, {"percINSS", "0"}, {"quantDeps", "1,5"}},
         nullptr, 1, {{"retIR", "23,37"}}},
        {"row 0", semINSS("999,99"), tabelaPropria, 1, {{"retIR", "0,00"}}},
        {"deduction above the tax", semINSS("1.000,00"), tabelaPropria, 1, {{"retIR", "0,00"}}},
        {"row 1", semINSS("1.999,99"), tabelaPropria, 1, {{"retIR", "50,00"}}},
        {"bound of row 2", semINSS("2.000,00"), tabelaPropria, 1, {{"retIR", "250,00"}}},
        {"bound of row 4", semINSS("4.000,00"), tabelaPropria, 1, {{"retIR", "1.100,00"}}},
        {"insalubrity capped", {{"ProdBruta2", "1.000,00"}}, semNoturno, 0,
         {{"valInsalub", "135,60"}, {"valPericExNot", "0,00"}, {"valDSR", "166,70"}}},
        {"insalubrity below the cap", {{"ProdBruta2", "500,00"}}, semNoturno, 0,
         {{"valInsalub", "100,00"}, {"valDSR", "83,35"}}},
        {"night hours, DSR on production", {}, semInsalub, 0,
         {{"valInsalub", "0,00"}, {"valPericExNot", "119,99"}, {"valDSR", "300,06"}}},
        {"allowances rounded one by one", {{"ProdBruta2", "0,10"}}, centesimos, 1,
         {{"valPericExNot", "0,03"}, {"valDSR", "0,02"}}},
        {"ISS on the invoice", {}, issNaNota, 1, {{"valTxAdm", "450,00"}, {"valISS", "85,50"}, {"valISS2", "107,93"}}},
        {"fee on the allowance", {}, taxaNaAjuda, 1,
         {{"valTxAdm", "600,00"}, {"valTotalNF", "3.000,00"}, {"valISS", "18,00"}}},
        {"no fee", {}, semTaxa, 1, {{"valTxAdm", "0,00"}, {"valTotalNF", "2.400,00"}, {"valISS", "0,00"}}},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nome);
        v = visaoPadrao();
        estado = estadoPadrao();
        for (const auto& [campo, texto] : c.entradas) v.textos[campo] = t(texto);
        if (c.estado) c.estado(estado);
        v.indices["selecBaseDSR"] = c.baseDSR;
        ASSERT_TRUE(executar());
        for (const auto& [campo, texto] : c.esperados) EXPECT_EQ(v.textos[campo], t(texto)) << campo;
    }
}

}  // namespace
}  // namespace vestamar
