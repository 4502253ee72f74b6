// The window's controls as the layout table describes them, each in the window's own colours
// and fonts.

#include "fabrica_controles.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QPalette>
#include <QPixmap>
#include <QResource>

#include "controls/cbutton.h"
#include "controls/etextctl.h"
#include "controls/fontes.h"
#include "controls/roda.h"
#include "linhas.h"
#include "parametros_janela.h"

namespace vestamar {

namespace {

const QColor kCinzaRotulo(102, 102, 102);

const QColor kCinzaEscuro(53, 53, 53);

const QColor kAzulDivisor(0, 98, 145);

const QColor kAzulMarcador(0, 0, 255);

const QColor kBordaPainel(128, 128, 128);

const QColor kBordaPainelFoco(180, 180, 180);

const QColor kFundoPainelFoco(238, 239, 237);

const QStringList& faceLista() {
    static const QStringList faces{QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
                                   QStringLiteral("Arial"), QStringLiteral("Liberation Sans")};
    return faces;
}

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

// The colour of window backgrounds in the window's own colours.
QColor corDeJanela() { return paletaDoDesenho().color(QPalette::Base); }

}  // namespace

// Arial, or the installed face with Arial's metrics: naming the face that is there spares the
// system's font configuration a search for a substitute.
const QStringList& faceArial() {
    static const QStringList faces{QStringLiteral("Arial"), QStringLiteral("Liberation Sans")};
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
        case Visual::Regular: darFonte(r, fonteDaJanela(faceArial(), 8.25)); break;
        default: darFonte(r, fonteDaJanela(faceArial(), 8.25, {.negrito = true})); break;
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
    f->setAccessibleName(c.acessivel.empty() ? QString::fromStdString(nomeAcessivelDe(c.nome)) : qtexto(c.acessivel));
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

}  // namespace vestamar
