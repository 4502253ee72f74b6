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
#include <vector>

#include "parametros.h"
#include "texto_numero.h"

namespace vestamar {

inline constexpr std::string_view kNomeArquivo = "vestaMar.ini";
// Added to the parameter file's name for the copy kept before a save drops unreadable lines.
inline constexpr std::string_view kExtensaoCopia = ".bak";

enum class TipoParametro { Double, Money, Inteiro };

using CampoParametro = std::variant<double ParametrosSimulacao::*, Money ParametrosSimulacao::*,
                                    std::int16_t ParametrosSimulacao::*>;

struct ChaveParametro {
    std::string_view chave;       // as spelled in the file
    TipoParametro tipo;
    std::string_view valorInicial;  // default value text under a decimal-comma setting
    int posicaoArquivoNovo;       // 1-based line in a file of defaults
    CampoParametro campo;         // the state field it fills
    // Optional keys come last and are written only when at least one of them is not 0, so a
    // file that does not use them keeps exactly the lines of the older program.
    bool opcional = false;
};

// The 56 keys of the older program, then the 6 optional keys, in the order a save writes them.
extern const std::array<ChaveParametro, 62> kChaves;

// Which values a file gets: the current state, or the defaults in the order of a new file.
enum class Conteudo { Estado, Padroes };

// A line whose key is one of the table's but whose value could not be read: its field was
// left as it was.
struct LinhaIlegivel {
    std::string_view chave;  // the key as spelled in the table
    std::string linha;       // the line's bytes as in the file, without its line end: UTF-8, or
                             // a single-byte code page when edited on Windows
};

struct ResultadoLeitura {
    std::vector<LinhaIlegivel> ilegiveis;  // in file order
};

struct ResultadoGravacao {
    bool ok = false;
    std::filesystem::path arquivo;  // the file written, or that could not be written
    std::string motivo;             // why it failed, one Portuguese sentence without the path;
                                    // empty on success
};

// The file that pasta/vestaMar.ini stands for: symbolic links followed to their final target.
// The path unchanged when it is no link, or when its links cannot be followed.
std::filesystem::path caminhoArquivo(const std::filesystem::path& pasta);

// The step that moves the finished temporary file over the parameter file; when empty,
// std::filesystem::rename. Tests pass a failing one to check that nothing is lost.
using FuncaoRenomear =
    std::function<std::error_code(const std::filesystem::path& de, const std::filesystem::path& para)>;

// Writes the parameter file whole, as QSaveFile does: when vestaMar.ini is a symbolic link its
// final target is written, in the target's folder. The content goes to a temporary file
// there, is flushed to the disk, takes the old file's permissions (and, where the system
// allows, its group), then is renamed over the old file, so a failure leaves the old file as
// it was. A file the user cannot write is left alone and reported. When no temporary file can
// be created beside a file that can be written (a folder without write permission), the file
// is rewritten in place instead.
ResultadoGravacao gravarParametros(Conteudo conteudo, const std::filesystem::path& pasta,
                                   const ParametrosSimulacao& estado, const Separadores& sep,
                                   const FuncaoRenomear& renomear = {});

// Reads pasta/vestaMar.ini into the state, first writing a file of defaults when none exists.
// Always returns; when the file cannot be created or read the state holds the defaults.
ResultadoLeitura lerParametros(const std::filesystem::path& pasta, ParametrosSimulacao& estado,
                               const Separadores& sep);

// Copies the parameter file, as it is on the disk, to vestaMar.ini.bak beside it (beside the
// target, and named after it, when vestaMar.ini is a link), replacing an older copy; saved as
// gravarParametros saves. A new copy takes the file's permissions.
ResultadoGravacao copiarArquivoParametros(const std::filesystem::path& pasta);

// ---- The same operations on the file's content, without the disk --------------------------

// The exact bytes gravarParametros writes: 56 "key=value" lines, each ended by CR LF, ASCII,
// and the optional lines when any optional value is not 0. The decimal mark is the regional
// one when it is "," and "." otherwise; nothing is grouped.
std::string conteudoParametros(Conteudo conteudo, const ParametrosSimulacao& estado,
                               const Separadores& sep);

// Reads the content of a parameter file into the state, line by line, as lerParametros does.
// A line changes a field only when its key is one of the table's (letter case ignored) and its
// value is a number that fits the field's type; every other line is skipped.
ResultadoLeitura lerConteudo(std::string_view conteudo, ParametrosSimulacao& estado,
                             const Separadores& sep);

// Converts a number's text to the type of a state field and stores it there. False, with
// nothing stored, when the text is not a number of that type (empty, letters, out of range).
bool guardarTexto(ParametrosSimulacao& estado, const CampoParametro& campo, std::string_view texto,
                  const Separadores& sep);

// Puts the default value of every key into the state.
void aplicarPadroes(ParametrosSimulacao& estado);

}  // namespace vestamar
