#pragma once
// The worked example of the calculation, shared by the tests and the benchmarks: the defaults
// of a new parameter file with the DEPOIS allowances, and the window's entry texts for a
// production of 1.800,00 (also 15,00 × 10 shifts × 12,0 hours) with 600,00 of allowance, in a
// calculation view over a plain map from field name to text, to drive executarCalculo without a
// window.

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "calculo.h"
#include "parametros.h"
#include "texto_numero.h"

namespace vestamar {

class VisaoMapa : public VisaoCalculo {
public:
    std::map<std::string, std::string, std::less<>> textos;
    std::map<std::string, int, std::less<>> indices;  // missing list: -1
    int falhas = 0;
    int passagensResultados = 0;
    std::vector<std::string> escritas;  // field names in the order written
    // Called after a write that changed the text, like a field's handler in the window.
    std::function<void(std::string_view campo)> aoMudar;

    std::string lerTexto(std::string_view campo) override {
        const auto it = textos.find(campo);
        return it == textos.end() ? std::string() : it->second;
    }
    void escreverTexto(std::string_view campo, const std::string& texto) override {
        escritas.emplace_back(campo);
        const auto [it, novo] = textos.try_emplace(std::string(campo), texto);
        if (!novo && it->second == texto) return;  // an unchanged text raises nothing
        it->second = texto;
        // The handler may write again or start a nested run: no iterator is held across it.
        if (aoMudar) aoMudar(campo);
    }
    int lerIndice(std::string_view lista) override {
        const auto it = indices.find(lista);
        return it == indices.end() ? -1 : it->second;
    }
    void mostrarResultados() override { ++passagensResultados; }
    void informarFalha() override { ++falhas; }
};

// The text written with Brazilian marks ("1.800,00") in the marks of `sep`.
std::string noAjuste(std::string_view textoBrasileiro, const Separadores& sep);

ParametrosSimulacao estadoDoExemplo();

// Entry texts in the marks of `sep`, mode "Mensal". The fields that show stored parameters
// (INSS ceiling and rate, deduction per dependant, DSR base) show those of `estado`.
VisaoMapa visaoDoExemplo(const Separadores& sep, const ParametrosSimulacao& estado = estadoDoExemplo());

}  // namespace vestamar
