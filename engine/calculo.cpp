#include "calculo.h"

#include <cmath>
#include <optional>

namespace vestamar {

namespace {

// Thrown at the first failure of a run and caught by executarCalculo, which tells the view.
// It never crosses the view: it is thrown only from the run's own arithmetic and reads.
struct FalhaCalculo {};

// Field names of one scenario. Scenario DEPOIS has a production total of its own instead
// of the production field, and reads its special fund from that total.
struct Cenario {
    std::string_view percTxMan, percDAR, percTxAdm, percSeg, ajuda;
    std::string_view TxManut, valDAR, retINSS, retIR, liqPagar;
    std::string_view valTxAdm, valTotalNF, valIR, valISS, valPIS, valCofins, nfLiq, valSeg, valMargem;
};

constexpr Cenario kAntes{
    "percTxMan", "percDAR", "percTxAdm", "percSeg", "valorAjCusto",
    "TxManut", "valDAR", "retINSS", "retIR", "liqPagar",
    "valTxAdm", "valTotalNF", "valIR", "valISS", "valPIS", "valCofins", "nfLiq", "valSeg", "valMargem"};

constexpr Cenario kDepois{
    "percTxMan2", "percDAR2", "percTxAdm2", "percSeg2", "valorAjCusto2",
    "TxManut2", "valDAR2", "retINSS2", "retIR2", "liqPagar2",
    "valTxAdm2", "valTotalNF2", "valIR2", "valISS2", "valPIS2", "valCofins2", "nfLiq2", "valSeg2", "valMargem2"};

// One run. Holds only references: every value comes from the view or the state at the
// moment it is used, so a write that runs a handler (and perhaps a nested run) in the
// middle of this one changes nothing here.
class Execucao {
public:
    Execucao(VisaoCalculo& visao, const ParametrosSimulacao& estado, const Separadores& sep)
        : visao_(visao), estado_(estado), sep_(sep) {}

    void executar() {
        visao_.mostrarResultados();
        producaoPorPlantoes();

        // Scenario ANTES: its production is the field ProdBruta, read at each use.
        taxaManutencao(kAntes, std::nullopt);
        fundoEspecial(kAntes, std::nullopt);
        retencaoINSS(kAntes, std::nullopt);
        retencaoIR(kAntes, std::nullopt);
        liquidoAPagar(kAntes, std::nullopt);
        faturamento(kAntes, std::nullopt);

        // Scenario DEPOIS: the allowances first, then the same steps on the production total.
        adicionalInsalubridade();
        adicionaisPericExtraNoturno();
        descansoSemanal();
        const Money prodTotal2 = soma(soma(soma(money("ProdBruta2"), money("valInsalub")), money("valPericExNot")),
                                      money("valDSR"));
        taxaManutencao(kDepois, prodTotal2);
        fundoEspecial(kDepois, prodTotal2);
        retencaoINSS(kDepois, prodTotal2);
        retencaoIR(kDepois, prodTotal2);
        liquidoAPagar(kDepois, prodTotal2);
        faturamento(kDepois, prodTotal2);
    }

private:
    // ---- Reading, writing and arithmetic that fail the run ---------------------------

    Money money(std::string_view campo) {
        const auto v = lerMoney(visao_.lerTexto(campo), sep_);
        if (!v) throw FalhaCalculo{};
        return *v;
    }

    double real(std::string_view campo) {
        const auto v = lerDouble(visao_.lerTexto(campo), sep_);
        if (!v) throw FalhaCalculo{};
        return *v;
    }

    void escrever(std::string_view campo, const std::string& texto) { visao_.escreverTexto(campo, texto); }
    void escrever(std::string_view campo, double valor) { escrever(campo, formatarMoeda(valor, sep_)); }
    void escrever(std::string_view campo, Money valor) { escrever(campo, formatarMoeda(valor, sep_)); }

    static double finito(double v) {
        if (!std::isfinite(v)) throw FalhaCalculo{};
        return v;
    }
    static double vezes(double a, double b) { return finito(a * b); }
    // (amount × rate) / 100, the rate in percent: one product, then one division by 100.0.
    static double percentual(double valor, double percent) { return finito(vezes(valor, percent) / 100.0); }
    static double dbl(Money m) { return m.paraDouble(); }

    static Money paraMoney(double v) {
        const auto m = Money::deDouble(v);
        if (!m) throw FalhaCalculo{};
        return *m;
    }
    static Money soma(Money a, Money b) {
        const auto m = somar(a, b);
        if (!m) throw FalhaCalculo{};
        return *m;
    }
    static Money menos(Money a, Money b) {
        const auto m = subtrair(a, b);
        if (!m) throw FalhaCalculo{};
        return *m;
    }
    static Money vezes(Money a, std::int16_t indice) {
        const auto m = multiplicar(a, indice);
        if (!m) throw FalhaCalculo{};
        return *m;
    }

    // An amount rounded to whole cents exactly as a result field would show it.
    Money comoMostrado(double valor) {
        const auto m = lerMoney(formatarMoeda(valor, sep_), sep_);
        if (!m) throw FalhaCalculo{};
        return *m;
    }

    // The production base P: the field ProdBruta as it stands (ANTES), or the total.
    Money producao(const std::optional<Money>& prodTotal) { return prodTotal ? *prodTotal : money("ProdBruta"); }

    // ---- Steps ------------------------------------------------------------------------

    // In mode "Plantões" each production is hourly amount × shifts × hours per shift.
    void producaoPorPlantoes() {
        if (visao_.lerIndice("selecModalidade") != 1) return;
        const double antes = vezes(vezes(real("ValorHora"), real("QuantDias")), real("QuantHorasDia"));
        escrever("ProdBruta", formatarPadrao(antes, "0.00", sep_));
        const double depois = vezes(vezes(real("ValorHora2"), real("QuantDias2")), real("QuantHorasDia2"));
        escrever("ProdBruta2", formatarPadrao(depois, "0.00", sep_));
    }

    void taxaManutencao(const Cenario& c, const std::optional<Money>& prodTotal) {
        escrever(c.TxManut, percentual(dbl(producao(prodTotal)), real(c.percTxMan)));
    }

    // ANTES takes its production field directly as a double here.
    void fundoEspecial(const Cenario& c, const std::optional<Money>& prodTotal) {
        const double base = prodTotal ? dbl(*prodTotal) : real("ProdBruta");
        escrever(c.valDAR, percentual(base, real(c.percDAR)));
    }

    void retencaoINSS(const Cenario& c, const std::optional<Money>& prodTotal) {
        const bool acimaDoTeto = money("InssTerc") > money("tetoINSS");
        const bool semAliquota = real("percINSS") == 0;
        if (acimaDoTeto || semAliquota) {
            escrever(c.retINSS, std::string("0"));
            return;
        }
        // The ceiling still free after the income already taxed elsewhere.
        const Money limiteINSS = menos(estado_.tetoINSS, money("InssTerc"));
        Money baseINSS = soma(producao(prodTotal), money(c.valDAR));
        if (baseINSS > limiteINSS) baseINSS = limiteINSS;
        escrever(c.retINSS, percentual(dbl(baseINSS), real("percINSS")));
    }

    void retencaoIR(const Cenario& c, const std::optional<Money>& prodTotal) {
        const Money deducaoDep = paraMoney(vezes(dbl(money("abatDep")), real("quantDeps")));
        const Money baseIR =
            menos(menos(soma(producao(prodTotal), money(c.valDAR)), money(c.retINSS)), deducaoDep);
        for (int i = 4; i >= 0; --i) {
            const LinhaIR& linha = estado_.tabelaIR[static_cast<std::size_t>(i)];
            if (linha.aPartir <= baseIR) {
                Money imposto = menos(paraMoney(percentual(dbl(baseIR), linha.percentIR)), linha.Desconto);
                // Where the rate falls short of the bracket's deduction nothing is withheld.
                if (imposto < Money{}) imposto = Money{};
                escrever(c.retIR, imposto);
                return;
            }
        }
        escrever(c.retIR, Money{});  // a base below zero: no tax
    }

    void liquidoAPagar(const Cenario& c, const std::optional<Money>& prodTotal) {
        Money v = soma(soma(producao(prodTotal), money(c.ajuda)), money(c.valDAR));
        v = menos(menos(menos(v, money(c.retINSS)), money(c.retIR)), money(c.TxManut));
        escrever(c.liqPagar, v);
    }

    // Administrative fee, invoice and its taxes, insurance and margin.
    void faturamento(const Cenario& c, const std::optional<Money>& prodTotal) {
        const Money baseTxAdm = soma(soma(vezes(producao(prodTotal), estado_.itaProd),
                                          vezes(money(c.valDAR), estado_.itaDAR)),
                                     vezes(money(c.ajuda), estado_.itaAjuda));
        escrever(c.valTxAdm, percentual(dbl(baseTxAdm), real(c.percTxAdm)));

        escrever(c.valTotalNF,
                 soma(soma(soma(producao(prodTotal), money(c.valTxAdm)), money(c.valDAR)), money(c.ajuda)));

        escrever(c.valIR, percentual(dbl(money(c.valTotalNF)), real("percentIrrf")));

        // The ISS rate and base option are the state's, not the fields'.
        const Money baseISS = estado_.incideISS != 0 ? money(c.valTxAdm) : money(c.valTotalNF);
        escrever(c.valISS, percentual(dbl(baseISS), estado_.percentISS));

        escrever(c.valPIS, percentual(dbl(money(c.valTotalNF)), real("percentPis")));
        escrever(c.valCofins, percentual(dbl(money(c.valTotalNF)), real("percentCofins")));

        Money nf = menos(money(c.valTotalNF), money(c.valIR));
        nf = menos(menos(menos(nf, money(c.valISS)), money(c.valPIS)), money(c.valCofins));
        escrever(c.nfLiq, nf);

        escrever(c.valSeg, percentual(dbl(soma(producao(prodTotal), money(c.valDAR))), real(c.percSeg)));

        Money margem = menos(money(c.nfLiq), money(c.liqPagar));
        margem = menos(menos(menos(margem, money(c.retINSS)), money(c.retIR)), money(c.valSeg));
        escrever(c.valMargem, margem);
    }

    // Insalubrity allowance, capped at the rate applied to the reference value; the cap is
    // first rounded to a whole number of cents.
    void adicionalInsalubridade() {
        const auto centavos = arredondarInt32(vezes(dbl(estado_.tetoInsalub), estado_.percInsalub));
        if (!centavos) throw FalhaCalculo{};
        const Money limiteInsalub = paraMoney(finito(static_cast<double>(*centavos) / 100.0));

        escrever("valInsalub", percentual(percentual(dbl(money("ProdBruta2")), estado_.percInsalub),
                                          estado_.fatorInsalub));
        if (money("valInsalub") > limiteInsalub) escrever("valInsalub", limiteInsalub);
    }

    // Danger, overtime and night-hours allowances, each rounded to cents, shown as one sum.
    void adicionaisPericExtraNoturno() {
        const Money valPeric = comoMostrado(
            percentual(percentual(dbl(money("ProdBruta2")), estado_.percPeric), estado_.fatorPeric));
        const Money valExtra = comoMostrado(
            percentual(percentual(dbl(money("ProdBruta2")), estado_.percExtra), estado_.fatorExtra));
        const Money valNoturno = comoMostrado(
            percentual(percentual(dbl(money("ProdBruta2")), estado_.percNoturno), estado_.fatorNoturno));
        escrever("valPericExNot", soma(soma(valPeric, valExtra), valNoturno));
    }

    // Paid weekly rest, on the production alone or on production plus allowances.
    void descansoSemanal() {
        const Money base = visao_.lerIndice("selecBaseDSR") == 1
                               ? soma(soma(money("ProdBruta2"), money("valInsalub")), money("valPericExNot"))
                               : money("ProdBruta2");
        escrever("valDSR", percentual(dbl(base), real("percDSR")));
    }

    VisaoCalculo& visao_;
    const ParametrosSimulacao& estado_;
    const Separadores& sep_;
};

}  // namespace

bool executarCalculo(VisaoCalculo& visao, const ParametrosSimulacao& estado, const Separadores& sep) {
    try {
        Execucao(visao, estado, sep).executar();
    } catch (const FalhaCalculo&) {
        visao.informarFalha();
        return false;
    }
    return true;
}

}  // namespace vestamar
