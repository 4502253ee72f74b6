#pragma once
// The parameters as the window knows them: one row per key of vestaMar.ini, saying which
// control shows it, how start-up shows it, the pattern the field takes when the user leaves
// it, and what its handler does after storing a new value. The state field and its type come
// from the file's key table (arquivo_parametros.h), found by the key: the two tables are tied
// name by name, and a test checks that every key of the file has exactly one row here.
//
// Every other view of the parameters in the window is derived from this table: the entry
// handlers, the order and look of the values at start-up, and the items of the option lists.

#include <span>
#include <string_view>

#include "arquivo_parametros.h"

namespace vestamar {

// How start-up shows a parameter.
enum class Exibicao {
    Formato,         // with the row's start-up pattern
    NumeroSimples,   // as a plain number (a plain integer for an integer field)
    Lista,           // as the chosen item of the row's list
    Marcacao,        // as a check box: 1 checked, 0 not
    PelaModalidade,  // not at start-up: choosing the modality shows it
    Nenhuma,         // kept in the file, shown nowhere
};

// What an entry field's handler does after storing the value.
enum class Seguinte {
    Nada,           // store only: the panel's parameters show at the next calculation
    TabelaIR,       // store and rebuild the income-tax brackets from the state
    Calcular,       // store and calculate both scenarios
    HorasDoFator,   // fatorNoturno: rewrite HorasNoturnas from the factor
    FatorDasHoras,  // HorasNoturnas, QuantHorasDia2: rewrite fatorNoturno, then calculate
};

struct ParametroJanela {
    std::string_view chave;     // key in vestaMar.ini
    std::string_view controle;  // the entry field or list; empty with Exibicao::Nenhuma
    Exibicao exibicao;
    // The pattern start-up writes the value with (Exibicao::Formato), and the pattern the field
    // rewrites the user's text with on leaving it (`textformat`). The window's design gives
    // some fields two different ones (percentIR1 starts as "0.0" and, once edited, shows
    // "#,##0.0"); both are kept as designed.
    std::string_view formatoInicio;
    std::string_view formatoCampo;
    Seguinte seguinte = Seguinte::Nada;
    // The two items of an option list, in index order.
    std::string_view item0 = {}, item1 = {};

    // A list or a check box: the value is the index of the choice.
    bool ehLista() const { return exibicao == Exibicao::Lista || exibicao == Exibicao::Marcacao; }
    bool ehCampo() const { return !controle.empty() && !ehLista(); }
    // The file's row of the same key: the state field and its type.
    const ChaveParametro& chaveArquivo() const;
};

// Every parameter, in the order start-up shows them.
std::span<const ParametroJanela> parametrosJanela();
// The row of a control; nullptr when no parameter is shown there.
const ParametroJanela* parametroDoControle(std::string_view controle);
// The file's row of a key, letter case as written; nullptr when there is none.
const ChaveParametro* chaveDoArquivo(std::string_view chave);

}  // namespace vestamar
