#pragma once
// Test helpers: every case is written in the decimal-comma form and also run mirrored
// under the decimal-point setting.
#include <string>

#include <gtest/gtest.h>

#include "texto_numero.h"

namespace vestamar {

// The same text under the decimal-point setting: "." and "," change places.
inline std::string emPonto(std::string s) {
    for (char& c : s) c = c == '.' ? ',' : c == ',' ? '.' : c;
    return s;
}

template <typename F>
void nosDoisAjustes(const std::string& textoBr, F&& verificar) {
    SCOPED_TRACE(textoBr);
    verificar(textoBr, Separadores::brasil());
    verificar(emPonto(textoBr), Separadores::ponto());
}

}  // namespace vestamar
