// Arbitrary bytes as the content of vestaMar.ini, read under each regional setting.
// Checks that the reader returns, that every field holds a finite value of its type, that each
// line reported as unreadable is a line of the content, and that
// the state it produced survives a write and a read unchanged, under the same setting and
// under the other one.

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "arquivo_parametros.h"

namespace {

using vestamar::ParametrosSimulacao;
using vestamar::Separadores;

void exigir(bool condicao) {
    if (!condicao) std::abort();
}

void conferirFinitos(const ParametrosSimulacao& estado) {
    for (const vestamar::ChaveParametro& chave : vestamar::kChaves) {
        if (const auto* campo = std::get_if<double ParametrosSimulacao::*>(&chave.campo)) {
            exigir(std::isfinite(estado.*(*campo)));
        }
    }
}

void conferir(std::string_view conteudo, const Separadores& sep, const Separadores& outra) {
    ParametrosSimulacao lido;
    for (const vestamar::LinhaIlegivel& linha : vestamar::lerConteudo(conteudo, lido, sep).ilegiveis) {
        exigir(conteudo.find(linha.linha) != std::string_view::npos);
    }
    conferirFinitos(lido);

    const std::string escrito = vestamar::conteudoParametros(vestamar::Conteudo::Estado, lido, sep);
    for (char c : escrito) exigir(c > 0);  // ASCII, no NUL

    for (const Separadores* leitura : {&sep, &outra}) {
        ParametrosSimulacao relido;
        vestamar::lerConteudo(escrito, relido, *leitura);
        exigir(vestamar::conteudoParametros(vestamar::Conteudo::Estado, relido, sep) == escrito);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dados, std::size_t tamanho) {
    const std::string_view conteudo(reinterpret_cast<const char*>(dados), tamanho);
    const Separadores brasil = Separadores::brasil();
    const Separadores ponto = Separadores::ponto();
    conferir(conteudo, brasil, ponto);
    conferir(conteudo, ponto, brasil);
    return 0;
}
