#include "impressao.h"

#include <QAction>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QLibrary>
#include <QMessageBox>

#include <array>

#include "cbutton.h"
#include "frmcalcprod.h"
#include "regional.h"

namespace vestamar {

namespace {

// The controls that stay off paper, in the order they are hidden and shown again. The two
// scenario headings stay on it: without them the page has two unlabelled columns.
constexpr std::array<std::string_view, 6> kForaDoPapel{"Image1", "Help", "Tabelas", "Sair", "Calcular", "Imprimir"};

// Calls an entry point of the module, or tells the user why printing is not available.
void chamarModulo(FrmCalcProd& janela, EntradaImpressao ModuloImpressao::*entrada) {
    const ModuloImpressao& modulo = moduloDoPrograma();
    if (!modulo.carregado()) {
        QMessageBox::warning(
            &janela, QStringLiteral("Imprimir"),
            QStringLiteral("Não foi possível carregar a impressão do programa.\n\n%1").arg(modulo.erro));
        return;
    }
    const QWidgetList fora = foraDoPapel(janela);
    (modulo.*entrada)(&janela, &fora);
}

}  // namespace

const ModuloImpressao& moduloDoPrograma() {
    static const ModuloImpressao modulo = carregarModuloImpressao(QCoreApplication::applicationDirPath());
    return modulo;
}

QUrl enderecoAjuda() { return QUrl(QStringLiteral("http://") + qtexto(kHostAjuda) + qtexto(kPaginaAjuda)); }

void abrirAjuda(QWidget* janela) {
    if (QDesktopServices::openUrl(enderecoAjuda())) return;
    QMessageBox caixa(QMessageBox::Information, QStringLiteral("Help"),
                      QStringLiteral("Não foi possível abrir um navegador para a ajuda.\n\n"
                                     "O endereço da página de ajuda é:\n%1")
                          .arg(enderecoAjuda().toString()),
                      QMessageBox::Ok, janela);
    caixa.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    caixa.exec();
}

QWidgetList foraDoPapel(FrmCalcProd& janela) {
    QWidgetList controles;
    for (const std::string_view nome : kForaDoPapel) controles.append(janela.controle(nome));
    return controles;
}

ModuloImpressao carregarModuloImpressao(const QString& pastaDoExecutavel) {
    ModuloImpressao modulo;
    const QDir pasta(pastaDoExecutavel);
    for (const QString& onde : {pasta.path(), pasta.filePath(QStringLiteral(VESTAMAR_PASTA_MODULOS))}) {
        // QLibrary adds the platform's prefix and suffix (libvestamar_impressora.so).
        QLibrary biblioteca(QDir(onde).filePath(QStringLiteral("vestamar_impressora")));
        if (!biblioteca.load()) {
            modulo.erro = biblioteca.errorString();  // the installed layout's reason is the last
            continue;
        }
        // The library stays loaded for the rest of the session.
        modulo.imprimir = reinterpret_cast<EntradaImpressao>(biblioteca.resolve("vestamar_imprimir"));
        modulo.salvarComoPdf = reinterpret_cast<EntradaImpressao>(biblioteca.resolve("vestamar_salvarComoPdf"));
        modulo.gravarRelatorio = reinterpret_cast<EntradaRelatorio>(biblioteca.resolve("vestamar_gravarRelatorio"));
        if (!modulo.carregado()) modulo.erro = biblioteca.errorString();
        return modulo;
    }
    return modulo;
}

AcoesImpressao acoesDoModulo(FrmCalcProd& janela) {
    return {[&janela] { chamarModulo(janela, &ModuloImpressao::imprimir); },
            [&janela] { chamarModulo(janela, &ModuloImpressao::salvarComoPdf); }};
}

void conectarImpressaoEAjuda(FrmCalcProd& janela, AcoesImpressao acoes) {
    // "Salvar PDF…" on the window's context menu: the printed page, as a file.
    auto* pdf = new QAction(QStringLiteral("Salvar PDF…"), &janela);
    pdf->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    QObject::connect(pdf, &QAction::triggered, &janela, acoes.salvarComoPdf);
    janela.addAction(pdf);
    QObject::connect(janela.botao("Imprimir"), &cbutton::Click, &janela, acoes.imprimir);
    cbutton* ajuda = janela.botao("Help");
    ajuda->setShortcut(QKeySequence(Qt::Key_F1));
    QObject::connect(ajuda, &cbutton::Click, &janela, [&janela] { abrirAjuda(&janela); });
}

}  // namespace vestamar
