#pragma once
// The working of each result (its "memória de cálculo"): what the calculation run did to reach
// every figure it wrote, recorded by the run itself as plain data. A working is a sequence of
// short steps; a step holds its operation, the operands as the run used them (money, double or
// whole number, each with its caption) and its result. Nothing here is pre-formatted:
// textoDaMemoria renders a working into Portuguese lines under the regional separators.

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "linhas.h"
#include "money.h"
#include "texto_numero.h"

namespace vestamar {

// ---- The rows of the columns (linhas.h) ---------------------------------------------------

// Every row of both columns, entries and results, in the window's order from top to bottom.
std::span<const LinhaResultado> linhasDeResultado();

// The caption a working uses for a field the run reads or writes ("Valor Total NF", "% IRRF"),
// without the window's trailing " $"; the name itself for an unknown field.
std::string_view rotuloDoCampo(std::string_view campo);
// The decimals the field's display pattern shows (2 for a field the run does not read).
std::uint8_t casasDoCampo(std::string_view campo);

// ---- Steps ------------------------------------------------------------------------------

// A value as the run used it: exact money, a double (rates and their products), or a whole
// number (an option index, a count of cents).
using Numero = std::variant<Money, double, std::int64_t>;

enum class Operador : std::uint8_t { primeiro, mais, menos, vezes, dividido };

struct Operando {
    Operador op = Operador::primeiro;  // joins it to the operands before it
    std::string_view rotulo;           // caption; empty for a constant such as 100
    Numero valor;
    std::uint8_t casas = 2;  // fewest decimals shown for a double
};

struct Passo {
    enum class Tipo : std::uint8_t {
        // rotulo = operands = result. The operands are taken in order, × and ÷ before + and −;
        // money plus or minus money and money times a whole number are exact, every other
        // operation is one double operation. No operand: the result stated.
        conta,
        // A decision of the run: rotulo is a sentence with one "{}" per operand.
        nota,
        // The figure minus the ANTES figure of the same row, as money; no operands.
        diferenca,
    };
    // How the value of the operation became the result.
    enum class Arredondamento : std::uint8_t {
        nenhum,
        dinheiro,  // double to money: four decimals, halves to even
        centavos,  // to whole cents exactly as a result field shows it
        inteiro,   // to a 32-bit whole number, halves to even
    };
    static constexpr std::size_t kMaxOperandos = 8;  // the run's longest step has six

    Tipo tipo = Tipo::conta;
    Arredondamento arredondamento = Arredondamento::nenhum;
    std::string_view rotulo;
    // Not empty: the result was written into the field with this display pattern ("#,##0.00";
    // "0.00" for a production from shifts; "0" for the INSS withheld on nothing).
    std::string_view formato;
    Numero resultado;
    std::array<Operando, kMaxOperandos> guardados{};
    std::uint8_t quantos = 0;

    std::span<const Operando> operandos() const { return {guardados.data(), quantos}; }
};

// ---- The workings of the last run -------------------------------------------------------

enum class Situacao : std::uint8_t {
    semMemoria,    // no run yet, or not a result of the last run (the production in "Mensal")
    calculado,     // written by the last run; its working is complete
    naoCalculado,  // the last run failed before writing it: the field keeps an older figure
};

class MemoriaCalculo {
public:
    Situacao situacao(std::string_view campo) const;
    // The steps of a result field, the figure as written last (and, for DEPOIS, the difference)
    // at the end; empty unless calculado.
    std::span<const Passo> passos(std::string_view campo) const;

    // Where the last run stopped: the result field whose step failed ("prodTotal2" for the
    // production total of DEPOIS), and the entry field that held no number (empty when a value
    // went beyond the range). Both empty after a run that did not fail.
    std::string_view etapaDaFalha() const { return etapaDaFalha_; }
    std::string_view campoDaFalha() const { return campoDaFalha_; }

    // ---- Filled by the calculation run ----
    void iniciarExecucao();                                    // every result naoCalculado, no failure
    void semResultado(std::string_view campo);                 // the field is no result of this run
    std::vector<Passo>& iniciarCampo(std::string_view campo);  // cleared, for this run's steps
    void concluirCampo(std::string_view campo);                // written: calculado
    void falhar(std::string_view etapa, std::string_view campo);

private:
    struct Registro {
        Situacao situacao = Situacao::semMemoria;
        std::vector<Passo> passos;  // cleared and refilled by each run, keeping its capacity
    };
    const Registro* registro(std::string_view campo) const;
    Registro* registro(std::string_view campo);

    std::array<Registro, 2 * kLinhas.size()> registros_{};  // ANTES and DEPOIS of each row
    std::string_view etapaDaFalha_, campoDaFalha_;
};

// The working of one result field as Portuguese lines separated by "\n", numbers with the
// marks of `sep`: one line per step, for example
//   "IRRF = Valor Total NF × % IRRF ÷ 100 = 2.850,00 × 1,50 ÷ 100 = 42,75"
// where the line of the figure ends with the field's text; a DEPOIS result with an ANTES
// partner ends with "Diferença para ANTES: +245,30". A field the last run did not produce
// says where that run stopped. Empty for a field without working.
std::string textoDaMemoria(const MemoriaCalculo& memoria, std::string_view campo, const Separadores& sep);

// One number as a working shows it: money with two to four decimals, a double with at least
// `casas` decimals and no more than it needs (at most 15 significant digits), a whole number
// without decimals; grouped by thousands. A non-empty `formato` shows it as a field would.
std::string textoDoNumero(const Numero& valor, const Separadores& sep, std::uint8_t casas = 2,
                          std::string_view formato = {});

}  // namespace vestamar
