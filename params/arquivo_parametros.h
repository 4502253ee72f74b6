#pragma once
// vestaMar.ini: the parameters of a simulation, one "key=value" line each, CR LF line ends.
// Written exactly in the old program's format; read forgivingly; saved atomically.

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>
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

using CampoParametro =
    std::variant<double ParametrosSimulacao::*, Money ParametrosSimulacao::*, std::int16_t ParametrosSimulacao::*>;

// Calls `f` with the state field of a key, a reference of the field's own type (double, Money
// or std::int16_t; const when `estado` is): the one step from a key's field to its type.
template <class Estado, class F>
decltype(auto) comCampo(Estado& estado, const CampoParametro& campo, F&& f) {
    return std::visit([&](auto membro) -> decltype(auto) { return f(estado.*membro); }, campo);
}

// The group of a key. The older program's keys are always written; the keys of an optional
// group come after them and are written only when at least one of them is not 0, so a file
// that does not use the group keeps exactly the lines of the older program.
enum class GrupoChave {
    Original,
    IR2026,      // the income tax from 2026 on: the reduction and the simplified discount
    IR2026Teto,  // the reduction's cap, added later: files saved before it stay as they were
};

struct ChaveParametro {
    std::string_view chave;  // as spelled in the file
    TipoParametro tipo;
    std::string_view valorInicial;  // default value text under a decimal-comma setting
    int posicaoArquivoNovo;         // 1-based line in a file of defaults
    CampoParametro campo;           // the state field it fills
    GrupoChave grupo = GrupoChave::Original;
};

// The keys in the order a save writes them: the older program's, then each optional group.
extern const std::span<const ChaveParametro> kChaves;

// Which values a file gets: the current state, or the defaults in the order of a new file.
enum class Conteudo { Estado, Padroes };

// A line that is not blank and was not read, which a save drops: a key of the table whose
// value could not be read (its field was left as it was), a comment or an unknown key.
struct LinhaIlegivel {
    std::string_view chave;  // the key as spelled in the table; empty when it is none of them
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

// The operations of a save that reach the disk, called in this order: writes of the
// content into an open file, its flush to the disk, the rename of the finished temporary
// file over the parameter file. Each empty member is the system's own (write, fsync,
// std::filesystem::rename); tests pass their own to see the order or to make one fail.
using FuncaoRenomear =
    std::function<std::error_code(const std::filesystem::path& de, const std::filesystem::path& para)>;
struct OperacoesDisco {
    std::function<long long(int descritor, const char* dados, std::size_t tamanho)> escrever;
    std::function<int(int descritor)> descarregar;  // 0 when the file's bytes are on the disk
    FuncaoRenomear renomear;
};
// The system's own operations, for a test that watches them and lets them do their work.
OperacoesDisco operacoesDoSistema();

// Writes the parameter file whole, as QSaveFile does: when vestaMar.ini is a symbolic link its
// final target is written, in the target's folder. The content goes to a temporary file
// there, is flushed to the disk, takes the old file's permissions (and, where the system
// allows, its group), then is renamed over the old file, so a failure leaves the old file as
// it was. A file the user cannot write is left alone and reported. When no temporary file can
// be created beside a file that can be written (a folder without write permission), the file
// is rewritten in place instead.
ResultadoGravacao gravarParametros(Conteudo conteudo, const std::filesystem::path& pasta,
                                   const ParametrosSimulacao& estado, const Separadores& sep,
                                   const OperacoesDisco& operacoes = {});

// Reads pasta/vestaMar.ini into the state, first writing a file of defaults when none exists.
// Always returns; when the file cannot be created or read the state holds the defaults.
ResultadoLeitura lerParametros(const std::filesystem::path& pasta, ParametrosSimulacao& estado, const Separadores& sep);

// Copies the parameter file, as it is on the disk, to vestaMar.ini.bak beside it (beside the
// target, and named after it, when vestaMar.ini is a link), replacing an older copy; saved as
// gravarParametros saves. A new copy takes the file's permissions.
ResultadoGravacao copiarArquivoParametros(const std::filesystem::path& pasta);

// ---- The same operations on the file's content, without the disk --------------------------

// The exact bytes gravarParametros writes: 56 "key=value" lines, each ended by CR LF, ASCII,
// and the optional lines when any optional value is not 0. The decimal mark is the regional
// one when it is "," and "." otherwise; nothing is grouped.
std::string conteudoParametros(Conteudo conteudo, const ParametrosSimulacao& estado, const Separadores& sep);

// Reads the content of a parameter file into the state, line by line, as lerParametros does.
// A line changes a field only when its key is one of the table's (letter case and blanks
// around the key and the value ignored) and its value is a number that fits the field's type;
// every other line that is not blank is handed back in the result.
ResultadoLeitura lerConteudo(std::string_view conteudo, ParametrosSimulacao& estado, const Separadores& sep);

// Converts a number's text to the type of a state field and stores it there. False, with
// nothing stored, when the text is not a number of that type (empty, letters, out of range).
bool guardarTexto(ParametrosSimulacao& estado, const CampoParametro& campo, std::string_view texto,
                  const Separadores& sep);

// Puts the default value of every key into the state.
void aplicarPadroes(ParametrosSimulacao& estado);

}  // namespace vestamar
