// "Relatório da simulação" (Ctrl+R): what the window shows gathered for the report, which the
// printing module lays out and writes (relatorio.h).

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QKeySequence>
#include <QStandardPaths>

#include <type_traits>

#include "frmcalcprod.h"
#include "impressao.h"
#include "layout_janela.h"
#include "memoria_janela.h"
#include "parametros_janela.h"
#include "regional.h"
#include "resultados.h"
#include "simulador.h"

namespace vestamar {

Relatorio Simulador::relatorio() const {
    Relatorio r;
    r.titulo = qtexto(kNomePrograma);
    r.conjunto = textoCaminho(arquivo_.filename());
    r.caminho = caminhoArquivo();
    r.quando = QDateTime::currentDateTime();
    r.modalidade = janela_.lista("selecModalidade")->currentText();
    r.colunas = celulasDeResultados(janela_, memoria_, sep_);
    // The panel's parameters in the panel's order, each by its field's caption and as shown.
    for (const Controle& c : layoutJanela()) {
        const ParametroJanela* p = c.conteiner.empty() ? nullptr : parametroDoControle(c.nome);
        if (!p) continue;
        QString valor;
        if (p->exibicao == Exibicao::Marcacao) {
            valor = janela_.indice(p->controle) == 1 ? QStringLiteral("Sim") : QStringLiteral("Não");
        } else if (p->ehLista()) {
            const int i = janela_.indice(p->controle);
            valor = i == 0 ? qtexto(p->item0) : i == 1 ? qtexto(p->item1) : QString();
        } else {
            valor = janela_.texto(p->controle);
        }
        r.parametros.append({qtexto(c.acessivel.empty() ? c.nome : c.acessivel), valor});
    }
    for (const MemoriaDaLinha& m : memoriasDasLinhas(memoria_, sep_)) r.memorias.append({m.coluna, m.rotulo, m.texto});
    return r;
}

QString Simulador::gravarRelatorio(const QString& arquivo) const {
    const ModuloImpressao& modulo = moduloDoPrograma();
    if (!modulo.carregado()) {
        return QStringLiteral("Não foi possível carregar a impressão do programa: %1").arg(modulo.erro);
    }
    const Relatorio dados = relatorio();
    QString erro;
    modulo.gravarRelatorio(&dados, &arquivo, &erro);
    return erro;
}

void Simulador::conectarRelatorio() {
    auto* acao = new QAction(QStringLiteral("Relatório da simulação…"), &janela_);
    acao->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    connect(acao, &QAction::triggered, this, [this] {
        QString arquivo;
        if (escolherArquivoRelatorio) {
            arquivo = escolherArquivoRelatorio();
        } else {
            const QString nome = QStringLiteral("Relatório - %1.pdf").arg(textoCaminho(arquivo_.stem()));
            const QString pasta = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
            arquivo = QFileDialog::getSaveFileName(&janela_, QStringLiteral("Relatório da simulação"),
                                                   QDir(pasta).filePath(nome), QStringLiteral("PDF (*.pdf)"));
        }
        if (arquivo.isEmpty()) return;
        if (const QString erro = gravarRelatorio(arquivo); !erro.isEmpty())
            fazerPergunta({erro, {QStringLiteral("OK")}, 0});
    });
    auto* grupo = new QAction(&janela_);
    grupo->setSeparator(true);
    janela_.addActions({grupo, acao});
}

}  // namespace vestamar
