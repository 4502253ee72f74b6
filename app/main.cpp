// vestaMar - Simulação de Resultados: the program opens its one window, with the parameters
// kept in vestaMar.ini beside the executable or, where that folder cannot be written, in the
// user's configuration folder (local_parametros.h).

#include <QApplication>

#include "frmcalcprod.h"
#include "local_parametros.h"
#include "regional.h"
#include "simulador.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vestaMar"));
    vestamar::FrmCalcProd janela;
    QApplication::setWindowIcon(janela.windowIcon());
    const QString pasta =
        vestamar::pastaDosParametros(QCoreApplication::applicationDirPath(), vestamar::pastaDoUsuario());
    vestamar::Simulador simulador(janela, vestamar::caminhoNativo(pasta), vestamar::separadoresDoSistema());
    simulador.iniciar();
    janela.show();
    return QApplication::exec();
}
