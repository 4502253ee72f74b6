// vestaMar - Simulação de Resultados: the program opens its one window.

#include <QApplication>

#include "frmcalcprod.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vestaMar"));
    vestamar::FrmCalcProd janela;
    QApplication::setWindowIcon(janela.windowIcon());
    janela.show();
    return QApplication::exec();
}
