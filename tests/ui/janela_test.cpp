// The window as laid out: every control reachable, nothing covering anything by mistake,
// captions that fit, the stacking, the tab order, the icon and the banner, the scrolling frame
// of a small screen. The window is built with the regional marks the tests run under.
#include "qt_gtest.h"

#include <algorithm>

#include "layout_janela.h"
#include "moldura.h"
#include "parametros_janela.h"

using namespace vestamar;

struct Janela : testing::Test {
    // Before the window is built: the application's font, and a font of the system's for menus.
    const QFont daAplicacao = QApplication::font();
    const QFont doMenu{q("Liberation Mono"), 13};
    const bool menuComFonte = (QApplication::setFont(doMenu, "QMenu"), true);
    FrmCalcProd janela;
};

// Every control of the layout is there under its design name, of its kind, fields and lists
// with a name for screen readers; every parameter of the file has one row in the window's
// parameter table, shown by a control of the right kind with the row's pattern; every other
// field is a result, written by the calculation only. Building the controls leaves the
// application's font (that of dialogs and tooltips) as it was.
TEST_F(Janela, CadaNomeDoDesenhoAlcancavelECadaParametroComSeuControle) {
    for (const Controle& c : layoutJanela()) {
        const QWidget* w = janela.controle(c.nome);
        ASSERT_NE(w, nullptr) << c.nome;
        EXPECT_EQ(w->parentWidget() == &janela, c.conteiner.empty()) << c.nome;
        EXPECT_TRUE((c.tipo != Tipo::Campo && c.tipo != Tipo::Lista) || !w->accessibleName().isEmpty()) << c.nome;
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
    for (const ETextctl* f : janela.campos())
        EXPECT_TRUE(parametroDoControle(f->objectName().toStdString()) ||
                    (f->locked() && f->focusPolicy() == Qt::ClickFocus && f->textformat() == QStringLiteral("0.00")))
            << f->objectName().toStdString();
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
        ASSERT_TRUE(valor.has_value()) << janela.campos()[i]->objectName().toStdString();
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
    EXPECT_TRUE(face == QStringLiteral("Arial") || face == QStringLiteral("Liberation Sans")) << face.toStdString();
    for (const QLabel* r : janela.findChildren<QLabel*>()) {
        if (r->text().isEmpty()) continue;
        EXPECT_LE(QFontMetrics(r->font()).horizontalAdvance(r->text()), r->width()) << r->objectName().toStdString();
    }
    for (const cbutton* b : janela.findChildren<cbutton*>())
        EXPECT_LE(QFontMetrics(b->font()).horizontalAdvance(b->text()) + 8, b->width());
}

// The whole walk with Tab, then again with Enter (Return, or the numeric keypad's) on the
// fields, which leaves a field as Tab does: the designed order, then, while the panel is open,
// the panel's fields the design passes over. The controls passed over still take the focus
// from a click.
TEST_F(Janela, TabEEnterSeguemAOrdemDoDesenhoEPulamOsControlesPulados) {
    janela.controle("Frame1")->show();  // the panel is built hidden on first use
    ASSERT_TRUE(ativar(janela));
    // The stops in the layout's tab order: every control with a place in it that Tab does not
    // pass over (the panel itself is no stop), the designed order first and the panel's fields
    // reached only after it last, then round to the first again.
    std::vector<const Controle*> paradas;
    for (const Controle& c : layoutJanela())
        if (c.tab >= 0 && !c.pulado && c.tipo != Tipo::Painel) paradas.push_back(&c);
    std::ranges::sort(paradas, {}, [](const Controle* c) { return std::pair(c->aoFim, c->tab); });
    QStringList esperado;
    for (const Controle* c : paradas) esperado << qtexto(c->nome);
    esperado << esperado.first();
    ASSERT_GT(esperado.size(), 50);
    // Tab; Return on the fields; the numeric keypad's Enter on the fields.
    const std::pair<Qt::Key, Qt::KeyboardModifiers> teclas[] = {
        {Qt::Key_Tab, Qt::NoModifier}, {Qt::Key_Return, Qt::NoModifier}, {Qt::Key_Enter, Qt::KeypadModifier}};
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
        EXPECT_EQ(visitados, esperado) << tecla;
    }
    for (const char* nome : {"valDAR", "percTxMan", "fatorExtra", "Sair"}) {
        QTest::mouseClick(janela.controle(nome), Qt::LeftButton, {}, QPoint(5, 5));
        EXPECT_EQ(foco(), nome);
    }
}

// The window shown has its icon in every size. The banner drawn from its raw pixels is the
// picture kept as PNG, pixel for pixel once stretched to the window's width.
TEST_F(Janela, IconeEmCadaTamanhoEBannerIgualAoPng) {
    ASSERT_TRUE(ativar(janela));
    for (int i = 0; i < 100 && janela.windowIcon().isNull(); ++i) QTest::qWait(10);
    ASSERT_FALSE(janela.windowIcon().isNull());
    EXPECT_EQ(janela.windowIcon().availableSizes().size(), 4);
    QWidget* banner = janela.controle("Image1");
    EXPECT_EQ(banner->grab().toImage().convertToFormat(QImage::Format_RGB32),
              QImage(QStringLiteral(":/vestamar/banner.png"))
                  .scaled(banner->size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                  .convertToFormat(QImage::Format_RGB32));
}

TEST_F(Janela, MolduraRolavelSoQuandoAJanelaNaoCabe) {
    EXPECT_EQ(molduraSeNaoCouber(janela, QRect(0, 0, 1920, 1080)), nullptr);
    const QRect pequena(0, 0, 1024, janela.height() / 2);
    const auto moldura = molduraSeNaoCouber(janela, pequena);
    ASSERT_NE(moldura, nullptr);
    EXPECT_LE(moldura->height(), pequena.height());
    EXPECT_EQ(moldura->widget(), &janela);
}
