// Writing vestaMar.ini.
//
// The content is built in memory first, then written to a temporary file beside the real
// one, flushed to the disk and renamed over it. A crash, a full disk or a power cut therefore
// leaves either the old file or the new one, never a truncated mix.

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <memory>
#include <random>
#include <type_traits>

#include "arquivo_parametros.h"

#if defined(_WIN32)
#include <io.h>
#elif __has_include(<unistd.h>)
#include <fcntl.h>
#include <unistd.h>
#define VESTAMAR_POSIX 1
#endif

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
Separadores separadoresDoArquivo(const Separadores& regional) {
    return {regional.decimal == "," ? "," : ".", ""};
}

std::string textoDouble(double valor, const Separadores& sep) {
    if (!std::isfinite(valor)) return "0";  // never produced by the program; keep the file valid
    valor = std::clamp(valor, -kMaiorDoubleEscrito, kMaiorDoubleEscrito);
    return textoNumero(valor, sep);
}

std::string textoValor(const ChaveParametro& chave, const ParametrosSimulacao& estado,
                       const Separadores& sep) {
    return std::visit(
        [&](auto campo) -> std::string {
            const auto valor = estado.*campo;
            using T = std::decay_t<decltype(valor)>;
            if constexpr (std::is_same_v<T, double>) {
                return textoDouble(valor, sep);
            } else if constexpr (std::is_same_v<T, Money>) {
                return textoMoney(valor, sep);
            } else {
                return textoInteiro(valor);
            }
        },
        chave.campo);
}

// The default text of a key under the file's decimal mark (defaults are never grouped).
std::string textoPadrao(const ChaveParametro& chave, const Separadores& sep) {
    std::string texto;
    for (char c : chave.padrao) {
        if (c == ',') {
            texto += sep.decimal;
        } else {
            texto += c;
        }
    }
    return texto;
}

std::string textoCaminho(const fs::path& caminho) {
    const auto u8 = caminho.u8string();
    return std::string(u8.begin(), u8.end());
}

std::error_code erroDoSistema() {
    const int numero = errno;
    if (numero == 0) return std::make_error_code(std::errc::io_error);
    return {numero, std::generic_category()};
}

ResultadoGravacao falha(const fs::path& destino, std::error_code ec) {
    return {false, "Não foi possível gravar o arquivo de parâmetros \"" + textoCaminho(destino) +
                       "\": " + ec.message()};
}

std::uint32_t sufixoAleatorio() {
    try {
        std::random_device fonte;
        return fonte();
    } catch (...) {
        const auto agora = std::chrono::steady_clock::now().time_since_epoch().count();
        return static_cast<std::uint32_t>(agora);
    }
}

std::string nomeTemporario(std::uint32_t sufixo) {
    std::array<char, 8> hex{};
    auto [fim, erro] = std::to_chars(hex.data(), hex.data() + hex.size(), sufixo, 16);
    (void)erro;  // eight hex digits always fit
    return std::string(kNomeArquivo) + "." + std::string(hex.data(), fim) + ".tmp";
}

struct FecharArquivo {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using Arquivo = std::unique_ptr<std::FILE, FecharArquivo>;

// Opens a file that did not exist before ("x": fails rather than reuse another's file).
Arquivo criarExclusivo(const fs::path& caminho) {
    errno = 0;
#if defined(_WIN32)
    return Arquivo(_wfopen(caminho.c_str(), L"wbx"));
#else
    return Arquivo(std::fopen(caminho.c_str(), "wbx"));
#endif
}

// Writes, flushes and closes; the data is on the disk when this succeeds.
std::error_code gravarEFechar(Arquivo arquivo, std::string_view conteudo) {
    errno = 0;
    if (std::fwrite(conteudo.data(), 1, conteudo.size(), arquivo.get()) != conteudo.size()) {
        return erroDoSistema();
    }
    if (std::fflush(arquivo.get()) != 0) return erroDoSistema();
#if defined(_WIN32)
    if (_commit(_fileno(arquivo.get())) != 0) return erroDoSistema();
#elif defined(VESTAMAR_POSIX)
    if (::fsync(::fileno(arquivo.get())) != 0) return erroDoSistema();
#endif
    if (std::fclose(arquivo.release()) != 0) return erroDoSistema();
    return {};
}

// Makes the rename itself durable: on POSIX systems the folder's entry is flushed apart from
// the file's data. Best effort; the new file is already complete either way.
void sincronizarPasta([[maybe_unused]] const fs::path& pasta) {
#if defined(VESTAMAR_POSIX)
    const fs::path alvo = pasta.empty() ? fs::path(".") : pasta;
    const int fd = ::open(alvo.c_str(), O_RDONLY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
#endif
}

std::error_code renomearNoSistema(const fs::path& de, const fs::path& para) {
    std::error_code ec;
    fs::rename(de, para, ec);
    return ec;
}

}  // namespace

std::string conteudoParametros(bool padroes, const ParametrosSimulacao& estado,
                               const Separadores& sep) {
    const Separadores arquivo = separadoresDoArquivo(sep);
    std::array<const ChaveParametro*, kChaves.size()> ordem{};
    for (std::size_t i = 0; i < kChaves.size(); ++i) {
        const std::size_t linha = padroes ? static_cast<std::size_t>(kChaves[i].posicaoArquivoNovo - 1) : i;
        ordem[linha] = &kChaves[i];
    }
    std::string conteudo;
    for (const ChaveParametro* chave : ordem) {
        conteudo += chave->chave;
        conteudo += '=';
        conteudo += padroes ? textoPadrao(*chave, arquivo) : textoValor(*chave, estado, arquivo);
        conteudo += kFimLinha;
    }
    return conteudo;
}

ResultadoGravacao gravarParametros(bool padroes, const fs::path& pasta,
                                   const ParametrosSimulacao& estado, const Separadores& sep,
                                   const FuncaoRenomear& renomear) {
    const fs::path destino = pasta / kNomeArquivo;
    const std::string conteudo = conteudoParametros(padroes, estado, sep);

    fs::path temporario;
    Arquivo arquivo;
    std::error_code ec;
    for (int tentativa = 0; tentativa < 8 && !arquivo; ++tentativa) {
        temporario = pasta / nomeTemporario(sufixoAleatorio());
        arquivo = criarExclusivo(temporario);
        if (!arquivo) {
            ec = erroDoSistema();
            if (ec != std::errc::file_exists) break;
        }
    }
    if (!arquivo) return falha(destino, ec);

    std::error_code ignorado;
    ec = gravarEFechar(std::move(arquivo), conteudo);
    if (!ec) {
        // The new file keeps the permissions the user gave the old one.
        const fs::file_status antigo = fs::status(destino, ignorado);
        if (fs::exists(antigo)) fs::permissions(temporario, antigo.permissions(), ignorado);
        ec = renomear(temporario, destino);
    }
    if (ec) {
        fs::remove(temporario, ignorado);
        return falha(destino, ec);
    }
    sincronizarPasta(pasta);
    return {true, {}};
}

ResultadoGravacao gravarParametros(bool padroes, const fs::path& pasta,
                                   const ParametrosSimulacao& estado, const Separadores& sep) {
    return gravarParametros(padroes, pasta, estado, sep, renomearNoSistema);
}

}  // namespace vestamar
