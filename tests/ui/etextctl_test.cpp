// The formatted field and the button, through their public behaviour.
#include "qt_gtest.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QSignalSpy>
#include <QVBoxLayout>

#include <string_view>

#include "controls/cbutton.h"
#include "controls/etextctl.h"

using vestamar::cbutton;
using vestamar::ETextctl;
using vestamar::Separadores;

namespace {

// The field's tests type and read numbers with the Brazilian marks; the EmIngles suite has the
// decimal-point setting.
class Campo : public testing::Test {
    void SetUp() override {
        if (QLocale::system().decimalPoint() != u',') GTEST_SKIP() << "Brazilian regional setting";
    }
};

// A window with two fields one above the other: the one under test and the next in tab order.
struct Formulario {
    QWidget janela;
    ETextctl* campo = new ETextctl(&janela);
    ETextctl* proximo = new ETextctl(&janela);

    explicit Formulario(const char* padrao) {
        auto* caixa = new QVBoxLayout(&janela);
        caixa->addWidget(campo);
        caixa->addWidget(proximo);
        campo->setTextformat(q(padrao));
        EXPECT_TRUE(ativar(janela));
        campo->setFocus(Qt::TabFocusReason);
    }
    void digitar(const char* texto) {
        campo->selectAll();
        QTest::keyClick(campo, Qt::Key_Backspace);
        QTest::keyClicks(campo, q(texto));
    }
};

}  // namespace

TEST_F(Campo, ChangeRunsBeforeTheWriteReturnsAndOnceForTwoIdenticalWrites) {
    ETextctl campo;
    QStringList vistos;  // the text each Change found in the field
    QObject::connect(&campo, &ETextctl::Change, [&] { vistos << campo.text(); });
    campo.setText(q("12,50"));
    EXPECT_EQ(vistos, QStringList{q("12,50")});
    campo.setProperty("text", q("12,50"));
    campo.setText(q("12,5"));
    EXPECT_EQ(vistos, (QStringList{q("12,50"), q("12,5")}));
}

TEST_F(Campo, EveryKeystrokeRaisesChangeUnlessLockedAndAProgramWriteAlways) {
    Formulario f("0.00");
    QSignalSpy mudancas(f.campo, &ETextctl::Change);
    QTest::keyClicks(f.campo, q("12"));
    QTest::keyClick(f.campo, Qt::Key_Backspace);
    EXPECT_EQ(mudancas.count(), 3);
    f.campo->setProperty("locked", true);
    QTest::keyClicks(f.campo, q("23"));
    QTest::keyClick(f.campo, Qt::Key_Backspace);
    EXPECT_EQ(f.campo->text(), q("1"));
    EXPECT_EQ(mudancas.count(), 3);
    f.campo->setText(q("4"));
    EXPECT_EQ(f.campo->text(), q("4"));
    EXPECT_EQ(mudancas.count(), 4);
}

// A result is shown as written whatever the pattern, even when the user had typed before.
TEST_F(Campo, LeavingRewritesNothingTheProgramWrote) {
    Formulario f("0.00");
    f.campo->setText(q("1.234,56"));
    QTest::keyClick(f.campo, Qt::Key_Tab);
    EXPECT_EQ(f.campo->text(), q("1.234,56"));
    f.campo->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(f.campo, q("5"));
    f.campo->setText(q("250"));  // a handler writes the field while the user types
    QTest::keyClick(f.campo, Qt::Key_Tab);
    EXPECT_EQ(f.campo->text(), q("250"));
}

// A whole-number field takes no decimal mark: what it shows is the whole number stored.
TEST_F(Campo, TheUserTypesOnlyDigitsMarksAndALeadingMinus) {
    const struct { const char* padrao; const char* digitado; const char* fica; } casos[] = {
        {"0.00", "1.234,5", "1.234,5"}, {"0.00", "-7", "-7"}, {"0.00", "7-", "7"}, {"0.00", "--7", "-7"},
        {"0.00", "1a2", "12"}, {"0.00", "1 2", "12"}, {"0.00", "+5", "5"}, {"0.00", "2e3", "23"},
        {"0.00", "R$9", "9"}, {"0", "2,5", "25"}, {"0", "-1.000", "-1.000"}, {"0.0", "2,5", "2,5"},
    };
    for (const auto& caso : casos) {
        Formulario f(caso.padrao);
        f.digitar(caso.digitado);
        EXPECT_EQ(f.campo->text(), q(caso.fica)) << caso.padrao << " " << caso.digitado;
    }
}

// The keypad's decimal key, whatever character the keyboard layout gives it, types the
// field's decimal mark; the main keyboard's full stop stays a group mark.
TEST_F(Campo, TheKeypadDecimalKeyTypesTheDecimalMark) {
    const Separadores ponto = Separadores::ponto();
    const struct { const char* padrao; const Separadores* sep; Qt::Key tecla; const char* texto;
                   Qt::KeyboardModifiers mod; const char* fica; } casos[] = {
        {"0.00", nullptr, Qt::Key_Period, ".", Qt::KeypadModifier, "18,5"},
        {"0.00", nullptr, Qt::Key_Comma, ",", Qt::KeypadModifier, "18,5"},
        {"0.00", nullptr, Qt::Key_Delete, ".", Qt::KeypadModifier, "18,5"},
        {"0.00", nullptr, Qt::Key_Period, ".", Qt::NoModifier, "18.5"},
        {"0.00", &ponto, Qt::Key_Comma, ",", Qt::KeypadModifier, "18.5"},
        {"0", nullptr, Qt::Key_Period, ".", Qt::KeypadModifier, "185"},
    };
    for (const auto& c : casos) {
        Formulario f(c.padrao);
        if (c.sep) f.campo->setSeparadores(*c.sep);
        f.digitar("18");
        QTest::sendKeyEvent(QTest::Click, f.campo, c.tecla, q(c.texto), c.mod);
        QTest::keyClick(f.campo, Qt::Key_5);
        EXPECT_EQ(f.campo->text(), q(c.fica)) << c.tecla << " " << c.texto << " " << c.mod;
    }
}

// A paste loses blanks, line ends and a currency symbol around the number; what is then still
// no number changes nothing. A paste replaces the selection or goes in at the cursor.
TEST_F(Campo, APasteIsCleanedOrRefused) {
    const struct { const char* padrao; const char* colado; const char* fica; } casos[] = {
        {"0.00", "2345,67\n", "2345,67"}, {"0.00", "2345,67\t", "2345,67"}, {"0.00", " 2.345,67 ", "2.345,67"},
        {"0.00", "R$ 2.345,67", "2.345,67"}, {"0.00", "R$2.345,67", "2.345,67"}, {"0.00", "\r\n-12,5\r\n", "-12,5"},
        {"0.00", "2 345", "9"}, {"0.00", "abc", "9"}, {"0.00", "R$", "9"}, {"0.00", "12R$", "9"},
        {"0", "2,5", "9"}, {"0", "R$ 25 ", "25"},
    };
    for (const auto& c : casos) {
        Formulario f(c.padrao);
        f.campo->setText(q("9"));
        f.campo->selectAll();
        QGuiApplication::clipboard()->setText(q(c.colado));
        QTest::keyClick(f.campo, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(f.campo->text(), q(c.fica)) << c.colado;
    }
    Formulario f("0.00");
    f.campo->setText(q("1"));
    f.campo->end(false);
    QGuiApplication::clipboard()->setText(q("23\n"));
    QTest::keyClick(f.campo, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(f.campo->text(), q("123"));
}

// Enter leaves to the next field as Tab does; a rewrite raises Change.
TEST_F(Campo, LeavingRewritesTheUsersNumberInThePatternWhenTheValueStays) {
    const struct { const char* padrao; const char* digitado; const char* fica; } casos[] = {
        {"#,##0.00", "1800", "1.800,00"}, {"#,##0.00", "1800,5", "1.800,50"}, {"0.00", "1.800", "1800,00"},
        {"#,##0.0", "7,50", "7,5"}, {"0.0", "-3", "-3,0"}, {"0", "0022", "22"}, {"0.00", "-0", "0,00"},
        // The pattern would change the value, or the text is no number: it stays as typed.
        {"0.0", "2,666", "2,666"}, {"0", "1.000", "1000"}, {"0.00", "0,125", "0,125"},
        {"0.00", "-", "-"}, {"0.00", ",", ","}, {"0.00", "", ""},
    };
    for (const auto& caso : casos) {
        Formulario f(caso.padrao);
        f.campo->setText(q("9"));
        f.digitar(caso.digitado);
        QSignalSpy mudancas(f.campo, &ETextctl::Change);
        QTest::keyClick(f.campo, Qt::Key_Return);
        EXPECT_EQ(f.campo->text(), q(caso.fica)) << caso.padrao << " " << caso.digitado;
        EXPECT_EQ(mudancas.count(), caso.fica == std::string_view(caso.digitado) ? 0 : 1) << caso.digitado;
        EXPECT_TRUE(f.proximo->hasFocus());
    }
}

TEST_F(Campo, FocusTakenByAnotherWindowOrAPopupIsNotLeaving) {
    Formulario f("#,##0.00");
    f.digitar("1800");
    QLineEdit outraJanela;  // as a message box would
    ASSERT_TRUE(ativar(outraJanela));
    EXPECT_EQ(f.campo->text(), q("1800"));
    outraJanela.hide();
    ASSERT_TRUE(ativar(f.janela));
    EXPECT_TRUE(f.campo->hasFocus());

    // The selection outlives a popup such as the context menu, whose Paste replaces it.
    f.campo->selectAll();
    QMenu menu;
    menu.addAction(q("x"));
    menu.popup(f.janela.mapToGlobal(QPoint(0, 0)));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&menu));
    EXPECT_EQ(f.campo->text(), q("1800"));
    menu.close();
    QTest::qWait(10);
    EXPECT_EQ(f.campo->selectedText(), q("1800"));

    // The edit is still the user's: leaving the field now rewrites it.
    f.campo->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(f.campo, Qt::Key_Tab);
    EXPECT_EQ(f.campo->text(), q("1.800,00"));
}

TEST_F(Campo, FocusLooksLikeItsFocusProperties) {
    Formulario f("0.00");
    f.campo->setNormalfontcolor(QColor(102, 102, 102));
    f.campo->setFocusfontcolor(QColor(53, 53, 53));
    f.campo->setBackcolor(Qt::white);
    f.campo->setFocusbackcolor(QColor(238, 239, 237));
    const auto cores = [&] {
        return std::pair(f.campo->palette().color(QPalette::Text), f.campo->palette().color(QPalette::Base));
    };
    EXPECT_EQ(cores(), std::pair(QColor(53, 53, 53), QColor(238, 239, 237)));
    EXPECT_FALSE(f.campo->hasSelectedText());  // onfocusselect is false
    QTest::keyClick(f.campo, Qt::Key_Tab);
    EXPECT_EQ(cores(), std::pair(QColor(102, 102, 102), QColor(Qt::white)));
}

// A text too wide for the field is drawn smaller, down to the smallest size; beyond that it is
// elided, with the whole text in the tooltip unless the program has put a tooltip there.
TEST_F(Campo, AWideTextShrinksThenIsElidedWithTheWholeTextInItsTooltip) {
    Formulario f("0.00");
    f.campo->setFixedWidth(73);
    QFont fonte = f.campo->normalfont();
    fonte.setPixelSize(11);
    f.campo->setNormalfont(fonte);
    f.campo->setFocusfont(fonte);
    const struct { const char* dica; const char* texto; int pixels; bool encurtado; const char* fica; } casos[] = {
        {"", "2.500,00", 11, false, ""},
        {"", "12.500.600,00", 0, false, ""},
        {"", "1.234.567.890.123.456,00", ETextctl::kMenorFontePixels, true, "1.234.567.890.123.456,00"},
        {"", "1,00", 11, false, ""},
        {"", "9.234.567.890.123.456,00", 0, true, "9.234.567.890.123.456,00"},
        {"conta", "9.234.567.890.123.456,00", 0, true, "conta"},
        {"conta", "1,00", 11, false, "conta"},
    };
    for (const bool comFoco : {true, false}) {
        (comFoco ? f.campo : f.proximo)->setFocus();
        for (const auto& c : casos) {
            SCOPED_TRACE(std::string(c.texto) + (comFoco ? " com foco" : ""));
            if (*c.dica) f.campo->setToolTip(q(c.dica));
            f.campo->setText(q(c.texto));
            const int pixels = f.campo->font().pixelSize();
            if (c.pixels) EXPECT_EQ(pixels, c.pixels);
            else EXPECT_TRUE(pixels >= ETextctl::kMenorFontePixels && pixels < 11) << pixels;
            EXPECT_EQ(f.campo->encurtado(), c.encurtado);
            EXPECT_EQ(f.campo->toolTip(), q(c.fica));
        }
        f.campo->setToolTip(QString());
    }
}

TEST(cbutton, ClickComesFromTheMouseSpaceAndEnter) {
    QWidget janela;
    auto* botao = new cbutton(&janela);
    botao->setCaption(q("Calcular"));
    ASSERT_TRUE(ativar(janela));
    botao->setFocus();
    QSignalSpy cliques(botao, &cbutton::Click);
    QTest::mouseClick(botao, Qt::LeftButton);
    QTest::keyClick(botao, Qt::Key_Space);
    QTest::keyClick(botao, Qt::Key_Return);
    QTest::keyClick(botao, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(cliques.count(), 4);
    EXPECT_EQ(botao->text(), q("Calcular"));
}

// The decimal-point setting: the marks the user types and the rewrite follow it.
TEST(EmIngles, TheRewriteFollowsTheDecimalPoint) {
    const struct { const char* digitado; const char* fica; } casos[] = {
        {"1800", "1,800.00"}, {"1,234.5", "1,234.50"}, {"2.666", "2.666"}, {"1;2", "12.00"},
    };
    for (const auto& caso : casos) {
        Formulario f("#,##0.00");
        f.digitar(caso.digitado);
        QTest::keyClick(f.campo, Qt::Key_Tab);
        EXPECT_EQ(f.campo->text(), q(caso.fica)) << caso.digitado;
    }
}
