// The window as laid out and as a screen reader finds it (through the accessibility interfaces
// Qt hands to the platform, AT-SPI on Linux): every control reachable and named, nothing covering
// anything by mistake, captions that fit, the stacking, the tab order, the icon and the banner,
// the scrolling frame of a small screen. The window is built with the regional marks the tests
// run under.
#include "qt_gtest.h"

#include <algorithm>

#include "layout_janela.h"
#include "linhas.h"
#include "moldura.h"
#include "parametros_janela.h"

using namespace vestamar;

namespace {

QAccessibleInterface* acessivel(QWidget* w) { return QAccessible::queryAccessibleInterface(w); }
std::string nome(const QObject* o) { return o->objectName().toStdString(); }

}  // namespace

struct Janela : testing::Test {
    // Before the window is built: the application's font, and a font of the system's for menus.
    const QFont daAplicacao = QApplication::font();
    const QFont doMenu{q("Liberation Mono"), 13};
    const bool menuComFonte = (QApplication::setFont(doMenu, "QMenu"), true);
    FrmCalcProd janela;
};

// Every control of the layout is there under its design name; every parameter of the file has
// one row in the window's parameter table, shown by a control of the right kind with the row's
// pattern. Every field has a name of its own for screen readers, with its group where the row's
// caption alone is ambiguous and its column for a field of the columns; a field not locked is
// editable, every field but a parameter's a result, written by the calculation only and read-only.
// Building the controls leaves the application's font (that of dialogs and tooltips) as it was.
TEST_F(Janela, CadaNomeDoDesenhoAlcancavelECadaCampoComSeuParametroOuSoDeLeitura) {
    for (const Controle& c : layoutJanela()) {
        const QWidget* w = janela.controle(c.nome);
        ASSERT_NE(w, nullptr) << c.nome;
        EXPECT_EQ(w->parentWidget() == &janela, c.conteiner.empty()) << c.nome;
    }
    EXPECT_EQ(std::pair(QApplication::font(), QApplication::font("QMenu")), std::pair(daAplicacao, doMenu));
    for (const ChaveParametro& chave : kChaves)
        EXPECT_EQ(std::ranges::count(parametrosJanela(), chave.chave, &ParametroJanela::chave), 1) << chave.chave;
    for (const ParametroJanela& p : parametrosJanela()) {
        EXPECT_NE(chaveDoArquivo(p.chave), nullptr) << p.chave;
        const QWidget* w = janela.controle(p.controle);
        const auto* f = qobject_cast<const ETextctl*>(w);
        EXPECT_TRUE(!p.ehCampo() || (f && f->textformat() == qtexto(p.formatoCampo))) << p.controle;
        EXPECT_TRUE(!p.ehLista() || (w && w->inherits(p.exibicao == Exibicao::Marcacao ? "QCheckBox" : "QComboBox")))
            << p.controle;
    }
    QSet<QString> nomes;
    for (ETextctl* f : janela.campos()) {
        const QString n = acessivel(f)->text(QAccessible::Name);
        EXPECT_TRUE(!n.isEmpty() && !nomes.contains(n)) << nome(f) << ": " << n.toStdString();
        nomes.insert(n);
        const QAccessible::State estado = acessivel(f)->state();
        const bool resultado = f->locked() && f->focusPolicy() == Qt::ClickFocus && f->textformat() == q("0.00");
        EXPECT_TRUE(parametroDoControle(nome(f)) || (resultado && estado.readOnly && !estado.editable)) << nome(f);
        EXPECT_TRUE(f->locked() || (!estado.readOnly && estado.editable)) << nome(f);
    }
    for (const auto& [campo, grupo] : {std::pair("percSeg", "Seguro de Acidente do Trabalho"),
                                       {"percSeg2", "Seguro de Acidente do Trabalho"},
                                       {"tetoInsalub", "Adicional Insalubridade"}})
        EXPECT_TRUE(acessivel(janela.controle(campo))->text(QAccessible::Name).contains(q(grupo))) << campo;
    for (const LinhaResultado& l : kLinhas) {
        for (const auto& [c, coluna] : {std::pair(l.antes, " - ANTES"), std::pair(l.depois, " - DEPOIS")}) {
            if (c.campo.empty()) continue;
            const QString n = acessivel(janela.controle(c.campo))->text(QAccessible::Name);
            EXPECT_TRUE(n.startsWith(qtexto(c.rotulo)) && n.endsWith(q(coluna))) << n.toStdString();
        }
    }
}

// A list reports its current item as its name ("Sim", three times), so each is labelled by the
// caption beside it on its row (to its left): the one relation a reader follows to say what the
// list is for.
TEST_F(Janela, CadaListaRotuladaPelaLegendaAoLado) {
    int listas = 0;
    for (const Controle& c : layoutJanela()) {
        if (c.tipo != Tipo::Lista) continue;
        ++listas;
        QWidget* lista = janela.controle(c.nome);
        const auto rotulos = acessivel(lista)->relations(QAccessible::Label);
        ASSERT_EQ(rotulos.size(), 1) << c.nome;
        auto* legenda = qobject_cast<QLabel*>(rotulos[0].first->object());
        ASSERT_NE(legenda, nullptr) << c.nome;
        EXPECT_EQ(rotulos[0].first->text(QAccessible::Name), legenda->text());
        const QRect l = lista->geometry(), r = legenda->geometry();
        EXPECT_TRUE(r.right() <= l.left() && r.top() < l.bottom() && r.bottom() > l.top()) << c.nome;
    }
    EXPECT_EQ(listas, 6);
}

// Every field's initial text, in the user's marks, stands for the value it has in other marks. A
// window built with marks other than the system's hands them to its fields: typed there, a figure
// takes the window's marks.
TEST_F(Janela, CamposComAsMarcasDaJanela) {
    const Separadores proprias{".", "'"};
    FrmCalcProd outra(proprias);
    ASSERT_TRUE(ativar(outra));
    for (std::size_t i = 0; i < janela.campos().size(); ++i) {
        const auto valor = lerDouble(janela.campos()[i]->text().toStdString(), separadoresDoSistema());
        ASSERT_TRUE(valor.has_value()) << nome(janela.campos()[i]);
        EXPECT_EQ(valor, lerDouble(outra.campos()[i]->text().toStdString(), proprias));
    }
    digitar(outra.campo("ValorHora"), q("1'234.5"));
    QTest::keyClick(outra.campo("ValorHora"), Qt::Key_Return);
    EXPECT_EQ(outra.texto("ValorHora"), q("1'234.50"));
}

// No two controls of one container cover each other, except where the window stacks them on
// purpose: the blue markers over the end of their row's caption, the banner over the title and
// the panel over everything, each drawn in front. A caption counts by the text it draws, not by
// its box; neighbours laid out in twips may share one pixel's edge.
TEST_F(Janela, NenhumControleCobreOutroSemEstarEmpilhado) {
    const auto visivel = [](const QWidget* w) {
        const auto* r = qobject_cast<const QLabel*>(w);
        if (!r || r->text().isEmpty()) return w->geometry();
        return QFontMetrics(r->font()).boundingRect(w->geometry(), int(r->alignment()), r->text());
    };
    const auto empilhados = [](const Controle& a, const Controle& b) {
        const auto par = [&](Tipo x, Tipo y) { return (a.tipo == x && b.tipo == y) || (a.tipo == y && b.tipo == x); };
        return par(Tipo::Marcador, Tipo::Rotulo) || par(Tipo::Imagem, Tipo::Rotulo) || a.tipo == Tipo::Linha ||
               b.tipo == Tipo::Linha || a.tipo == Tipo::Painel || b.tipo == Tipo::Painel;
    };
    const auto layout = layoutJanela();
    for (std::size_t i = 0; i < layout.size(); ++i) {
        for (std::size_t j = i + 1; j < layout.size(); ++j) {
            const Controle &a = layout[i], &b = layout[j];
            if (a.conteiner != b.conteiner || empilhados(a, b)) continue;
            const QRect comum = visivel(janela.controle(a.nome)).intersected(visivel(janela.controle(b.nome)));
            EXPECT_TRUE(comum.width() <= 1 || comum.height() <= 1) << a.nome << " and " << b.nome;
        }
    }
    // Titulo and Image1 overlap from Left 7440 to 7500.
    EXPECT_EQ(janela.childAt(498, 30), janela.controle("Image1"));
    QWidget* painel = janela.controle("Frame1");  // built hidden on first use
    painel->show();
    painel->move(0, FrmCalcProd::pixels(1800));
    const QPoint noResultado = janela.controle("valMargem2")->geometry().center();
    EXPECT_TRUE(painel->isAncestorOf(janela.childAt(noResultado)) || janela.childAt(noResultado) == painel);
}

// Captions are drawn in Arial's metrics (Arial, or the face installed with its metrics), and
// each fits its box, the buttons' with room for their frame.
TEST_F(Janela, CadaLegendaCabeEmSuaCaixa) {
    const QString face = QFontInfo(janela.controle("Label20")->font()).family();
    EXPECT_TRUE(face == q("Arial") || face == q("Liberation Sans")) << face.toStdString();
    for (const QLabel* r : janela.findChildren<QLabel*>())
        EXPECT_LE(QFontMetrics(r->font()).horizontalAdvance(r->text()), r->width()) << nome(r);
    for (const cbutton* b : janela.findChildren<cbutton*>())
        EXPECT_LE(QFontMetrics(b->font()).horizontalAdvance(b->text()) + 8, b->width());
}

// The whole walk with Tab, then again with Enter (Return, or the numeric keypad's) on the
// fields, which leaves a field as Tab does: the designed order, then, while the panel is open,
// the panel's fields the design passes over; while it is closed, none of the panel's, which a
// reader then finds invisible. The controls passed over still take the focus from a click.
TEST_F(Janela, TabEEnterSeguemAOrdemDoDesenhoEPulamOsControlesPulados) {
    QWidget* painel = janela.controle("Frame1");  // built hidden on first use
    ASSERT_TRUE(ativar(janela));
    const std::pair<Qt::Key, Qt::KeyboardModifiers> teclas[] = {
        {Qt::Key_Tab, Qt::NoModifier}, {Qt::Key_Return, Qt::NoModifier}, {Qt::Key_Enter, Qt::KeypadModifier}};
    for (const bool aberto : {false, true}) {
        painel->setVisible(aberto);
        // The stops: every control with a place in the tab order that Tab does not pass over
        // (the panel itself is no stop), the designed order first and the panel's fields reached
        // only after it last, then round to the first again.
        std::vector<const Controle*> paradas;
        for (const Controle& c : layoutJanela())
            if (c.tab >= 0 && !c.pulado && c.tipo != Tipo::Painel && (aberto || c.conteiner.empty()))
                paradas.push_back(&c);
        std::ranges::sort(paradas, {}, [](const Controle* c) { return std::pair(c->aoFim, c->tab); });
        QStringList esperado;
        for (const Controle* c : paradas) esperado << qtexto(c->nome);
        esperado << esperado.first();
        ASSERT_GT(esperado.size(), aberto ? 50 : 10);
        for (const auto& [tecla, modificador] : teclas) {
            QStringList visitados{q(foco().c_str())};
            while (visitados.size() < esperado.size()) {
                QWidget* w = QApplication::focusWidget();
                if (qobject_cast<ETextctl*>(w))
                    QTest::keyClick(w, tecla, modificador);
                else
                    QTest::keyClick(w, Qt::Key_Tab);
                visitados << q(foco().c_str());
            }
            EXPECT_EQ(visitados, esperado) << tecla << " " << aberto;
        }
        for (ETextctl* f : painel->findChildren<ETextctl*>()) {
            const QAccessible::State estado = acessivel(f)->state();
            EXPECT_TRUE(aberto ? estado.focusable && !estado.invisible : estado.invisible) << nome(f);
        }
    }
    for (const char* n : {"valDAR", "percTxMan", "fatorExtra", "Sair"}) {
        QTest::mouseClick(janela.controle(n), Qt::LeftButton, {}, QPoint(5, 5));
        EXPECT_EQ(foco(), n);
    }
}

// The window shown has its icon in every size. The banner drawn from its raw pixels is the
// picture kept as PNG, pixel for pixel once stretched to the window's width. On a screen too
// small for it, and only then, the window scrolls in a frame that fits the screen.
TEST_F(Janela, IconeBannerEMolduraRolavelSoQuandoAJanelaNaoCabe) {
    ASSERT_TRUE(ativar(janela));
    for (int i = 0; i < 100 && janela.windowIcon().isNull(); ++i) QTest::qWait(10);
    EXPECT_EQ(janela.windowIcon().availableSizes().size(), 4);
    QWidget* banner = janela.controle("Image1");
    EXPECT_EQ(banner->grab().toImage().convertToFormat(QImage::Format_RGB32),
              QImage(q(":/vestamar/banner.png"))
                  .scaled(banner->size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                  .convertToFormat(QImage::Format_RGB32));
    EXPECT_EQ(molduraSeNaoCouber(janela, QRect(0, 0, 1920, 1080)), nullptr);
    const QRect pequena(0, 0, 1024, janela.height() / 2);
    const auto moldura = molduraSeNaoCouber(janela, pequena);
    ASSERT_NE(moldura, nullptr);
    EXPECT_LE(moldura->height(), pequena.height());
    EXPECT_EQ(moldura->widget(), &janela);
}
