// vestaMar - Simulação de Resultados: the program opens its one window, with the parameters
// kept in vestaMar.ini beside the executable.

#include <QApplication>
#include <QFile>

#include <filesystem>

#include "frmcalcprod.h"
#include "regional.h"
#include "simulador.h"

namespace {

// The executable's folder as a native path.
std::filesystem::path pastaDoPrograma() {
    const QString pasta = QCoreApplication::applicationDirPath();
#ifdef _WIN32
    return std::filesystem::path(pasta.toStdWString());
#else
    return std::filesystem::path(QFile::encodeName(pasta).toStdString());
#endif
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vestaMar"));
    vestamar::carregarTraducoesDoQt(app);
    vestamar::FrmCalcProd janela;
    QApplication::setWindowIcon(janela.windowIcon());
    vestamar::Simulador simulador(janela, pastaDoPrograma(), vestamar::separadoresDoSistema());
    simulador.iniciar();
    janela.show();
    return QApplication::exec();
}
