#include "manipuladores.h"

#include <QScopedValueRollback>

#include <array>
#include <optional>

#include "etextctl.h"
#include "parametros.h"
#include "simulador.h"

namespace vestamar {
namespace {

using P = ParametrosSimulacao;
using enum Seguinte;

constexpr std::array kManipuladores = {
    // Income-tax brackets: the calculation uses the table the window shows.
    Manipulador{"aPartir1", &P::aPartir1, TabelaIR},
    Manipulador{"percentIR1", &P::percentIR1, TabelaIR},
    Manipulador{"Desconto1", &P::Desconto1, TabelaIR},
    Manipulador{"aPartir2", &P::aPartir2, TabelaIR},
    Manipulador{"percentIR2", &P::percentIR2, TabelaIR},
    Manipulador{"Desconto2", &P::Desconto2, TabelaIR},
    Manipulador{"aPartir3", &P::aPartir3, TabelaIR},
    Manipulador{"percentIR3", &P::percentIR3, TabelaIR},
    Manipulador{"Desconto3", &P::Desconto3, TabelaIR},
    Manipulador{"aPartir4", &P::aPartir4, TabelaIR},
    Manipulador{"percentIR4", &P::percentIR4, TabelaIR},
    Manipulador{"Desconto4", &P::Desconto4, TabelaIR},
    // The rest of the parameter-tables panel.
    Manipulador{"abatDep", &P::abatDep, Nada},
    Manipulador{"quantDeps", &P::quantDeps, Nada},
    Manipulador{"percINSS", &P::percINSS, Nada},
    Manipulador{"tetoINSS", &P::tetoINSS, Nada},
    Manipulador{"InssTerc", &P::inssTerc, Nada},
    Manipulador{"percTxMan", &P::percTxMan, Nada},
    Manipulador{"percTxMan2", &P::percTxMan2, Nada},
    Manipulador{"percTxAdm", &P::percTxAdm, Nada},
    Manipulador{"percTxAdm2", &P::percTxAdm2, Nada},
    Manipulador{"percentIrrf", &P::percentIrrf, Nada},
    Manipulador{"percentISS", &P::percentISS, Nada},
    Manipulador{"percentPis", &P::percentPis, Nada},
    Manipulador{"percentCofins", &P::percentCofins, Nada},
    Manipulador{"percDSR", &P::percDSR, Nada},
    Manipulador{"percDAR", &P::percDAR, Nada},
    Manipulador{"percDAR2", &P::percDAR2, Nada},
    Manipulador{"percPeric", &P::percPeric, Nada},
    Manipulador{"fatorPeric", &P::fatorPeric, Nada},
    Manipulador{"percNoturno", &P::percNoturno, Nada},
    Manipulador{"fatorNoturno", &P::fatorNoturno, PassosA},
    Manipulador{"percExtra", &P::percExtra, Nada},
    Manipulador{"fatorExtra", &P::fatorExtra, Nada},
    Manipulador{"percInsalub", &P::percInsalub, Nada},
    Manipulador{"fatorInsalub", &P::fatorInsalub, Nada},
    Manipulador{"tetoInsalub", &P::tetoInsalub, Nada},
    Manipulador{"percSeg", &P::percSeg, Nada},
    Manipulador{"percSeg2", &P::percSeg2, Nada},
    // The scenario inputs of the two columns: the columns follow the typing.
    Manipulador{"QuantDias", &P::quantDias, Calcular},
    Manipulador{"QuantHorasDia", &P::quantHorasDia, Calcular},
    Manipulador{"ValorHora", &P::valorHora, Calcular},
    Manipulador{"ProdBruta", &P::prodBruta, Calcular},
    Manipulador{"valorAjCusto", &P::valAjuda, Calcular},
    Manipulador{"QuantDias2", &P::quantDias2, Calcular},
    Manipulador{"QuantHorasDia2", &P::quantHorasDia2, PassosBCalcular},
    Manipulador{"HorasNoturnas", &P::horasNoturnas, PassosBCalcular},
    Manipulador{"ValorHora2", &P::valorHora2, Calcular},
    Manipulador{"ProdBruta2", &P::prodBruta2, Calcular},
    Manipulador{"valorAjCusto2", &P::valAjuda2, Calcular},
};
static_assert(kManipuladores.size() == 50);

}  // namespace

std::span<const Manipulador> manipuladores() { return kManipuladores; }

const Manipulador* manipuladorDe(std::string_view campo) {
    for (const Manipulador& m : kManipuladores) {
        if (m.campo == campo) return &m;
    }
    return nullptr;
}

// ---- The handlers --------------------------------------------------------------------

namespace {

// Night hours per shift from the night-hours factor and the shift's length, as text; empty
// when either does not convert or the product leaves the 32-bit range.
std::optional<std::string> horasDoFator(const std::string& fator, const std::string& horasDia,
                                        const Separadores& sep) {
    const auto f = lerDouble(fator, sep);
    const auto q = lerDouble(horasDia, sep);
    if (!f || !q) return std::nullopt;
    const auto n = arredondarInt32((*f * *q) * 10.0);
    if (!n) return std::nullopt;
    return textoNumero(*n / 1000.0, sep);
}

// The night-hours factor (percent of the shift, two decimals) from the night hours and the
// shift's length, as text; empty when either does not convert, the shift is 0 hours long or
// the ratio leaves the 32-bit range.
std::optional<std::string> fatorDasHoras(const std::string& horas, const std::string& horasDia,
                                         const Separadores& sep) {
    const auto h = lerDouble(horas, sep);
    const auto q = lerDouble(horasDia, sep);
    if (!h || !q || *q == 0.0) return std::nullopt;
    const auto n = arredondarInt32((*h / *q) * 10000.0);
    if (!n) return std::nullopt;
    return textoNumero(*n / 100.0, sep);
}

}  // namespace

bool Simulador::armazenar(const Manipulador& m) { return guardarTexto(estado_, m.alvo, lerTexto(m.campo), sep_); }

void Simulador::aoMudarCampo(const Manipulador& m) {
    switch (m.seguinte) {
        case Seguinte::Nada:
            armazenar(m);
            return;
        case Seguinte::TabelaIR:
            if (armazenar(m)) estado_.montarTabelaIR();
            return;
        case Seguinte::Calcular:
            if (armazenar(m) && !mostrandoParametros_) calcular();
            return;
        case Seguinte::PassosA: {
            if (!armazenar(m)) return;
            // A factor written by the hours' steps, or shown at start-up, is only stored: the
            // hours stay as typed or as saved.
            if (escrevendoDePassosB_ || mostrandoParametros_) return;
            // The hours follow the factor when they can be worked out; otherwise they stay as
            // they are and the factor alone is kept. An edit of the panel calculates nothing:
            // the new factor shows in the results at the next calculation.
            if (const auto horas = horasDoFator(lerTexto("fatorNoturno"), lerTexto("QuantHorasDia2"), sep_)) {
                const QScopedValueRollback guarda(escrevendoDePassosA_, true);
                escreverTexto("HorasNoturnas", *horas);
            }
            return;
        }
        case Seguinte::PassosBCalcular: {
            if (!armazenar(m)) return;
            if (escrevendoDePassosA_ || mostrandoParametros_) return;
            // The factor follows the hours when it can be worked out (not for a shift of 0
            // hours); the value typed is stored and calculated either way.
            if (const auto fator = fatorDasHoras(lerTexto("HorasNoturnas"), lerTexto("QuantHorasDia2"), sep_)) {
                const QScopedValueRollback guarda(escrevendoDePassosB_, true);
                escreverTexto("fatorNoturno", *fator);
            }
            calcular();
            return;
        }
    }
}

}  // namespace vestamar
