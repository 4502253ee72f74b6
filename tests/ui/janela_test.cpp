// The window as laid out: every control reachable, nothing covering anything by mistake,
// captions that fit, the stacking, the tab order.
#include "qt_gtest.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>

#include <array>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "controls/cbutton.h"
#include "controls/etextctl.h"
#include "frmcalcprod.h"
#include "layout_janela.h"
#include "parametros_janela.h"
#include "regional.h"

using vestamar::cbutton;
using vestamar::ETextctl;
using vestamar::FrmCalcProd;

namespace {

class Janela : public testing::Test {
protected:
    FrmCalcProd janela;

    std::string foco() const {
        const QWidget* w = QApplication::focusWidget();
        return w ? w->objectName().toStdString() : std::string("(none)");
    }
};

}  // namespace

// Every control of the layout is there under its design name, of its kind; every parameter of
// the file has one row in the window's parameter table, shown by a control of the right kind
// with the row's pattern; every other field is a result, written by the calculation only.
TEST_F(Janela, EveryDesignNameIsReachableAndEveryParameterHasItsControl) {
    for (const vestamar::Controle& c : vestamar::layoutJanela()) {
        const QWidget* w = janela.controle(c.nome);
        ASSERT_NE(w, nullptr) << c.nome;
        EXPECT_EQ(w->objectName().toStdString(), c.nome);
        EXPECT_EQ(w->parentWidget() == &janela, c.conteiner.empty()) << c.nome;
    }
    for (const vestamar::ChaveParametro& chave : vestamar::kChaves) {
        int linhas = 0;
        for (const vestamar::ParametroJanela& p : vestamar::parametrosJanela()) linhas += p.chave == chave.chave;
        EXPECT_EQ(linhas, 1) << chave.chave;
    }
    for (const vestamar::ParametroJanela& p : vestamar::parametrosJanela()) {
        EXPECT_NE(vestamar::chaveDoArquivo(p.chave), nullptr) << p.chave;
        if (p.ehLista()) {
            const bool caixa = p.exibicao == vestamar::Exibicao::Marcacao;
            EXPECT_TRUE(caixa ? qobject_cast<QCheckBox*>(janela.controle(p.controle)) != nullptr
                              : janela.lista(p.controle) != nullptr)
                << p.controle;
        }
        if (!p.ehCampo()) continue;
        const ETextctl* f = janela.campo(p.controle);
        ASSERT_NE(f, nullptr) << p.controle;
        EXPECT_EQ(f->textformat(), vestamar::qtexto(p.formatoCampo)) << p.controle;
    }
    int resultados = 0;
    for (const ETextctl* f : janela.campos()) {
        if (vestamar::parametroDoControle(f->objectName().toStdString())) continue;
        ++resultados;
        EXPECT_TRUE(f->locked() && f->focusPolicy() == Qt::ClickFocus) << f->objectName().toStdString();
        EXPECT_EQ(f->textformat(), QStringLiteral("0.00")) << f->objectName().toStdString();
    }
    EXPECT_EQ(resultados, 31);
}

// No two controls of one container cover each other, except where the window stacks them on
// purpose: the blue markers over the end of their row's caption, the banner over the title and
// the panel over everything. A caption counts by the text it draws, not by its box; neighbours
// laid out in twips may share one pixel's edge.
TEST_F(Janela, NoTwoControlsOverlapUnlessStacked) {
    const auto visivel = [](const QWidget* w) {
        const auto* r = qobject_cast<const QLabel*>(w);
        if (!r || r->text().isEmpty()) return w->geometry();
        return QFontMetrics(r->font()).boundingRect(w->geometry(), int(r->alignment()), r->text());
    };
    using vestamar::Tipo;
    const auto empilhados = [](const vestamar::Controle& a, const vestamar::Controle& b) {
        const auto par = [&](Tipo x, Tipo y) { return (a.tipo == x && b.tipo == y) || (a.tipo == y && b.tipo == x); };
        return par(Tipo::Marcador, Tipo::Rotulo) || par(Tipo::Imagem, Tipo::Rotulo) || a.tipo == Tipo::Linha ||
               b.tipo == Tipo::Linha || a.tipo == Tipo::Painel || b.tipo == Tipo::Painel;
    };
    const auto layout = vestamar::layoutJanela();
    for (std::size_t i = 0; i < layout.size(); ++i) {
        for (std::size_t j = i + 1; j < layout.size(); ++j) {
            const auto& a = layout[i];
            const auto& b = layout[j];
            if (a.conteiner != b.conteiner || empilhados(a, b)) continue;
            const QRect ra = visivel(janela.controle(a.nome)), rb = visivel(janela.controle(b.nome));
            const QRect comum = ra.intersected(rb);
            EXPECT_TRUE(comum.width() <= 1 || comum.height() <= 1) << a.nome << " and " << b.nome;
        }
    }
}

TEST_F(Janela, LabelsUseArialMetricsAndEveryCaptionFitsItsBox) {
    const auto* rotulo = qobject_cast<QLabel*>(janela.controle("Label20"));
    EXPECT_TRUE(rotulo->font().bold());
    EXPECT_EQ(rotulo->palette().color(QPalette::WindowText), QColor(102, 102, 102));
    const QString face = QFontInfo(rotulo->font()).family();
    EXPECT_TRUE(face == QStringLiteral("Arial") || face == QStringLiteral("Liberation Sans"))
        << face.toStdString();
    EXPECT_TRUE(janela.controle("Label85")->font().underline());
    EXPECT_FALSE(janela.controle("Label11")->font().bold());
    for (const QLabel* r : janela.findChildren<QLabel*>()) {
        if (r->text().isEmpty()) continue;
        const int largura = QFontMetrics(r->font()).horizontalAdvance(r->text());
        EXPECT_LE(largura, r->width()) << r->objectName().toStdString();
    }
    for (const cbutton* b : janela.findChildren<cbutton*>())
        EXPECT_LE(QFontMetrics(b->font()).horizontalAdvance(b->text()) + 8, b->width());
}

TEST_F(Janela, StackingPutsTheBannerOverTheTitleAndThePanelOverTheColumns) {
    // Titulo and Image1 overlap from Left 7440 to 7500.
    EXPECT_EQ(janela.childAt(498, 30), janela.controle("Image1"));
    QWidget* painel = janela.controle("Frame1");  // built hidden on first use
    painel->show();
    painel->move(0, FrmCalcProd::pixels(1800));
    const QPoint noResultado = janela.controle("valMargem2")->geometry().center();
    EXPECT_TRUE(painel->isAncestorOf(janela.childAt(noResultado)) || janela.childAt(noResultado) == painel);
}

// The whole walk with Tab, then again with Enter on the fields, which leaves a field as Tab does.
TEST_F(Janela, TabAndEnterFollowTheLaidOutOrderAndPassOverSkippedControls) {
    janela.controle("Frame1")->show();  // the panel is built hidden on first use
    ASSERT_TRUE(ativar(janela));
    const std::vector<std::string> esperado = {
        "selecModalidade", "QuantDias", "QuantHorasDia", "ValorHora", "ProdBruta", "valorAjCusto", "QuantDias2",
        "QuantHorasDia2", "HorasNoturnas", "ValorHora2", "ProdBruta2", "valorAjCusto2", "Calcular",
        "aPartir1", "percentIR1", "Desconto1", "aPartir2", "percentIR2", "Desconto2", "aPartir3", "percentIR3",
        "Desconto3", "aPartir4", "percentIR4", "Desconto4", "abatDep", "percINSS", "tetoINSS", "percentIrrf",
        "percentPis", "percentCofins", "percentISS", "incideISS", "percDSR", "selecBaseDSR", "percDAR", "percDAR2",
        "InssTerc", "quantDeps", "incideTxAdmProd", "incideTxAdmAjuda", "incideTxAdmDAR", "percInsalub",
        "fatorInsalub", "tetoInsalub", "percSeg", "percSeg2", "reducaoIR", "reducaoIRIsencao", "reducaoIRLimite",
        "reducaoIRParcela", "reducaoIRFator", "descontoSimplificado", "carregarTabelas2026", "selecModalidade",
    };
    for (const bool enter : {false, true}) {
        std::vector<std::string> visitados{foco()};
        while (visitados.size() < esperado.size()) {
            QWidget* w = QApplication::focusWidget();
            QTest::keyClick(w, enter && qobject_cast<ETextctl*>(w) ? Qt::Key_Return : Qt::Key_Tab);
            visitados.push_back(foco());
        }
        EXPECT_EQ(visitados, esperado) << (enter ? "Enter" : "Tab");
    }
}

TEST_F(Janela, SkippedControlsStillTakeAClick) {
    ASSERT_TRUE(ativar(janela));
    for (const char* nome : {"valDAR", "percTxMan", "fatorExtra", "Sair"}) {
        QTest::mouseClick(janela.controle(nome), Qt::LeftButton, {}, QPoint(5, 5));
        EXPECT_EQ(foco(), nome);
    }
}

// The icon is decoded only after the window has first been drawn, then has every size.
TEST_F(Janela, IconAfterTheFirstFrame) {
    EXPECT_TRUE(janela.windowIcon().isNull());
    janela.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&janela));
    for (int i = 0; i < 100 && janela.windowIcon().isNull(); ++i) QTest::qWait(10);
    ASSERT_FALSE(janela.windowIcon().isNull());
    EXPECT_EQ(janela.windowIcon().availableSizes().size(), 4);
}

// The banner shown from its raw pixels is the picture kept as PNG, pixel for pixel.
TEST_F(Janela, BannerIsThePicture) {
    const QImage mostrado = qobject_cast<QLabel*>(janela.controle("Image1"))->pixmap().toImage();
    EXPECT_EQ(mostrado.convertToFormat(QImage::Format_RGB32),
              QImage(QStringLiteral(":/vestamar/banner.png")).convertToFormat(QImage::Format_RGB32));
}
