#pragma once
// The parameter file on the disk: read whole, links followed, saved safely. Used by the
// reader and the writer only; the rest of the program goes through arquivo_parametros.h.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

#include "arquivo_parametros.h"

namespace vestamar::disco {

// The whole file, or nothing when it is not a regular file or cannot be read.
std::optional<std::string> lerArquivo(const std::filesystem::path& caminho);

// The final target of a chain of symbolic links, relative targets taken from the link's
// folder; the path itself when it is no link, or when the chain cannot be followed (a loop:
// opening the path then fails with the system's own error).
std::filesystem::path seguirLigacoes(const std::filesystem::path& caminho);

// Writes `conteudo` as the whole of the file at `caminho` (its links followed): see
// gravarParametros. A file that does not exist yet takes the permissions and group of
// `modelo` when one is given, else those the system gives any new file.
ResultadoGravacao gravarArquivo(const std::filesystem::path& caminho, std::string_view conteudo,
                                const OperacoesDisco& operacoes = {}, const std::filesystem::path& modelo = {});

}  // namespace vestamar::disco
