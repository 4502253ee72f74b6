#include "frmcalcprod.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QSignalBlocker>
#include <QTimer>

#include <algorithm>
#include <utility>

#include "controls/cbutton.h"
#include "controls/etextctl.h"
#include "controls/fontes.h"
#include "fabrica_controles.h"
#include "layout_janela.h"
#include "regional.h"

// The banner and the icons are compiled into this static library; their registration has to
// be asked for by name, or the linker leaves it out.
static void registrarRecursos() { Q_INIT_RESOURCE(recursos); }

namespace vestamar {

namespace {

constexpr std::string_view kNomePainel = "Frame1";

}  // namespace

int FrmCalcProd::pixels(int twips) {
    // Rounded to the nearest pixel, halves away from zero.
    return twips >= 0 ? (twips + 7) / 15 : -((-twips + 7) / 15);
}

FrmCalcProd::FrmCalcProd(const Separadores& sep, QWidget* parent, Montagem montagem) : QWidget(parent), sep_(sep) {
    registrarRecursos();
    setObjectName(QStringLiteral("frmcalcProd"));
    setWindowTitle(qtexto(kNomePrograma));
    // The window's own colours (paletaDoDesenho), which the controls take from the window
    // instead of a palette each (a palette change ripples through the style).
    setPalette(paletaDoDesenho());
    setAutoFillBackground(true);
    // Nothing reacts to a change of size: the client area keeps its designed size.
    setFixedSize(pixels(kLarguraClienteTwips), pixels(kAlturaClienteTwips));
    // The panel's values wait here until it is built.
    for (const Controle& c : layoutJanela()) {
        if (c.conteiner != kNomePainel) continue;
        if (c.tipo == Tipo::Campo) textosPainel_.emplace(std::string(c.nome), textoInicial(c.texto, sep));
        if (c.tipo == Tipo::Lista) listasPainel_.emplace(std::string(c.nome), ListaGuardada{});
        // A check box is kept as a choice between not checked (0) and checked (1).
        if (c.tipo == Tipo::Caixa)
            listasPainel_.emplace(std::string(c.nome), ListaGuardada{{QString(), QString()}, 0, true});
    }
    if (montagem == Montagem::Imediata) montarControles();
}

void FrmCalcProd::montarControles() {
    if (montada_) return;
    montada_ = true;
    // The font of most captions and of every field, which they take from the window as they
    // are made instead of each laying out its text a second time in it. Choosing it reads the
    // system's fonts, the longest step of start-up.
    setFont(fonteDaJanela(faceArial(), 8.25, {.negrito = true}));
    montar(false);
    ordenarTabulacao();
    // Controls made inside a window already shown are shown by hand; those hidden on purpose
    // (the panel) stay hidden.
    if (isVisible()) {
        for (QWidget* w : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (!w->testAttribute(Qt::WA_WState_ExplicitShowHide)) w->show();
    }
    if (QWidget* primeiro = controle("selecModalidade")) primeiro->setFocus(Qt::OtherFocusReason);
}

void FrmCalcProd::paintEvent(QPaintEvent* evento) {
    QWidget::paintEvent(evento);
    // The icon is read and handed to the window system once the window has been drawn, so
    // that its decoding does not delay the first sight of the window.
    if (!iconePedido_) {
        iconePedido_ = true;
        QTimer::singleShot(0, this, [this] { setWindowIcon(iconeDoPrograma()); });
    }
}

bool FrmCalcProd::doPainel(std::string_view nome) const {
    return nome == kNomePainel || textosPainel_.count(nome) != 0 || listasPainel_.count(nome) != 0 ||
           std::any_of(layoutJanela().begin(), layoutJanela().end(),
                       [&](const Controle& c) { return c.nome == nome && c.conteiner == kNomePainel; });
}

void FrmCalcProd::construirPainel() {
    if (painel_) return;
    montar(true);
    // The panel's fields take their kept texts, its lists their items and choice, before the
    // window listens to them: nothing is announced, as nothing changes.
    for (auto& [nome, texto] : textosPainel_) {
        ETextctl* f = qobject_cast<ETextctl*>(controle(nome));
        const QSignalBlocker bloqueio(f);
        f->setText(texto);
    }
    for (auto& [nome, guardada] : listasPainel_) {
        QWidget* w = controle(nome);
        const QSignalBlocker bloqueio(w);
        if (auto* l = qobject_cast<QComboBox*>(w)) {
            l->addItems(guardada.itens);
            l->setCurrentIndex(guardada.indice);
        } else if (auto* caixa = qobject_cast<QCheckBox*>(w)) {
            caixa->setChecked(guardada.indice == 1);
        }
    }
    textosPainel_.clear();
    listasPainel_.clear();
    ordenarTabulacao();
}

void FrmCalcProd::montar(bool painel) {
    const FonteDaAplicacaoDurante fonteDosControles(font());
    // Made layer by layer, each in the table's order, a later control lying over an earlier
    // one; the panel comes before what it holds, and over the rest of the window because it
    // is made after all of it.
    std::vector<const Controle*> ordem;
    for (const Controle& c : layoutJanela()) {
        const bool noPainel = c.nome == kNomePainel || c.conteiner == kNomePainel;
        if (noPainel == painel) ordem.push_back(&c);
    }
    const auto nivel = [](const Controle* c) { return c->tipo == Tipo::Painel ? -1 : camada(c->tipo); };
    std::stable_sort(ordem.begin(), ordem.end(),
                     [&](const Controle* a, const Controle* b) { return nivel(a) < nivel(b); });
    for (const Controle* pc : ordem) {
        const Controle& c = *pc;
        QWidget* pai = c.conteiner.empty() ? this : controle(c.conteiner);
        QWidget* w = nullptr;
        switch (c.tipo) {
            case Tipo::Rotulo: w = novoRotulo(c, pai); break;
            case Tipo::Marcador: w = novoMarcador(c, pai); break;
            case Tipo::Linha: w = novaLinha(c, pai); break;
            case Tipo::Imagem: w = novaImagem(pai); break;
            case Tipo::Painel:
                w = novoPainel(pai);
                w->hide();
                painel_ = w;
                break;
            case Tipo::Lista: {
                QComboBox* l = novaLista(c, pai);
                connect(l, &QComboBox::currentIndexChanged, this,
                        [this, l](int i) { emit listaAlterada(l->objectName(), i); });
                w = l;
                break;
            }
            case Tipo::Caixa: {
                QCheckBox* caixa = novaCaixa(c, pai);
                connect(caixa, &QCheckBox::toggled, this,
                        [this, caixa](bool marcada) { emit listaAlterada(caixa->objectName(), marcada ? 1 : 0); });
                w = caixa;
                break;
            }
            case Tipo::Botao: {
                cbutton* b = novoBotao(c, pai);
                connect(b, &cbutton::Click, this, [this, b] { emit botaoPressionado(b->objectName()); });
                w = b;
                break;
            }
            case Tipo::Campo: {
                ETextctl* f = novoCampo(c, pai, sep_);
                connect(f, &ETextctl::Change, this, [this, f] { emit campoAlterado(f->objectName()); });
                campos_.push_back(f);
                w = f;
                break;
            }
        }
        w->setObjectName(qtexto(c.nome));
        if (c.tipo == Tipo::Linha) {
            // A line one pixel thick from its first end point towards the second.
            const int x = pixels(c.x1()), y = pixels(c.y1());
            w->setGeometry(x, y, std::max(1, pixels(c.x2()) - x), std::max(1, pixels(c.y2()) - y));
        } else {
            w->setGeometry(pixels(c.l), pixels(c.t), pixels(c.w), pixels(c.h));
        }
        controles_.emplace(std::string(c.nome), w);
    }
    // Each list is labelled by its caption (for screen readers: the caption's buddy).
    for (const Controle* pc : ordem) {
        if (pc->legenda.empty()) continue;
        if (auto* legenda = qobject_cast<QLabel*>(controle(pc->legenda))) legenda->setBuddy(controle(pc->nome));
    }
    if (painel) {
        // Fields in the order of the layout table, the panel's where they stand in it.
        std::vector<ETextctl*> campos;
        for (const Controle& c : layoutJanela()) {
            if (c.tipo == Tipo::Campo) campos.push_back(qobject_cast<ETextctl*>(controles_.find(c.nome)->second));
        }
        campos_ = std::move(campos);
    }
}

void FrmCalcProd::ordenarTabulacao() {
    // Sorted by (reached after the designed order, place in it).
    std::vector<std::pair<std::pair<bool, int>, QWidget*>> ordem;
    for (const Controle& c : layoutJanela()) {
        if (c.tipo != Tipo::Campo && c.tipo != Tipo::Lista && c.tipo != Tipo::Botao && c.tipo != Tipo::Caixa) continue;
        const auto it = controles_.find(c.nome);
        if (it == controles_.end()) continue;  // the panel, not built yet
        QWidget* w = it->second;
        // A skipped control keeps its place and takes a click, but Tab and Enter pass it by.
        w->setFocusPolicy(c.pulado ? Qt::ClickFocus : Qt::StrongFocus);
        ordem.emplace_back(std::pair(c.aoFim, c.tab), w);
    }
    std::stable_sort(ordem.begin(), ordem.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t i = 1; i < ordem.size(); ++i) QWidget::setTabOrder(ordem[i - 1].second, ordem[i].second);
}

QWidget* FrmCalcProd::controle(std::string_view nome) {
    auto it = controles_.find(nome);
    if (it == controles_.end() && !painel_ && doPainel(nome)) {
        construirPainel();
        it = controles_.find(nome);
    }
    return it == controles_.end() ? nullptr : it->second;
}

ETextctl* FrmCalcProd::campo(std::string_view nome) { return qobject_cast<ETextctl*>(controle(nome)); }

QComboBox* FrmCalcProd::lista(std::string_view nome) { return qobject_cast<QComboBox*>(controle(nome)); }

cbutton* FrmCalcProd::botao(std::string_view nome) { return qobject_cast<cbutton*>(controle(nome)); }

const std::vector<ETextctl*>& FrmCalcProd::campos() {
    construirPainel();
    return campos_;
}

QString FrmCalcProd::texto(std::string_view nome) const {
    if (const auto it = textosPainel_.find(nome); it != textosPainel_.end()) return it->second;
    const auto it = controles_.find(nome);
    const auto* f = it == controles_.end() ? nullptr : qobject_cast<const ETextctl*>(it->second);
    return f ? f->text() : QString();
}

void FrmCalcProd::escreverTexto(std::string_view nome, const QString& texto) {
    if (const auto it = textosPainel_.find(nome); it != textosPainel_.end()) {
        if (it->second == texto) return;
        it->second = texto;
        emit campoAlterado(qtexto(nome));
        return;
    }
    if (ETextctl* f = campo(nome)) f->setText(texto);
}

int FrmCalcProd::indice(std::string_view nome) const {
    if (const auto it = listasPainel_.find(nome); it != listasPainel_.end()) return it->second.indice;
    const auto it = controles_.find(nome);
    if (it == controles_.end()) return -1;
    if (const auto* caixa = qobject_cast<const QCheckBox*>(it->second)) return caixa->isChecked() ? 1 : 0;
    const auto* l = qobject_cast<const QComboBox*>(it->second);
    return l ? l->currentIndex() : -1;
}

void FrmCalcProd::definirItens(std::string_view nome, const QStringList& itens) {
    if (const auto it = listasPainel_.find(nome); it != listasPainel_.end()) {
        it->second = {itens, -1};
        return;
    }
    if (QComboBox* l = lista(nome)) {
        const QSignalBlocker bloqueio(l);
        l->clear();
        l->addItems(itens);
        l->setCurrentIndex(-1);
    }
}

void FrmCalcProd::escolher(std::string_view nome, int indice) {
    if (const auto it = listasPainel_.find(nome); it != listasPainel_.end()) {
        ListaGuardada& l = it->second;
        if (indice < -1 || indice >= l.itens.size()) {
            l.indice = l.caixa ? 0 : -1;
            return;
        }
        if (indice == l.indice) return;
        l.indice = indice;
        emit listaAlterada(qtexto(nome), indice);
        return;
    }
    if (auto* caixa = qobject_cast<QCheckBox*>(controle(nome))) {
        const QSignalBlocker bloqueio(indice == 0 || indice == 1 ? nullptr : caixa);
        caixa->setChecked(indice == 1);
        return;
    }
    QComboBox* l = lista(nome);
    if (!l) return;
    if (indice < -1 || indice >= l->count()) {
        const QSignalBlocker bloqueio(l);
        l->setCurrentIndex(-1);
        return;
    }
    l->setCurrentIndex(indice);
}

}  // namespace vestamar
