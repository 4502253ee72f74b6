#include "calculo.h"

#include <initializer_list>
#include <optional>

#include "cenario.h"
#include "conta.h"

namespace vestamar {

namespace {

// ---- Scenarios ------------------------------------------------------------------------

// The ANTES field of the row of a DEPOIS result; empty when there is none.
std::string_view parceiroAntes(std::string_view depois) {
    for (const LinhaResultado& l : linhasDeResultado()) {
        if (l.depois.campo == depois) return l.antes.campo;
    }
    return {};
}

constexpr std::string_view kPercentuais[] = {"Percentual faixa 0", "Percentual faixa 1", "Percentual faixa 2",
                                             "Percentual faixa 3", "Percentual faixa 4"};
constexpr std::string_view kDescontos[] = {"Desconto faixa 0", "Desconto faixa 1", "Desconto faixa 2",
                                           "Desconto faixa 3", "Desconto faixa 4"};

// One run. Holds only references: every value comes from the view or the state at the
// moment it is used, so a write that runs a handler (and perhaps a nested run) in the
// middle of this one changes nothing here.
class Execucao {
public:
    Execucao(VisaoCalculo& visao, const ParametrosSimulacao& estado, const Separadores& sep, MemoriaCalculo* memoria)
        : visao_(visao), estado_(estado), sep_(sep), memoria_(memoria) {}

    // The result field whose step is running ("prodTotal2" for the production total).
    std::string_view etapa() const { return etapa_; }

    void executar() {
        if (memoria_) memoria_->iniciarExecucao();
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
        const std::optional<Money> prodTotal2 = producaoTotal();
        taxaManutencao(kDepois, prodTotal2);
        fundoEspecial(kDepois, prodTotal2);
        retencaoINSS(kDepois, prodTotal2);
        retencaoIR(kDepois, prodTotal2);
        liquidoAPagar(kDepois, prodTotal2);
        faturamento(kDepois, prodTotal2);
    }

private:
    // ---- Reading and writing ----------------------------------------------------------

    Valor dinheiro(std::string_view campo) {
        const auto v = lerMoney(visao_.lerTexto(campo), sep_);
        if (!v) falhar(campo);
        return {*v, campo, true};
    }

    Valor real(std::string_view campo) {
        const auto v = lerDouble(visao_.lerTexto(campo), sep_);
        if (!v) falhar(campo);
        return {*v, campo, true};
    }

    static Money m(const Valor& v) { return std::get<Money>(v.numero); }
    static double d(const Valor& v) { return std::get<double>(v.numero); }

    // Starts the step that computes `campo`: its working starts afresh.
    void iniciar(std::string_view campo) {
        etapa_ = campo;
        prodTotalNaMemoria_ = false;
        passos_ = memoria_ ? &memoria_->iniciarCampo(campo) : nullptr;
    }

    // An arithmetic step of the working; by default it is named after the field being computed.
    // `registrar` false: the step is kept out of the working unless registrar(conta) adds it.
    Conta conta(std::string_view rotulo = {}, bool registrar = true) {
        return Conta(registrar ? passos_ : nullptr, passos_ != nullptr,
                     rotulo.empty() && passos_ ? rotuloDoCampo(etapa_) : rotulo);
    }
    void registrar(const Conta& c) {
        if (passos_) passos_->push_back(c.passo());
    }

    void nota(std::string_view frase, std::initializer_list<Valor> valores = {}) {
        if (!passos_) return;
        Passo p;
        p.tipo = Passo::Tipo::nota;
        p.rotulo = frase;
        for (const Valor& v : valores) {
            if (p.quantos == Passo::kMaxOperandos) break;
            p.guardados[p.quantos++] = {Operador::primeiro, {}, v.numero, v.doCampo ? casasDoCampo(v.rotulo) : v.casas};
        }
        passos_->push_back(p);
    }

    // Writes a result with its display pattern. The working's last step becomes the figure's
    // line, or a line stating the figure is added; a DEPOIS result then gets its difference
    // from the ANTES result of its row.
    void escrever(std::string_view campo, const Numero& valor, std::string_view formato = "#,##0.00") {
        std::string texto = textoDoNumero(valor, sep_, 2, formato);
        if (passos_) {
            if (!passos_->empty() && passos_->back().tipo == Passo::Tipo::conta && passos_->back().resultado == valor) {
                passos_->back().formato = formato;
            } else {
                Passo p;
                p.rotulo = rotuloDoCampo(campo);
                p.resultado = valor;
                p.formato = formato;
                passos_->push_back(p);
            }
            diferencaParaAntes(campo, texto);
            memoria_->concluirCampo(campo);
        }
        visao_.escreverTexto(campo, texto);
    }

    void diferencaParaAntes(std::string_view campo, const std::string& texto) {
        const std::string_view antes = parceiroAntes(campo);
        if (antes.empty()) return;
        const auto vDepois = lerMoney(texto, sep_);
        const auto vAntes = lerMoney(visao_.lerTexto(antes), sep_);
        if (!vDepois || !vAntes) return;
        const auto diferenca = subtrair(*vDepois, *vAntes);
        if (!diferenca) return;
        Passo p;
        p.tipo = Passo::Tipo::diferenca;
        p.resultado = *diferenca;
        passos_->push_back(p);
    }

    // The production base P: the field ProdBruta as it stands (ANTES), or the total, whose
    // working then opens the working of the DEPOIS result that uses it.
    Valor producao(const std::optional<Money>& prodTotal) {
        if (!prodTotal) return dinheiro(kAntes.ProdBruta);
        if (passos_ && !prodTotalNaMemoria_) passos_->push_back(passoProdTotal_);
        prodTotalNaMemoria_ = true;
        return {*prodTotal, "prodTotal2", true};
    }

    // ---- Steps ------------------------------------------------------------------------

    // In mode "Plantões" each production is hourly amount × shifts × hours per shift.
    void producaoPorPlantoes() {
        if (visao_.lerIndice("selecModalidade") != 1) {
            if (memoria_) {
                memoria_->semResultado(kAntes.ProdBruta);
                memoria_->semResultado(kDepois.ProdBruta);
            }
            return;
        }
        for (const Cenario* c : {&kAntes, &kDepois}) {
            iniciar(c->ProdBruta);
            escrever(c->ProdBruta,
                     conta().de(real(c->ValorHora)).vezes(real(c->QuantDias)).vezes(real(c->QuantHorasDia)).real(),
                     "0.00");
        }
    }

    void taxaManutencao(const Cenario& c, const std::optional<Money>& prodTotal) {
        iniciar(c.TxManut);
        escrever(c.TxManut, conta().de(producao(prodTotal)).vezes(real(c.percTxMan)).dividido(kCem).real());
    }

    // ANTES takes its production field directly as a double here.
    void fundoEspecial(const Cenario& c, const std::optional<Money>& prodTotal) {
        iniciar(c.valDAR);
        const Valor base = prodTotal ? producao(prodTotal) : real(c.ProdBruta);
        escrever(c.valDAR, conta().de(base).vezes(real(c.percDAR)).dividido(kCem).real());
    }

    void retencaoINSS(const Cenario& c, const std::optional<Money>& prodTotal) {
        iniciar(c.retINSS);
        const Valor inssTerc = dinheiro("InssTerc");
        const Valor tetoDoCampo = dinheiro("tetoINSS");
        const Valor percINSS = real("percINSS");
        if (m(inssTerc) > m(tetoDoCampo) || d(percINSS) == 0) {
            if (m(inssTerc) > m(tetoDoCampo)) {
                nota("Rend c/ INSS Terceiros {} acima do Teto INSS {}: sem retenção", {inssTerc, tetoDoCampo});
            } else {
                nota("INSS % igual a zero: sem retenção");
            }
            escrever(c.retINSS, std::int64_t{0}, "0");
            return;
        }
        // The ceiling still free after the income already taxed elsewhere; the ceiling is the
        // stored one, not the field's text.
        const bool outraFonte = m(inssTerc) != Money{};
        const Money limiteINSS =
            conta("Limite INSS", outraFonte).de({estado_.tetoINSS, "Teto INSS"}).menos(inssTerc).dinheiro();
        Money baseINSS = conta("Base INSS").de(producao(prodTotal)).mais(dinheiro(c.valDAR)).dinheiro();
        if (baseINSS > limiteINSS) {
            nota(outraFonte ? "Base INSS {} acima do Limite INSS {}: limitada ao limite"
                            : "Base INSS {} acima do Teto INSS {}: limitada ao teto",
                 {{baseINSS}, {limiteINSS}});
            baseINSS = limiteINSS;
        }
        escrever(c.retINSS, conta().de({baseINSS, "Base INSS"}).vezes(percINSS).dividido(kCem).real());
    }

    void retencaoIR(const Cenario& c, const std::optional<Money>& prodTotal) {
        iniciar(c.retIR);
        const Valor abatDep = dinheiro("abatDep");
        const Valor quantDeps = real("quantDeps");
        const Money deducaoDep =
            conta("Dedução dependentes", d(quantDeps) != 0).de(abatDep).vezes(quantDeps).dinheiro();
        const Valor dependentes{deducaoDep, "Dedução dependentes"};
        Conta base = conta("Base IR");
        base.de(producao(prodTotal)).mais(dinheiro(c.valDAR));
        if (estado_.descontoSimplificado > Money{}) {
            // The larger of the legal deductions and the simplified discount.
            const Valor legais{conta("Deduções legais").de(dinheiro(c.retINSS)).mais(dependentes).dinheiro(),
                               "Deduções legais"};
            const Valor simplificado{estado_.descontoSimplificado, "Desconto simplificado"};
            if (m(simplificado) > m(legais)) {
                nota("Desconto simplificado {} maior que as deduções legais {}: usado o desconto simplificado",
                     {simplificado, legais});
                base.menos(simplificado);
            } else {
                nota("Deduções legais {} iguais ou maiores que o desconto simplificado {}: usadas as deduções legais",
                     {legais, simplificado});
                base.menos(legais);
            }
        } else {
            base.menos(dinheiro(c.retINSS)).menos(dependentes);
        }
        const Money baseIR = base.dinheiro();

        const bool reducao = estado_.reducaoIR == 1;
        Money imposto = impostoPelaTabela(baseIR, reducao ? "Imposto pela tabela" : std::string_view{});
        if (reducao) {
            const Money reduzir = reducaoDoImposto(c, prodTotal, imposto);
            imposto = conta().de({imposto, "Imposto pela tabela"}).menos({reduzir, "Redução"}).dinheiro();
            if (imposto < Money{}) {
                nota("Redução maior que o imposto: nada a reter");
                imposto = Money{};
            }
        }
        escrever(c.retIR, imposto);
    }

    // The tax of the bracket table on the base, never below zero: the first row from the top
    // whose lower bound the base reaches. Row 0 is all zero, and a base below zero reaches no
    // row: no tax.
    Money impostoPelaTabela(Money baseIR, std::string_view rotulo) {
        std::size_t i = 4;
        while (i > 0 && estado_.tabelaIR[i].aPartir > baseIR) --i;
        if (i == 0) {
            if (baseIR < Money{}) {
                nota("Base IR {} abaixo de zero: isento", {{baseIR}});
            } else {
                nota("Base IR {} abaixo de {}: isento", {{baseIR}, {estado_.tabelaIR[1].aPartir}});
            }
            return Money{};
        }
        const LinhaIR& linha = estado_.tabelaIR[i];
        nota("Base IR {} a partir de {}: faixa {}", {{baseIR}, {linha.aPartir}, {static_cast<std::int64_t>(i)}});
        const Money pelaAliquota = conta("Imposto pela alíquota")
                                       .de({baseIR, "Base IR"})
                                       .vezes({linha.percentIR, kPercentuais[i], false, 1})
                                       .dividido(kCem)
                                       .dinheiro();
        const Money imposto =
            conta(rotulo).de({pelaAliquota, "Imposto pela alíquota"}).menos({linha.Desconto, kDescontos[i]}).dinheiro();
        if (imposto >= Money{}) return imposto;
        // Where the rate falls short of the bracket's deduction nothing is withheld.
        nota("Desconto da faixa maior que o imposto: nada a reter");
        return Money{};
    }

    // The reduction of the tax from the member's monthly taxable income (production plus special
    // fund): all of the tax up to the exemption limit, parcela − fator × income up to the upper
    // limit (exact, in whole cents, never below zero), nothing above it; never more than the
    // cap when there is one (not 0).
    Money reducaoDoImposto(const Cenario& c, const std::optional<Money>& prodTotal, Money imposto) {
        const Money renda = conta("Rendimento tributável").de(producao(prodTotal)).mais(dinheiro(c.valDAR)).dinheiro();
        const Valor rendimento{renda, "Rendimento tributável"};
        Money reducao = imposto;
        if (renda <= estado_.reducaoIRIsencao) {
            nota("Rendimento {} até {}: redução igual ao imposto", {rendimento, {estado_.reducaoIRIsencao}});
        } else if (renda > estado_.reducaoIRLimite) {
            nota("Rendimento {} acima de {}: sem redução", {rendimento, {estado_.reducaoIRLimite}});
            return Money{};
        } else {
            reducao = conta("Redução")
                          .de({estado_.reducaoIRParcela, "Parcela da redução"})
                          .menos({estado_.reducaoIRFator, "Fator da redução"})
                          .vezes(rendimento)
                          .emCentavosExatos(
                              parcelaMenosProdutoEmCentavos(estado_.reducaoIRParcela, estado_.reducaoIRFator, renda));
            if (reducao < Money{}) {
                nota("Redução negativa: nada a reduzir");
                return Money{};
            }
        }
        const Money teto = estado_.reducaoIRTeto;
        if (teto > Money{} && reducao > teto) {
            nota("Redução {} acima do teto {}: limitada ao teto", {{reducao, "Redução"}, {teto, "Teto da redução"}});
            return teto;
        }
        return reducao;
    }

    void liquidoAPagar(const Cenario& c, const std::optional<Money>& prodTotal) {
        iniciar(c.liqPagar);
        escrever(c.liqPagar, conta()
                                 .de(producao(prodTotal))
                                 .mais(dinheiro(c.ajuda))
                                 .mais(dinheiro(c.valDAR))
                                 .menos(dinheiro(c.retINSS))
                                 .menos(dinheiro(c.retIR))
                                 .menos(dinheiro(c.TxManut))
                                 .dinheiro());
    }

    // Administrative fee, invoice and its taxes, insurance and margin.
    void faturamento(const Cenario& c, const std::optional<Money>& prodTotal) {
        iniciar(c.valTxAdm);
        const Valor itaProd{std::int64_t{estado_.itaProd}, "Incide s/ Produção"};
        const Valor itaDAR{std::int64_t{estado_.itaDAR}, "Incide s/ Fdos Esp e DAR"};
        const Valor itaAjuda{std::int64_t{estado_.itaAjuda}, "Incide s/ Ajuda de Custo"};
        const Money baseTxAdm = conta("Base Taxa Administrativa")
                                    .de(producao(prodTotal))
                                    .vezes(itaProd)
                                    .mais(dinheiro(c.valDAR))
                                    .vezes(itaDAR)
                                    .mais(dinheiro(c.ajuda))
                                    .vezes(itaAjuda)
                                    .dinheiro();
        escrever(c.valTxAdm,
                 conta().de({baseTxAdm, "Base Taxa Administrativa"}).vezes(real(c.percTxAdm)).dividido(kCem).real());

        iniciar(c.valTotalNF);
        escrever(c.valTotalNF, conta()
                                   .de(producao(prodTotal))
                                   .mais(dinheiro(c.valTxAdm))
                                   .mais(dinheiro(c.valDAR))
                                   .mais(dinheiro(c.ajuda))
                                   .dinheiro());

        sobreANota(c.valIR, c.valTotalNF, "percentIrrf");

        // The ISS rate and base option are the state's, not the fields'.
        iniciar(c.valISS);
        const Valor baseISS = dinheiro(estado_.incideISS != 0 ? c.valTxAdm : c.valTotalNF);
        escrever(c.valISS, conta().de(baseISS).vezes({estado_.percentISS, "% ISS"}).dividido(kCem).real());

        sobreANota(c.valPIS, c.valTotalNF, "percentPis");
        sobreANota(c.valCofins, c.valTotalNF, "percentCofins");

        iniciar(c.nfLiq);
        escrever(c.nfLiq, conta()
                              .de(dinheiro(c.valTotalNF))
                              .menos(dinheiro(c.valIR))
                              .menos(dinheiro(c.valISS))
                              .menos(dinheiro(c.valPIS))
                              .menos(dinheiro(c.valCofins))
                              .dinheiro());

        iniciar(c.valSeg);
        const Money baseSeg = conta("Base do seguro").de(producao(prodTotal)).mais(dinheiro(c.valDAR)).dinheiro();
        escrever(c.valSeg, conta().de({baseSeg, "Base do seguro"}).vezes(real(c.percSeg)).dividido(kCem).real());

        iniciar(c.valMargem);
        escrever(c.valMargem, conta()
                                  .de(dinheiro(c.nfLiq))
                                  .menos(dinheiro(c.liqPagar))
                                  .menos(dinheiro(c.retINSS))
                                  .menos(dinheiro(c.retIR))
                                  .menos(dinheiro(c.valSeg))
                                  .dinheiro());
    }

    // A tax on the invoice total at the rate of an entry field.
    void sobreANota(std::string_view campo, std::string_view valTotalNF, std::string_view percentual) {
        iniciar(campo);
        escrever(campo, conta().de(dinheiro(valTotalNF)).vezes(real(percentual)).dividido(kCem).real());
    }

    // Insalubrity allowance, capped at the rate applied to the reference value; the cap is
    // first rounded to a whole number of cents.
    void adicionalInsalubridade() {
        iniciar(kValInsalub);
        const Valor percInsalub{estado_.percInsalub, "Adicional Insalub %"};
        Conta emCentavos = conta("Teto em centavos", false);
        const std::int32_t centavos =
            emCentavos.de({estado_.tetoInsalub, "Valor de Referência"}).vezes(percInsalub).inteiro();
        Conta teto = conta("Teto Insalubridade", false);
        const Money limiteInsalub = teto.de({std::int64_t{centavos}, "Teto em centavos"}).dividido(kCem).dinheiro();

        escrever(kValInsalub, conta()
                                  .de(dinheiro(kDepois.ProdBruta))
                                  .vezes(percInsalub)
                                  .dividido(kCem)
                                  .vezes({estado_.fatorInsalub, "Fator Insalub"})
                                  .dividido(kCem)
                                  .real());
        const Valor lido = dinheiro(kValInsalub);
        if (m(lido) > limiteInsalub) {
            registrar(emCentavos);
            registrar(teto);
            nota("Adicional {} acima do teto {}: limitado ao teto", {lido, {limiteInsalub}});
            escrever(kValInsalub, conta().de({limiteInsalub, "Teto Insalubridade"}).dinheiro());
        }
    }

    // Danger, overtime and night-hours allowances, each rounded to cents, shown as one sum.
    void adicionaisPericExtraNoturno() {
        iniciar(kValPericExNot);
        const auto adicional = [&](std::string_view rotulo, Valor perc, Valor fator) {
            const Money v = conta(rotulo)
                                .de(dinheiro(kDepois.ProdBruta))
                                .vezes(perc)
                                .dividido(kCem)
                                .vezes(fator)
                                .dividido(kCem)
                                .centavos(sep_);
            return Valor{v, rotulo};
        };
        const Valor peric = adicional("Periculosidade", {estado_.percPeric, "Adicional Periculos. %"},
                                      {estado_.fatorPeric, "Fator Periculos."});
        const Valor extra = adicional("Horas extras", {estado_.percExtra, "Adicional H. Extras %"},
                                      {estado_.fatorExtra, "Fator H. Extras"});
        const Valor noturno = adicional("Horas noturnas", {estado_.percNoturno, "Adicional H. Noturnas %"},
                                        {estado_.fatorNoturno, "Fator H. Noturnas"});
        escrever(kValPericExNot, conta().de(peric).mais(extra).mais(noturno).dinheiro());
    }

    // Paid weekly rest, on the production alone or on production plus allowances.
    void descansoSemanal() {
        iniciar(kValDSR);
        Valor base = dinheiro(kDepois.ProdBruta);
        if (visao_.lerIndice("selecBaseDSR") == 1) {
            base = {conta("Base DSR").de(base).mais(dinheiro(kValInsalub)).mais(dinheiro(kValPericExNot)).dinheiro(),
                    "Base DSR"};
        }
        escrever(kValDSR, conta().de(base).vezes(real("percDSR")).dividido(kCem).real());
    }

    // The production total of DEPOIS, which is no field: its working is kept to open the
    // working of each DEPOIS result that uses it.
    Money producaoTotal() {
        etapa_ = "prodTotal2";
        passos_ = nullptr;
        Conta total(nullptr, memoria_ != nullptr, rotuloDoCampo(etapa_));
        const Money v = total.de(dinheiro(kDepois.ProdBruta))
                            .mais(dinheiro(kValInsalub))
                            .mais(dinheiro(kValPericExNot))
                            .mais(dinheiro(kValDSR))
                            .dinheiro();
        passoProdTotal_ = total.passo();
        return v;
    }

    VisaoCalculo& visao_;
    const ParametrosSimulacao& estado_;
    const Separadores& sep_;
    MemoriaCalculo* memoria_;
    std::string_view etapa_;
    std::vector<Passo>* passos_ = nullptr;  // the working of the result being computed
    Passo passoProdTotal_;
    bool prodTotalNaMemoria_ = false;
};

}  // namespace

bool executarCalculo(VisaoCalculo& visao, const ParametrosSimulacao& estado, const Separadores& sep,
                     MemoriaCalculo* memoria) {
    Execucao execucao(visao, estado, sep, memoria);
    try {
        execucao.executar();
    } catch (const FalhaCalculo& f) {
        if (memoria) memoria->falhar(execucao.etapa(), f.campo);
        visao.informarFalha();
        return false;
    }
    return true;
}

}  // namespace vestamar
