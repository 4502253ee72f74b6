// Arbitrary bytes as the content of vestaMar.ini, read under each regional setting. Aborts
// unless every line reported as unreadable is a line of the content, every double field is
// finite, the written file is ASCII without NUL, and the state read survives a write and a
// read unchanged, under the same setting and under the other one.

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "arquivo_parametros.h"

namespace {

using namespace vestamar;

void exigir(bool condicao) {
    if (!condicao) std::abort();
}

void conferir(std::string_view conteudo, const Separadores& sep, const Separadores& outra) {
    ParametrosSimulacao lido;
    for (const LinhaIlegivel& linha : lerConteudo(conteudo, lido, sep).ilegiveis)
        exigir(conteudo.find(linha.linha) != conteudo.npos);
    for (const ChaveParametro& chave : kChaves) {
        const auto* campo = std::get_if<double ParametrosSimulacao::*>(&chave.campo);
        exigir(!campo || std::isfinite(lido.**campo));
    }
    const std::string escrito = conteudoParametros(Conteudo::Estado, lido, sep);
    for (const char c : escrito) exigir(c > 0);
    for (const Separadores* leitura : {&sep, &outra}) {
        ParametrosSimulacao relido;
        lerConteudo(escrito, relido, *leitura);
        exigir(conteudoParametros(Conteudo::Estado, relido, sep) == escrito);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dados, std::size_t tamanho) {
    const std::string_view conteudo(reinterpret_cast<const char*>(dados), tamanho);
    conferir(conteudo, Separadores::brasil(), Separadores::ponto());
    conferir(conteudo, Separadores::ponto(), Separadores::brasil());
    return 0;
}
