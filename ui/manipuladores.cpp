// The entry fields' handlers: each stores its field's value into the state, then does what
// the field's parameter row says comes next.

#include <QScopedValueRollback>

#include <optional>

#include "etextctl.h"
#include "frmcalcprod.h"
#include "regional.h"
#include "parametros.h"
#include "parametros_janela.h"
#include "simulador.h"

namespace vestamar {

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

bool Simulador::armazenar(const ParametroJanela& m) {
    const bool guardado = guardarTexto(estado_, m.chaveArquivo().campo, lerTexto(m.controle), sep_);
    // A field left without a number is marked until it holds one again. (Only a field already
    // built: the panel's are not built for this, and hold numbers until the user types.)
    auto* c = janela_.findChild<ETextctl*>(qtexto(m.controle));
    if (c && c->semnumero() == guardado) {
        c->setSemnumero(!guardado);
        const QString aviso = guardado ? QString() : QStringLiteral("Este campo não contém um número.");
        c->setToolTip(aviso);
        c->setAccessibleDescription(aviso);
    }
    return guardado;
}

void Simulador::aoMudarCampo(const ParametroJanela& m) {
    switch (m.seguinte) {
        case Seguinte::Nada:
            armazenar(m);
            return;
        case Seguinte::TabelaIR:
            if (armazenar(m)) estado_.montarTabelaIR();
            return;
        case Seguinte::Calcular:
            if (mostrandoParametros_) {
                armazenar(m);
            } else if (armazenar(m)) {
                calcular();
            } else {
                calcularSemAviso();
            }
            return;
        case Seguinte::HorasDoFator: {
            if (!armazenar(m)) return;
            // A factor written by the hours' steps, or shown at start-up, is only stored: the
            // hours stay as typed or as saved.
            if (escrevendoFatorDasHoras_ || mostrandoParametros_) return;
            // The hours follow the factor when they can be worked out; otherwise they stay as
            // they are and the factor alone is kept. An edit of the panel calculates nothing:
            // the new factor shows in the results at the next calculation.
            if (const auto horas = horasDoFator(lerTexto("fatorNoturno"), lerTexto("QuantHorasDia2"), sep_)) {
                const QScopedValueRollback guarda(escrevendoHorasDoFator_, true);
                escreverTexto("HorasNoturnas", *horas);
            }
            return;
        }
        case Seguinte::FatorDasHoras: {
            if (!armazenar(m)) {
                if (!mostrandoParametros_) calcularSemAviso();
                return;
            }
            if (escrevendoHorasDoFator_ || mostrandoParametros_) return;
            // The factor follows the hours when it can be worked out (not for a shift of 0
            // hours); the value typed is stored and calculated either way.
            if (const auto fator = fatorDasHoras(lerTexto("HorasNoturnas"), lerTexto("QuantHorasDia2"), sep_)) {
                const QScopedValueRollback guarda(escrevendoFatorDasHoras_, true);
                escreverTexto("fatorNoturno", *fator);
            }
            calcular();
            return;
        }
    }
}

}  // namespace vestamar
