// The working recorded by the calculation run for every result.
#include <algorithm>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "ajustes.h"
#include "calculo.h"
#include "tabelas2026.h"

namespace vestamar {
namespace {

double real(const Numero& n) {
    if (const auto* m = std::get_if<Money>(&n)) return m->paraDouble();
    if (const auto* i = std::get_if<std::int64_t>(&n)) return static_cast<double>(*i);
    return std::get<double>(n);
}

// A step of arithmetic recomputed from its operands with the engine's money arithmetic, × and
// ÷ before + and −, then rounded as the step says.
Numero recalcular(const Passo& p) {
    const auto operar = [](const Numero& a, Operador op, const Numero& b) -> Numero {
        const auto* ma = std::get_if<Money>(&a);
        const auto* mb = std::get_if<Money>(&b);
        if (ma && mb && op == Operador::mais) return somar(*ma, *mb).value();
        if (ma && mb && op == Operador::menos) return subtrair(*ma, *mb).value();
        const auto* ib = std::get_if<std::int64_t>(&b);
        if (ma && ib && op == Operador::vezes) return multiplicar(*ma, static_cast<std::int16_t>(*ib)).value();
        const double x = real(a), y = real(b);
        return op == Operador::mais ? x + y : op == Operador::menos ? x - y : op == Operador::vezes ? x * y : x / y;
    };
    Numero soma, termo;
    Operador pendente = Operador::primeiro;
    for (const Operando& o : p.operandos()) {
        if (o.op == Operador::primeiro) {
            termo = o.valor;
        } else if (o.op == Operador::vezes || o.op == Operador::dividido) {
            termo = operar(termo, o.op, o.valor);
        } else {
            soma = pendente == Operador::primeiro ? termo : operar(soma, pendente, termo);
            pendente = o.op;
            termo = o.valor;
        }
    }
    const Numero r = pendente == Operador::primeiro ? termo : operar(soma, pendente, termo);
    const Separadores br = Separadores::brasil();
    switch (p.arredondamento) {
        case Passo::Arredondamento::dinheiro: return Money::deDouble(real(r)).value();
        case Passo::Arredondamento::centavos: return lerMoney(formatarMoeda(real(r), br), br).value();
        case Passo::Arredondamento::inteiro: return std::int64_t{arredondarInt32(real(r)).value()};
        case Passo::Arredondamento::nenhum: break;
    }
    return r;
}

std::vector<std::string> linhas(const std::string& texto) {
    std::vector<std::string> r;
    std::istringstream in(texto);
    for (std::string l; std::getline(in, l);) r.push_back(l);
    return r;
}

using Memoria = NosDoisAjustes;
INSTANTIATE_TEST_SUITE_P(Ajustes, Memoria, ::testing::Bool(), nomeDoAjuste);

// Random states in both modes: every result's working recomputes step by step, its figure's
// line ends with the field's text, and each DEPOIS result with an ANTES partner ends with the
// difference of the two texts.
TEST_P(Memoria, EveryWorkingRecomputesToTheFigureShown) {
    std::mt19937 gerador(2026);
    const auto sorteio = [&](int ate) { return std::uniform_int_distribution<int>(0, ate)(gerador); };
    const auto quantia = [&](int reais) { return formatarMoeda(centavos(sorteio(reais * 100)), sep()); };
    MemoriaCalculo memoria;
    for (int rodada = 0; rodada < 300; ++rodada) {
        const int modo = rodada % 2;
        ParametrosSimulacao estado = estadoDoExemplo();
        if (sorteio(1)) aplicarTabelas2026(estado);
        estado.percINSS = sorteio(20);
        estado.incideISS = static_cast<std::int16_t>(sorteio(1));
        estado.itaAjuda = static_cast<std::int16_t>(sorteio(1));
        estado.baseDSR = static_cast<std::int16_t>(sorteio(1));
        estado.percPeric = sorteio(30);
        estado.percExtra = sorteio(50);
        VisaoMapa v = visaoDoExemplo(sep(), estado);
        v.indices["selecModalidade"] = modo;
        for (const char* campo : {"ProdBruta", "ProdBruta2"}) v.textos[campo] = quantia(12000);
        for (const char* campo : {"valorAjCusto", "valorAjCusto2"}) v.textos[campo] = quantia(4000);
        v.textos["InssTerc"] = quantia(7000);
        for (const char* campo : {"ValorHora", "ValorHora2"}) v.textos[campo] = quantia(120);
        for (const char* campo : {"percDAR", "percDAR2", "percSeg", "percSeg2"}) v.textos[campo] = quantia(12);
        v.textos["QuantDias"] = textoInteiro(sorteio(31));
        v.textos["quantDeps"] = textoInteiro(sorteio(3));
        ASSERT_TRUE(executarCalculo(v, estado, sep(), &memoria));
        for (const LinhaResultado& l : linhasDeResultado()) {
            for (const std::string_view campo : {l.antes, l.depois}) {
                if (campo.empty()) continue;
                SCOPED_TRACE(std::string(campo) + " " + std::to_string(rodada));
                if (l.soEmPlantoes && modo == 0) {
                    EXPECT_EQ(textoDaMemoria(memoria, campo, sep()), "");
                    continue;
                }
                const auto passos = memoria.passos(campo);
                ASSERT_FALSE(passos.empty());
                for (const Passo& p : passos) {
                    if (p.tipo == Passo::Tipo::conta && p.quantos > 0) {
                        EXPECT_EQ(recalcular(p), p.resultado) << p.rotulo;
                    }
                }
                // The production total of DEPOIS is explained once in each working that uses it.
                const auto explica = [](const Passo& p) { return p.rotulo == "Produção total"; };
                const auto usa = [](const Passo& p) {
                    return std::ranges::any_of(p.operandos(), [](const Operando& o) { return o.rotulo == "Produção total"; });
                };
                EXPECT_EQ(std::ranges::count_if(passos, explica), std::ranges::any_of(passos, usa) ? 1 : 0);
                const bool comDiferenca = campo == l.depois && !l.antes.empty();
                ASSERT_EQ(passos.back().tipo == Passo::Tipo::diferenca, comDiferenca);
                if (comDiferenca) {
                    const auto depois = lerMoney(v.textos[std::string(campo)], sep()).value();
                    const auto antes = lerMoney(v.textos[std::string(l.antes)], sep()).value();
                    EXPECT_EQ(std::get<Money>(passos.back().resultado), subtrair(depois, antes).value());
                }
                const auto texto = linhas(textoDaMemoria(memoria, campo, sep()));
                ASSERT_EQ(texto.size(), passos.size());
                EXPECT_TRUE(texto[texto.size() - 1 - comDiferenca].ends_with(" = " + v.textos[std::string(campo)]))
                    << texto[texto.size() - 1 - comDiferenca];
            }
        }
    }
}

}  // namespace
}  // namespace vestamar
