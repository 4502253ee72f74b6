// The formatted field, through its public behaviour. The field is handed its
// regional marks, as the window hands it the user's: the cases hold under either setting.
#include "qt_gtest.h"

#include <utility>

using vestamar::ETextctl;
using vestamar::Separadores;

// A window with two fields: the one under test, which has the focus, and the next in tab order.
struct Formulario {
    QWidget janela;
    ETextctl* campo = new ETextctl(&janela);
    ETextctl* proximo = new ETextctl(&janela);

    explicit Formulario(const char* padrao, const Separadores& sep = Separadores::brasil()) {
        campo->setTextformat(q(padrao));
        campo->setSeparadores(sep);
        EXPECT_TRUE(ativar(janela));
        campo->setFocus(Qt::TabFocusReason);
    }
};

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
// rewrite raises Change); what the pattern would change, or is no number, stays as typed. The
// keypad's decimal key types the field's own decimal mark, whatever character it carries.
TEST(Campo, SaidaReescreveONumeroDoUsuarioNoPadraoQuandoOValorFica) {
    const Separadores br = Separadores::brasil(), us = Separadores::ponto(), proprio{".", "'"};
    // clang-format off
    // Each case: the field's marks, its pattern, what is typed, what the field then shows.
    const struct { const Separadores& sep; const char *padrao, *digitado, *fica; } casos[] = {
        {br, "", "1.234,5", "1.234,5"},          {br, "", "7-", "7"},                {br, "", "--7", "-7"},
        {br, "", "1a2", "12"},                   {br, "#,##0.00", "1800", "1.800,00"}, {br, "0.00", "1.800", "1800,00"},
        {br, "#,##0.0", "7,50", "7,5"},          {br, "0.0", "-3", "-3,0"},          {br, "0", "1.000", "1000"},
        {br, "0.00", "-0", "0,00"},              {br, "0.0", "2,666", "2,666"},      {br, "0.00", "-", "-"},
        {br, "0.00", "", ""},                    {us, "#,##0.00", "1,234.5", "1,234.50"},
        {us, "#,##0.00", "1;2", "12.00"},        {proprio, "#,##0.00", "1'234.5,", "1'234.50"},
    };
    // clang-format on
    for (const auto& c : casos) {
        SCOPED_TRACE(std::string(c.padrao) + " " + c.digitado);
        Formulario f(c.padrao, c.sep);
        f.campo->setText(q("9"));
        digitar(f.campo, q(c.digitado));
        const QString digitado = f.campo->text();
        QSignalSpy mudancas(f.campo, &ETextctl::Change);
        QTest::keyClick(f.campo, Qt::Key_Return);
        EXPECT_EQ(f.campo->text(), q(c.fica));
        EXPECT_EQ(mudancas.count(), digitado == q(c.fica) ? 0 : 1);
        EXPECT_TRUE(f.proximo->hasFocus());
    }
    Formulario f("0.00", proprio);
    for (const auto& [tecla, texto] : {std::pair{Qt::Key_Period, "."}, {Qt::Key_Comma, ","}, {Qt::Key_Delete, ","}}) {
        digitar(f.campo, q("1'234"));
        QTest::sendKeyEvent(QTest::Click, f.campo, tecla, q(texto), Qt::KeypadModifier);
        QTest::keyClicks(f.campo, q("5"));
        EXPECT_EQ(f.campo->text(), q("1'234.5")) << texto;
    }
}

// Entering the field by Tab or Shift+Tab selects its text exactly when onfocusselect says so.
// The focus taken by another window or a popup is not the user leaving: the text stays as typed
// and the selection as it was (the context menu's Paste replaces it). The field takes its focus
// colours while it has the focus.
TEST(Campo, FocoPorTabSelecionaConformePedidoEFocoLevadoNaoESaida) {
    for (const bool seleciona : {false, true}) {
        Formulario f("0.00");
        f.campo->setOnfocusselect(seleciona);
        f.campo->setText(q("12,50"));
        QTest::keyClick(f.campo, Qt::Key_Tab);
        QTest::keyClick(f.proximo, Qt::Key_Tab, Qt::ShiftModifier);
        ASSERT_TRUE(f.campo->hasFocus());
        EXPECT_EQ(f.campo->selectedText(), seleciona ? q("12,50") : QString()) << seleciona;
    }
    Formulario f("#,##0.00");
    f.campo->setFocusfontcolor(Qt::blue);
    f.campo->setFocusbackcolor(Qt::yellow);
    const auto cores = [&] {
        return std::pair(f.campo->palette().color(QPalette::Text), f.campo->palette().color(QPalette::Base));
    };
    EXPECT_EQ(cores(), std::pair(QColor(Qt::blue), QColor(Qt::yellow)));
    digitar(f.campo, q("1800"));
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
    // Open is what takes the focus; whether the window system has drawn it yet does not matter
    // (Wine's windows platform sometimes reports a popup exposed late).
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activePopupWidget() == &menu; }));
    EXPECT_EQ(f.campo->text(), q("1800"));
    menu.close();
    ASSERT_TRUE(ativar(f.janela));
    EXPECT_EQ(f.campo->selectedText(), q("1800"));

    // The edit is still the user's: leaving the field now rewrites it.
    f.campo->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(f.campo, Qt::Key_Tab);
    EXPECT_EQ(f.campo->text(), q("1.800,00"));
    EXPECT_EQ(cores(), std::pair(QColor(Qt::black), QColor(Qt::white)));
}
