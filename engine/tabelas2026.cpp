#include "tabelas2026.h"

namespace vestamar {

void aplicarTabelas2026(ParametrosSimulacao& e) {
    const Tabelas2026& t = kTabelas2026;
    e.aPartir1 = t.faixas[0].aPartir;
    e.percentIR1 = t.faixas[0].percentIR;
    e.Desconto1 = t.faixas[0].Desconto;
    e.aPartir2 = t.faixas[1].aPartir;
    e.percentIR2 = t.faixas[1].percentIR;
    e.Desconto2 = t.faixas[1].Desconto;
    e.aPartir3 = t.faixas[2].aPartir;
    e.percentIR3 = t.faixas[2].percentIR;
    e.Desconto3 = t.faixas[2].Desconto;
    e.aPartir4 = t.faixas[3].aPartir;
    e.percentIR4 = t.faixas[3].percentIR;
    e.Desconto4 = t.faixas[3].Desconto;
    e.abatDep = t.abatDep;
    e.tetoINSS = t.tetoINSS;
    e.descontoSimplificado = t.descontoSimplificado;
    e.reducaoIR = t.reducaoIR;
    e.reducaoIRIsencao = t.reducaoIRIsencao;
    e.reducaoIRLimite = t.reducaoIRLimite;
    e.reducaoIRParcela = t.reducaoIRParcela;
    e.reducaoIRFator = t.reducaoIRFator;
    e.reducaoIRTeto = t.reducaoIRTeto;
    e.montarTabelaIR();
}

}  // namespace vestamar
