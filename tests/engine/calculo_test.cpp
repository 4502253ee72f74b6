// The calculation run over a map of field texts, under both regional settings: the figures it
// writes and the working it records for each.
#include <algorithm>
#include <map>
#include <ranges>
#include <sstream>
#include <string>
#include <vector>

#include "ajustes.h"
#include "calculo.h"
#include "tabelas2026.h"

namespace vestamar {
namespace {

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
    const char* const naoNumero = "Não calculado: o último cálculo parou em “Retenção INSS $ - ANTES”, porque o "
                                  "campo “INSS %” não contém um número.";
    const char* const limite = "Não calculado: o último cálculo parou em “Líquido a Pagar $ - ANTES”, porque um "
                               "valor passou do limite do cálculo.";
    const struct {
        const char *campo, *texto;
        std::size_t escritasAntes;
        const char* etapa;
        const char* aviso = nullptr;
        void (*estado)(P&) = nullptr;
    } casos[] = {
        // clang-format off: packed table, one case a line
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
    e.tabelaIR = {{{}, {centavos(100000), 10, centavos(15000)}, {centavos(200000), 20, centavos(15000)},
                   {centavos(300000), 30, centavos(30000)}, {centavos(400000), 40, centavos(50000)}}};
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
        // clang-format off: packed table, a case or two a line
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
