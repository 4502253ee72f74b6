// The working window used with keyboard, mouse and clipboard as a user would: whole-number
// fields, the keypad's decimal key, pasted figures, large results, the wheel over the lists and
// the buttons' shortcuts. The program runs on a parameter file of defaults in a temporary folder.
#include "qt_gtest.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QWheelEvent>

#include <cstdint>
#include <memory>
#include <utility>

#include "controls/cbutton.h"
#include "controls/etextctl.h"
#include "frmcalcprod.h"
#include "impressao.h"
#include "regional.h"
#include "simulador.h"

using namespace vestamar;

namespace {

class JanelaEmUso : public testing::Test {
protected:
    QTemporaryDir pasta;
    FrmCalcProd janela;
    std::unique_ptr<Simulador> sim;
    int falhas = 0;  // runs stopped on a field that does not convert

    void SetUp() override {
        sim = std::make_unique<Simulador>(janela, QFile::encodeName(pasta.path()).toStdString(),
                                          separadoresDoSistema());
        sim->mostrarFalha = [this] { ++falhas; };
        sim->iniciar();
        ASSERT_TRUE(ativar(janela));
    }
    void TearDown() override { EXPECT_EQ(falhas, 0); }

    ETextctl* campo(const char* nome) { return janela.campo(nome); }
    void modalidade(int indice) { janela.lista("selecModalidade")->setCurrentIndex(indice); }
    void digitar(const char* nome, const char* texto) {
        ETextctl* c = campo(nome);
        c->setFocus(Qt::TabFocusReason);
        c->selectAll();
        QTest::keyClick(c, Qt::Key_Backspace);
        QTest::keyClicks(c, q(texto));
    }
    void colar(const char* nome, const char* texto) {
        ETextctl* c = campo(nome);
        c->setFocus(Qt::TabFocusReason);
        c->selectAll();
        QGuiApplication::clipboard()->setText(q(texto));
        QTest::keyClick(c, Qt::Key_V, Qt::ControlModifier);
    }
    // The keypad's decimal key as an English keyboard layout gives it: a full stop.
    static void teclaDecimal(QWidget* c, Qt::Key tecla = Qt::Key_Period, const char* texto = ".") {
        QTest::sendKeyEvent(QTest::Click, c, tecla, q(texto), Qt::KeypadModifier);
    }
    static QString noPadrao(double valor, const char* padrao) {
        return qtexto(formatarPadrao(valor, padrao, separadoresDoSistema()));
    }

    // The keypad's decimal key gives the decimal mark of the regional setting, whatever
    // character the keyboard layout gives the key (a full stop, a comma, Delete carrying one):
    // 1800 and a half, not 18.005 in Brazil.
    void teclaDecimalNoValorHora() {
        modalidade(1);
        digitar("QuantDias", "2");
        digitar("QuantHorasDia", "10");
        const std::pair<Qt::Key, const char*> teclas[] = {
            {Qt::Key_Period, "."}, {Qt::Key_Comma, ","}, {Qt::Key_Delete, "."}};
        for (const auto& [tecla, texto] : teclas) {
            digitar("ValorHora", "1800");
            teclaDecimal(campo("ValorHora"), tecla, texto);
            QTest::keyClicks(campo("ValorHora"), q("5"));
            QTest::keyClick(campo("ValorHora"), Qt::Key_Tab);
            EXPECT_EQ(sim->estado().valorHora, Money::deDezMilesimos(18005000)) << texto;
            EXPECT_EQ(campo("ValorHora")->text(), noPadrao(1800.5, "#,##0.00"));
            EXPECT_EQ(campo("ProdBruta")->text(), noPadrao(36010, "0.00"));
        }
    }
};

class EmInglesJanelaEmUso : public JanelaEmUso {};

// The columns of an image that hold ink (darker than the background's grey text).
std::pair<int, int> colunasComTinta(const QImage& imagem) {
    int primeira = imagem.width(), ultima = -1;
    for (int y = 0; y < imagem.height(); ++y)
        for (int x = 0; x < imagem.width(); ++x)
            if (qGray(imagem.pixel(x, y)) < 170) {
                primeira = std::min(primeira, x);
                ultima = std::max(ultima, x);
            }
    return {primeira, ultima};
}

// The ink starts with dots on the baseline ("…"), not with a digit cut at the edge: the first
// columns with ink have it in the lower half of the line only.
bool comecaComReticencias(const QImage& imagem) {
    const auto [primeira, ultima] = colunasComTinta(imagem);
    int topo = imagem.height(), base = -1;
    for (int y = 0; y < imagem.height(); ++y)
        for (int x = primeira; x <= ultima; ++x)
            if (qGray(imagem.pixel(x, y)) < 170) topo = std::min(topo, y), base = std::max(base, y);
    for (int y = 0; y < imagem.height(); ++y)
        for (int x = primeira; x < primeira + 3; ++x)
            if (qGray(imagem.pixel(x, y)) < 170 && y < (topo + base) / 2) return false;
    return ultima > primeira;
}

// How wide the field's text is in ink as the field draws it, and as the whole text is in the
// field's font on a wide page.
std::pair<int, int> larguraDesenhadaEInteira(ETextctl* c) {
    const auto [a, b] = colunasComTinta(c->grab().toImage());
    QImage pagina(1000, 40, QImage::Format_RGB32);
    pagina.fill(Qt::white);
    QPainter pintor(&pagina);
    pintor.setFont(c->font());
    pintor.setPen(c->palette().color(QPalette::Text));
    pintor.drawText(10, 30, c->text());
    pintor.end();
    const auto [x, y] = colunasComTinta(pagina);
    return {b - a, y - x};
}

}  // namespace

// What a whole-number field shows is what is stored: it takes no decimal mark, typed, from the
// keypad or pasted.
TEST_F(JanelaEmUso, CamposDeNumeroInteiroGuardamOQueMostram) {
    modalidade(1);
    sim->abrirTabelas();
    const std::pair<const char*, std::int16_t ParametrosSimulacao::*> campos[] = {
        {"QuantDias", &ParametrosSimulacao::quantDias},
        {"QuantDias2", &ParametrosSimulacao::quantDias2},
        {"quantDeps", &ParametrosSimulacao::quantDeps},
    };
    for (const auto& [nome, membro] : campos) {
        SCOPED_TRACE(nome);
        digitar(nome, "2,5");
        teclaDecimal(campo(nome));
        QGuiApplication::clipboard()->setText(q(",5"));
        QTest::keyClick(campo(nome), Qt::Key_V, Qt::ControlModifier);
        QTest::keyClick(campo(nome), Qt::Key_Tab);
        EXPECT_EQ(campo(nome)->text(), q("25"));
        EXPECT_EQ(sim->estado().*membro, 25);
    }
    digitar("QuantHorasDia", "2,5");
    EXPECT_EQ(sim->estado().quantHorasDia, 2.5);
}

TEST_F(JanelaEmUso, TeclaDecimalDoTecladoNumericoDigitaAVirgula) { teclaDecimalNoValorHora(); }
TEST_F(EmInglesJanelaEmUso, TeclaDecimalDoTecladoNumericoDigitaOPonto) { teclaDecimalNoValorHora(); }

// A spreadsheet cell, a figure with blanks or with the currency symbol is taken as typed; what
// is still no number is refused and the production stays. A paste replaces the selection, or
// goes in at the cursor.
TEST_F(JanelaEmUso, FiguraColadaDePlanilhaOuRelatorio) {
    const std::pair<const char*, std::int64_t> casos[] = {
        {"2345,67\n", 23456700}, {"1000\t", 10000000}, {" 2.345,67 ", 23456700}, {"R$ 2.345,67", 23456700},
        {"\r\n-12,5\r\n", -125000}, {"R$1.000", 10000000}, {"2.345,67 reais", 10000000}, {"2 345", 10000000},
        {"R$", 10000000}, {"12R$", 10000000},
    };
    for (const auto& [colado, dezMilesimos] : casos) {
        colar("ProdBruta", colado);
        EXPECT_EQ(sim->estado().prodBruta, Money::deDezMilesimos(dezMilesimos)) << colado;
    }
    campo("ProdBruta")->end(false);
    QGuiApplication::clipboard()->setText(q("23\n"));
    QTest::keyClick(campo("ProdBruta"), Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(sim->estado().prodBruta, Money::deDezMilesimos(1000230000));
}

// A production of 10.000.000,00 gives an invoice of 12.500.600,00, drawn whole in a smaller
// font; a figure too long even for the smallest font is elided, and its tooltip, the working of
// the figure, ends with it whole.
TEST_F(JanelaEmUso, ResultadoGrandeMostradoInteiro) {
    const struct { const char* producao; const char* nota; bool encurtado; } casos[] = {
        {"1800", "2.850,00", false},
        {"10000000", "12.500.600,00", false},
        {"100000000000000", "125.000.000.000.600,00", true},
        {"1800", "2.850,00", false},
    };
    ETextctl* nota = campo("valTotalNF");
    for (const auto& c : casos) {
        SCOPED_TRACE(c.producao);
        digitar("ProdBruta", c.producao);
        EXPECT_EQ(nota->text(), q(c.nota));
        EXPECT_EQ(nota->encurtado(), c.encurtado);
        EXPECT_TRUE(nota->toolTip().endsWith(QStringLiteral("= ") + q(c.nota))) << nota->toolTip().toStdString();
    const auto [desenhada, inteira] = larguraDesenhadaEInteira(nota);
        if (c.encurtado)
            EXPECT_TRUE(desenhada < inteira && comecaComReticencias(nota->grab().toImage()));
        else
            EXPECT_NEAR(desenhada, inteira, 1);
    }
    // While the user types a long figure the font shrinks as well.
    digitar("ProdBruta", "10000000000");
    EXPECT_LT(campo("ProdBruta")->font().pixelSize(), campo("valorAjCusto")->font().pixelSize());
}

// A list changes by the wheel only when it has the focus; otherwise the wheel leaves it alone.
TEST_F(JanelaEmUso, RodaDoMouseSoMudaAListaComFoco) {
    sim->abrirTabelas();
    for (const char* nome : {"incideISS", "selecBaseDSR", "incideTxAdmProd"}) {
        SCOPED_TRACE(nome);
        QComboBox* lista = janela.lista(nome);
        const int antes = lista->currentIndex();
        const int delta = antes == 0 ? -120 : 120;  // towards the other item
        const auto rodar = [&] {
            const QPointF centro = QRectF(lista->rect()).center();
            QWheelEvent roda(centro, lista->mapToGlobal(centro), {}, {0, delta}, Qt::NoButton, Qt::NoModifier,
                             Qt::NoScrollPhase, false);
            QApplication::sendEvent(lista, &roda);
        };
        campo("percentISS")->setFocus();
        rodar();
        EXPECT_EQ(lista->currentIndex(), antes);
        lista->setFocus();
        rodar();
        EXPECT_EQ(lista->currentIndex(), 1 - antes);
    }
    EXPECT_EQ(sim->estado().incideISS, 0);
}

namespace {

class Navegador : public QObject {
    Q_OBJECT
public:
    int aberturas = 0;
public slots:
    void abrir(const QUrl&) { ++aberturas; }
};

}  // namespace

// Alt and the underlined letter press Sair, Tabelas and Imprimir; F1 presses Help. The focus
// stays in the field, and the buttons stay out of the Tab order.
TEST(Atalhos, AltELetraSublinhadaEF1PressionamOsBotoes) {
    FrmCalcProd janela;
    QStringList ofertas;
    conectarImpressaoEAjuda(janela, {[] { return std::unique_ptr<QPrinter>(); }, {},
                                     [&](QWidget*, const QString& m) { ofertas << m; return false; }, {}, {}});
    Navegador navegador;
    QDesktopServices::setUrlHandler("http", &navegador, "abrir");
    ASSERT_TRUE(ativar(janela));
    ETextctl* campo = janela.campo("ProdBruta");
    campo->setFocus();
    const std::pair<const char*, QKeyCombination> atalhos[] = {
        {"Sair", Qt::ALT | Qt::Key_S}, {"Tabelas", Qt::ALT | Qt::Key_T}, {"Imprimir", Qt::ALT | Qt::Key_I},
        {"Help", QKeyCombination(Qt::Key_F1)},
    };
    for (const auto& [nome, tecla] : atalhos) {
        SCOPED_TRACE(nome);
        QSignalSpy cliques(janela.botao(nome), &cbutton::Click);
        QTest::keyClick(campo, tecla.key(), tecla.keyboardModifiers());
        EXPECT_TRUE(cliques.count() == 1 || cliques.wait(1000));
        EXPECT_EQ(QApplication::focusWidget(), campo);
    }
    QDesktopServices::unsetUrlHandler("http");
    EXPECT_EQ(ofertas.size(), 1);
    EXPECT_EQ(navegador.aberturas, 1);
    // The letter shows underlined: the caption is not drawn as the bare word would be.
    cbutton semAtalho;
    semAtalho.setCaption(q("Sair"));
    semAtalho.resize(janela.botao("Sair")->size());
    EXPECT_NE(semAtalho.grab().toImage(), janela.botao("Sair")->grab().toImage());
    EXPECT_EQ(QAccessible::queryAccessibleInterface(janela.botao("Sair"))->text(QAccessible::Name), q("Sair"));
}

#include "janela_em_uso_test.moc"
