#include "parametros.h"

namespace vestamar {

void ParametrosSimulacao::montarTabelaIR() {
    tabelaIR = {};  // row 0 stays all zero
    tabelaIR[1] = {aPartir1, percentIR1, Desconto1};
    tabelaIR[2] = {aPartir2, percentIR2, Desconto2};
    tabelaIR[3] = {aPartir3, percentIR3, Desconto3};
    tabelaIR[4] = {aPartir4, percentIR4, Desconto4};
}

}  // namespace vestamar
