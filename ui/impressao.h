#pragma once
// `Imprimir` and `Help`: the window on paper and the help page in the browser.

namespace vestamar {

class FrmCalcProd;

// Attaches the `Imprimir` and `Help` buttons of the window.
void conectarImpressaoEAjuda(FrmCalcProd& janela);

}  // namespace vestamar
