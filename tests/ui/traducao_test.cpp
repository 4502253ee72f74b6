// Qt's own dialogs in the user's language. Runs in a process of its own: the translation, once
// installed, stays for the whole application.
#include "qt_gtest.h"

TEST(Traducao, DialogosDoQtEmPortugues) {
    ASSERT_TRUE(vestamar::carregarTraducoesDoQt(*QCoreApplication::instance()));
    QMessageBox caixa(QMessageBox::Question, q("t"), q("m"), QMessageBox::Save);
    EXPECT_EQ(caixa.button(QMessageBox::Save)->text(), q("Salvar"));
    QFileDialog dialogo;
    dialogo.setOption(QFileDialog::DontUseNativeDialog);
    dialogo.setAcceptMode(QFileDialog::AcceptSave);
    EXPECT_EQ(dialogo.findChild<QLabel*>(q("lookInLabel"))->text(), q("Procurar em:"));
}
