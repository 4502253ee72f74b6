// vestaMar - Simulação de Resultados: the program opens its one window, with the parameters
// kept in vestaMar.ini in the user's configuration folder when installed, beside the executable
// otherwise when that folder can be written (local_parametros.h).

#include <QApplication>
#include <QScreen>

#include <filesystem>
#include <memory>

#include "frmcalcprod.h"
#include "local_parametros.h"
#include "moldura.h"
#include "regional.h"
#include "simulador.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vestaMar"));
    vestamar::carregarTraducoesDoQt(app);
    const vestamar::LocalParametros local = vestamar::localDosParametros(QCoreApplication::applicationDirPath());
    const std::filesystem::path pasta = vestamar::caminhoNativo(local.pasta);
    // The file's lock waits for the disk while the window is being built.
    auto trava = std::make_unique<vestamar::TravaDoArquivo>(vestamar::caminhoArquivo(pasta));
    const vestamar::Separadores sep = vestamar::separadoresDoSistema();
    // The window is handed to the window system with its size, caption and colours before its
    // controls are made: making them first reads the system's fonts, which would keep the
    // window off the screen that much longer. They are made before anything is drawn.
    vestamar::FrmCalcProd janela(sep, nullptr, vestamar::Montagem::Adiada);
    vestamar::Simulador simulador(janela, pasta, sep);
    simulador.usarTrava(std::move(trava));
    if (!local.padroes.isEmpty()) simulador.lerPadroesDe(vestamar::caminhoNativo(local.padroes));
    if (!simulador.abrirArquivo()) return 0;
    // On a screen too small for the window (large scaling), its content scrolls in a frame.
    const auto moldura = vestamar::molduraSeNaoCouber(janela, QGuiApplication::primaryScreen()->availableGeometry());
    if (moldura) {
        moldura->show();
    } else {
        janela.show();
    }
    // The request to show the window leaves for the window system now, not at the first turn
    // of the event loop after the controls are made.
    QGuiApplication::sync();
    simulador.mostrarInicio();
    return QApplication::exec();
}
