#pragma once
// The user's regional number marks, as the engine's number text wants them.

#include "texto_numero.h"

namespace vestamar {

// The decimal mark and the group mark of the system's regional settings, as UTF-8.
Separadores separadoresDoSistema();

}  // namespace vestamar
