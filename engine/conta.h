#pragma once
// The run's arithmetic: one step at a time, each computing its figure and, when a working is
// recorded, writing itself down as a step of the working (memoria.h). A failure (a value
// beyond the range, a text that is no number) ends the run through FalhaCalculo.

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "memoria.h"
#include "money.h"
#include "texto_numero.h"

namespace vestamar {

// Thrown at the first failure of a run and caught by executarCalculo, which tells the view.
// It never crosses the view: it is thrown only from the run's own arithmetic and reads.
struct FalhaCalculo {
    std::string_view campo;  // the entry field that held no number; empty for a value out of range
};

[[noreturn]] inline void falhar(std::string_view campo = {}) { throw FalhaCalculo{campo}; }

// An operand as the run takes it: a value with its caption, or with the name of the field it
// was read from (the caption is looked up only when a working is recorded).
struct Valor {
    Valor(Numero n, std::string_view r = {}, bool campo = false, std::uint8_t c = 2)
        : numero(n), rotulo(r), doCampo(campo), casas(c) {}
    Numero numero;
    std::string_view rotulo;
    bool doCampo;
    std::uint8_t casas;
};

inline const Valor kCem{100.0, {}, false, 0};

// One step of arithmetic that computes and, when a working is recorded, writes itself down:
// operands joined in order, × and ÷ before + and −, as Passo::Tipo::conta describes.
class Conta {
public:
    // `gravar`: the operands are written down; `destino`: where the finished step goes (none:
    // it is kept, for Execucao::registrar or as it stands).
    Conta(std::vector<Passo>* destino, bool gravar, std::string_view rotulo) : destino_(destino), gravar_(gravar) {
        passo_.rotulo = rotulo;
    }

    Conta& de(const Valor& v) { return juntar(Operador::primeiro, v); }
    Conta& mais(const Valor& v) { return juntar(Operador::mais, v); }
    Conta& menos(const Valor& v) { return juntar(Operador::menos, v); }
    Conta& vezes(const Valor& v) { return juntar(Operador::vezes, v); }
    Conta& dividido(const Valor& v) { return juntar(Operador::dividido, v); }

    double real();
    Money dinheiro();
    // Rounded to whole cents exactly as a result field would show it.
    Money centavos(const Separadores& sep);
    // The step's figure worked out apart, exactly, and rounded to whole cents: the operands
    // are written down as joined; the double arithmetic they went through is not used.
    Money emCentavosExatos(std::optional<Money> exato);
    std::int32_t inteiro();

    const Passo& passo() const { return passo_; }

private:
    Conta& juntar(Operador op, const Valor& v);
    Numero valor() const;
    Numero concluir(Numero resultado, Passo::Arredondamento a);

    std::vector<Passo>* destino_;
    bool gravar_;
    Passo passo_;
    Numero soma_, termo_;
    bool temSoma_ = false;
    Operador opSoma_ = Operador::mais;
};

}  // namespace vestamar
