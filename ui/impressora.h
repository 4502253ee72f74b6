#pragma once
// Printing proper: the window on one page of the default printer, or in a PDF file. It needs
// Qt's print support and the print system's library, which the program loads only when the
// user first prints: this part is built as a module of its own that the program loads then
// (impressao.h), and as a library for the tests.
//
// The page is the window's client area with the controls that stay off paper hidden (the
// title `Titulo` shows where the banner was), and a footer with the date and time of printing
// and the parameter file's path (the window's property kPropriedadeArquivo). On paper a field
// never reads as something it is not: a figure the window shows as not current
// (`desatualizado`) reads "não calculado", and one too wide for its field (`encurtado`, "###"
// in the window) is drawn whole, smaller, or wider than the field. When there is no printer, or the print system
// refuses the job or it ends in error, the user is told so and may save the same page as a PDF
// file instead.

#include <QString>
#include <QWidget>

#include <functional>
#include <memory>

class QPrinter;

namespace vestamar {

// The window's property that holds the parameter file's path, for the page's footer.
inline constexpr char kPropriedadeArquivo[] = "arquivoParametros";

// The page's footer: "Impresso em <date and time> — Parâmetros: <path>".
QString rodapeDaPagina(const QWidget& janela);

// What printing needs from the machine and the user. The defaults ask the system for its
// default printer, hand the job to the print system and ask the user through the usual
// dialogs; each can be replaced (the tests do, so that they neither reach a real printer nor
// wait on a dialog).
struct AmbienteImpressao {
    // The default printer, ready for a page; nullptr when no printer is installed.
    std::function<std::unique_ptr<QPrinter>()> impressoraPadrao;
    // Prints one page on the printer: `pagina` draws it onto a printer (the printer itself,
    // or a PDF file of the printer's page size). Empty when the print system has the job;
    // otherwise why it will not print, for the user ("a impressora não está aceitando
    // trabalhos").
    std::function<QString(QPrinter& impressora, const std::function<bool(QPrinter&)>& pagina)> enviar;
    // Says that printing failed and asks whether to save a PDF file instead (true: save).
    std::function<bool(QWidget* janela, const QString& mensagem)> oferecerPdf;
    // Asks where to save the PDF file, suggesting a path; empty when the user gives up.
    std::function<QString(QWidget* janela, const QString& sugestao)> escolherArquivoPdf;
    // Says that the PDF file could not be written.
    std::function<void(QWidget* janela, const QString& mensagem)> avisar;
    // Whether the print service is running (asked when no printer is found: with the service
    // stopped, installed printers are not seen). Empty: taken as running.
    std::function<bool()> servicoEmExecucao;
};

// The system's printer and print system, and the usual dialogs. Where the print system is
// CUPS the page goes to it as a PDF file and its answer is examined (Qt's own CUPS printing
// reports a refused job as printed); elsewhere the page is drawn straight onto the printer.
AmbienteImpressao ambienteImpressaoPadrao();

// The file name suggested for the PDF, in the user's documents folder.
QString arquivoPdfSugerido();

// Draws the window, without the controls `foraDoPapel`, onto one page of the printer, which
// may be a real printer or a PDF file; the printer's resolution is set to the window's, so
// that text keeps its size. Those controls are shown again in every case, and the keyboard
// focus is where it was. False when the page could not be produced.
bool imprimirPagina(QWidget& janela, const QWidgetList& foraDoPapel, QPrinter& impressora);

// `Imprimir` pressed: prints on the default printer, or offers a PDF file when that fails.
void imprimir(QWidget& janela, const QWidgetList& foraDoPapel, const AmbienteImpressao& ambiente);

// "Salvar PDF…": the same page saved as a PDF file the user chooses (the dialog of the PDF
// offer); the user is told when the file cannot be written.
void salvarComoPdf(QWidget& janela, const QWidgetList& foraDoPapel, const AmbienteImpressao& ambiente);

}  // namespace vestamar
