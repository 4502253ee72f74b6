#pragma once
// The income-tax and INSS values in force for the monthly withholding of 2026, in one table,
// and their application to a simulation state.

#include <array>
#include <cstdint>

#include "money.h"
#include "parametros.h"

namespace vestamar {

struct Tabelas2026 {
    std::array<LinhaIR, 4> faixas;  // the brackets 1 to 4 (bracket 0 stays all zero)
    Money abatDep;                  // deduction per dependant
    Money tetoINSS;                 // INSS ceiling
    Money descontoSimplificado;
    std::int16_t reducaoIR;
    Money reducaoIRIsencao, reducaoIRLimite, reducaoIRParcela;
    double reducaoIRFator;
    Money reducaoIRTeto;
};

// Brackets, deduction per dependant and simplified discount of the monthly withholding (25 % of
// the exempt first bracket): Lei 15.191/2025, in force since May 2025.
// Reduction of the monthly withholding: Lei 15.270/2025, from January 2026 (no tax up to
// 5.000,00 of monthly income, by a reduction of up to 312,89; 978,62 − 0,133145 × income up to
// 7.350,00).
// INSS ceiling: the yearly adjustment of the social-security benefits for 2026.
inline constexpr Tabelas2026 kTabelas2026{
    .faixas = {{{Money::deCentavos(242'881), 7.5, Money::deCentavos(18'216)},
                {Money::deCentavos(282'666), 15, Money::deCentavos(39'416)},
                {Money::deCentavos(375'106), 22.5, Money::deCentavos(67'549)},
                {Money::deCentavos(466'469), 27.5, Money::deCentavos(90'873)}}},
    .abatDep = Money::deCentavos(18'959),
    .tetoINSS = Money::deCentavos(847'555),
    .descontoSimplificado = Money::deCentavos(60'720),
    .reducaoIR = 1,
    .reducaoIRIsencao = Money::deCentavos(500'000),
    .reducaoIRLimite = Money::deCentavos(735'000),
    .reducaoIRParcela = Money::deCentavos(97'862),
    .reducaoIRFator = 0.133145,
    .reducaoIRTeto = Money::deCentavos(31'289),
};

// Puts the 2026 values into the state (the twelve bracket fields, the deduction per dependant,
// the INSS ceiling, the simplified discount and the six reduction values) and rebuilds the
// bracket table, so that the next run uses them. Every other parameter is left as it was.
void aplicarTabelas2026(ParametrosSimulacao& estado);

}  // namespace vestamar
