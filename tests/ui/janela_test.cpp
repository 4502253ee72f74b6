// The window as laid out, control by control: places, captions, patterns, looks, tab order.
#include "qt_gtest.h"

#include <QApplication>
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

using vestamar::cbutton;
using vestamar::ETextctl;
using vestamar::FrmCalcProd;

namespace {

// Twips to pixels; every value here is a multiple of 15.
QRect px(int l, int t, int w, int h) { return {l / 15, t / 15, w / 15, h / 15}; }

class Janela : public testing::Test {
protected:
    FrmCalcProd janela;

    std::string foco() const {
        const QWidget* w = QApplication::focusWidget();
        return w ? w->objectName().toStdString() : std::string("(none)");
    }
};

}  // namespace

// The window's name is checked with every control's container below.
TEST_F(Janela, ClientAreaAndBackground) {
    EXPECT_EQ(janela.size(), QSize(1004, 689));
    EXPECT_EQ(janela.palette().color(QPalette::Window), QColor(Qt::white));
}

TEST_F(Janela, SampleOfEveryRegionAtItsPlaceWithItsCaption) {
    // name, container, L, T, W, H, caption or initial text
    const struct { const char* nome; const char* pai; int l, t, w, h; const char* texto; } casos[] = {
        {"Image1", "frmcalcProd", 0, 0, 7500, 1065, ""},
        {"Titulo", "frmcalcProd", 7440, 240, 7500, 570, "VestaMar - Simulação de Resultados"},
        {"Label85", "frmcalcProd", 1080, 1320, 2295, 255, "Modalidade da Simulação"},
        {"selecModalidade", "frmcalcProd", 4080, 1320, 1815, 315, ""},
        {"Label44", "frmcalcProd", 3840, 1800, 3735, 255, "Cálculo de Prod. Cooperativista - DEPOIS"},
        {"Label81", "frmcalcProd", 120, 2295, 2175, 255, "Quant Plantões/duração"},
        {"QuantHorasDia", "frmcalcProd", 2835, 2265, 540, 315, "1,0"},
        {"Label28", "frmcalcProd", 120, 5910, 2175, 255, "Líquido a Pagar $"},
        {"valMargem", "frmcalcProd", 2280, 9240, 1095, 315, "0,00"},
        {"Label84", "frmcalcProd", 3960, 2565, 1935, 255, "Horas noturnas/plantão"},
        {"ValorHora2", "frmcalcProd", 6240, 2865, 1095, 315, "0,00"},
        {"Label50", "frmcalcProd", 3960, 4380, 2295, 255, "Adic Peric+Extras+Not. $"},
        {"retINSS2", "frmcalcProd", 6240, 4980, 1095, 315, "0,00"},
        {"Label88", "frmcalcProd", 6000, 2595, 255, 255, "..."},
        {"Label71", "frmcalcProd", 2040, 2895, 255, 255, "..."},
        {"Imprimir", "frmcalcProd", 1635, 9840, 1125, 285, "&Imprimir"},
        {"Sair", "frmcalcProd", 6210, 9840, 1125, 285, "&Sair"},
        {"Frame1", "frmcalcProd", 7440, 1800, 7605, 7815, ""},
        {"Label68", "Frame1", 240, 120, 3375, 255, "Tabela de IRRF - INSS"},
        {"Label17", "Frame1", 1560, 405, 975, 255, "Percentual"},
        {"Desconto3", "Frame1", 2520, 1320, 1095, 315, "0,00"},
        {"percDSR", "Frame1", 3000, 6120, 615, 315, "0,00"},
        {"selecBaseDSR", "Frame1", 2280, 6480, 1335, 315, ""},
        {"Label66", "Frame1", 3960, 2790, 2055, 255, "Incide S/  Fdos Esp e DAR"},
        {"Label64", "Frame1", 3960, 3480, 3135, 255, "Valores Adicionais "},
        {"quantDeps", "Frame1", 6120, 960, 1095, 315, "0"},
        {"tetoInsalub", "Frame1", 5880, 5520, 1335, 315, "0,00"},
        {"percSeg2", "Frame1", 6600, 6480, 615, 315, "0,00"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nome);
        QWidget* w = janela.controle(c.nome);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->parentWidget()->objectName(), q(c.pai));
        EXPECT_EQ(w->geometry(), px(c.l, c.t, c.w, c.h));
        EXPECT_EQ(w->property("text").toString(), q(c.texto));
    }
}

TEST_F(Janela, FieldsHaveTheirPatternAndLock) {
    const struct { const char* nome; const char* padrao; bool travado; } casos[] = {
        {"QuantDias", "0", false},          {"QuantHorasDia2", "0.0", false},
        {"ValorHora", "#,##0.00", false},   {"ProdBruta", "#,##0.00", true},
        {"ProdBruta2", "#,##0.00", true},   {"valorAjCusto2", "0.00", false},
        {"valDAR", "0.00", true},           {"valDSR", "0.00", true},
        {"nfLiq2", "0.00", true},           {"percentIR4", "#,##0.0", false},
        {"aPartir1", "#,##0.00", false},    {"percTxAdm2", "0.00", false},
        {"fatorNoturno", "0.00", false},    {"percSeg", "#,##0.00", false},
    };
    for (const auto& c : casos) {
        const ETextctl* f = janela.campo(c.nome);
        ASSERT_NE(f, nullptr) << c.nome;
        EXPECT_EQ(std::pair(f->textformat(), f->locked()), std::pair(q(c.padrao), c.travado)) << c.nome;
    }
}

TEST_F(Janela, EveryKindOfControlIsThereInFull) {
    EXPECT_EQ(janela.findChildren<ETextctl*>().size(), 81);
    EXPECT_EQ(janela.findChildren<cbutton*>().size(), 5);
    const auto listas = janela.findChildren<QComboBox*>();
    EXPECT_EQ(listas.size(), 6);
    for (const QComboBox* l : listas) EXPECT_EQ(l->count(), 0) << l->objectName().toStdString();
    int marcadores = 0;
    for (const QLabel* r : janela.findChildren<QLabel*>()) marcadores += r->text() == QStringLiteral("...");
    EXPECT_EQ(marcadores, 7);
    EXPECT_EQ(janela.findChild<QWidget*>(QStringLiteral("Frame1"))->findChildren<ETextctl*>().size(), 39);
    // Every field in the list of fields, each with a name of its own for screen readers.
    EXPECT_EQ(janela.campo("ProdBruta")->accessibleName(), q("Produção Bruta $ - ANTES"));
    EXPECT_EQ(janela.campo("ProdBruta2")->accessibleName(), q("Produção Bruta $ - DEPOIS"));
    QSet<QString> nomes;
    for (const ETextctl* f : janela.campos()) {
        nomes.insert(f->accessibleName());
        EXPECT_EQ(std::tuple(f->enterexitkey(), f->onfocusselect(), f->maxlength(), f->passwordchar(),
                             bool(f->alignment() & Qt::AlignRight), f->normalfontcolor(), f->normalfont().bold()),
                  std::tuple(true, false, 0, QString(), true, QColor(102, 102, 102), true))
            << f->objectName().toStdString();
    }
    nomes.remove(QString());
    EXPECT_EQ(nomes.size(), 81);
}

TEST_F(Janela, ColumnAndPanelLooks) {
    // focus font, focus background, border, focus border
    const struct { const char* nome; std::array<QColor, 4> cores; } casos[] = {
        {"ProdBruta", {Qt::black, Qt::white, Qt::white, Qt::white}},
        {"HorasNoturnas", {Qt::black, Qt::white, Qt::white, Qt::white}},
        {"liqPagar2", {Qt::black, Qt::white, Qt::white, Qt::white}},
        {"liqPagar", {QColor(53, 53, 53), Qt::white, Qt::white, Qt::white}},
        {"valTxAdm2", {QColor(53, 53, 53), Qt::white, Qt::white, Qt::white}},
        {"percINSS", {QColor(53, 53, 53), QColor(238, 239, 237), QColor(128, 128, 128), QColor(180, 180, 180)}},
    };
    for (const auto& c : casos) {
        const ETextctl* f = janela.campo(c.nome);
        const std::array<QColor, 4> cores{f->focusfontcolor(), f->focusbackcolor(), f->normalbordercolor(),
                                          f->focusbordercolor()};
        EXPECT_EQ(cores, c.cores) << c.nome;
    }
    const cbutton* b = janela.botao("Calcular");
    EXPECT_EQ(b->fontname(), QStringLiteral("Tahoma"));
    EXPECT_FLOAT_EQ(b->fontsize(), 8.25F);
    EXPECT_EQ(b->forecolor(), QColor(Qt::black));
}

TEST_F(Janela, LabelsUseArialMetricsAndEveryCaptionFitsItsBox) {
    const QLabel* rotulo = janela.rotulo("Label20");
    EXPECT_TRUE(rotulo->font().bold());
    EXPECT_EQ(rotulo->palette().color(QPalette::WindowText), QColor(102, 102, 102));
    const QString face = QFontInfo(rotulo->font()).family();
    EXPECT_TRUE(face == QStringLiteral("Arial") || face == QStringLiteral("Liberation Sans"))
        << face.toStdString();
    EXPECT_TRUE(janela.rotulo("Label85")->font().underline());
    EXPECT_FALSE(janela.rotulo("Label11")->font().bold());
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
    QWidget* painel = janela.controle("Frame1");
    FrmCalcProd::moverTwips(painel, 0, 1800);
    EXPECT_EQ(FrmCalcProd::retanguloTwips(painel), QRect(0, 1800, 7605, 7815));
    const QPoint noResultado = janela.controle("valMargem2")->geometry().center();
    EXPECT_TRUE(painel->isAncestorOf(janela.childAt(noResultado)) || janela.childAt(noResultado) == painel);
}

// The whole walk with Tab, then again with Enter on the fields, which leaves a field as Tab does.
TEST_F(Janela, TabAndEnterFollowTheLaidOutOrderAndPassOverSkippedControls) {
    ASSERT_TRUE(ativar(janela));
    const std::vector<std::string> esperado = {
        "selecModalidade", "QuantDias", "QuantHorasDia", "ValorHora", "ProdBruta", "valorAjCusto", "QuantDias2",
        "QuantHorasDia2", "HorasNoturnas", "ValorHora2", "ProdBruta2", "valorAjCusto2", "Calcular",
        "aPartir1", "percentIR1", "Desconto1", "aPartir2", "percentIR2", "Desconto2", "aPartir3", "percentIR3",
        "Desconto3", "aPartir4", "percentIR4", "Desconto4", "abatDep", "percINSS", "tetoINSS", "percentIrrf",
        "percentPis", "percentCofins", "percentISS", "incideISS", "percDSR", "selecBaseDSR", "percDAR", "percDAR2",
        "InssTerc", "quantDeps", "incideTxAdmProd", "incideTxAdmAjuda", "incideTxAdmDAR", "percInsalub",
        "fatorInsalub", "tetoInsalub", "percSeg", "percSeg2", "selecModalidade",
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
