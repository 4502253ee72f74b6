#pragma once
// vestaMar.ini: the parameters of a simulation, one "key=value" line each, CR LF line ends.
// Written exactly in the old program's format; read forgivingly; saved atomically.

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <system_error>
#include <variant>

#include "parametros.h"
#include "texto_numero.h"

namespace vestamar {

inline constexpr std::string_view kNomeArquivo = "vestaMar.ini";

enum class TipoParametro { Double, Money, Inteiro };

using CampoParametro = std::variant<double ParametrosSimulacao::*, Money ParametrosSimulacao::*,
                                    std::int16_t ParametrosSimulacao::*>;

struct ChaveParametro {
    std::string_view chave;       // as spelled in the file
    TipoParametro tipo;
    std::string_view padrao;      // default value text under a decimal-comma setting
    int posicaoArquivoNovo;       // 1-based line in a file of defaults
    CampoParametro campo;         // the state field it fills
};

// The 56 keys in the order a save writes them.
extern const std::array<ChaveParametro, 56> kChaves;

struct ResultadoGravacao {
    bool ok = false;
    std::string motivo;  // why it failed, in the user's words; empty on success
};

// Writes pasta/vestaMar.ini whole: the default lines in the order of a new file when
// `padroes` is true, else the current state in table order. The new content goes to a
// temporary file in the same folder, is flushed, then renamed over the old file, so a
// failure at any point leaves the old file as it was.
ResultadoGravacao gravarParametros(bool padroes, const std::filesystem::path& pasta,
                                   const ParametrosSimulacao& estado, const Separadores& sep);

// Reads pasta/vestaMar.ini into the state, first writing a file of defaults when none exists.
// Always returns; when the file cannot be created or read the state holds the defaults.
void lerParametros(const std::filesystem::path& pasta, ParametrosSimulacao& estado,
                   const Separadores& sep);

// ---- The same operations on the file's content, without the disk --------------------------

// The exact bytes gravarParametros writes: 56 "key=value" lines, each ended by CR LF, ASCII.
// The decimal mark is the regional one when it is "," and "." otherwise; nothing is grouped.
std::string conteudoParametros(bool padroes, const ParametrosSimulacao& estado,
                               const Separadores& sep);

// Reads the content of a parameter file into the state, line by line, as lerParametros does.
// A line changes a field only when its key is one of the table's (letter case ignored) and its
// value is a number that fits the field's type; every other line is skipped.
void lerConteudo(std::string_view conteudo, ParametrosSimulacao& estado, const Separadores& sep);

// Converts a number's text to the type of a state field and stores it there. False, with
// nothing stored, when the text is not a number of that type (empty, letters, out of range).
bool guardarTexto(ParametrosSimulacao& estado, const CampoParametro& campo, std::string_view texto,
                  const Separadores& sep);

// Puts the default value of every key into the state.
void aplicarPadroes(ParametrosSimulacao& estado);

// The step that moves the finished temporary file over vestaMar.ini. The plain overload uses
// std::filesystem::rename; tests pass a failing one to check that nothing is lost.
using FuncaoRenomear =
    std::function<std::error_code(const std::filesystem::path& de, const std::filesystem::path& para)>;

ResultadoGravacao gravarParametros(bool padroes, const std::filesystem::path& pasta,
                                   const ParametrosSimulacao& estado, const Separadores& sep,
                                   const FuncaoRenomear& renomear);

}  // namespace vestamar
