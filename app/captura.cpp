// Draws the program's window into PNG files, for a look at it without a desktop:
//   captura <folder> <window.png> <panel.png>
// The program starts as the user gets it, with its parameters kept in <folder>; the first
// picture is the window after start-up, the second the window with the parameter-tables
// panel open. Run it under QT_QPA_PLATFORM=offscreen (scripts/screenshot.sh does).

#include <QApplication>
#include <QPixmap>
#include <QString>

#include <filesystem>

#include "frmcalcprod.h"
#include "regional.h"
#include "simulador.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 4) return 2;
    vestamar::FrmCalcProd janela;
    vestamar::Simulador simulador(janela, std::filesystem::path(argv[1]), vestamar::separadoresDoSistema());
    simulador.iniciar();
    janela.show();
    QApplication::processEvents();
    if (!janela.grab().save(QString::fromLocal8Bit(argv[2]))) return 1;
    simulador.abrirTabelas();
    QApplication::processEvents();
    return janela.grab().save(QString::fromLocal8Bit(argv[3])) ? 0 : 1;
}
