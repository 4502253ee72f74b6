// The printing module's entry points, which the program finds by name when the user first
// prints (impressao.cpp): the page on the default printer, with the PDF offer when that fails,
// and "Salvar PDF…", both through the system's printer and dialogs.

#include <QtGlobal>

#include <type_traits>

#include "impressao.h"
#include "impressora.h"
#include "relatorio.h"

extern "C" Q_DECL_EXPORT void vestamar_imprimir(QWidget* janela, const QWidgetList* foraDoPapel) {
    vestamar::imprimir(*janela, *foraDoPapel, vestamar::ambienteImpressaoPadrao());
}

extern "C" Q_DECL_EXPORT void vestamar_salvarComoPdf(QWidget* janela, const QWidgetList* foraDoPapel) {
    vestamar::salvarComoPdf(*janela, *foraDoPapel, vestamar::ambienteImpressaoPadrao());
}

// Each entry point has the type the program calls it through.
static_assert(std::is_same_v<decltype(&vestamar_imprimir), vestamar::EntradaImpressao>);
static_assert(std::is_same_v<decltype(&vestamar_salvarComoPdf), vestamar::EntradaImpressao>);

// "Relatório da simulação": the report written as a PDF file.
extern "C" Q_DECL_EXPORT bool vestamar_gravarRelatorio(const vestamar::Relatorio* relatorio, const QString* arquivo,
                                                       QString* erro) {
    *erro = vestamar::gravarRelatorioPdf(*relatorio, *arquivo);
    return erro->isEmpty();
}
static_assert(std::is_same_v<decltype(&vestamar_gravarRelatorio), vestamar::EntradaRelatorio>);
