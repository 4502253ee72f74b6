#include "frmcalcprod.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QPalette>
#include <QPixmap>
#include <QResource>
#include <QSignalBlocker>
#include <QTimer>

#include <algorithm>
#include <array>
#include <utility>

#include "controls/cbutton.h"
#include "controls/etextctl.h"
#include "controls/fontes.h"
#include "controls/roda.h"
#include "layout_janela.h"
#include "parametros_janela.h"
#include "regional.h"

// The banner and the icons are compiled into this static library; their registration has to
// be asked for by name, or the linker leaves it out.
static void registrarRecursos() { Q_INIT_RESOURCE(recursos); }

namespace vestamar {

namespace {

const QColor kCinzaRotulo(102, 102, 102);
const QColor kCinzaEscuro(53, 53, 53);
const QColor kAzulDivisor(0, 98, 145);
const QColor kAzulMarcador(0, 0, 255);
const QColor kBordaPainel(128, 128, 128);
const QColor kBordaPainelFoco(180, 180, 180);
const QColor kFundoPainelFoco(238, 239, 237);

// Arial, or the installed face with Arial's metrics: naming the face that is there spares the
// system's font configuration a search for a substitute.
const QStringList& faceArial() {
    static const QStringList faces{QStringLiteral("Arial"), QStringLiteral("Liberation Sans")};
    return faces;
}

const QStringList& faceLista() {
    static const QStringList faces{QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
                                   QStringLiteral("Arial"), QStringLiteral("Liberation Sans")};
    return faces;
}

// The window's own colours, whatever the system's scheme: white, grey captions and fields,
// black button and list text on light grey buttons. Every role is given, so a dark system
// palette reaches no control of the window (dialogs, menus and tooltips keep the system's).
// Each text keeps a contrast of at least 4.5:1 with what is behind it.
const QPalette& paletaDoDesenho() {
    static const QPalette paleta = [] {
        QPalette p{QColor(240, 240, 240)};  // the buttons' face: the other roles derived from it
        for (const auto grupo : {QPalette::Active, QPalette::Inactive}) {
            p.setColor(grupo, QPalette::Window, Qt::white);
            p.setColor(grupo, QPalette::Base, Qt::white);
            p.setColor(grupo, QPalette::AlternateBase, QColor(245, 245, 245));
            p.setColor(grupo, QPalette::WindowText, kCinzaRotulo);
            p.setColor(grupo, QPalette::Text, kCinzaRotulo);
            p.setColor(grupo, QPalette::ButtonText, Qt::black);
            p.setColor(grupo, QPalette::Highlight, QColor(0, 84, 166));
            p.setColor(grupo, QPalette::HighlightedText, Qt::white);
            p.setColor(grupo, QPalette::PlaceholderText, kCinzaRotulo);
        }
        p.setColor(QPalette::Disabled, QPalette::Window, Qt::white);
        p.setColor(QPalette::Disabled, QPalette::Base, Qt::white);
        return p;
    }();
    return paleta;
}

// The colour of window backgrounds in the window's own colours.
QColor corDeJanela() { return paletaDoDesenho().color(QPalette::Base); }

// Sets a control's font unless it already has it from the window: a font change lays a
// control's text out again, and most controls use the window's own font.
void darFonte(QWidget* w, const QFont& fonte) {
    if (!(w->font() == fonte)) w->setFont(fonte);
}

void pintarFundo(QWidget* w, const QColor& fundo, const QColor& tinta = QColor()) {
    QPalette paleta = w->palette();
    paleta.setColor(QPalette::Window, fundo);
    if (tinta.isValid()) {
        paleta.setColor(QPalette::WindowText, tinta);
        paleta.setColor(QPalette::Text, tinta);
        paleta.setColor(QPalette::ButtonText, tinta);
    }
    w->setPalette(paleta);
    w->setAutoFillBackground(true);
}

// A caption in the colours it would take from its container anyway gets no palette of its own:
// a palette change ripples through the style, for each of dozens of captions.
void pintarRotulo(QLabel* r, const QColor& fundo, const QColor& tinta) {
    const QPalette& herdada = r->palette();
    if (herdada.color(QPalette::Window) == fundo && herdada.color(QPalette::WindowText) == tinta) {
        r->setAutoFillBackground(true);
    } else {
        pintarFundo(r, fundo, tinta);
    }
}

// Lists and the check box draw their text in black on white, as buttons do, instead of the
// window's grey.
void textoPreto(QPalette& paleta) {
    for (const auto grupo : {QPalette::Active, QPalette::Inactive}) paleta.setColor(grupo, QPalette::Text, Qt::black);
}

QLabel* novoRotulo(const Controle& c, QWidget* pai) {
    auto* r = new QLabel(qtexto(c.texto), pai);
    r->setTextFormat(Qt::PlainText);
    r->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QColor fundo = Qt::white;
    switch (c.visual) {
        case Visual::Titulo:
            darFonte(r, fonteDaJanela(faceArial(), 20.25));
            r->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
            break;
        case Visual::Cabecalho:
            darFonte(r, fonteDaJanela(faceArial(), 8.25, {.negrito = true}));
            r->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
            fundo = corDeJanela();
            break;
        case Visual::Sublinhado:
            darFonte(r, fonteDaJanela(faceArial(), 8.25, {.negrito = true, .sublinhado = true}));
            break;
        case Visual::Regular:
            darFonte(r, fonteDaJanela(faceArial(), 8.25));
            break;
        default:
            darFonte(r, fonteDaJanela(faceArial(), 8.25, {.negrito = true}));
            break;
    }
    pintarRotulo(r, fundo, kCinzaRotulo);
    return r;
}

QLabel* novoMarcador(const Controle& c, QWidget* pai) {
    auto* r = new QLabel(qtexto(c.texto), pai);
    r->setTextFormat(Qt::PlainText);
    r->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    darFonte(r, fonteDaJanela({QStringLiteral("System"), QStringLiteral("Arial"), QStringLiteral("Liberation Sans")},
                              9.75, {.negrito = true, .italico = true}));
    pintarRotulo(r, Qt::white, kAzulMarcador);
    return r;
}

constexpr std::string_view kNomePainel = "Frame1";

// A field's initial text, written in the layout with a decimal comma, in the user's marks.
QString textoInicial(std::string_view texto, const Separadores& sep) {
    QString t = qtexto(texto);
    t.replace(u',', qtexto(sep.decimal));
    return t;
}

ETextctl* novoCampo(const Controle& c, QWidget* pai, const Separadores& sep) {
    auto* f = new ETextctl(pai);
    f->setSeparadores(sep);
    const QFont fonte = fonteDaJanela(faceArial(), 8.25, {.negrito = true});
    f->setNormalfont(fonte);
    f->setFocusfont(fonte);
    f->setNormalfontcolor(kCinzaRotulo);
    f->setBackcolor(Qt::white);
    if (c.visual == Visual::PainelCampo) {
        f->setFocusfontcolor(kCinzaEscuro);
        f->setFocusbackcolor(kFundoPainelFoco);
        f->setNormalbordercolor(kBordaPainel);
        f->setFocusbordercolor(kBordaPainelFoco);
    } else {
        f->setFocusfontcolor(c.visual == Visual::ColunaFocoPreto ? QColor(Qt::black) : kCinzaEscuro);
        f->setFocusbackcolor(Qt::white);
        f->setNormalbordercolor(Qt::white);
        f->setFocusbordercolor(Qt::white);
    }
    f->setNormalborderpattern(ETextctl::BordaSolida);
    f->setFocusborderpattern(ETextctl::BordaSolida);
    f->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    f->setOnfocusselect(false);
    f->setEnterexitkey(true);
    f->setMaxlength(0);
    const ParametroJanela* parametro = parametroDoControle(c.nome);
    f->setTextformat(qtexto(parametro ? parametro->formatoCampo : c.formato));
    f->setLocked(c.bloqueado);
    f->setText(textoInicial(c.texto, sep));
    f->setAccessibleName(qtexto(c.acessivel));
    return f;
}

QComboBox* novaLista(const Controle& c, QWidget* pai) {
    auto* l = new QComboBox(pai);
    l->setEditable(false);
    QPalette paleta = l->palette();
    textoPreto(paleta);
    if (c.visual == Visual::Modalidade) {
        darFonte(l, fonteDaJanela(faceLista(), 8.25, {.negrito = true}));
        for (const auto papel : {QPalette::Text, QPalette::ButtonText, QPalette::WindowText})
            paleta.setColor(papel, kCinzaRotulo);
    } else {
        darFonte(l, fonteDaJanela(faceLista(), 8.25));
    }
    l->setPalette(paleta);
    l->setAccessibleName(qtexto(c.acessivel));
    rodaSoComFoco(l);
    return l;
}

QCheckBox* novaCaixa(const Controle& c, QWidget* pai) {
    auto* caixa = new QCheckBox(qtexto(c.texto), pai);
    darFonte(caixa, fonteDaJanela(faceArial(), 8.25, {.negrito = true}));
    // Drawn on the panel's own background, its caption in the captions' grey.
    QPalette paleta = caixa->palette();
    textoPreto(paleta);
    paleta.setColor(QPalette::WindowText, kCinzaRotulo);
    caixa->setPalette(paleta);
    caixa->setAccessibleName(qtexto(c.acessivel));
    return caixa;
}

cbutton* novoBotao(const Controle& c, QWidget* pai) {
    auto* b = new cbutton(pai);
    b->setCaption(qtexto(c.texto));
    b->setFontname(QStringLiteral("Tahoma"));
    b->setFontsize(8.25F);
    b->setForecolor(Qt::black);
    return b;
}

QWidget* novaLinha(const Controle& c, QWidget* pai) {
    auto* l = new QWidget(pai);
    pintarFundo(l, c.visual == Visual::LinhaAzul ? kAzulDivisor : paletaDoDesenho().color(QPalette::Dark));
    return l;
}

// The banner, kept as its raw pixels (32-bit, blue green red and one unused byte per pixel, row
// after row) and stored uncompressed: it is shown straight from the program's own memory,
// with no image decoder to find and run before the window can appear. banner.png beside it is
// the same picture for people and tools; recursos/gerar_arte.cpp draws both.
QPixmap pixmapDoBanner() {
    constexpr int kLargura = 500, kAltura = 71;
    const QResource bruto(QStringLiteral(":/vestamar/banner.rgb32"));
    if (bruto.compressionAlgorithm() != QResource::Compression::NoCompression ||
        bruto.size() != qint64(kLargura) * kAltura * 4)
        return QPixmap(QStringLiteral(":/vestamar/banner.png"));
    return QPixmap::fromImage(QImage(bruto.data(), kLargura, kAltura, kLargura * 4, QImage::Format_RGB32));
}

QLabel* novaImagem(QWidget* pai) {
    auto* img = new QLabel(pai);
    img->setPixmap(pixmapDoBanner());
    img->setScaledContents(true);
    img->setAccessibleName(QStringLiteral("vestaMar"));
    return img;
}

QFrame* novoPainel(QWidget* pai) {
    auto* p = new QFrame(pai);
    p->setFrameShape(QFrame::NoFrame);
    pintarFundo(p, corDeJanela());
    p->setAccessibleName(QStringLiteral("Tabelas"));
    return p;
}

// Stacking, back to front: labels, lines, markers, fields, lists and buttons, the banner
// (in front of the title it hides), the panel (in front of both columns).
int camada(Tipo tipo) {
    switch (tipo) {
        case Tipo::Rotulo: return 0;
        case Tipo::Linha: return 1;
        case Tipo::Marcador: return 2;
        case Tipo::Campo:
        case Tipo::Lista:
        case Tipo::Caixa:
        case Tipo::Botao: return 3;
        case Tipo::Imagem: return 4;
        case Tipo::Painel: return 5;
    }
    return 0;
}

QIcon iconeDoPrograma() {
    QIcon icone;
    for (const int lado : {16, 32, 48, 256})
        icone.addFile(QStringLiteral(":/vestamar/icone-%1.png").arg(lado), QSize(lado, lado));
    return icone;
}

}  // namespace

int FrmCalcProd::pixels(int twips) {
    // Rounded to the nearest pixel, halves away from zero.
    return twips >= 0 ? (twips + 7) / 15 : -((-twips + 7) / 15);
}

FrmCalcProd::FrmCalcProd(const Separadores& sep, QWidget* parent) : QWidget(parent), m_sep(sep) {
    registrarRecursos();
    setObjectName(QStringLiteral("frmcalcProd"));
    setWindowTitle(qtexto(kNomePrograma));
    // The window's own colours (paletaDoDesenho), which the controls take from the window
    // instead of a palette each (a palette change ripples through the style).
    setPalette(paletaDoDesenho());
    setAutoFillBackground(true);
    // The font of most captions and of every field, which they take from the window as they
    // are made instead of each laying out its text a second time in it.
    setFont(fonteDaJanela(faceArial(), 8.25, {.negrito = true}));
    // Nothing reacts to a change of size: the client area keeps its designed size.
    setFixedSize(pixels(kLarguraClienteTwips), pixels(kAlturaClienteTwips));
    // The panel's values wait here until it is built.
    for (const Controle& c : layoutJanela()) {
        if (c.conteiner != kNomePainel) continue;
        if (c.tipo == Tipo::Campo) m_textosPainel.emplace(std::string(c.nome), textoInicial(c.texto, sep));
        if (c.tipo == Tipo::Lista) m_listasPainel.emplace(std::string(c.nome), ListaGuardada{});
        // A check box is kept as a choice between not checked (0) and checked (1).
        if (c.tipo == Tipo::Caixa) m_listasPainel.emplace(std::string(c.nome), ListaGuardada{{QString(), QString()}, 0, true});
    }
    montar(false);
    ordenarTabulacao();
    if (QWidget* primeiro = controle("selecModalidade")) primeiro->setFocus(Qt::OtherFocusReason);
}

void FrmCalcProd::paintEvent(QPaintEvent* evento) {
    QWidget::paintEvent(evento);
    // The icon is read and handed to the window system once the window has been drawn, so
    // that its decoding does not delay the first sight of the window.
    if (!m_iconePedido) {
        m_iconePedido = true;
        QTimer::singleShot(0, this, [this] { setWindowIcon(iconeDoPrograma()); });
    }
}

bool FrmCalcProd::doPainel(std::string_view nome) const {
    return nome == kNomePainel || m_textosPainel.count(nome) != 0 || m_listasPainel.count(nome) != 0 ||
           std::any_of(layoutJanela().begin(), layoutJanela().end(),
                       [&](const Controle& c) { return c.nome == nome && c.conteiner == kNomePainel; });
}

void FrmCalcProd::construirPainel() {
    if (m_painel) return;
    montar(true);
    // The panel's fields take their kept texts, its lists their items and choice, before the
    // window listens to them: nothing is announced, as nothing changes.
    for (auto& [nome, texto] : m_textosPainel) {
        ETextctl* f = qobject_cast<ETextctl*>(controle(nome));
        const QSignalBlocker bloqueio(f);
        f->setText(texto);
    }
    for (auto& [nome, guardada] : m_listasPainel) {
        QWidget* w = controle(nome);
        const QSignalBlocker bloqueio(w);
        if (auto* l = qobject_cast<QComboBox*>(w)) {
            l->addItems(guardada.itens);
            l->setCurrentIndex(guardada.indice);
        } else if (auto* caixa = qobject_cast<QCheckBox*>(w)) {
            caixa->setChecked(guardada.indice == 1);
        }
    }
    m_textosPainel.clear();
    m_listasPainel.clear();
    ordenarTabulacao();
}

namespace {

// A line edit lays out its text once in the application's font before it takes its own, which
// would make the system load a second typeface at start-up only for that. While the controls
// are made, the application's font is the window's own typeface, size and weight, so that this
// first layout finds the typeface already loaded; it is given back afterwards, and dialogs and
// tooltips keep the system's font. It is overlined (which does not change how text is laid
// out) so that it never equals the window's font: a control made with a font equal to its
// parent's would keep the application's font as if it were its own, and lose it wherever that
// font is resolved against another, as on a printed page. Only the application's font is
// changed (QGuiApplication::setFont): QApplication::setFont would also drop the system's own
// fonts for menus, message boxes and tooltips. The controls take their font from the window,
// not from the application's font, so they need not hear of its change.
class FonteDaAplicacaoDurante {
public:
    explicit FonteDaAplicacaoDurante(const QFont& daJanela) : m_anterior(QGuiApplication::font()) {
        QFont provisoria = daJanela;
        provisoria.setOverline(!daJanela.overline());
        QGuiApplication::setFont(provisoria);
    }
    ~FonteDaAplicacaoDurante() { QGuiApplication::setFont(m_anterior); }
    FonteDaAplicacaoDurante(const FonteDaAplicacaoDurante&) = delete;
    FonteDaAplicacaoDurante& operator=(const FonteDaAplicacaoDurante&) = delete;

private:
    QFont m_anterior;
};

}  // namespace

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
                m_painel = w;
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
                ETextctl* f = novoCampo(c, pai, m_sep);
                connect(f, &ETextctl::Change, this, [this, f] { emit campoAlterado(f->objectName()); });
                m_campos.push_back(f);
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
        m_controles.emplace(std::string(c.nome), w);
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
            if (c.tipo == Tipo::Campo) campos.push_back(qobject_cast<ETextctl*>(m_controles.find(c.nome)->second));
        }
        m_campos = std::move(campos);
    }
}

void FrmCalcProd::ordenarTabulacao() {
    // Sorted by (reached after the designed order, place in it).
    std::vector<std::pair<std::pair<bool, int>, QWidget*>> ordem;
    for (const Controle& c : layoutJanela()) {
        if (c.tipo != Tipo::Campo && c.tipo != Tipo::Lista && c.tipo != Tipo::Botao && c.tipo != Tipo::Caixa) continue;
        const auto it = m_controles.find(c.nome);
        if (it == m_controles.end()) continue;  // the panel, not built yet
        QWidget* w = it->second;
        // A skipped control keeps its place and takes a click, but Tab and Enter pass it by.
        w->setFocusPolicy(c.pulado ? Qt::ClickFocus : Qt::StrongFocus);
        ordem.emplace_back(std::pair(c.aoFim, c.tab), w);
    }
    std::stable_sort(ordem.begin(), ordem.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t i = 1; i < ordem.size(); ++i)
        QWidget::setTabOrder(ordem[i - 1].second, ordem[i].second);
}

QWidget* FrmCalcProd::controle(std::string_view nome) {
    auto it = m_controles.find(nome);
    if (it == m_controles.end() && !m_painel && doPainel(nome)) {
        construirPainel();
        it = m_controles.find(nome);
    }
    return it == m_controles.end() ? nullptr : it->second;
}

ETextctl* FrmCalcProd::campo(std::string_view nome) { return qobject_cast<ETextctl*>(controle(nome)); }

QComboBox* FrmCalcProd::lista(std::string_view nome) { return qobject_cast<QComboBox*>(controle(nome)); }

cbutton* FrmCalcProd::botao(std::string_view nome) { return qobject_cast<cbutton*>(controle(nome)); }

const std::vector<ETextctl*>& FrmCalcProd::campos() {
    construirPainel();
    return m_campos;
}

QString FrmCalcProd::texto(std::string_view nome) const {
    if (const auto it = m_textosPainel.find(nome); it != m_textosPainel.end()) return it->second;
    const auto it = m_controles.find(nome);
    const auto* f = it == m_controles.end() ? nullptr : qobject_cast<const ETextctl*>(it->second);
    return f ? f->text() : QString();
}

void FrmCalcProd::escreverTexto(std::string_view nome, const QString& texto) {
    if (const auto it = m_textosPainel.find(nome); it != m_textosPainel.end()) {
        if (it->second == texto) return;
        it->second = texto;
        emit campoAlterado(qtexto(nome));
        return;
    }
    if (ETextctl* f = campo(nome)) f->setText(texto);
}

int FrmCalcProd::indice(std::string_view nome) const {
    if (const auto it = m_listasPainel.find(nome); it != m_listasPainel.end()) return it->second.indice;
    const auto it = m_controles.find(nome);
    if (it == m_controles.end()) return -1;
    if (const auto* caixa = qobject_cast<const QCheckBox*>(it->second)) return caixa->isChecked() ? 1 : 0;
    const auto* l = qobject_cast<const QComboBox*>(it->second);
    return l ? l->currentIndex() : -1;
}

void FrmCalcProd::definirItens(std::string_view nome, const QStringList& itens) {
    if (const auto it = m_listasPainel.find(nome); it != m_listasPainel.end()) {
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
    if (const auto it = m_listasPainel.find(nome); it != m_listasPainel.end()) {
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
