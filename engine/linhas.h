#pragma once
// The rows of the window's two columns, ANTES and DEPOIS, from top to bottom: the entries of
// the simulation at the top, then the results. This one table gives the names of the fields
// the calculation writes, the captions of the workings, the captions the window shows beside
// the fields, and the rows of "Copiar resultados" and of "Memória de cálculo". A new result
// is one row here (and its step in the calculation).

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace vestamar {

// Each row by name, in the table's order; the last one counts them.
// The names in the rows' order, several to a line
// clang-format off
enum class Linha : std::uint8_t {
    QuantDias,
    QuantHorasDia,
    HorasNoturnas,
    ValorHora,
    ProdBruta,
    valorAjCusto,
    valDAR,
    valInsalub,
    valPericExNot,
    valDSR,
    retINSS,
    retIR,
    TxManut,
    liqPagar,
    valTxAdm,
    valTotalNF,
    valIR,
    valISS,
    valPIS,
    valCofins,
    nfLiq,
    valSeg,
    valMargem,
    quantas
};
// clang-format on

// One field of a row: its name, the caption beside it in the window ("Retenção IR $"), and the
// caption its workings use when that is not the window's without the trailing " $".
struct ColunaLinha {
    std::string_view campo;  // empty when the column has no field in this row
    std::string_view rotulo;
    std::string_view curto = {};
};

struct LinhaResultado {
    Linha linha;
    bool resultado;  // written by the calculation, with a working (the production: in
                     // mode "Plantões" only)
    ColunaLinha antes, depois;
    std::string_view parte = {};  // of two fields under one caption, which one ("plantões")
    std::uint8_t casas = 2;       // the decimals the field's display pattern shows

    std::string_view campo(bool ehDepois) const { return ehDepois ? depois.campo : antes.campo; }
};

namespace linhas_detalhe {
constexpr LinhaResultado entrada(Linha l, std::string_view antes, std::string_view depois, std::string_view rotulo,
                                 std::string_view curto, std::string_view parte = {}, std::uint8_t casas = 2) {
    return {l,     false, {antes, antes.empty() ? std::string_view{} : rotulo, curto}, {depois, rotulo, curto},
            parte, casas};
}
constexpr LinhaResultado resultado(Linha l, std::string_view antes, std::string_view depois,
                                   std::string_view rotuloAntes, std::string_view rotuloDepois,
                                   std::string_view curtoDepois = {}) {
    return {l, true, {antes, rotuloAntes}, {depois, rotuloDepois, curtoDepois}};
}
constexpr LinhaResultado ambos(Linha l, std::string_view antes, std::string_view depois, std::string_view rotulo) {
    return {l, true, {antes, rotulo}, {depois, rotulo}};
}
}  // namespace linhas_detalhe

inline constexpr std::array<LinhaResultado, static_cast<std::size_t>(Linha::quantas)> kLinhas = [] {
    using namespace linhas_detalhe;
    using L = Linha;
    std::array<LinhaResultado, static_cast<std::size_t>(Linha::quantas)> t{{
        entrada(L::QuantDias, "QuantDias", "QuantDias2", "Quant Plantões/duração", "Plantões", "plantões", 0),
        entrada(L::QuantHorasDia, "QuantHorasDia", "QuantHorasDia2", "Quant Plantões/duração", "Horas por plantão",
                "horas", 1),
        entrada(L::HorasNoturnas, "", "HorasNoturnas", "Horas noturnas/plantão", {}, {}, 1),
        entrada(L::ValorHora, "ValorHora", "ValorHora2", "Valor Hora", {}),
        resultado(L::ProdBruta, "ProdBruta", "ProdBruta2", "Produção Bruta $", "Produção Bruta $"),
        entrada(L::valorAjCusto, "valorAjCusto", "valorAjCusto2", "Ajuda de Custo $", {}),
        resultado(L::valDAR, "valDAR", "valDAR2", "Fundo Especial $", "DAR - Desc. Anual Remun $", "DAR"),
        resultado(L::valInsalub, "", "valInsalub", "", "Adicional Insalubridade $"),
        resultado(L::valPericExNot, "", "valPericExNot", "", "Adic Peric+Extras+Not. $"),
        resultado(L::valDSR, "", "valDSR", "", "DSR - Desc. Sem. Remun $", "DSR"),
        ambos(L::retINSS, "retINSS", "retINSS2", "Retenção INSS $"),
        ambos(L::retIR, "retIR", "retIR2", "Retenção IR $"),
        ambos(L::TxManut, "TxManut", "TxManut2", "Taxa Manutenção $"),
        ambos(L::liqPagar, "liqPagar", "liqPagar2", "Líquido a Pagar $"),
        ambos(L::valTxAdm, "valTxAdm", "valTxAdm2", "Taxa Administrativa $"),
        ambos(L::valTotalNF, "valTotalNF", "valTotalNF2", "Valor Total NF"),
        ambos(L::valIR, "valIR", "valIR2", "IRRF"),
        ambos(L::valISS, "valISS", "valISS2", "ISS"),
        ambos(L::valPIS, "valPIS", "valPIS2", "PIS"),
        ambos(L::valCofins, "valCofins", "valCofins2", "Cofins"),
        ambos(L::nfLiq, "nfLiq", "nfLiq2", "NF Líquido"),
        ambos(L::valSeg, "valSeg", "valSeg2", "Seguro Acid. Trab. $"),
        ambos(L::valMargem, "valMargem", "valMargem2", "Margem de Contribuição"),
    }};
    return t;
}();

namespace linhas_detalhe {
constexpr bool emOrdem() {
    for (std::size_t i = 0; i < kLinhas.size(); ++i)
        if (static_cast<std::size_t>(kLinhas[i].linha) != i) return false;
    return true;
}
}  // namespace linhas_detalhe
static_assert(linhas_detalhe::emOrdem(), "each row at the place of its name in Linha");

// The field of a row in a column.
constexpr std::string_view campoDe(Linha l, bool depois) {
    const LinhaResultado& r = kLinhas[static_cast<std::size_t>(l)];
    return depois ? r.depois.campo : r.antes.campo;
}

// The caption the window shows beside a field of the columns; empty for any other name.
constexpr std::string_view legendaDe(std::string_view campo) {
    for (const LinhaResultado& r : kLinhas) {
        if (!campo.empty() && r.antes.campo == campo) return r.antes.rotulo;
        if (r.depois.campo == campo) return r.depois.rotulo;
    }
    return {};
}

// The name a screen reader gives a field of the columns: its caption, which of two fields under
// it, and its column ("Quant Plantões/duração: horas - DEPOIS"); empty for any other name.
inline std::string nomeAcessivelDe(std::string_view campo) {
    for (const LinhaResultado& r : kLinhas) {
        for (const bool depois : {false, true}) {
            const ColunaLinha& c = depois ? r.depois : r.antes;
            if (campo.empty() || c.campo != campo) continue;
            std::string nome(c.rotulo);
            if (!r.parte.empty()) nome.append(": ").append(r.parte);
            return nome.append(depois ? " - DEPOIS" : " - ANTES");
        }
    }
    return {};
}

}  // namespace vestamar
