// vestaMar - Simulação de Resultados: the program opens its one window, with the parameters
// kept in vestaMar.ini in the user's configuration folder when installed, beside the executable
// otherwise when that folder can be written (local_parametros.h).
//
// From the command line, for scripts:
//   vestamar --parametros FILE            opens with the parameter set FILE
//   vestamar --relatorio OUT.pdf [--parametros FILE]
//                                         writes the simulation's report and exits, showing no
//                                         window: status 0, or 1 with the reason on standard
//                                         error (a set that cannot be read, a report that
//                                         cannot be written); 2 for a command line it does
//                                         not understand.

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QScreen>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <optional>

#include "arquivo_parametros.h"
#include "caminhos.h"
#include "frmcalcprod.h"
#include "local_parametros.h"
#include "moldura.h"
#include "regional.h"
#include "simulador.h"

namespace {

// True when the command line asks for the report only.
bool pedeRelatorio(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--relatorio", 11) == 0) return true;
    }
    return false;
}

int falhar(const QString& motivo) {
    std::fprintf(stderr, "vestamar: %s\n", motivo.toLocal8Bit().constData());
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    const bool soRelatorio = pedeRelatorio(argc, argv);
    // The report needs no screen: a script may run it where there is none.
    if (soRelatorio && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vestaMar"));
    vestamar::carregarTraducoesDoQt(app);

    QCommandLineParser linha;
    linha.setApplicationDescription(vestamar::qtexto(vestamar::kNomePrograma));
    linha.addHelpOption();
    const QCommandLineOption parametros(QStringLiteral("parametros"),
                                        QStringLiteral("Abre com o conjunto de parâmetros <arquivo>."),
                                        QStringLiteral("arquivo"));
    const QCommandLineOption relatorio(QStringLiteral("relatorio"),
                                       QStringLiteral("Grava o relatório da simulação em <arquivo.pdf> e sai, "
                                                      "sem mostrar a janela."),
                                       QStringLiteral("arquivo.pdf"));
    linha.addOptions({parametros, relatorio});
    if (!linha.parse(QCoreApplication::arguments()) || !linha.positionalArguments().isEmpty()) {
        const QString erro =
            linha.errorText().isEmpty()
                ? QStringLiteral("argumento não reconhecido: %1").arg(linha.positionalArguments().join(u' '))
                : linha.errorText();
        falhar(erro);
        return 2;
    }
    if (linha.isSet(QStringLiteral("help"))) linha.showHelp(0);

    const vestamar::LocalParametros local = vestamar::localDosParametros(QCoreApplication::applicationDirPath());
    const std::filesystem::path pasta = vestamar::caminhoNativo(local.pasta);
    std::optional<std::filesystem::path> conjunto;
    if (linha.isSet(parametros))
        conjunto = vestamar::caminhoNativo(QDir::cleanPath(QDir::current().absoluteFilePath(linha.value(parametros))));
    // The file's lock waits for the disk while the window is being built; the report only
    // reads the file and takes none.
    std::unique_ptr<vestamar::TravaDoArquivo> trava;
    if (!soRelatorio) {
        trava = std::make_unique<vestamar::TravaDoArquivo>(conjunto ? vestamar::caminhoDoConjunto(*conjunto)
                                                                    : vestamar::caminhoArquivo(pasta));
    }
    const vestamar::Separadores sep = vestamar::separadoresDoSistema();
    // The window is handed to the window system with its size, caption and colours before its
    // controls are made: making them first reads the system's fonts, which would keep the
    // window off the screen that much longer. They are made before anything is drawn. The
    // report, which shows nothing, makes them at once.
    vestamar::FrmCalcProd janela(sep, nullptr, soRelatorio ? vestamar::Montagem::Imediata : vestamar::Montagem::Adiada);
    vestamar::Simulador simulador(janela, pasta, sep);
    if (conjunto && !simulador.usarConjunto(*conjunto)) {
        return falhar(
            QStringLiteral("não foi possível ler o arquivo de parâmetros \"%1\".").arg(linha.value(parametros)));
    }

    if (soRelatorio) {
        simulador.semTrava();
        simulador.mostrarFalha = [] {};
        simulador.perguntar = [](const vestamar::Simulador::Pergunta& p) {
            std::fprintf(stderr, "vestamar: %s\n", p.texto.toLocal8Bit().constData());
            return p.comEnter;
        };
        if (!conjunto && !local.padroes.isEmpty()) simulador.lerPadroesDe(vestamar::caminhoNativo(local.padroes));
        if (!simulador.iniciar()) return 1;
        // The window is laid out as if shown, so the report reads what it would show, but
        // nothing reaches the screen.
        janela.setAttribute(Qt::WA_DontShowOnScreen);
        janela.show();
        const QString erro = simulador.gravarRelatorio(linha.value(relatorio));
        return erro.isEmpty() ? 0 : falhar(erro);
    }

    simulador.usarTrava(std::move(trava));
    if (const QString usuario = vestamar::pastaDoUsuario(); !usuario.isEmpty()) {
        simulador.usarListaDeRecentes(QDir(usuario).filePath(QStringLiteral("recentes.ini")));
    }
    if (!conjunto && !local.padroes.isEmpty()) simulador.lerPadroesDe(vestamar::caminhoNativo(local.padroes));
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
