// The formatted field and the button, through their public behaviour.
#include "qt_gtest.h"

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

// Change runs before the write returns, once for two identical writes, on every keystroke
// unless the field is locked.
TEST_F(Campo, ChangeOnEveryChangeOfTheTextOnlyAndBeforeTheWriteReturns) {
    Formulario f("0.00");
    QStringList vistos;  // the text each Change found in the field
    QObject::connect(f.campo, &ETextctl::Change, [&] { vistos << f.campo->text(); });
    f.campo->setText(q("12,50"));
    f.campo->setProperty("text", q("12,50"));
    f.campo->setText(q("1"));
    QTest::keyClicks(f.campo, q("2"));
    QTest::keyClick(f.campo, Qt::Key_Backspace);
    f.campo->setProperty("locked", true);
    QTest::keyClicks(f.campo, q("3"));
    QTest::keyClick(f.campo, Qt::Key_Backspace);
    f.campo->setText(q("4"));
    EXPECT_EQ(vistos, (QStringList{q("12,50"), q("1"), q("12"), q("1"), q("4")}));
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

TEST_F(Campo, TheUserTypesOnlyDigitsMarksAndALeadingMinus) {
    const struct { const char* digitado; const char* fica; } casos[] = {
        {"1.234,5", "1.234,5"}, {"-7", "-7"}, {"7-", "7"}, {"--7", "-7"}, {"1a2", "12"},
        {"1 2", "12"}, {"+5", "5"}, {"2e3", "23"}, {"R$9", "9"},
    };
    for (const auto& caso : casos) {
        Formulario f("0.00");
        f.digitar(caso.digitado);
        EXPECT_EQ(f.campo->text(), q(caso.fica)) << caso.digitado;
    }
}

// The field's own marks, when set, replace the system's in typing, the keypad and the rewrite.
TEST_F(Campo, ItsOwnMarksReplaceTheSystems) {
    Formulario f("#,##0.00");
    f.campo->setSeparadores({".", "'"});
    f.digitar("1'234");
    QTest::sendKeyEvent(QTest::Click, f.campo, Qt::Key_Comma, q(","), Qt::KeypadModifier);
    QTest::keyClicks(f.campo, q("5,"));
    EXPECT_EQ(f.campo->text(), q("1'234.5"));
    QTest::keyClick(f.campo, Qt::Key_Tab);
    EXPECT_EQ(f.campo->text(), q("1'234.50"));
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
