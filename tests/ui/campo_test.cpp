// The formatted field, through its public behaviour. The field is handed its
// regional marks, as the window hands it the user's: the cases hold under either setting.
#include "qt_gtest.h"

#include <QMenu>
#include <QSignalSpy>
#include <QVBoxLayout>

#include <utility>

using vestamar::ETextctl;
using vestamar::Separadores;

namespace {

// A window with two fields one above the other: the one under test, which has the focus, and
// the next in tab order.
struct Formulario {
    QWidget janela;
    ETextctl* campo = new ETextctl(&janela);
    ETextctl* proximo = new ETextctl(&janela);

    explicit Formulario(const char* padrao, const Separadores& sep = Separadores::brasil()) {
        auto* caixa = new QVBoxLayout(&janela);
        caixa->addWidget(campo);
        caixa->addWidget(proximo);
        campo->setTextformat(q(padrao));
        campo->setSeparadores(sep);
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
// unless the field is locked. What the program writes is shown as written whatever the
// pattern, also when the user had typed before: leaving the field rewrites nothing.
TEST(Campo, ChangeACadaMudancaDoTextoEEscritaDoProgramaMantida) {
    Formulario f("0.00");
    QStringList vistos;  // the text each Change found in the field
    QObject::connect(f.campo, &ETextctl::Change, [&] { vistos << f.campo->text(); });
    f.campo->setText(q("12,50"));
    f.campo->setProperty("text", q("12,50"));
    f.campo->setText(q("1"));
    QTest::keyClicks(f.campo, q("2"));
    QTest::keyClick(f.campo, Qt::Key_Backspace);
    f.campo->setText(q("1.234,56"));  // a handler writes the field while the user types
    QTest::keyClick(f.campo, Qt::Key_Tab);
    f.campo->setFocus(Qt::TabFocusReason);
    f.campo->setProperty("locked", true);
    QTest::keyClicks(f.campo, q("3"));
    QTest::keyClick(f.campo, Qt::Key_Backspace);
    f.campo->setText(q("4"));
    EXPECT_EQ(vistos, (QStringList{q("12,50"), q("1"), q("12"), q("1"), q("1.234,56"), q("4")}));
}

// The user types digits, the field's marks and a leading minus. Enter leaves for the next field
// as Tab does, rewriting the user's number in the pattern when the pattern keeps its value (the
// rewrite raises Change); what the pattern would change, or is no number, stays as typed.
TEST(Campo, SaidaReescreveONumeroDoUsuarioNoPadraoQuandoOValorFica) {
    const Separadores br = Separadores::brasil(), us = Separadores::ponto(), proprio{".", "'"};
    const struct { const Separadores& sep; const char *padrao, *digitado, *fica; } casos[] = {
        {br, "", "1.234,5", "1.234,5"}, {br, "", "7-", "7"}, {br, "", "--7", "-7"}, {br, "", "1a2", "12"},
        {br, "", "1 2", "12"}, {br, "", "+5", "5"}, {br, "", "2e3", "23"}, {br, "", "R$9", "9"},
        {br, "#,##0.00", "1800", "1.800,00"}, {br, "#,##0.00", "1800,5", "1.800,50"}, {br, "0.00", "1.800", "1800,00"},
        {br, "#,##0.0", "7,50", "7,5"}, {br, "0.0", "-3", "-3,0"}, {br, "0", "0022", "22"}, {br, "0.00", "-0", "0,00"},
        {br, "0", "1.000", "1000"}, {br, "0.0", "2,666", "2,666"}, {br, "0.00", "0,125", "0,125"},
        {br, "0.00", "-", "-"}, {br, "0.00", ",", ","}, {br, "0.00", "", ""}, {us, "#,##0.00", "1800", "1,800.00"},
        {us, "#,##0.00", "1,234.5", "1,234.50"}, {us, "#,##0.00", "2.666", "2.666"}, {us, "#,##0.00", "1;2", "12.00"},
        {proprio, "#,##0.00", "1'234.5,", "1'234.50"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(std::string(c.padrao) + " " + c.digitado);
        Formulario f(c.padrao, c.sep);
        f.campo->setText(q("9"));
        f.digitar(c.digitado);
        const QString digitado = f.campo->text();
        QSignalSpy mudancas(f.campo, &ETextctl::Change);
        QTest::keyClick(f.campo, Qt::Key_Return);
        EXPECT_EQ(f.campo->text(), q(c.fica));
        EXPECT_EQ(mudancas.count(), digitado == q(c.fica) ? 0 : 1);
        EXPECT_TRUE(f.proximo->hasFocus());
    }
    // The keypad's decimal key types the field's own decimal mark, whatever character it carries.
    Formulario f("0.00", proprio);
    f.digitar("1'234");
    QTest::sendKeyEvent(QTest::Click, f.campo, Qt::Key_Comma, q(","), Qt::KeypadModifier);
    QTest::keyClicks(f.campo, q("5"));
    EXPECT_EQ(f.campo->text(), q("1'234.5"));
}

// The focus taken by another window or a popup is not the user leaving: the text stays as
// typed and the selection as it was (the context menu's Paste replaces it). The field takes
// its focus colours while it has the focus.
TEST(Campo, FocoLevadoPorOutraJanelaOuMenuNaoESaida) {
    Formulario f("#,##0.00");
    f.campo->setNormalfontcolor(Qt::darkGray);
    f.campo->setFocusfontcolor(Qt::black);
    f.campo->setBackcolor(Qt::white);
    f.campo->setFocusbackcolor(Qt::yellow);
    const auto cores = [&] {
        return std::pair(f.campo->palette().color(QPalette::Text), f.campo->palette().color(QPalette::Base));
    };
    EXPECT_EQ(cores(), std::pair(QColor(Qt::black), QColor(Qt::yellow)));
    f.digitar("1800");
    QWidget outraJanela;  // as a message box would
    ASSERT_TRUE(ativar(outraJanela));
    EXPECT_EQ(f.campo->text(), q("1800"));
    outraJanela.hide();
    ASSERT_TRUE(ativar(f.janela));
    EXPECT_TRUE(f.campo->hasFocus());

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
    EXPECT_EQ(cores(), std::pair(QColor(Qt::darkGray), QColor(Qt::white)));
}
