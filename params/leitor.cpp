// Reading vestaMar.ini.
//
// The reader is forgiving: a line only changes a field when it names a known key and holds a
// number that fits the field; everything else is skipped, so a file edited by hand or by
// another program never stops the start-up. Every line that is not blank and was not read
// (a known key with a value that cannot be read, a comment, an unknown key) is handed back,
// so that the window can tell the user before a save drops it.

#include <algorithm>
#include <array>
#include <optional>
#include <type_traits>

#include "arquivo_parametros.h"
#include "disco.h"

namespace vestamar {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kMarcaBom = "\xEF\xBB\xBF";

char maiuscula(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// Key comparison after ASCII upper-casing of both sides; nothing is trimmed.
bool mesmaChave(std::string_view texto, std::string_view chave) {
    return texto.size() == chave.size() && std::equal(texto.begin(), texto.end(), chave.begin(),
                                                      [](char a, char b) { return maiuscula(a) == maiuscula(b); });
}

const ChaveParametro* acharChave(std::string_view texto) {
    for (const ChaveParametro& chave : kChaves) {
        if (mesmaChave(texto, chave.chave)) return &chave;
    }
    return nullptr;
}

bool contem(std::string_view texto, std::string_view marca) {
    return !marca.empty() && texto.find(marca) != std::string_view::npos;
}

// The file is never grouped, so a value with a single "." or "," (and no other mark of the
// regional setting) has it as its decimal mark, whichever setting wrote the file: "7.5" and
// "7,5" are 7.5 everywhere. Any other value is read under the regional separators.
Separadores separadoresDoValor(std::string_view valor, const Separadores& regional) {
    const auto pontos = std::count(valor.begin(), valor.end(), '.');
    const auto virgulas = std::count(valor.begin(), valor.end(), ',');
    if (pontos + virgulas != 1) return regional;
    for (std::string_view marca : {std::string_view(regional.decimal), std::string_view(regional.grupo)}) {
        if (marca != "." && marca != "," && contem(valor, marca)) return regional;
    }
    return {pontos == 1 ? "." : ",", ""};
}

// Stores the value into the key's field when it is a number of the field's type.
// The number's own parsing takes the blanks around it.
bool guardar(const ChaveParametro& chave, std::string_view valor, ParametrosSimulacao& estado,
             const Separadores& regional) {
    return guardarTexto(estado, chave.campo, valor, separadoresDoValor(valor, regional));
}

std::string_view semBrancos(std::string_view texto) {
    const std::size_t inicio = texto.find_first_not_of(" \t");
    if (inicio == std::string_view::npos) return {};
    return texto.substr(inicio, texto.find_last_not_of(" \t") - inicio + 1);
}

// One line, without its line end: key, "=", value up to the next "=" (the rest is ignored);
// blanks around the key and the value are not part of them, as a text editor leaves them.
// A line that is only a key has an empty value, which cannot be read. Every other line that
// is not blank (a comment, an unknown key) is handed back too: a save would drop it.
void lerLinha(std::string_view linha, ParametrosSimulacao& estado, const Separadores& sep,
              ResultadoLeitura& resultado) {
    if (semBrancos(linha).empty()) return;
    const std::size_t igual = std::min(linha.find('='), linha.size());
    const ChaveParametro* chave = acharChave(semBrancos(linha.substr(0, igual)));
    if (chave == nullptr) {
        resultado.ilegiveis.push_back({{}, std::string(linha)});
        return;
    }
    std::string_view valor = linha.substr(std::min(igual + 1, linha.size()));
    valor = valor.substr(0, valor.find('='));
    if (!guardar(*chave, valor, estado, sep)) {
        resultado.ilegiveis.push_back({chave->chave, std::string(linha)});
    }
}

}  // namespace

bool guardarTexto(ParametrosSimulacao& estado, const CampoParametro& campo, std::string_view texto,
                  const Separadores& sep) {
    return comCampo(estado, campo, [&](auto& destino) {
        using T = std::remove_reference_t<decltype(destino)>;
        std::optional<T> lido;
        if constexpr (std::is_same_v<T, double>) {
            lido = lerDouble(texto, sep);
        } else if constexpr (std::is_same_v<T, Money>) {
            lido = lerMoney(texto, sep);
        } else {
            lido = lerInteiro16(texto, sep);
        }
        if (lido) destino = *lido;
        return lido.has_value();
    });
}

ResultadoLeitura lerConteudo(std::string_view conteudo, ParametrosSimulacao& estado, const Separadores& sep) {
    ResultadoLeitura resultado;
    if (conteudo.substr(0, kMarcaBom.size()) == kMarcaBom) conteudo.remove_prefix(kMarcaBom.size());
    // CR LF, LF alone and CR alone all end a line; a last line without an end counts too.
    std::size_t inicio = 0;
    while (inicio < conteudo.size()) {
        std::size_t fim = conteudo.find_first_of("\r\n", inicio);
        if (fim == std::string_view::npos) fim = conteudo.size();
        lerLinha(conteudo.substr(inicio, fim - inicio), estado, sep, resultado);
        inicio = fim + 1;
        if (fim < conteudo.size() && conteudo[fim] == '\r' && inicio < conteudo.size() && conteudo[inicio] == '\n') {
            ++inicio;
        }
    }
    return resultado;
}

void aplicarPadroes(ParametrosSimulacao& estado) {
    for (const ChaveParametro& chave : kChaves) {
        guardarTexto(estado, chave.campo, chave.valorInicial, Separadores::brasil());
    }
}

ResultadoLeitura lerParametros(const fs::path& pasta, ParametrosSimulacao& estado, const Separadores& sep) {
    const fs::path caminho = pasta / kNomeArquivo;
    std::error_code ec;
    // An existing file is never rewritten here. A failed creation is not reported: the read
    // below then fails too and the defaults are used for this run.
    if (!fs::exists(caminho, ec) && !ec) gravarParametros(Conteudo::Padroes, pasta, estado, sep);
    if (const std::optional<std::string> conteudo = disco::lerArquivo(caminho)) {
        return lerConteudo(*conteudo, estado, sep);
    }
    aplicarPadroes(estado);
    return {};
}

}  // namespace vestamar
