// The modality list, the five option lists and the `Tabelas` button.

#include <QComboBox>
#include <QCoreApplication>
#include <QEventLoop>

#include <QSignalBlocker>

#include <array>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string_view>

#include "etextctl.h"
#include "frmcalcprod.h"
#include "layout_janela.h"
#include "parametros_janela.h"
#include "regional.h"
#include "simulador.h"

namespace vestamar {

namespace {

// Production worked out from the hours of one scenario: the amount per hour times the number
// of shifts in exact money, then times the hours per shift as a double. Empty on overflow.
std::optional<double> producaoDeHoras(Money valorHora, std::int16_t dias, double horasDia) {
    const auto porDias = multiplicar(valorHora, dias);
    if (!porDias) return std::nullopt;
    const double v = porDias->paraDouble() * horasDia;
    if (!std::isfinite(v)) return std::nullopt;
    return v;
}

}  // namespace

void Simulador::preencherListas() {
    for (const ParametroJanela& p : parametrosJanela()) {
        if (p.exibicao == Exibicao::Lista) janela_.definirItens(p.controle, {qtexto(p.item0), qtexto(p.item1)});
    }
    janela_.definirItens("selecModalidade", {QStringLiteral("Mensal"), QStringLiteral("Plantões")});
}

void Simulador::conectarListas() {
    connect(&janela_, &FrmCalcProd::listaAlterada, this, [this](const QString& nome, int indice) {
        if (nome == QStringLiteral("selecModalidade")) {
            aoMudarModalidade();
            return;
        }
        // An option's choice is stored and nothing else happens: it shows at the next
        // calculation.
        const ParametroJanela* p = parametroDoControle(nome.toStdString());
        if (!p || !p->ehLista()) return;
        estado_.*std::get<std::int16_t ParametrosSimulacao::*>(p->chaveArquivo().campo) =
            static_cast<std::int16_t>(indice);
    });
}

void Simulador::mostrarIndice(std::string_view nome, std::int16_t indice) {
    // No such item: the list shows no choice, and the state keeps the file's value.
    janela_.escolher(nome, indice);
}

void Simulador::aoMudarModalidade() {
    const int m = janela_.indice("selecModalidade");
    ajustarModalidade(m);
    if (m == 0) {
        escrever("ProdBruta", qtexto(formatarPadrao(estado_.prodBruta, "#,##0.00", sep_)));
        escrever("ProdBruta2", qtexto(formatarPadrao(estado_.prodBruta2, "#,##0.00", sep_)));
    } else {
        // An amount that overflows is not shown: the field is left without a production and
        // its handler stores nothing.
        const auto antes = producaoDeHoras(estado_.valorHora, estado_.quantDias, estado_.quantHorasDia);
        escrever("ProdBruta", antes ? qtexto(formatarPadrao(*antes, "0.00", sep_)) : QString());
        const auto depois = producaoDeHoras(estado_.valorHora2, estado_.quantDias2, estado_.quantHorasDia2);
        escrever("ProdBruta2", depois ? qtexto(formatarPadrao(*depois, "0.00", sep_)) : QString());
    }
    if (!mostrandoParametros_) calcular();
}

void Simulador::ajustarModalidade(int modalidade) {
    const bool plantoes = modalidade != 0;
    for (std::string_view nome :
         {"Label80", "Label81", "Label86", "Label87", "Label84", "Label88", "Label82", "Label83", "QuantDias",
          "QuantHorasDia", "QuantDias2", "QuantHorasDia2", "HorasNoturnas", "ValorHora", "ValorHora2"}) {
        controle(nome).setVisible(plantoes);
    }
    struct Topo {
        std::string_view nome;
        int plantoes, mensal;
    };
    for (const Topo& t :
         {Topo{"Label1", 1800, 2500}, Topo{"Label44", 1800, 2500}, Topo{"Label85", 1320, 1820},
          Topo{"selecModalidade", 1320, 1820}, Topo{"Label71", 2895, 3120}, Topo{"Label73", 2895, 3120}}) {
        moverTopo(t.nome, plantoes ? t.plantoes : t.mensal);
    }
    campo("ProdBruta").setLocked(plantoes);
    campo("ProdBruta2").setLocked(plantoes);
}

void Simulador::abrirTabelas() {
    const bool jaAberto = janela_.painel() && janela_.painel()->isVisible();
    // A field still being edited (Alt+T from it) is left before the panel opens: its text,
    // rewritten with its pattern, runs the calculation, which would close the panel again.
    if (QWidget* comFoco = janela_.focusWidget(); !jaAberto && qobject_cast<ETextctl*>(comFoco)) comFoco->clearFocus();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    janela_.construirPainel();
    moverEsquerda("Frame1", 0);
    controle("Frame1").show();
    controle("Label85").hide();
    controle("selecModalidade").hide();
    cobrirColunas(true);
    if (jaAberto) return;
    // The panel's first field in the tab order takes the keyboard focus.
    const Controle* primeiro = nullptr;
    for (const Controle& c : layoutJanela()) {
        if (c.conteiner == "Frame1" && c.tab >= 0 && !c.pulado && !c.aoFim && (!primeiro || c.tab < primeiro->tab))
            primeiro = &c;
    }
    if (primeiro) controle(primeiro->nome).setFocus(Qt::TabFocusReason);
}

void Simulador::cobrirColunas(bool cobrir) {
    if (cobrir == !focoDasColunas_.empty()) return;
    if (!cobrir) {
        for (const auto& [w, politica] : focoDasColunas_) w->setFocusPolicy(politica);
        focoDasColunas_.clear();
        return;
    }
    // The fields and lists of the window that lie under the open panel take no focus, so Tab
    // and Shift+Tab go round the panel and the buttons below it, and no key reaches a figure
    // the user cannot see.
    const QWidget& painel = controle("Frame1");
    for (const Controle& c : layoutJanela()) {
        if (!c.conteiner.empty() || (c.tipo != Tipo::Campo && c.tipo != Tipo::Lista)) continue;
        QWidget& w = controle(c.nome);
        if (!w.geometry().intersects(painel.geometry())) continue;
        focoDasColunas_.emplace_back(&w, w.focusPolicy());
        w.setFocusPolicy(Qt::NoFocus);
    }
}

}  // namespace vestamar
