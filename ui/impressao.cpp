#include "impressao.h"

namespace vestamar {

void conectarImpressaoEAjuda(FrmCalcProd&) {}

}  // namespace vestamar
