// The formatted field, the button and the regional marks, through their public behaviour.
#include <gtest/gtest.h>

#include "qt_gtest.h"

#include <QApplication>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include "controls/cbutton.h"
#include "controls/etextctl.h"
#include "regional.h"

using vestamar::cbutton;
using vestamar::ETextctl;

namespace {

bool brasileiro() { return QLocale::system().decimalPoint() == QStringLiteral(","); }

// A window with two fields side by side: the one under test and the next in tab order.
struct Formulario {
    QWidget janela;
    ETextctl* campo = new ETextctl(&janela);
    ETextctl* proximo = new ETextctl(&janela);

    explicit Formulario(const QString& padrao) {
        auto* caixa = new QVBoxLayout(&janela);
        caixa->addWidget(campo);
        caixa->addWidget(proximo);
        campo->setObjectName(QStringLiteral("campo"));
        proximo->setObjectName(QStringLiteral("proximo"));
        campo->setTextformat(padrao);
        janela.show();
        janela.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&janela));
        campo->setFocus(Qt::TabFocusReason);
    }
    void digitar(const QString& texto) {
        campo->selectAll();
        QTest::keyClick(campo, Qt::Key_Backspace);
        QTest::keyClicks(campo, texto);
    }
};

}  // namespace

TEST(ETextctl, TheSameTextWrittenTwiceRaisesChangeOnce) {
    ETextctl campo;
    QSignalSpy mudancas(&campo, &ETextctl::Change);
    campo.setText(QStringLiteral("12,50"));
    campo.setProperty("text", QStringLiteral("12,50"));
    EXPECT_EQ(mudancas.count(), 1);
    campo.setText(QStringLiteral("12,5"));
    EXPECT_EQ(mudancas.count(), 2);
}

TEST(ETextctl, ChangeRunsBeforeTheWriteReturns) {
    ETextctl campo;
    QString vistoNoAviso;
    QObject::connect(&campo, &ETextctl::Change, [&] { vistoNoAviso = campo.text(); });
    campo.setText(QStringLiteral("7"));
    EXPECT_EQ(vistoNoAviso, QStringLiteral("7"));
}

TEST(ETextctl, LockedBlocksTheUserButNotTheProgram) {
    Formulario f(QStringLiteral("0.00"));
    f.campo->setText(QStringLiteral("1"));
    f.campo->setProperty("locked", true);
    QSignalSpy mudancas(f.campo, &ETextctl::Change);
    QTest::keyClicks(f.campo, QStringLiteral("23"));
    QTest::keyClick(f.campo, Qt::Key_Backspace);
    EXPECT_EQ(f.campo->text(), QStringLiteral("1"));
    EXPECT_EQ(mudancas.count(), 0);
    f.campo->setText(QStringLiteral("4"));
    EXPECT_EQ(f.campo->text(), QStringLiteral("4"));
    EXPECT_EQ(mudancas.count(), 1);
}

TEST(ETextctl, AResultIsShownAsWrittenWhateverThePattern) {
    if (!brasileiro()) GTEST_SKIP() << "Brazilian regional setting";
    Formulario f(QStringLiteral("0.00"));
    f.campo->setText(QStringLiteral("1.234,56"));
    QTest::keyClick(f.campo, Qt::Key_Tab);
    EXPECT_EQ(f.campo->text(), QStringLiteral("1.234,56"));
}

TEST(ETextctl, EveryKeystrokeThatChangesTheTextRaisesChange) {
    Formulario f(QStringLiteral("0.00"));
    QSignalSpy mudancas(f.campo, &ETextctl::Change);
    QTest::keyClicks(f.campo, QStringLiteral("12"));
    QTest::keyClick(f.campo, Qt::Key_Backspace);
    EXPECT_EQ(mudancas.count(), 3);
}

TEST(ETextctl, TheUserTypesOnlyDigitsMarksAndALeadingMinus) {
    if (!brasileiro()) GTEST_SKIP() << "Brazilian regional setting";
    const struct { const char* digitado; const char* fica; } casos[] = {
        {"1.234,5", "1.234,5"}, {"-7", "-7"}, {"7-", "7"}, {"--7", "-7"},
        {"1a2", "12"}, {"1 2", "12"}, {"+5", "5"}, {"2e3", "23"}, {"R$9", "9"},
    };
    for (const auto& caso : casos) {
        Formulario f(QStringLiteral("0.00"));
        f.digitar(QString::fromUtf8(caso.digitado));
        EXPECT_EQ(f.campo->text(), QString::fromUtf8(caso.fica)) << caso.digitado;
    }
}

TEST(ETextctl, LeavingRewritesTheUsersNumberInThePatternWhenTheValueStays) {
    if (!brasileiro()) GTEST_SKIP() << "Brazilian regional setting";
    const struct { const char* padrao; const char* digitado; const char* fica; } casos[] = {
        {"#,##0.00", "1800", "1.800,00"},
        {"#,##0.00", "1800,5", "1.800,50"},
        {"0.00", "1.800", "1800,00"},
        {"#,##0.0", "7,50", "7,5"},
        {"0.0", "-3", "-3,0"},
        {"0", "0022", "22"},
        {"0.00", "-0", "0,00"},
        // The pattern would change the value: the text stays as typed.
        {"0.0", "2,666", "2,666"},
        {"0", "2,5", "2,5"},
        {"0.00", "0,125", "0,125"},
        // Not a number: stays.
        {"0.00", "-", "-"},
        {"0.00", ",", ","},
        {"0.00", "", ""},
    };
    for (const auto& caso : casos) {
        Formulario f(QString::fromUtf8(caso.padrao));
        f.campo->setText(QStringLiteral("9"));
        f.digitar(QString::fromUtf8(caso.digitado));
        QTest::keyClick(f.campo, Qt::Key_Tab);
        EXPECT_EQ(f.campo->text(), QString::fromUtf8(caso.fica)) << caso.padrao << " " << caso.digitado;
        EXPECT_TRUE(f.proximo->hasFocus());
    }
}

TEST(ETextctl, TheRewriteRaisesChangeAndEnterLeavesToTheNextField) {
    if (!brasileiro()) GTEST_SKIP() << "Brazilian regional setting";
    Formulario f(QStringLiteral("#,##0.00"));
    f.digitar(QStringLiteral("1800"));
    QSignalSpy mudancas(f.campo, &ETextctl::Change);
    QTest::keyClick(f.campo, Qt::Key_Return);
    EXPECT_EQ(f.campo->text(), QStringLiteral("1.800,00"));
    EXPECT_EQ(mudancas.count(), 1);
    EXPECT_TRUE(f.proximo->hasFocus());
}

TEST(ETextctl, PassingThroughOrAProgramWriteAfterTypingRewritesNothing) {
    Formulario f(QStringLiteral("#,##0.00"));
    f.campo->setText(QStringLiteral("1800"));
    QTest::keyClick(f.campo, Qt::Key_Tab);
    EXPECT_EQ(f.campo->text(), QStringLiteral("1800"));

    f.campo->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(f.campo, QStringLiteral("5"));
    f.campo->setText(QStringLiteral("250"));  // a handler writes the field while the user types
    QTest::keyClick(f.campo, Qt::Key_Tab);
    EXPECT_EQ(f.campo->text(), QStringLiteral("250"));
}

TEST(ETextctl, FocusTakenByAnotherWindowOrAPopupIsNotLeaving) {
    if (!brasileiro()) GTEST_SKIP() << "Brazilian regional setting";
    Formulario f(QStringLiteral("#,##0.00"));
    f.digitar(QStringLiteral("1800"));

    QLineEdit outraJanela;  // as a message box would
    outraJanela.show();
    outraJanela.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&outraJanela));
    EXPECT_EQ(f.campo->text(), QStringLiteral("1800"));
    outraJanela.hide();
    f.janela.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f.janela));
    EXPECT_TRUE(f.campo->hasFocus());

    QMenu menu;
    menu.addAction(QStringLiteral("x"));
    menu.popup(f.janela.mapToGlobal(QPoint(0, 0)));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&menu));
    EXPECT_EQ(f.campo->text(), QStringLiteral("1800"));
    menu.close();

    // The edit is still the user's: leaving the field now rewrites it.
    f.campo->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(f.campo, Qt::Key_Tab);
    EXPECT_EQ(f.campo->text(), QStringLiteral("1.800,00"));
}

TEST(ETextctl, FocusLooksLikeItsFocusProperties) {
    Formulario f(QStringLiteral("0.00"));
    f.campo->setNormalfontcolor(QColor(102, 102, 102));
    f.campo->setFocusfontcolor(QColor(53, 53, 53));
    f.campo->setBackcolor(Qt::white);
    f.campo->setFocusbackcolor(QColor(238, 239, 237));
    EXPECT_EQ(f.campo->palette().color(QPalette::Text), QColor(53, 53, 53));
    EXPECT_EQ(f.campo->palette().color(QPalette::Base), QColor(238, 239, 237));
    EXPECT_FALSE(f.campo->hasSelectedText());  // onfocusselect is false
    QTest::keyClick(f.campo, Qt::Key_Tab);
    EXPECT_EQ(f.campo->palette().color(QPalette::Text), QColor(102, 102, 102));
    EXPECT_EQ(f.campo->palette().color(QPalette::Base), QColor(Qt::white));
}

TEST(cbutton, ClickComesFromTheMouseSpaceAndEnter) {
    QWidget janela;
    auto* botao = new cbutton(&janela);
    botao->setCaption(QStringLiteral("Calcular"));
    janela.show();
    janela.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&janela));
    botao->setFocus();
    QSignalSpy cliques(botao, &cbutton::Click);
    QTest::mouseClick(botao, Qt::LeftButton);
    QTest::keyClick(botao, Qt::Key_Space);
    QTest::keyClick(botao, Qt::Key_Return);
    QTest::keyClick(botao, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(cliques.count(), 4);
    EXPECT_EQ(botao->text(), QStringLiteral("Calcular"));
}

TEST(Regional, TheMarksAreTheSystemsBrazilian) {
    if (!brasileiro()) GTEST_SKIP() << "Brazilian regional setting";
    const vestamar::Separadores sep = vestamar::separadoresDoSistema();
    EXPECT_EQ(sep.decimal, ",");
    EXPECT_EQ(sep.grupo, ".");
}

TEST(EmIngles, TheMarksAndTheRewriteFollowTheDecimalPoint) {
    const vestamar::Separadores sep = vestamar::separadoresDoSistema();
    EXPECT_EQ(sep.decimal, ".");
    EXPECT_EQ(sep.grupo, ",");
    const struct { const char* digitado; const char* fica; } casos[] = {
        {"1800", "1,800.00"}, {"1,234.5", "1,234.50"}, {"2.666", "2.666"}, {"1;2", "12.00"},
    };
    for (const auto& caso : casos) {
        Formulario f(QStringLiteral("#,##0.00"));
        f.digitar(QString::fromUtf8(caso.digitado));
        QTest::keyClick(f.campo, Qt::Key_Tab);
        EXPECT_EQ(f.campo->text(), QString::fromUtf8(caso.fica)) << caso.digitado;
    }
}
