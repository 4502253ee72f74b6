#pragma once
// The entry fields' handlers, as a table: which state field each field stores into (its
// type follows from the field) and what happens after the value is stored.

#include <span>
#include <string_view>

#include "arquivo_parametros.h"

namespace vestamar {

enum class Seguinte {
    Nada,             // store only: the panel's parameters show at the next calculation
    TabelaIR,         // store and rebuild the income-tax brackets from the state
    Calcular,         // store and calculate both scenarios
    PassosA,          // fatorNoturno: rewrite HorasNoturnas from the factor
    PassosBCalcular,  // HorasNoturnas, QuantHorasDia2: rewrite fatorNoturno, then calculate
};

struct Manipulador {
    std::string_view campo;  // the entry field
    CampoParametro alvo;     // the state field it stores into
    Seguinte seguinte;
};

// The 50 entry fields' handlers.
std::span<const Manipulador> manipuladores();
// The handler of an entry field; nullptr for a field without one.
const Manipulador* manipuladorDe(std::string_view campo);

}  // namespace vestamar
