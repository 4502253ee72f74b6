#pragma once
// The worked example of the calculation, shared by the tests and the benchmarks: the defaults
// of a new parameter file with the DEPOIS allowances, and the window's entry texts for a
// production of 1.800,00 (also 15,00 × 10 shifts × 12,0 hours) with 600,00 of allowance.

#include <string>
#include <string_view>

#include "parametros.h"
#include "texto_numero.h"
#include "visao_mapa.h"

namespace vestamar {

// The text written with Brazilian marks ("1.800,00") in the marks of `sep`.
std::string noAjuste(std::string_view textoBrasileiro, const Separadores& sep);

ParametrosSimulacao estadoDoExemplo();

// Entry texts in the marks of `sep`, mode "Mensal". The fields that show stored parameters
// (INSS ceiling and rate, deduction per dependant, DSR base) show those of `estado`.
VisaoMapa visaoDoExemplo(const Separadores& sep, const ParametrosSimulacao& estado = estadoDoExemplo());

}  // namespace vestamar
