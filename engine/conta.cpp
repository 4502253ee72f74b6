#include "conta.h"

#include <cmath>

namespace vestamar {

namespace {

double finito(double v) {
    if (!std::isfinite(v)) falhar();
    return v;
}

Money paraMoney(double v) {
    const auto m = Money::deDouble(v);
    if (!m) falhar();
    return *m;
}

double comoReal(const Numero& n) {
    if (const auto* m = std::get_if<Money>(&n)) return m->paraDouble();
    if (const auto* i = std::get_if<std::int64_t>(&n)) return static_cast<double>(*i);
    return std::get<double>(n);
}

// One operation of a step: money plus or minus money and money times a 16-bit whole number are
// exact; anything else is one double operation (a "/ 100" is a division by 100.0).
// The whole numbers that multiply money are the 16-bit option indexes of the state.
Numero operar(const Numero& a, Operador op, const Numero& b) {
    const auto* ma = std::get_if<Money>(&a);
    const auto* mb = std::get_if<Money>(&b);
    const auto* ib = std::get_if<std::int64_t>(&b);
    std::optional<Money> exato;
    if (ma && mb && op == Operador::mais) {
        exato = somar(*ma, *mb);
    } else if (ma && mb && op == Operador::menos) {
        exato = subtrair(*ma, *mb);
    } else if (ma && ib && op == Operador::vezes) {
        exato = multiplicar(*ma, static_cast<std::int16_t>(*ib));
    } else {
        const double x = comoReal(a);
        const double y = comoReal(b);
        switch (op) {
            case Operador::mais: return finito(x + y);
            case Operador::menos: return finito(x - y);
            case Operador::vezes: return finito(x * y);
            case Operador::dividido: return finito(x / y);
            case Operador::primeiro: break;
        }
        return b;
    }
    if (!exato) falhar();
    return *exato;
}

}  // namespace

double Conta::real() { return std::get<double>(concluir(Numero(comoReal(valor())), Passo::Arredondamento::nenhum)); }

Money Conta::dinheiro() {
    const Numero v = valor();
    if (const auto* m = std::get_if<Money>(&v)) return std::get<Money>(concluir(*m, Passo::Arredondamento::nenhum));
    return std::get<Money>(concluir(paraMoney(comoReal(v)), Passo::Arredondamento::dinheiro));
}

Money Conta::centavos(const Separadores& sep) {
    const auto m = lerMoney(formatarMoeda(comoReal(valor()), sep), sep);
    if (!m) falhar();
    return std::get<Money>(concluir(*m, Passo::Arredondamento::centavos));
}

Money Conta::emCentavosExatos(std::optional<Money> exato) {
    if (!exato) falhar();
    return std::get<Money>(concluir(*exato, Passo::Arredondamento::centavos));
}

std::int32_t Conta::inteiro() {
    const auto i = arredondarInt32(comoReal(valor()));
    if (!i) falhar();
    concluir(std::int64_t{*i}, Passo::Arredondamento::inteiro);
    return *i;
}

Conta& Conta::juntar(Operador op, const Valor& v) {
    if (op == Operador::primeiro) {
        termo_ = v.numero;
    } else if (op == Operador::vezes || op == Operador::dividido) {
        termo_ = operar(termo_, op, v.numero);
    } else {
        soma_ = temSoma_ ? operar(soma_, opSoma_, termo_) : termo_;
        temSoma_ = true;
        opSoma_ = op;
        termo_ = v.numero;
    }
    if (gravar_ && passo_.quantos < Passo::kMaxOperandos) {
        passo_.guardados[passo_.quantos++] =
            v.doCampo ? Operando{op, rotuloDoCampo(v.rotulo), v.numero, casasDoCampo(v.rotulo)}
                      : Operando{op, v.rotulo, v.numero, v.casas};
    }
    return *this;
}

Numero Conta::valor() const { return temSoma_ ? operar(soma_, opSoma_, termo_) : termo_; }

Numero Conta::concluir(Numero resultado, Passo::Arredondamento a) {
    passo_.resultado = resultado;
    passo_.arredondamento = a;
    if (destino_) destino_->push_back(passo_);
    return resultado;
}

}  // namespace vestamar
