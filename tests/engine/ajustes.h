#pragma once
// Every engine test runs under both regional settings: its cases are written in the
// decimal-comma form, and under the decimal-point setting "." and "," change places.
#include <string>

#include <gtest/gtest.h>

#include "exemplo.h"
#include "texto_numero.h"

namespace vestamar {

class NosDoisAjustes : public ::testing::TestWithParam<bool> {
protected:
    bool ponto() const { return GetParam(); }
    Separadores sep() const { return ponto() ? Separadores::ponto() : Separadores::brasil(); }
    std::string t(std::string_view s) const { return noAjuste(s, sep()); }
};

inline std::string nomeDoAjuste(const ::testing::TestParamInfo<bool>& p) { return p.param ? "ponto" : "virgula"; }

}  // namespace vestamar
