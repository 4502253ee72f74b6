// Parameter sets: each client's parameters in a file of its own, in vestaMar.ini's format.
//
// The open set is the file the window reads at start-up (vestaMar.ini, or the one given on the
// command line) or the one the user last opened or saved as. `Sair` saves to it, its lock is
// held while it is open, and a save that drops unreadable lines keeps its .bak. The recent
// sets are listed in a file of their own in the user's configuration folder, so vestaMar.ini
// keeps its keys and bytes.

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeySequence>
#include <QMenu>
#include <QScopedValueRollback>
#include <QSettings>

#include "caminhos.h"
#include "frmcalcprod.h"
#include "regional.h"
#include "simulador.h"

namespace vestamar {

namespace {

inline constexpr qsizetype kMaxRecentes = 5;
const QString kChaveRecentes = QStringLiteral("conjuntos");

// The path the list keeps: absolute and clean, so the same file is listed once.
QString caminhoDaLista(const std::filesystem::path& arquivo) {
    return QDir::cleanPath(QFileInfo(textoDoCaminho(arquivo)).absoluteFilePath());
}

}  // namespace

bool Simulador::usarConjunto(const std::filesystem::path& arquivo) {
    ParametrosSimulacao lido;
    const std::optional<ResultadoLeitura> r = lerConjunto(arquivo, lido, sep_);
    if (!r) return false;
    estado_ = lido;
    ilegiveis_ = r->ilegiveis;
    arquivo_ = arquivo;
    semArquivo_ = false;
    pastaPadroes_.clear();
    conjuntoLido_ = true;
    return true;
}

void Simulador::usarListaDeRecentes(const QString& arquivo) {
    arquivoRecentes_ = arquivo;
    recentes_ = QSettings(arquivo, QSettings::IniFormat).value(kChaveRecentes).toStringList();
}

QStringList Simulador::conjuntosRecentes() {
    const qsizetype antes = recentes_.size();
    recentes_.removeIf([](const QString& c) { return !QFileInfo(c).isFile(); });
    if (recentes_.size() != antes && !arquivoRecentes_.isEmpty()) {
        QSettings(arquivoRecentes_, QSettings::IniFormat).setValue(kChaveRecentes, recentes_);
    }
    return recentes_;
}

void Simulador::lembrarConjunto() {
    const QString atual = caminhoDaLista(arquivo_);
    recentes_.removeAll(atual);
    recentes_.prepend(atual);
    if (recentes_.size() > kMaxRecentes) recentes_.resize(kMaxRecentes);
    if (!arquivoRecentes_.isEmpty())
        QSettings(arquivoRecentes_, QSettings::IniFormat).setValue(kChaveRecentes, recentes_);
}

void Simulador::marcarGravado() { gravado_ = conteudoParametros(Conteudo::Estado, estado_, sep_); }

bool Simulador::parametrosAlterados() const { return conteudoParametros(Conteudo::Estado, estado_, sep_) != gravado_; }

std::unique_ptr<TravaDoArquivo> Simulador::travaDoConjunto(const std::filesystem::path& arquivo) {
    auto trava = std::make_unique<TravaDoArquivo>(caminhoDoConjunto(arquivo));
    if (trava->travar()) return trava;
    const int r =
        fazerPergunta({QStringLiteral("Outra cópia do programa está usando o arquivo de parâmetros \"%1\".\n\n"
                                      "Se continuar, os parâmetros desta cópia só serão gravados ao sair se você "
                                      "confirmar, para não apagar os da outra.")
                           .arg(textoCaminho(caminhoDoConjunto(arquivo))),
                       {QStringLiteral("Continuar"), QStringLiteral("Cancelar")},
                       1});
    return r == 0 ? std::move(trava) : nullptr;
}

void Simulador::trocarConjunto(const std::filesystem::path& arquivo, std::unique_ptr<TravaDoArquivo> trava) {
    arquivo_ = arquivo;
    trava_ = std::move(trava);
    semArquivo_ = false;
    pastaPadroes_.clear();
    atualizarLegenda();
    lembrarConjunto();
}

bool Simulador::abrirConjunto(const std::filesystem::path& arquivo) {
    if (parametrosAlterados()) {
        const int r = fazerPergunta(
            {QStringLiteral("Os parâmetros de \"%1\" foram alterados.\n\nGravar as alterações antes de abrir \"%2\"?")
                 .arg(textoCaminho(arquivo_.filename()), textoCaminho(arquivo.filename())),
             {QStringLiteral("Gravar"), QStringLiteral("Descartar"), QStringLiteral("Cancelar")},
             2});
        if (r == 2) return false;
        if (r == 0 &&
            !gravarConjuntoAberto(QStringLiteral("Abrir o outro conjunto sem gravar? As alterações serão perdidas."))) {
            return false;
        }
    }
    ParametrosSimulacao lido;
    const std::optional<ResultadoLeitura> r = lerConjunto(arquivo, lido, sep_);
    if (!r) {
        fazerPergunta(
            {QStringLiteral("Não foi possível ler o arquivo de parâmetros \"%1\".").arg(textoCaminho(arquivo)),
             {QStringLiteral("OK")},
             0});
        return false;
    }
    auto trava = travaDoConjunto(arquivo);
    if (!trava) return false;
    estado_ = lido;
    ilegiveis_ = r->ilegiveis;
    trocarConjunto(arquivo, std::move(trava));
    estado_.montarTabelaIR();
    mostrarParametros();
    {
        // The modality chosen stays: its fields show the new set's values.
        const QScopedValueRollback calmo(mostrandoParametros_, true);
        aoMudarModalidade();
    }
    calcular();
    marcarGravado();
    avisarLinhasIlegiveis();
    return true;
}

bool Simulador::salvarConjuntoComo(const std::filesystem::path& arquivo) {
    std::error_code ec;
    const bool mesmo = arquivo == arquivo_ || std::filesystem::equivalent(arquivo, arquivo_, ec);
    std::unique_ptr<TravaDoArquivo> trava;
    if (!mesmo) {
        trava = travaDoConjunto(arquivo);
        if (!trava) return false;
    }
    const ResultadoGravacao r = gravarConjunto(Conteudo::Estado, arquivo, estado_, sep_);
    if (!r.ok) {
        fazerPergunta({QStringLiteral("Não foi possível gravar os parâmetros em \"%1\":\n%2")
                           .arg(textoCaminho(r.arquivo), QString::fromStdString(r.motivo)),
                       {QStringLiteral("OK")},
                       0});
        return false;
    }
    // The file just written has every line readable.
    ilegiveis_.clear();
    if (!mesmo) trocarConjunto(arquivo, std::move(trava));
    marcarGravado();
    return true;
}

void Simulador::conectarConjuntos() {
    // The file dialogs, in the user's language (Qt's translations), showing *.ini files.
    const auto escolher = [this](bool salvar) -> QString {
        if (escolherArquivoConjunto) return escolherArquivoConjunto(salvar);
        QFileDialog dialogo(&janela_,
                            salvar ? QStringLiteral("Salvar parâmetros como") : QStringLiteral("Abrir parâmetros"),
                            textoDoCaminho(arquivo_.parent_path()), QStringLiteral("Parâmetros (*.ini)"));
        dialogo.setAcceptMode(salvar ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        dialogo.setFileMode(salvar ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
        dialogo.setDefaultSuffix(QStringLiteral("ini"));
        if (dialogo.exec() != QDialog::Accepted || dialogo.selectedFiles().isEmpty()) return {};
        return dialogo.selectedFiles().constFirst();
    };
    auto* abrir = new QAction(QStringLiteral("Abrir parâmetros…"), &janela_);
    abrir->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    connect(abrir, &QAction::triggered, this, [this, escolher] {
        const QString f = escolher(false);
        if (!f.isEmpty()) abrirConjunto(caminhoNativo(f));
    });
    // Ctrl+Shift+S saves the PDF; F12 is the usual key of "save as".
    auto* salvar = new QAction(QStringLiteral("Salvar parâmetros como…"), &janela_);
    salvar->setShortcut(QKeySequence(Qt::Key_F12));
    connect(salvar, &QAction::triggered, this, [this, escolher] {
        const QString f = escolher(true);
        if (!f.isEmpty()) salvarConjuntoComo(caminhoNativo(f));
    });
    // The recent sets, built each time the menu opens: files gone since are left out.
    auto* menu = new QMenu(&janela_);
    auto* recentes = new QAction(QStringLiteral("Parâmetros recentes"), &janela_);
    recentes->setMenu(menu);
    connect(menu, &QMenu::aboutToShow, this, [this, menu] {
        menu->clear();
        for (const QString& c : conjuntosRecentes()) {
            QAction* a = menu->addAction(QDir::toNativeSeparators(c));
            a->setEnabled(caminhoDaLista(arquivo_) != c);
            connect(a, &QAction::triggered, this, [this, c] { abrirConjunto(caminhoNativo(c)); });
        }
    });
    auto* grupo = new QAction(&janela_);
    grupo->setSeparator(true);
    janela_.addActions({grupo, abrir, salvar, recentes});
}

}  // namespace vestamar
