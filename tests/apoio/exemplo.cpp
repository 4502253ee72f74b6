#include "exemplo.h"

#include <utility>

namespace vestamar {

std::string noAjuste(std::string_view textoBrasileiro, const Separadores& sep) {
    std::string r;
    for (const char c : textoBrasileiro) {
        if (c == '.') r += sep.grupo;
        else if (c == ',') r += sep.decimal;
        else r += c;
    }
    return r;
}

ParametrosSimulacao estadoDoExemplo() {
    ParametrosSimulacao e;
    e.aPartir1 = centavos(190399); e.percentIR1 = 7.5;  e.Desconto1 = centavos(14280);
    e.aPartir2 = centavos(282666); e.percentIR2 = 15;   e.Desconto2 = centavos(35480);
    e.aPartir3 = centavos(375106); e.percentIR3 = 22.5; e.Desconto3 = centavos(63613);
    e.aPartir4 = centavos(466468); e.percentIR4 = 27.5; e.Desconto4 = centavos(86936);
    e.abatDep = centavos(18959);
    e.percINSS = 11;
    e.tetoINSS = centavos(518982);
    e.itaProd = 1; e.itaDAR = 1; e.itaAjuda = 0; e.incideISS = 1; e.percentISS = 3; e.baseDSR = 1;
    e.percInsalub = 20; e.fatorInsalub = 100; e.tetoInsalub = centavos(67800);
    e.fatorPeric = 100; e.percNoturno = 20; e.fatorNoturno = 33.33; e.fatorExtra = 100;
    e.montarTabelaIR();
    return e;
}

VisaoMapa visaoDoExemplo(const Separadores& sep, const ParametrosSimulacao& estado) {
    static constexpr std::pair<const char*, const char*> kCampos[] = {
        {"ProdBruta", "1.800,00"}, {"ProdBruta2", "1.800,00"}, {"ValorHora", "15,00"}, {"ValorHora2", "15,00"},
        {"QuantDias", "10"}, {"QuantDias2", "10"}, {"QuantHorasDia", "12,0"}, {"QuantHorasDia2", "12,0"},
        {"InssTerc", "0,00"}, {"quantDeps", "0"}, {"valorAjCusto", "600,00"}, {"valorAjCusto2", "600,00"},
        {"percTxMan", "5,00"}, {"percTxMan2", "5,00"}, {"percDAR", "0,00"}, {"percDAR2", "0,00"},
        {"percTxAdm", "25,00"}, {"percTxAdm2", "25,00"}, {"percentIrrf", "1,50"}, {"percentPis", "0,65"},
        {"percentCofins", "3,00"}, {"percSeg", "0,00"}, {"percSeg2", "0,00"}, {"percDSR", "16,67"}};
    VisaoMapa v;
    for (const auto& [campo, texto] : kCampos) v.textos[campo] = noAjuste(texto, sep);
    v.textos["tetoINSS"] = formatarPadrao(estado.tetoINSS, "#,##0.00", sep);
    v.textos["abatDep"] = formatarPadrao(estado.abatDep, "#,##0.00", sep);
    v.textos["percINSS"] = formatarPadrao(estado.percINSS, "#,##0.00", sep);
    v.indices = {{"selecModalidade", 0}, {"selecBaseDSR", estado.baseDSR}};
    return v;
}

}  // namespace vestamar
