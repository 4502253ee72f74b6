#pragma once
// `Imprimir` and `Help`: the window on paper and the help page in the browser.
//
// `Imprimir` hides the banner and the five buttons, draws the window's client area as it then
// looks onto one page of the default printer with a footer (the date and time, and the
// parameter file's path, which the window carries as its property kPropriedadeArquivo), and
// shows the six controls again; when that fails the user may save the page as a PDF file instead
// (impressora.h). The printing itself is a module of its own, loaded the first time the user
// prints, so that Qt's print support and the print system's library are not loaded at every
// start for a window that may never print. `Help` (also F1) opens the help page in the
// default web browser. Neither touches the parameters or the results.

#include <QString>
#include <QUrl>
#include <QWidget>

#include <functional>
#include <string_view>

namespace vestamar {

class FrmCalcProd;

// The help server and the page of this program on it.
inline constexpr std::string_view kHostAjuda = "ajuda.vestamar.com.br";
inline constexpr std::string_view kPaginaAjuda = "/index.php?View=entry&EntryID=47";

// "http://", the host, then the page.
QUrl enderecoAjuda();

// `Help` pressed: opens the help page; where no browser opens it, a message gives its
// address as text the user can select and copy.
void abrirAjuda(QWidget* janela);

// The controls that stay off paper: the banner and the five buttons.
QWidgetList foraDoPapel(FrmCalcProd& janela);

// An entry point of the printing module: the window, and the controls that stay off paper.
using EntradaImpressao = void (*)(QWidget* janela, const QWidgetList* foraDoPapel);

// The printing module, loaded: its two entry points, or why it could not be loaded.
struct ModuloImpressao {
    EntradaImpressao imprimir = nullptr;
    EntradaImpressao salvarComoPdf = nullptr;
    QString erro;
    bool carregado() const { return imprimir && salvarComoPdf; }
};

// Loads the printing module from the executable's folder (the build) or from the modules
// folder of the installed layout, relative to it.
ModuloImpressao carregarModuloImpressao(const QString& pastaDoExecutavel);

// What the window's printing does when asked.
struct AcoesImpressao {
    std::function<void()> imprimir;       // `Imprimir`
    std::function<void()> salvarComoPdf;  // "Salvar PDF…"
};

// Printing through the module, loaded beside the running program the first time either is
// asked for; when it cannot be loaded, the user is told why.
AcoesImpressao acoesDoModulo(FrmCalcProd& janela);

// Attaches the `Imprimir` and `Help` buttons of the window, printing with `acoes`; F1
// presses `Help`; "Salvar PDF…" (Ctrl+Shift+S) joins the window's context menu.
void conectarImpressaoEAjuda(FrmCalcProd& janela, AcoesImpressao acoes);

}  // namespace vestamar
