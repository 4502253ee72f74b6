#include "parametros_janela.h"

#include <array>
#include <stdexcept>

namespace vestamar {

namespace {

using enum Exibicao;
using enum Seguinte;

constexpr auto kParametros = std::to_array<ParametroJanela>({
    // Cooperative fees (panel)
    {"percTxMan", "percTxMan", Formato, "0.00", "0.00"},
    {"percTxMan2", "percTxMan2", Formato, "0.00", "0.00"},
    {"percTxAdm", "percTxAdm", Formato, "0.00", "0.00"},
    {"percTxAdm2", "percTxAdm2", Formato, "0.00", "0.00"},
    // Income-tax brackets: the calculation uses the table the window shows.
    {"aPartir1", "aPartir1", Formato, "#,##0.00", "#,##0.00", TabelaIR},
    {"percentIR1", "percentIR1", Formato, "0.0", "#,##0.0", TabelaIR},
    {"Desconto1", "Desconto1", Formato, "#,##0.00", "#,##0.00", TabelaIR},
    {"aPartir2", "aPartir2", Formato, "#,##0.00", "#,##0.00", TabelaIR},
    {"percentIR2", "percentIR2", Formato, "0.0", "#,##0.0", TabelaIR},
    {"Desconto2", "Desconto2", Formato, "#,##0.00", "#,##0.00", TabelaIR},
    {"aPartir3", "aPartir3", Formato, "#,##0.00", "#,##0.00", TabelaIR},
    {"percentIR3", "percentIR3", Formato, "0.0", "#,##0.0", TabelaIR},
    {"Desconto3", "Desconto3", Formato, "#,##0.00", "#,##0.00", TabelaIR},
    {"aPartir4", "aPartir4", Formato, "#,##0.00", "#,##0.00", TabelaIR},
    {"percentIR4", "percentIR4", Formato, "0.0", "#,##0.0", TabelaIR},
    {"Desconto4", "Desconto4", Formato, "#,##0.00", "#,##0.00", TabelaIR},
    // INSS and invoice taxes (panel)
    {"abatDep", "abatDep", Formato, "#,##0.00", "#,##0.00"},
    {"tetoINSS", "tetoINSS", Formato, "#,##0.00", "#,##0.00"},
    {"percINSS", "percINSS", Formato, "0.00", "#,##0.00"},
    {"percentIrrf", "percentIrrf", Formato, "0.00", "#,##0.00"},
    {"percentISS", "percentISS", Formato, "0.00", "#,##0.00"},
    {"percentPis", "percentPis", Formato, "0.00", "#,##0.00"},
    {"percentCofins", "percentCofins", Formato, "0.00", "#,##0.00"},
    {"percDAR", "percDAR", Formato, "0.00", "#,##0.00"},
    {"percDAR2", "percDAR2", Formato, "0.00", "#,##0.00"},
    {"percDSR", "percDSR", Formato, "0.00", "#,##0.00"},
    // The scenario inputs of the two columns: the columns follow the typing.
    {"quantDias", "QuantDias", NumeroSimples, {}, "0", Calcular},
    {"quantDias2", "QuantDias2", NumeroSimples, {}, "0", Calcular},
    {"quantHorasDia", "QuantHorasDia", NumeroSimples, {}, "0.0", Calcular},
    {"horasNoturnas", "HorasNoturnas", NumeroSimples, {}, "0.0", FatorDasHoras},
    {"quantHorasDia2", "QuantHorasDia2", NumeroSimples, {}, "0.0", FatorDasHoras},
    {"valorHora", "ValorHora", Formato, "#,##0.00", "#,##0.00", Calcular},
    {"valorHora2", "ValorHora2", Formato, "#,##0.00", "#,##0.00", Calcular},
    {"valAjuda", "valorAjCusto", Formato, "#,##0.00", "0.00", Calcular},
    {"valAjuda2", "valorAjCusto2", Formato, "#,##0.00", "0.00", Calcular},
    {"prodBruta", "ProdBruta", PelaModalidade, {}, "#,##0.00", Calcular},
    {"prodBruta2", "ProdBruta2", PelaModalidade, {}, "#,##0.00", Calcular},
    // Panel, "Parâmetros da Operação"
    {"quantDeps", "quantDeps", NumeroSimples, {}, "0"},
    {"inssTerc", "InssTerc", Formato, "#,##0.00", "#,##0.00"},
    {"itaProd", "incideTxAdmProd", Lista, {}, {}, Nada, "Não", "Sim"},
    {"itaDAR", "incideTxAdmDAR", Lista, {}, {}, Nada, "Não", "Sim"},
    {"itaAjuda", "incideTxAdmAjuda", Lista, {}, {}, Nada, "Não", "Sim"},
    // Panel, additional components of scenario DEPOIS
    {"percInsalub", "percInsalub", Formato, "0.00", "0.00"},
    {"percPeric", "percPeric", Formato, "0.00", "0.00"},
    {"fatorInsalub", "fatorInsalub", Formato, "0.00", "0.00"},
    {"fatorPeric", "fatorPeric", Formato, "0.00", "0.00"},
    {"tetoInsalub", "tetoInsalub", Formato, "#,##0.00", "0.00"},
    {"incideISS", "incideISS", Lista, {}, {}, Nada, "Nota Fiscal", "Taxa Administrativa"},
    {"percNoturno", "percNoturno", Formato, "0.00", "0.00"},
    {"percExtra", "percExtra", Formato, "0.00", "0.00"},
    {"fatorNoturno", "fatorNoturno", Formato, "0.00", "0.00", HorasDoFator},
    {"fatorExtra", "fatorExtra", Formato, "0.00", "0.00"},
    {"percSeg", "percSeg", Formato, "0.00", "#,##0.00"},
    {"percSeg2", "percSeg2", Formato, "0.00", "#,##0.00"},
    {"baseDSR", "selecBaseDSR", Lista, {}, {}, Nada, "Produção", "Prod+Adic"},
    // Panel, "IR 2026": used by the next calculation.
    {"reducaoIR", "reducaoIR", Marcacao, {}, {}},
    {"reducaoIRIsencao", "reducaoIRIsencao", Formato, "#,##0.00", "#,##0.00"},
    {"reducaoIRLimite", "reducaoIRLimite", Formato, "#,##0.00", "#,##0.00"},
    {"reducaoIRParcela", "reducaoIRParcela", Formato, "#,##0.00", "#,##0.00"},
    {"reducaoIRFator", "reducaoIRFator", Formato, "0.000000", "0.000000"},
    {"reducaoIRTeto", "reducaoIRTeto", Formato, "#,##0.00", "#,##0.00"},
    {"descontoSimplificado", "descontoSimplificado", Formato, "#,##0.00", "#,##0.00"},
    {"percProd", {}, Nenhuma, {}, {}},
});

}  // namespace

std::span<const ParametroJanela> parametrosJanela() { return kParametros; }

const ParametroJanela* parametroDoControle(std::string_view controle) {
    if (controle.empty()) return nullptr;
    for (const ParametroJanela& p : kParametros) {
        if (p.controle == controle) return &p;
    }
    return nullptr;
}

const ChaveParametro* chaveDoArquivo(std::string_view chave) {
    for (const ChaveParametro& c : kChaves) {
        if (c.chave == chave) return &c;
    }
    return nullptr;
}

const ChaveParametro& ParametroJanela::chaveArquivo() const {
    if (const ChaveParametro* c = chaveDoArquivo(chave)) return *c;
    // Only a mistyped key in the table above gets here; a test goes through every row.
    throw std::logic_error("vestaMar: chave sem linha no arquivo: " + std::string(chave));
}

}  // namespace vestamar
