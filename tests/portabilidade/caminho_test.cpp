// The parameter file in a folder whose name is not ASCII, as user folders often are
// ("C:\Usuários\José\..."): created, replaced by a save, read back, and named correctly
// in the message of a failed save.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "arquivo_parametros.h"

namespace vestamar {
namespace {

namespace fs = std::filesystem;

std::string lerBytes(const fs::path& p) {
    std::ifstream f(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), {}};
}

std::string utf8(const fs::path& p) {
    const auto u = p.u8string();
    return {u.begin(), u.end()};
}

TEST(CaminhoNaoAscii, CriaSubstituiLeENomeiaOArquivo) {
    const fs::path raiz = fs::temp_directory_path() / ("vestamar-portabilidade-" + std::to_string(std::random_device{}()));
    const fs::path pasta = raiz / fs::path(u8"Usuários") / fs::path(u8"José Conceição") / fs::path(u8"Área de Trabalho");
    fs::create_directories(pasta);
    const Separadores sep = Separadores::brasil();

    ParametrosSimulacao estado;
    lerParametros(pasta, estado, sep);
    EXPECT_EQ(lerBytes(pasta / kNomeArquivo), conteudoParametros(Conteudo::Padroes, estado, sep));

    estado.percINSS = 12.5;
    estado.quantDeps = 3;
    const ResultadoGravacao r = gravarParametros(Conteudo::Estado, pasta, estado, sep);
    EXPECT_TRUE(r.ok) << r.motivo;
    const std::string bytes = lerBytes(pasta / kNomeArquivo);
    EXPECT_EQ(bytes, conteudoParametros(Conteudo::Estado, estado, sep));
    EXPECT_EQ(std::distance(fs::directory_iterator(pasta), fs::directory_iterator()), 1);

    ParametrosSimulacao lido;
    lerParametros(pasta, lido, sep);
    EXPECT_EQ(lido.percINSS, 12.5);
    EXPECT_EQ(lido.quantDeps, 3);

    // A "folder" that is a file: the failure names the file, accents intact.
    const fs::path arquivo = pasta / fs::path(u8"não é pasta");
    std::ofstream(arquivo) << "x";
    const ResultadoGravacao falha = gravarParametros(Conteudo::Estado, arquivo, estado, sep);
    EXPECT_FALSE(falha.ok);
    EXPECT_EQ(utf8(falha.arquivo), utf8(arquivo / kNomeArquivo)) << falha.motivo;

    fs::remove_all(raiz);
}

}  // namespace
}  // namespace vestamar
