// vestaMar - Simulação de Resultados: the program opens its one window, with the parameters
// kept in vestaMar.ini in the user's configuration folder when installed, beside the executable
// otherwise when that folder can be written (local_parametros.h).

#include <QApplication>
#include <QDir>
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
    vestamar::FrmCalcProd janela;
    vestamar::Simulador simulador(janela, pasta, vestamar::separadoresDoSistema());
    simulador.usarTrava(std::move(trava));
    if (const QString usuario = vestamar::pastaDoUsuario(); !usuario.isEmpty()) {
        simulador.usarListaDeRecentes(QDir(usuario).filePath(QStringLiteral("recentes.ini")));
    }
    if (!local.padroes.isEmpty()) simulador.lerPadroesDe(vestamar::caminhoNativo(local.padroes));
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
