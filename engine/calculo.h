#pragma once
// The calculation run: fills every result field of both scenarios, ANTES and DEPOIS.
//
// The run works against an abstract view of the window. Results live only as field texts:
// each result is formatted, written, and read back as shown by every later step, so later
// steps work on whole cents. The run keeps no state between or across runs; a write may
// call back into the caller (the window runs the field's handler, which may start a nested
// run) and that is safe.
//
// What the run reads, by source:
// - entry fields of the columns, named by their rows (linhas.h): the production, the cost
//   allowance and, in mode "Plantões", the hourly amount, shifts and hours per shift, as money
//   or double (the ANTES production also as a double, for its special fund); the panel's fields InssTerc, tetoINSS
//   (only to compare with InssTerc), abatDep as money, and its rates and the number of dependants as double;
// - the stored parameters (ParametrosSimulacao): the INSS ceiling in the arithmetic, the
//   administrative fee's and the ISS's options, the ISS rate, the allowances' rates, factors and
//   cap, the bracket table, the simplified discount and the income-tax reduction;
// - list indexes: selecModalidade (1 "Plantões"), selecBaseDSR (1 "Prod+Adic");
// - the results written earlier in the same run, read back as shown.

#include <string>
#include <string_view>

#include "memoria.h"
#include "parametros.h"
#include "texto_numero.h"

namespace vestamar {

class VisaoCalculo {
public:
    virtual ~VisaoCalculo() = default;

    // The current text of the named field.
    virtual std::string lerTexto(std::string_view campo) = 0;
    // Replaces the text of the named field (may run that field's handler before returning).
    virtual void escreverTexto(std::string_view campo, const std::string& texto) = 0;
    // The selected index of the named list, -1 when nothing is selected.
    virtual int lerIndice(std::string_view lista) = 0;
    // The results view: Frame1 moved to Left 7600 twips and hidden, Label85 and
    // selecModalidade shown, then pending window events let through once.
    virtual void mostrarResultados() = 0;
    // The run failed; called once per failed run, after which the run ends.
    virtual void informarFalha() = 0;
};

// The message and title of the failure dialog.
inline constexpr std::string_view kMensagemFalha = "Ocorreu erro no procedimento de cálculo.";
inline constexpr std::string_view kTituloFalha = "Atenção !";

// Runs the whole calculation. Returns true when every result was written, false after a
// failure (the failing step wrote nothing, later fields were left untouched, and the view
// was told once through informarFalha). With a `memoria`, the run also records the working of
// every result it writes there, and where it stopped when it fails.
bool executarCalculo(VisaoCalculo& visao, const ParametrosSimulacao& estado, const Separadores& sep,
                     MemoriaCalculo* memoria = nullptr);

}  // namespace vestamar
