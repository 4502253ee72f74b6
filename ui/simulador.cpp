#include "simulador.h"

#include <QAction>
#include <QComboBox>
#include <QKeySequence>
#include <QCoreApplication>
#include <QEventLoop>
#include <QLockFile>
#include <QMessageBox>
#include <QPushButton>
#include <QScopedValueRollback>

#include <utility>

#include "cbutton.h"
#include "etextctl.h"
#include "frmcalcprod.h"
#include "impressao.h"
#include "impressora.h"
#include "memoria_janela.h"
#include "parametros_janela.h"
#include "regional.h"
#include "resultados.h"

namespace vestamar {

Simulador::Simulador(FrmCalcProd& janela, std::filesystem::path pasta, Separadores sep, QObject* parent)
    : QObject(parent), janela_(janela), pasta_(std::move(pasta)), sep_(std::move(sep)) {
    // A window whose controls are not made yet is listened to once they are (mostrarInicio).
    if (janela_.controlesMontados()) conectar();
    // The printed page names the parameter file in its footer.
    janela_.setProperty(kPropriedadeArquivo, caminhoArquivo());
}

Simulador::~Simulador() = default;

int Simulador::fazerPergunta(const Pergunta& p) {
    if (perguntar) return perguntar(p);
    QMessageBox caixa(QMessageBox::Warning, qtexto(kTituloFalha), p.texto, QMessageBox::NoButton, &janela_);
    QList<QPushButton*> botoes;
    for (const QString& rotulo : p.botoes) botoes << caixa.addButton(rotulo, QMessageBox::AcceptRole);
    if (p.comEnter >= 0 && p.comEnter < botoes.size()) {
        caixa.setDefaultButton(botoes[p.comEnter]);
        caixa.setEscapeButton(botoes[p.comEnter]);
    }
    caixa.exec();
    const auto i = botoes.indexOf(qobject_cast<QPushButton*>(caixa.clickedButton()));
    return i < 0 ? p.comEnter : static_cast<int>(i);
}

void Simulador::conectar() {
    // Every field's change, typed or written, built or kept while the panel waits.
    connect(&janela_, &FrmCalcProd::campoAlterado, this, [this](const QString& nome) {
        const ParametroJanela* p = parametroDoControle(nome.toStdString());
        if (p && p->ehCampo()) aoMudarCampo(*p);
    });
    conectarListas();
    connect(janela_.botao("Calcular"), &cbutton::Click, this, &Simulador::calcular);
    connect(janela_.botao("Tabelas"), &cbutton::Click, this, &Simulador::abrirTabelas);
    connect(janela_.botao("Sair"), &cbutton::Click, this, &Simulador::sair);
    connect(&janela_, &FrmCalcProd::botaoPressionado, this, [this](const QString& nome) {
        if (nome == QStringLiteral("carregarTabelas2026")) carregarTabelas2026();
    });
    // The results out of the window, from its context menu or the keyboard.
    auto* copiar = new QAction(QStringLiteral("Copiar resultados"), &janela_);
    copiar->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
    connect(copiar, &QAction::triggered, this, [this] { copiarResultados(janela_, memoria_, sep_); });
    janela_.addAction(copiar);
    auto* memoria = new QAction(QStringLiteral("Memória de cálculo"), &janela_);
    memoria->setShortcut(QKeySequence(Qt::Key_F2));
    connect(memoria, &QAction::triggered, this, &Simulador::abrirMemoria);
    janela_.addAction(memoria);
    janela_.setContextMenuPolicy(Qt::ActionsContextMenu);
    conectarImpressaoEAjuda(janela_, acoesDoModulo(janela_));
}

void Simulador::calcular() {
    ++execucoes_;
    executarCalculo(*this, estado_, sep_, &memoria_);
    // The workings are shown once the outermost run is over, all from the same run.
    if (--execucoes_ == 0) mostrarMemorias();
}

void Simulador::calcularSemAviso() {
    const QScopedValueRollback guarda(semAviso_, true);
    calcular();
}

void Simulador::mostrarMemorias() {
    for (const LinhaResultado& l : linhasDeResultado()) {
        if (!l.resultado) continue;
        for (const std::string_view nome : {l.antes.campo, l.depois.campo}) {
            if (nome.empty()) continue;
            const QString texto = qtexto(textoDaMemoria(memoria_, nome, sep_));
            ETextctl& c = campo(nome);
            c.setToolTip(texto);
            c.setAccessibleDescription(texto);
            c.setDesatualizado(memoria_.situacao(nome) == Situacao::naoCalculado);
        }
    }
    if (janelaMemoria_ && janelaMemoria_->isVisible()) janelaMemoria_->mostrar(memoria_, sep_);
}

void Simulador::abrirMemoria() {
    if (!janelaMemoria_) janelaMemoria_ = new JanelaMemoria(&janela_);
    janelaMemoria_->mostrar(memoria_, sep_);
    janelaMemoria_->show();
    janelaMemoria_->raise();
    janelaMemoria_->activateWindow();
}

// ---- The calculation's view of the window ----------------------------------------------

std::string Simulador::lerTexto(std::string_view nome) { return janela_.texto(nome).toStdString(); }

void Simulador::escreverTexto(std::string_view nome, const std::string& texto) {
    escrever(nome, QString::fromStdString(texto));
}

int Simulador::lerIndice(std::string_view nome) { return janela_.indice(nome); }

void Simulador::mostrarResultados() {
    if (QWidget* painel = janela_.painel()) {
        painel->move(FrmCalcProd::pixels(7600), painel->y());
        painel->hide();
    }
    controle("Label85").show();
    controle("selecModalidade").show();
    cobrirColunas(false);
    if (duranteCalculo) duranteCalculo();
    // Let the window repaint before the arithmetic, but hold the user's input back: a key
    // processed here would run its handler inside this run, with the field changing under it.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void Simulador::informarFalha() {
    if (semAviso_) return;
    if (mostrarFalha) {
        mostrarFalha();
        return;
    }
    fazerPergunta({qtexto(kMensagemFalha), {QStringLiteral("OK")}, 0});
}

// ---- Access to the window's controls -------------------------------------------------

void Simulador::escrever(std::string_view nome, const QString& texto) { janela_.escreverTexto(nome, texto); }

ETextctl& Simulador::campo(std::string_view nome) const { return *janela_.campo(nome); }
QWidget& Simulador::controle(std::string_view nome) const { return *janela_.controle(nome); }

void Simulador::moverTopo(std::string_view nome, int topoTwips) {
    QWidget& c = controle(nome);
    c.move(c.x(), FrmCalcProd::pixels(topoTwips));
}

void Simulador::moverEsquerda(std::string_view nome, int esquerdaTwips) {
    QWidget& c = controle(nome);
    c.move(FrmCalcProd::pixels(esquerdaTwips), c.y());
}

}  // namespace vestamar
