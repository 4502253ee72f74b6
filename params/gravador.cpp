// Writing vestaMar.ini: its content, built in memory, and the save through disco.cpp.

#include <algorithm>
#include <array>
#include <cmath>
#include <type_traits>

#include "arquivo_parametros.h"
#include "disco.h"

namespace vestamar {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kFimLinha = "\r\n";

// The largest double whose 15-digit text still reads back as a finite double. Above it the
// 15-digit rounding goes past the largest double ("1,79769313486232E+308"), a text no reader
// accepts, so such a value is written as this one instead.
constexpr double kMaiorDoubleEscrito = 1.79769313486231e308;

// The file holds no grouping and only ASCII: the regional decimal comma is kept, any other
// regional mark is written as a point (which the reader takes as a decimal mark anyway).
Separadores separadoresDoArquivo(const Separadores& regional) { return {regional.decimal == "," ? "," : ".", ""}; }

std::string textoDouble(double valor, const Separadores& sep) {
    if (!std::isfinite(valor)) return "0";  // never produced by the program; keep the file valid
    valor = std::clamp(valor, -kMaiorDoubleEscrito, kMaiorDoubleEscrito);
    return textoNumero(valor, sep);
}

std::string textoValor(const ChaveParametro& chave, const ParametrosSimulacao& estado, const Separadores& sep) {
    return comCampo(estado, chave.campo, [&](const auto& valor) -> std::string {
        using T = std::decay_t<decltype(valor)>;
        if constexpr (std::is_same_v<T, double>) {
            return textoDouble(valor, sep);
        } else if constexpr (std::is_same_v<T, Money>) {
            return textoMoney(valor, sep);
        } else {
            return textoInteiro(valor);
        }
    });
}

bool zero(const ChaveParametro& chave, const ParametrosSimulacao& estado) {
    return comCampo(estado, chave.campo, [](const auto& valor) { return valor == std::decay_t<decltype(valor)>{}; });
}

}  // namespace

std::string conteudoParametros(Conteudo tipo, const ParametrosSimulacao& estado, const Separadores& sep) {
    ParametrosSimulacao padroes;
    if (tipo == Conteudo::Padroes) aplicarPadroes(padroes);
    const ParametrosSimulacao& valores = tipo == Conteudo::Padroes ? padroes : estado;
    // A group is written when it is the older program's or one of its values is not 0.
    const auto escrito = [&](GrupoChave grupo) {
        return grupo == GrupoChave::Original ||
               std::any_of(kChaves.begin(), kChaves.end(),
                           [&](const ChaveParametro& c) { return c.grupo == grupo && !zero(c, valores); });
    };

    std::vector<const ChaveParametro*> ordem(kChaves.size());
    for (std::size_t i = 0; i < kChaves.size(); ++i) {
        const auto linha = tipo == Conteudo::Padroes ? static_cast<std::size_t>(kChaves[i].posicaoArquivoNovo - 1) : i;
        ordem[linha] = &kChaves[i];
    }
    const Separadores arquivo = separadoresDoArquivo(sep);
    std::string conteudo;
    for (const ChaveParametro* chave : ordem) {
        if (!escrito(chave->grupo)) continue;
        conteudo += chave->chave;
        conteudo += '=';
        conteudo += textoValor(*chave, valores, arquivo);
        conteudo += kFimLinha;
    }
    return conteudo;
}

fs::path caminhoArquivo(const fs::path& pasta) { return disco::seguirLigacoes(pasta / kNomeArquivo); }

ResultadoGravacao gravarParametros(Conteudo tipo, const fs::path& pasta, const ParametrosSimulacao& estado,
                                   const Separadores& sep, const OperacoesDisco& operacoes) {
    return disco::gravarArquivo(pasta / kNomeArquivo, conteudoParametros(tipo, estado, sep), operacoes);
}

ResultadoGravacao copiarArquivoParametros(const fs::path& pasta) {
    const fs::path original = caminhoArquivo(pasta);
    const std::optional<std::string> conteudo = disco::lerArquivo(original);
    if (!conteudo) return {false, original, "Não foi possível ler o arquivo de parâmetros."};
    fs::path copia = original;
    copia += kExtensaoCopia;
    return disco::gravarArquivo(copia, *conteudo, {}, original);
}

}  // namespace vestamar
