#include "frmcalcprod.h"

#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QPalette>
#include <QPixmap>

#include <algorithm>
#include <array>
#include <utility>

#include "controls/cbutton.h"
#include "controls/etextctl.h"
#include "controls/fontes.h"
#include "controls/roda.h"
#include "layout_janela.h"
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

const QStringList& faceArial() {
    static const QStringList faces{QStringLiteral("Arial")};
    return faces;
}

const QStringList& faceLista() {
    static const QStringList faces{QStringLiteral("MS Sans Serif"),
                                   QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Arial")};
    return faces;
}

// The system's colour for window backgrounds (white in the usual schemes).
QColor corDeJanela() { return QApplication::palette().color(QPalette::Base); }

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

QLabel* novoRotulo(const Controle& c, QWidget* pai) {
    auto* r = new QLabel(qtexto(c.texto), pai);
    r->setTextFormat(Qt::PlainText);
    r->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QColor fundo = Qt::white;
    switch (c.visual) {
        case Visual::Titulo:
            r->setFont(fonteDaJanela(faceArial(), 20.25, false));
            r->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
            break;
        case Visual::Cabecalho:
            r->setFont(fonteDaJanela(faceArial(), 8.25, true));
            r->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
            fundo = corDeJanela();
            break;
        case Visual::Sublinhado:
            r->setFont(fonteDaJanela(faceArial(), 8.25, true, false, true));
            break;
        case Visual::Regular:
            r->setFont(fonteDaJanela(faceArial(), 8.25, false));
            break;
        default:
            r->setFont(fonteDaJanela(faceArial(), 8.25, true));
            break;
    }
    pintarFundo(r, fundo, kCinzaRotulo);
    return r;
}

QLabel* novoMarcador(const Controle& c, QWidget* pai) {
    auto* r = new QLabel(qtexto(c.texto), pai);
    r->setTextFormat(Qt::PlainText);
    r->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    r->setFont(fonteDaJanela({QStringLiteral("System"), QStringLiteral("Arial")}, 9.75, true, true));
    pintarFundo(r, Qt::white, kAzulMarcador);
    return r;
}

ETextctl* novoCampo(const Controle& c, QWidget* pai) {
    auto* f = new ETextctl(pai);
    const QFont fonte = fonteDaJanela(faceArial(), 8.25, true);
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
    f->setTextformat(qtexto(c.padrao));
    f->setLocked(c.bloqueado);
    f->setText(qtexto(c.texto));
    f->setAccessibleName(qtexto(c.acessivel));
    return f;
}

QComboBox* novaLista(const Controle& c, QWidget* pai) {
    auto* l = new QComboBox(pai);
    l->setEditable(false);
    if (c.visual == Visual::Modalidade) {
        l->setFont(fonteDaJanela(faceLista(), 8.25, true));
        QPalette paleta = l->palette();
        for (const auto papel : {QPalette::Text, QPalette::ButtonText, QPalette::WindowText})
            paleta.setColor(papel, kCinzaRotulo);
        l->setPalette(paleta);
    } else {
        l->setFont(fonteDaJanela(faceLista(), 8.25, false));
    }
    l->setAccessibleName(qtexto(c.acessivel));
    rodaSoComFoco(l);
    return l;
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
    pintarFundo(l, c.visual == Visual::LinhaAzul ? kAzulDivisor
                                                 : QApplication::palette().color(QPalette::Dark));
    return l;
}

QLabel* novaImagem(QWidget* pai) {
    auto* img = new QLabel(pai);
    img->setPixmap(QPixmap(QStringLiteral(":/vestamar/banner.png")));
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

int FrmCalcProd::twips(int pixels) { return pixels * 15; }

void FrmCalcProd::moverTwips(QWidget* controle, int esquerda, int topo) {
    if (controle) controle->move(pixels(esquerda), pixels(topo));
}

QRect FrmCalcProd::retanguloTwips(const QWidget* controle) {
    const QRect r = controle->geometry();
    return {twips(r.x()), twips(r.y()), twips(r.width()), twips(r.height())};
}

FrmCalcProd::FrmCalcProd(QWidget* parent) : QWidget(parent) {
    registrarRecursos();
    setObjectName(QStringLiteral("frmcalcProd"));
    setWindowTitle(QStringLiteral("vestaMar - Simulação de Resultados"));
    setWindowIcon(iconeDoPrograma());
    pintarFundo(this, Qt::white);
    // Nothing reacts to a change of size: the client area keeps its designed size.
    setFixedSize(pixels(kLarguraClienteTwips), pixels(kAlturaClienteTwips));
    montar();
    ordenarTabulacao();
    empilhar();
    if (QWidget* primeiro = controle("selecModalidade")) primeiro->setFocus(Qt::OtherFocusReason);
}

void FrmCalcProd::montar() {
    for (const Controle& c : layoutJanela()) {
        QWidget* pai = c.conteiner.empty() ? this : controle(c.conteiner);
        QWidget* w = nullptr;
        switch (c.tipo) {
            case Tipo::Rotulo: w = novoRotulo(c, pai); break;
            case Tipo::Marcador: w = novoMarcador(c, pai); break;
            case Tipo::Linha: w = novaLinha(c, pai); break;
            case Tipo::Imagem: w = novaImagem(pai); break;
            case Tipo::Painel: w = novoPainel(pai); break;
            case Tipo::Lista: w = novaLista(c, pai); break;
            case Tipo::Botao: w = novoBotao(c, pai); break;
            case Tipo::Campo: {
                ETextctl* f = novoCampo(c, pai);
                m_campos.push_back(f);
                w = f;
                break;
            }
        }
        w->setObjectName(qtexto(c.nome));
        if (c.tipo == Tipo::Linha) {
            // A line one pixel thick from its first end point towards the second.
            const int x = pixels(c.l), y = pixels(c.t);
            w->setGeometry(x, y, std::max(1, pixels(c.w) - x), std::max(1, pixels(c.h) - y));
        } else {
            w->setGeometry(pixels(c.l), pixels(c.t), pixels(c.w), pixels(c.h));
        }
        m_controles.emplace(std::string(c.nome), w);
    }
}

void FrmCalcProd::ordenarTabulacao() {
    std::vector<std::pair<int, QWidget*>> ordem;
    for (const Controle& c : layoutJanela()) {
        if (c.tipo != Tipo::Campo && c.tipo != Tipo::Lista && c.tipo != Tipo::Botao) continue;
        QWidget* w = controle(c.nome);
        // A skipped control keeps its place and takes a click, but Tab and Enter pass it by.
        w->setFocusPolicy(c.pulado ? Qt::ClickFocus : Qt::StrongFocus);
        ordem.emplace_back(c.tab, w);
    }
    std::stable_sort(ordem.begin(), ordem.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t i = 1; i < ordem.size(); ++i)
        QWidget::setTabOrder(ordem[i - 1].second, ordem[i].second);
}

void FrmCalcProd::empilhar() {
    for (int nivel = 0; nivel <= camada(Tipo::Painel); ++nivel) {
        for (const Controle& c : layoutJanela()) {
            if (camada(c.tipo) == nivel) controle(c.nome)->raise();
        }
    }
}

QWidget* FrmCalcProd::controle(std::string_view nome) const {
    const auto it = m_controles.find(nome);
    return it == m_controles.end() ? nullptr : it->second;
}

ETextctl* FrmCalcProd::campo(std::string_view nome) const {
    return qobject_cast<ETextctl*>(controle(nome));
}

QComboBox* FrmCalcProd::lista(std::string_view nome) const {
    return qobject_cast<QComboBox*>(controle(nome));
}

cbutton* FrmCalcProd::botao(std::string_view nome) const {
    return qobject_cast<cbutton*>(controle(nome));
}

QLabel* FrmCalcProd::rotulo(std::string_view nome) const {
    return qobject_cast<QLabel*>(controle(nome));
}

}  // namespace vestamar
