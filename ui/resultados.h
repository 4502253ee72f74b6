#pragma once
// The results out of the window: both columns and their difference as a table, for the
// clipboard ("Copiar resultados") and for tests that read it back.

#include <QString>

#include "texto_numero.h"

namespace vestamar {

class FrmCalcProd;

struct TabelaResultados {
    QString texto;  // tab-separated: a header line, then one line per row of results
    QString html;   // the same as an HTML table, for word processors
};

// Every row of results as the window shows it: caption, ANTES, DEPOIS and DEPOIS minus ANTES
// (empty where the row has no ANTES figure or a figure is not a number), numbers as shown.
TabelaResultados tabelaDeResultados(const FrmCalcProd& janela, const Separadores& sep);

// Puts the table on the clipboard, as plain text and as HTML.
void copiarResultados(const FrmCalcProd& janela, const Separadores& sep);

}  // namespace vestamar
