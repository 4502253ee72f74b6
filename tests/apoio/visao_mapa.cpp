#include "visao_mapa.h"

namespace vestamar {

std::string VisaoMapa::lerTexto(std::string_view campo) {
    const auto it = textos.find(campo);
    return it == textos.end() ? std::string() : it->second;
}

void VisaoMapa::escreverTexto(std::string_view campo, const std::string& texto) {
    escritas.emplace_back(campo);
    const auto it = textos.find(campo);
    if (it != textos.end()) {
        if (it->second == texto) return;  // an unchanged text raises nothing
        it->second = texto;
    } else {
        textos.emplace(std::string(campo), texto);
    }
    // The handler may write again or start a nested run: no iterator is held across it.
    if (aoMudar) aoMudar(campo);
}

int VisaoMapa::lerIndice(std::string_view lista) {
    const auto it = indices.find(lista);
    return it == indices.end() ? -1 : it->second;
}

void VisaoMapa::mostrarResultados() { ++passagensResultados; }

void VisaoMapa::informarFalha() { ++falhas; }

}  // namespace vestamar
