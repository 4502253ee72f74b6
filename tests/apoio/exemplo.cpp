#include "exemplo.h"

#include <utility>

#include "arquivo_parametros.h"

namespace vestamar {

std::string noAjuste(std::string_view textoBrasileiro, const Separadores& sep) {
    std::string r;
    for (const char c : textoBrasileiro) r += c == '.' ? sep.grupo : c == ',' ? sep.decimal : std::string(1, c);
    return r;
}

ParametrosSimulacao estadoDoExemplo() {
    ParametrosSimulacao e;
    aplicarPadroes(e);
    e.percInsalub = e.percNoturno = 20;
    e.montarTabelaIR();
    return e;
}

VisaoMapa visaoDoExemplo(const Separadores& sep, const ParametrosSimulacao& estado) {
    static constexpr std::pair<const char*, const char*> kCampos[] = {
        {"ProdBruta", "1.800,00"}, {"ProdBruta2", "1.800,00"}, {"ValorHora", "15,00"},     {"ValorHora2", "15,00"},
        {"QuantDias", "10"},       {"QuantDias2", "10"},       {"QuantHorasDia", "12,0"},  {"QuantHorasDia2", "12,0"},
        {"InssTerc", "0,00"},      {"quantDeps", "0"},         {"valorAjCusto", "600,00"}, {"valorAjCusto2", "600,00"},
        {"percTxMan", "5,00"},     {"percTxMan2", "5,00"},     {"percDAR", "0,00"},        {"percDAR2", "0,00"},
        {"percTxAdm", "25,00"},    {"percTxAdm2", "25,00"},    {"percentIrrf", "1,50"},    {"percentPis", "0,65"},
        {"percentCofins", "3,00"}, {"percSeg", "0,00"},        {"percSeg2", "0,00"},       {"percDSR", "16,67"}};
    VisaoMapa v;
    for (const auto& [campo, texto] : kCampos) v.textos[campo] = noAjuste(texto, sep);
    v.textos["tetoINSS"] = formatarPadrao(estado.tetoINSS, "#,##0.00", sep);
    v.textos["abatDep"] = formatarPadrao(estado.abatDep, "#,##0.00", sep);
    v.textos["percINSS"] = formatarPadrao(estado.percINSS, "#,##0.00", sep);
    v.indices = {{"selecModalidade", 0}, {"selecBaseDSR", estado.baseDSR}};
    return v;
}

}  // namespace vestamar
