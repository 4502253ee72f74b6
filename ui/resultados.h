#pragma once
// The columns out of the window: every row they show, entries and results, with the difference
// of the two columns, for the clipboard ("Copiar resultados") and for tests that read it back.

#include <QString>

#include "memoria.h"
#include "texto_numero.h"

namespace vestamar {

class FrmCalcProd;

// What a cell says for a figure the last calculation could not produce.
inline constexpr std::string_view kNaoCalculado = "não calculado";

struct TabelaResultados {
    QString texto;  // tab-separated: a header line, then one line per row
    QString html;   // the same table in a complete HTML document declared as UTF-8
};

// Every row the columns show (linhas.h), in the window's order: caption, ANTES, DEPOIS and
// DEPOIS minus ANTES, numbers as shown. A row hidden in the current modality is left out; a
// figure the last calculation did not produce reads "não calculado", never an older figure;
// the difference is empty where either side is not a number.
TabelaResultados tabelaDeResultados(const FrmCalcProd& janela, const MemoriaCalculo& memoria, const Separadores& sep);

// Puts the table on the clipboard, as plain text and as HTML.
void copiarResultados(const FrmCalcProd& janela, const MemoriaCalculo& memoria, const Separadores& sep);

}  // namespace vestamar
