// One session of the program, started as the program starts (the same window, the same choice
// of the parameter file's folder) and left through `Sair`, for the installed-layout tests:
//   vestamar_sessao <executable's folder> <answer to the question at Sair: sim|nao> [quantDeps]
// Prints where the file is ("pasta="), every message shown ("pergunta="), the quantDeps the start-up read ("lido="),
// whether the printing module loads from the executable's folder ("impressao=sim", or why not). With a third argument,
// quantDeps is changed before leaving. Exits 0 when the window closed, 3 when it stayed open.

#include <QApplication>
#include <QTextStream>
#include <QTimer>

#include "caminhos.h"
#include "frmcalcprod.h"
#include "impressao.h"
#include "local_parametros.h"
#include "regional.h"
#include "simulador.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vestaMar"));
    if (argc < 3) return 2;
    vestamar::FrmCalcProd janela;
    const vestamar::LocalParametros local = vestamar::localDosParametros(QString::fromLocal8Bit(argv[1]));
    const QString& pasta = local.pasta;
    vestamar::Simulador simulador(janela, vestamar::caminhoNativo(pasta), vestamar::separadoresDoSistema());
    if (!local.padroes.isEmpty()) simulador.lerPadroesDe(vestamar::caminhoNativo(local.padroes));
    QTextStream saida(stdout);
    // Every question is answered: "Sim" to leave without saving when asked, else the default.
    const bool sairSemGravar = QByteArray(argv[2]) == "sim";
    simulador.perguntar = [&](const vestamar::Simulador::Pergunta& p) {
        saida << "pergunta=" << QString(p.texto).replace(u'\n', u' ') << Qt::endl;
        const auto sim = p.botoes.indexOf(QStringLiteral("Sim"));
        return sairSemGravar && sim >= 0 ? static_cast<int>(sim) : p.comEnter;
    };
    simulador.mostrarFalha = [] { QCoreApplication::exit(5); };
    simulador.iniciar();
    janela.show();

    // The printing module where the installed program looks for it.
    const vestamar::ModuloImpressao impressao = vestamar::carregarModuloImpressao(QString::fromLocal8Bit(argv[1]));
    saida << "pasta=" << pasta << "\nlido=" << simulador.estado().quantDeps
          << "\nimpressao=" << (impressao.carregado() ? QStringLiteral("sim") : impressao.erro) << Qt::endl;
    if (argc > 3) simulador.estado().quantDeps = QByteArray(argv[3]).toShort();
    QTimer::singleShot(0, &janela, [&] {
        if (!janela.isVisible()) QCoreApplication::exit(4);
        simulador.sair();
        if (janela.isVisible()) QCoreApplication::exit(3);
    });
    return QApplication::exec();
}
