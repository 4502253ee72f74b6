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
std::optional<std::string> horasDoFator(const std::string& fator, const std::string& horasDia, const Separadores& sep) {
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
        case Seguinte::Nada: armazenar(m); return;
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
        case Seguinte::HorasDoFator:
        case Seguinte::FatorDasHoras: {
            // The night hours of DEPOIS (from the hours or the shift's length) and the panel's
            // night-hours factor follow each other.
            // A value written by the other's step, or shown at start-up, is only stored: the
            // other stays as typed or as saved. The other follows when it can be worked out
            // (not from a shift of 0 hours); otherwise it stays as it is. An edit of the
            // panel's factor calculates nothing (it shows in the results at the next
            // calculation); the hours are calculated whether they convert or not.
            const bool doFator = m.seguinte == Seguinte::HorasDoFator;
            if (!armazenar(m)) {
                if (!doFator && !mostrandoParametros_) calcularSemAviso();
                return;
            }
            if ((doFator ? escrevendoFatorDasHoras_ : escrevendoHorasDoFator_) || mostrandoParametros_) return;
            const std::string horasDia = lerTexto("QuantHorasDia2");
            const auto outro = doFator ? horasDoFator(lerTexto("fatorNoturno"), horasDia, sep_)
                                       : fatorDasHoras(lerTexto("HorasNoturnas"), horasDia, sep_);
            if (outro) {
                const QScopedValueRollback guarda(doFator ? escrevendoHorasDoFator_ : escrevendoFatorDasHoras_, true);
                escreverTexto(doFator ? "HorasNoturnas" : "fatorNoturno", *outro);
            }
            if (!doFator) calcular();
            return;
        }
    }
}

}  // namespace vestamar
