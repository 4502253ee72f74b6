// The program's start-up as the user gets it, in the program's order (Qt's translations
// loaded, the file's lock started, the window built, the parameters read and shown, both
// columns calculated, the window shown), ending as soon as the window has been shown. The
// parameter file is kept in the folder given as the argument.

#include <QApplication>
#include <QTimer>

#include <filesystem>
#include <memory>

#include "frmcalcprod.h"
#include "memoria_processo.h"
#include "regional.h"
#include "simulador.h"
#include "trava.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vestaMar"));
    vestamar::carregarTraducoesDoQt(app);
    const std::filesystem::path pasta = argc > 1 ? argv[1] : ".";
    auto trava = std::make_unique<vestamar::TravaDoArquivo>(vestamar::caminhoArquivo(pasta));
    vestamar::FrmCalcProd janela;
    vestamar::Simulador simulador(janela, pasta, vestamar::separadoresDoSistema());
    simulador.usarTrava(std::move(trava));
    simulador.iniciar();
    janela.show();
    QTimer::singleShot(0, &app, [] {
        relatarMostrada();
        QCoreApplication::quit();
    });
    return QApplication::exec();
}
