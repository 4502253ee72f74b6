#pragma once
// The simulation state: every input parameter of a simulation, each named by its key in
// vestaMar.ini, plus the income-tax bracket table built from the bracket fields.
// The record holds no results: those live only in the texts of the window's result fields.

#include <array>
#include <cstdint>

#include "money.h"

namespace vestamar {

// One row of the income-tax bracket table.
struct LinhaIR {
    Money aPartir;         // lower bound of the bracket (a base equal to it belongs here)
    double percentIR = 0;  // rate, in percent
    Money Desconto;        // amount deducted from the tax computed at the rate
};

struct ParametrosSimulacao {
    // Income tax and INSS
    // The brackets, one row each as in the panel
    // clang-format off
    Money aPartir1;
    double percentIR1 = 0;
    Money Desconto1;
    Money aPartir2;
    double percentIR2 = 0;
    Money Desconto2;
    Money aPartir3;
    double percentIR3 = 0;
    Money Desconto3;
    Money aPartir4;
    double percentIR4 = 0;
    Money Desconto4;
    // clang-format on
    Money abatDep;               // deduction per dependant
    std::int16_t quantDeps = 0;  // number of dependants
    double percINSS = 0;         // INSS rate
    Money tetoINSS;              // INSS ceiling
    Money inssTerc;              // income on which INSS is withheld elsewhere

    // Cooperative fees
    double percTxMan = 0, percTxMan2 = 0;  // maintenance fee, ANTES / DEPOIS
    double percTxAdm = 0, percTxAdm2 = 0;  // administrative fee, ANTES / DEPOIS
    std::int16_t itaProd = 0;              // administrative fee on production: 0 "Não", 1 "Sim"
    std::int16_t itaAjuda = 0;             // ... on the expense allowance
    std::int16_t itaDAR = 0;               // ... on the special fund and DAR
    double percProd = 0;                   // kept in the file, used by nothing

    // Invoice taxes
    double percentIrrf = 0, percentISS = 0, percentPis = 0, percentCofins = 0;
    std::int16_t incideISS = 0;  // ISS base: 0 "Nota Fiscal", 1 "Taxa Administrativa"

    // Special fund / DAR and paid weekly rest
    double percDAR = 0, percDAR2 = 0;
    double percDSR = 0;
    std::int16_t baseDSR = 0;  // DSR base: 0 "Produção", 1 "Prod+Adic"

    // Production and quantities of each scenario
    Money prodBruta, prodBruta2;
    Money valorHora, valorHora2;
    std::int16_t quantDias = 0, quantDias2 = 0;
    double quantHorasDia = 0, quantHorasDia2 = 0;
    double horasNoturnas = 0;  // DEPOIS only
    Money valAjuda, valAjuda2;

    // Additional components of scenario DEPOIS
    double percInsalub = 0, fatorInsalub = 0;
    Money tetoInsalub;
    double percPeric = 0, fatorPeric = 0;
    double percNoturno = 0, fatorNoturno = 0;
    double percExtra = 0, fatorExtra = 0;

    // Work-accident insurance
    double percSeg = 0, percSeg2 = 0;

    // Income tax from 2026 on, off while all are 0: the reduction of the monthly withholding
    // (reducaoIR 1: on) and the simplified discount used instead of the legal deductions
    // when it is larger.
    std::int16_t reducaoIR = 0;
    Money reducaoIRIsencao;  // income up to which the withholding is zero
    Money reducaoIRLimite;   // income above which nothing is reduced
    Money reducaoIRParcela;  // reduction = parcela - fator x income, in between
    double reducaoIRFator = 0;
    Money descontoSimplificado;
    Money reducaoIRTeto;  // the largest reduction; 0: no cap

    // Income-tax brackets used by the calculation: row 0 is all zero, rows 1 to 4 copy the
    // bracket fields as they stood when montarTabelaIR last ran.
    std::array<LinhaIR, 5> tabelaIR{};

    // Rebuilds tabelaIR from the twelve bracket fields, copied exactly.
    void montarTabelaIR();
};

}  // namespace vestamar
