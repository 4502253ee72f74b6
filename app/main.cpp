// vestaMar - Simulação de Resultados: the program opens its one window, with the parameters
// kept in vestaMar.ini beside the executable or, where that folder cannot be written, in the
// user's configuration folder (local_parametros.h).

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
    const std::filesystem::path pasta = vestamar::caminhoNativo(
        vestamar::pastaDosParametros(QCoreApplication::applicationDirPath(), vestamar::pastaDoUsuario()));
    // The file's lock waits for the disk while the window is being built.
    auto trava = std::make_unique<vestamar::TravaDoArquivo>(vestamar::caminhoArquivo(pasta));
    vestamar::FrmCalcProd janela;
    vestamar::Simulador simulador(janela, pasta, vestamar::separadoresDoSistema());
    simulador.usarTrava(std::move(trava));
    if (!simulador.iniciar()) return 0;
    // On a screen too small for the window (large scaling), its content scrolls in a frame.
    const auto moldura = vestamar::molduraSeNaoCouber(janela, QGuiApplication::primaryScreen()->availableGeometry());
    if (moldura) {
        moldura->show();
    } else {
        janela.show();
    }
    return QApplication::exec();
}
