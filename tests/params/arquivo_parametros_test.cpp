#include <algorithm>
#include <clocale>
#include <fstream>
#include <limits>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "arquivo_parametros.h"

namespace vestamar {
namespace {

namespace fs = std::filesystem;
using P = ParametrosSimulacao;

// The C library follows the user's settings (LC_ALL from CTest), as the program does once its
// window exists: a decimal comma there must not change the file.
[[maybe_unused]] const bool kLocaleDoAmbiente = std::setlocale(LC_ALL, "") != nullptr;

const Separadores kBrasil = Separadores::brasil(), kPonto = Separadores::ponto();
const Separadores kFrances{",", "\u202F"}, kArabe{"\u066B", "\u066C"}, kSemGrupo{",", ""};

// A folder of its own, removed with all it holds. Its name is not ASCII, as user folders often
// are ("C:\Usuários\José\..."), so that every case also shows the file's path kept intact.
struct PastaTemporaria {
    const fs::path caminho = fs::temp_directory_path() /
                             fs::path(u8"vestamar-parâmetros-José-").concat(std::to_string(std::random_device{}()));
    PastaTemporaria() { fs::create_directories(caminho); }
    ~PastaTemporaria() { fs::remove_all(caminho); }
    fs::path ini() const { return caminho / kNomeArquivo; }
};

std::string lerBytes(const fs::path& p) {
    std::ifstream f(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), {}};
}
void gravarBytes(const fs::path& p, std::string_view b) { std::ofstream(p, std::ios::binary) << b; }
std::string dourado(std::string_view nome) { return lerBytes(fs::path(VESTAMAR_DADOS_PARAMS) / nome); }
long entradas(const fs::path& pasta) { return std::distance(fs::directory_iterator(pasta), fs::directory_iterator()); }

// A state as the file writes it: every key of the table, money to its last decimal.
std::string noArquivo(const P& p) { return conteudoParametros(Conteudo::Estado, p, kBrasil); }
P padroes() {
    P p;
    aplicarPadroes(p);
    return p;
}
// The lines of the state's file that are not those of the defaults, without their line ends.
std::string mudadas(const P& p) {
    std::istringstream padrao(noArquivo(padroes())), estado(noArquivo(p));
    std::string r;
    for (std::string a, b; std::getline(estado, b);) {
        if (!std::getline(padrao, a)) a.clear();
        if (a != b) r += b.substr(0, b.size() - 1) + ' ';
    }
    return r;
}

// Files byte for byte under each regional setting: the file of defaults a first start creates
// (percDAR, percDAR2 and percDSR after inssTerc), a saved state (the 56 older keys in table
// order, a negative value and a third), the same with the reduction's cap, which comes alone
// after them when it is not 0, and a file of 2026 tables whose six optional lines (one 0) come
// together when one of them is not 0, without the cap, as files saved before it existed; a
// decimal mark other than the comma is written as a point. Each reads back to the same state
// under any regional setting and is saved again unchanged.
TEST(Gravacao, ArquivoByteAByte) {
    const std::string padrao = dourado("vestaMar-virgula.ini"), salvo = dourado("vestaMar-salvo.ini");
    for (const std::string& virgula :
         {padrao, salvo, salvo + "reducaoIRTeto=312,89\r\n", dourado("vestaMar-2026.ini")}) {
        const Conteudo tipo = virgula == padrao ? Conteudo::Padroes : Conteudo::Estado;
        std::string ponto = virgula;
        std::replace(ponto.begin(), ponto.end(), ',', '.');
        P esperado = padroes();
        lerConteudo(virgula, esperado, kBrasil);
        for (const auto& [sep, escrito] :
             {std::pair{kBrasil, virgula}, std::pair{kPonto, ponto}, std::pair{kArabe, ponto}}) {
            PastaTemporaria pasta;
            if (tipo == Conteudo::Estado) gravarBytes(pasta.ini(), escrito);  // else the first read creates it
            for (const Separadores* leitura : {&sep, &kBrasil, &kPonto, &kFrances, &kArabe}) {
                P lido;
                EXPECT_TRUE(lerParametros(pasta.caminho, lido, *leitura).ilegiveis.empty());
                EXPECT_EQ(noArquivo(lido), noArquivo(esperado)) << escrito;
            }
            EXPECT_EQ(lerBytes(pasta.ini()), escrito);
            ASSERT_TRUE(gravarParametros(tipo, pasta.caminho, esperado, sep).ok);
            EXPECT_EQ(lerBytes(pasta.ini()), escrito);
            EXPECT_EQ(entradas(pasta.caminho), 1);
        }
    }
}

// Each case: the content, the regional setting, the lines a state of defaults then saves
// differently, and the keys of the lines that were not read and are not blank ("?": not a key
// of the table). A line holding a value that cannot be read leaves its field alone.
TEST(Leitura, CasosDeBorda) {
    const struct {
        std::string_view conteudo;
        const Separadores& sep;
        std::string_view mudadas, ilegiveis;
    } casos[] = {
        // Packed table, a case a line or two
        // clang-format off
        {"PERCINSS=9\r\npercentir1=8\r\nPercentIR2=7", kBrasil, "percINSS=9 percentIR1=8 percentIR2=7 ", ""},
        {std::string_view(" percINSS=9\r\npercINSS =9\r\npercINSS\t=9\r\nzzz=1\r\n; comentario\r\n=5\r\n \t\r\n"
                          "\xEF\xBB\xBF\r\npercINSS\0=9\r\n", 86), kBrasil, "percINSS=9 ", "? ? ? ? ? "},
        {" \tpercINSS \t= \t12 \t\r\nquantDeps =2\r\npercTxMan=\t5,5\r\nzzz\r\n", kBrasil,
         "percINSS=12 percTxMan=5,5 quantDeps=2 ", "? "},
        {"percINSS=9=5\r\nquantDeps=1\r\nquantDeps=2\r\n", kBrasil, "percINSS=9 quantDeps=2 ", ""},
        {"percentIR1=8,5\r\npercentIR2=7.5\r\nabatDep=978,62\r\npercSeg=1,5E+20\r\npercSeg2=1E-05\r\n", kPonto,
         "percentIR1=8,5 percentIR2=7,5 abatDep=978,62 percSeg=1,5E+20 percSeg2=1E-05 ", ""},
        {"aPartir1=1.903,98\r\naPartir2=1,5E+3\r\nDesconto1=-1,23456\r\naPartir3=1,903.99\r\n", kBrasil,
         "aPartir1=1903,98 Desconto1=-1,2346 aPartir2=1500 ", "aPartir3 "},
        {"aPartir1=1\u202F903,98\r\naPartir2=2\u202F826\r\n", kFrances, "aPartir1=1903,98 aPartir2=2826 ", ""},
        {"percentIR1=8.5\r\naPartir1=1,903.98\r\n", kSemGrupo, "percentIR1=8,5 ", "aPartir1 "},
        {"aPartir1=1,903.98\r\naPartir2=1.903,98\r\n", kPonto, "aPartir1=1903,98 ", "aPartir2 "},
        {"quantDias=12,5\r\nquantDias2=11,5\r\nquantDeps=-32768\r\n", kBrasil,
         "quantDias=12 quantDias2=12 quantDeps=-32768 ", ""},
        {"quantDeps=32768\r\nquantDeps=-32769\r\naPartir1=1E+15\r\npercINSS=1E+999\r\npercINSS=9,5,5\r\npercINSS=\r\n"
         "percINSS= \r\npercINSS=abc\r\nPERCINSS\r\npercINSS=9x\r\npercINSS=nan\r\nreducaoIR=1,5E+5\r\n", kBrasil, "",
         "quantDeps quantDeps aPartir1 percINSS percINSS percINSS percINSS percINSS percINSS percINSS percINSS "
         "reducaoIR "},
        {"\xEF\xBB\xBFquantDias=1\nquantDias2=2\rquantDeps=3\r\n\n\r\rpercINSS=4", kBrasil,
         "percINSS=4 quantDias=1 quantDias2=2 quantDeps=3 ", ""},
        // clang-format on
    };
    for (const auto& caso : casos) {
        P lido = padroes();
        std::string chaves;
        for (const LinhaIlegivel& l : lerConteudo(caso.conteudo, lido, caso.sep).ilegiveis)
            chaves += (l.chave.empty() ? std::string("?") : std::string(l.chave)) + ' ';
        EXPECT_EQ(mudadas(lido), caso.mudadas) << '"' << caso.conteudo << "\" decimal " << caso.sep.decimal;
        EXPECT_EQ(chaves, caso.ilegiveis) << caso.conteudo;
    }
    P p;
    p.percSeg = std::numeric_limits<double>::max();  // written as a text that still reads back
    EXPECT_TRUE(lerConteudo(conteudoParametros(Conteudo::Estado, p, kBrasil), p, kBrasil).ilegiveis.empty());
}

// A save reaches the disk in order: every byte written into a temporary file beside the old one,
// that file flushed to the disk, and only then renamed over the old one, so a power cut never
// leaves a renamed file whose bytes are not on the disk. Saves that cannot be done leave every
// file as it was and say why, without the path: the rename fails (as a crash just before it
// would), the folder is a regular file, the file's name is taken by a folder; a start there
// still gets the defaults. Reading a file edited by hand on Windows (a comment in Windows-1252, a
// value that cannot be read) hands those lines back as they are, for the start-up message and
// the copy kept before a save, and writes nothing.
TEST(Gravacao, NaOrdemOuNadaMuda) {
    PastaTemporaria pasta;
    const fs::path normal = pasta.caminho / "normal", arquivo = pasta.caminho / "arquivo",
                   ocupada = pasta.caminho / "ocupada";
    const std::string editado = "; tabela do cont\341bil\r\npercINSS=9\r\npercentISS=5 ; al\xEDquota\r\n";
    fs::create_directories(normal);
    gravarBytes(normal / kNomeArquivo, editado);
    gravarBytes(arquivo, "abc");
    fs::create_directories(ocupada / kNomeArquivo);
    P lido;
    const auto r = lerParametros(normal, lido, kBrasil);
    ASSERT_EQ(r.ilegiveis.size(), 2u);
    EXPECT_EQ(r.ilegiveis[0].linha, "; tabela do cont\341bil");
    EXPECT_EQ(r.ilegiveis[1].linha, "percentISS=5 ; al\xEDquota");
    EXPECT_EQ(lido.percINSS, 9);

    std::string ordem;
    bool renomeiaFalha = true;
    const OperacoesDisco sistema = operacoesDoSistema();
    OperacoesDisco vigiadas;
    vigiadas.escrever = [&](int fd, const char* dados, std::size_t n) {
        ordem += ordem.ends_with("escreve ") ? "" : "escreve ";
        return sistema.escrever(fd, dados, std::min<std::size_t>(n, 100));  // in several writes
    };
    vigiadas.descarregar = [&](int fd) {
        ordem += "descarrega ";
        return sistema.descarregar(fd);
    };
    vigiadas.renomear = [&](const fs::path& de, const fs::path& para) {
        ordem += "renomeia ";
        EXPECT_EQ(de.parent_path(), normal);
        EXPECT_EQ(lerBytes(de), noArquivo(padroes()));
        return renomeiaFalha ? std::make_error_code(std::errc::io_error) : sistema.renomear(de, para);
    };
    for (const auto& [alvo, motivo] : {std::pair{normal, "Erro de leitura ou gravação no disco."},
                                       std::pair{arquivo, "A pasta do arquivo não existe."},
                                       std::pair{ocupada, "Existe uma pasta com o nome do arquivo."}}) {
        const auto gravado = gravarParametros(Conteudo::Estado, alvo, padroes(), kBrasil, vigiadas);
        EXPECT_FALSE(gravado.ok) << alvo;
        EXPECT_EQ(gravado.arquivo, alvo / kNomeArquivo);
        EXPECT_EQ(gravado.motivo, motivo);
    }
    EXPECT_EQ(lerBytes(normal / kNomeArquivo), editado);
    EXPECT_EQ(lerBytes(arquivo), "abc");
    EXPECT_EQ(entradas(normal) + entradas(ocupada), 2);
    for (P estado; const fs::path& alvo : {arquivo, ocupada}) {
        EXPECT_TRUE(lerParametros(alvo, estado, kBrasil).ilegiveis.empty()) << alvo;
        EXPECT_EQ(noArquivo(estado), noArquivo(padroes())) << alvo;
    }
    renomeiaFalha = false;
    ASSERT_TRUE(gravarParametros(Conteudo::Estado, normal, padroes(), kBrasil, vigiadas).ok);
    EXPECT_EQ(ordem, "escreve descarrega renomeia escreve descarrega renomeia ");
    EXPECT_EQ(lerBytes(normal / kNomeArquivo), noArquivo(padroes()));
    EXPECT_EQ(entradas(normal), 1);
}

#ifndef _WIN32
struct stat infoDe(const fs::path& p) {
    struct stat info {};
    EXPECT_EQ(::stat(p.c_str(), &info), 0) << p;
    return info;
}

// Saves over a file with its permissions (in this folder, or in another one through
// vestaMar.ini, a relative link to an absolute link to it), as an ordinary user meets them
// (root may write anything: the CTest entry params.sem_privilegios runs this as nobody, root
// runs only the case of the links). A file the user may not change is not saved over, whatever
// its folder allows; a file that may be changed in a folder that may not is rewritten in place
// (and cut to its new length). The save and the copy go to a link's target, in its folder, with
// its permissions and group (root may give any group, another user only his own); the links
// stay. A loop of links is reported.
TEST(Permissoes, ArquivoPastaELigacoes) {
    const bool raiz = ::geteuid() == 0;
    const gid_t grupo = raiz ? 65534 : ::getegid();
    const std::string_view protegido =
        "Sem permissão para alterar o arquivo: ele é somente leitura, pertence a "
        "outro usuário ou está em uso por outro programa.";
    const struct {
        unsigned arquivo, pasta;
        std::string_view motivo;
        bool ligado = false;
    } casos[] = {
        {0604, 0755, "", true},  // no umask gives 0604
        {0444, 0755, protegido}, {0444, 0555, protegido},
        {0640, 0555, ""},        {0, 0555, "Sem permissão para criar arquivos na pasta."},  // no file
    };
    const std::string novo = noArquivo(padroes()), antigo = novo + ";;;\r\n";
    for (const auto& caso : casos) {
        if (raiz && !caso.ligado) continue;
        PastaTemporaria pasta;
        const fs::path programa = pasta.caminho / "programa", comum = pasta.caminho / "comum";
        const fs::path alvo = caso.ligado ? comum / "alvo.ini" : programa / kNomeArquivo,
                       copia = comum / "alvo.ini.bak";
        for (const fs::path& f : {programa, comum}) fs::create_directories(f);
        if (caso.arquivo != 0) {
            gravarBytes(alvo, antigo);
            ASSERT_EQ(::chown(alvo.c_str(), static_cast<uid_t>(-1), grupo), 0);
            fs::permissions(alvo, static_cast<fs::perms>(caso.arquivo));
        }
        if (caso.ligado) {
            fs::create_symlink("../comum/meio", programa / kNomeArquivo);
            fs::create_symlink(alvo, comum / "meio");
            EXPECT_EQ(caminhoArquivo(programa), alvo);
            ASSERT_TRUE(copiarArquivoParametros(programa).ok);
        }
        fs::permissions(alvo.parent_path(), static_cast<fs::perms>(caso.pasta));
        const ino_t antes = caso.arquivo != 0 ? infoDe(alvo).st_ino : 0;
        const auto r = gravarParametros(Conteudo::Estado, programa, padroes(), kBrasil);
        fs::permissions(alvo.parent_path(), fs::perms::owner_all);
        EXPECT_EQ(r.ok, caso.motivo.empty()) << caso.arquivo << ' ' << caso.pasta;
        EXPECT_EQ(r.motivo, caso.motivo);
        EXPECT_EQ(r.arquivo, alvo);
        EXPECT_EQ(entradas(alvo.parent_path()), caso.arquivo == 0 ? 0 : caso.ligado ? 3 : 1);
        if (caso.arquivo == 0) continue;
        EXPECT_EQ(lerBytes(alvo), r.ok ? novo : antigo);
        EXPECT_EQ(infoDe(alvo).st_ino == antes, !caso.ligado);
        for (const fs::path& f : caso.ligado ? std::vector{alvo, copia} : std::vector{alvo}) {
            EXPECT_EQ(infoDe(f).st_mode & 07777, caso.arquivo) << f;
            EXPECT_EQ(infoDe(f).st_gid, grupo) << f;
        }
        if (!caso.ligado) continue;
        EXPECT_EQ(lerBytes(copia), antigo);
        ASSERT_TRUE(copiarArquivoParametros(programa).ok);  // replaces the older copy
        EXPECT_EQ(lerBytes(copia), novo);
        EXPECT_TRUE(fs::is_symlink(programa / kNomeArquivo) && fs::is_symlink(comum / "meio"));
        fs::remove(alvo);
        fs::create_symlink("meio", alvo);
        EXPECT_EQ(gravarParametros(Conteudo::Estado, programa, padroes(), kBrasil).motivo,
                  "As ligações simbólicas do arquivo formam um ciclo.");
        EXPECT_EQ(entradas(comum), 3);
    }
}
#endif

}  // namespace
}  // namespace vestamar
