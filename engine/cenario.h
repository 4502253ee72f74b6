#pragma once
// The fields of each scenario of the calculation run (calculo.cpp), by name.

#include <string_view>

#include "linhas.h"

namespace vestamar {

// Field names of one scenario: the entries it reads, and the results it writes, from their rows
// (linhas.h). Scenario DEPOIS has a production total of its own instead of the production
// field, and reads its special fund from that total.
struct Cenario {
    std::string_view QuantDias, QuantHorasDia, ValorHora, ProdBruta;
    std::string_view percTxMan, percDAR, percTxAdm, percSeg, ajuda;
    std::string_view TxManut, valDAR, retINSS, retIR, liqPagar;
    std::string_view valTxAdm, valTotalNF, valIR, valISS, valPIS, valCofins, nfLiq, valSeg, valMargem;
};

constexpr Cenario cenario(bool depois, std::string_view percTxMan, std::string_view percDAR, std::string_view percTxAdm,
                          std::string_view percSeg) {
    const auto f = [depois](Linha l) { return campoDe(l, depois); };
    // The fields in the struct's order, as grouped there
    // clang-format off
    return {f(Linha::QuantDias),
            f(Linha::QuantHorasDia),
            f(Linha::ValorHora),
            f(Linha::ProdBruta),
            percTxMan,
            percDAR,
            percTxAdm,
            percSeg,
            f(Linha::valorAjCusto),
            f(Linha::TxManut),
            f(Linha::valDAR),
            f(Linha::retINSS),
            f(Linha::retIR),
            f(Linha::liqPagar),
            f(Linha::valTxAdm),
            f(Linha::valTotalNF),
            f(Linha::valIR),
            f(Linha::valISS),
            f(Linha::valPIS),
            f(Linha::valCofins),
            f(Linha::nfLiq),
            f(Linha::valSeg),
            f(Linha::valMargem)};
    // clang-format on
}

inline constexpr Cenario kAntes = cenario(false, "percTxMan", "percDAR", "percTxAdm", "percSeg");
inline constexpr Cenario kDepois = cenario(true, "percTxMan2", "percDAR2", "percTxAdm2", "percSeg2");

// The results of DEPOIS alone, from their rows.
inline constexpr std::string_view kValInsalub = campoDe(Linha::valInsalub, true);
inline constexpr std::string_view kValPericExNot = campoDe(Linha::valPericExNot, true);
inline constexpr std::string_view kValDSR = campoDe(Linha::valDSR, true);

}  // namespace vestamar
