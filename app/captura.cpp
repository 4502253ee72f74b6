// Draws the window as laid out into PNG files, for a look at the layout without a desktop:
//   captura <window.png> <panel.png>
// Run it under QT_QPA_PLATFORM=offscreen (scripts/screenshot.sh does).

#include <QApplication>
#include <QPixmap>
#include <QString>

#include "frmcalcprod.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 3) return 2;
    vestamar::FrmCalcProd janela;
    janela.show();
    QApplication::processEvents();
    QWidget* painel = janela.controle("Frame1");
    const bool ok = janela.grab().save(QString::fromLocal8Bit(argv[1])) &&
                    painel && painel->grab().save(QString::fromLocal8Bit(argv[2]));
    return ok ? 0 : 1;
}
