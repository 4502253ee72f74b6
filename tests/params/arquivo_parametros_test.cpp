#include <algorithm>
#include <clocale>
#include <fstream>
#include <limits>
#include <random>
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

// Two states as the file writes them: every key of the table, money to its last decimal.
std::string noArquivo(const P& p) { return conteudoParametros(Conteudo::Estado, p, kBrasil); }
P padroes() {
    P p;
    aplicarPadroes(p);
    return p;
}
Money dm(std::int64_t dezMilesimos) { return Money::deDezMilesimos(dezMilesimos); }

// Files byte for byte under each regional setting: the file of defaults a first start creates
// (percDAR, percDAR2 and percDSR after inssTerc), a saved state (the keys in table order, a
// negative value and a third) and a file of 2026 tables with all six optional lines (one 0)
// after the others; a decimal mark other than the comma is written as a point. Each reads back
// to the same state under any regional setting and is saved again unchanged.
TEST(Gravacao, ArquivoByteAByte) {
    const std::string padrao = dourado("vestaMar-virgula.ini");
    for (const std::string& virgula : {padrao, dourado("vestaMar-salvo.ini"), dourado("vestaMar-2026.ini")}) {
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

// Each case: the content, the regional setting, what it changes in a state of defaults, and
// the keys of the lines that were not read and are not blank ("?": not a key of the table).
TEST(Leitura, CasosDeBorda) {
    const auto nada = [](P&) {};
    const struct {
        std::string_view conteudo;
        const Separadores& sep;
        void (*muda)(P&);
        std::string_view ilegiveis;
    } casos[] = {
        {"PERCINSS=9\r\npercentir1=8\r\nPercentIR2=7\r\nREDUCAOIR=1\r\nreducaoirfator=0,5", kBrasil,
         [](P& p) {
             p.percINSS = 9;
             p.percentIR1 = 8;
             p.percentIR2 = 7;
             p.reducaoIR = 1;
             p.reducaoIRFator = 0.5;
         },
         ""},
        {std::string_view(
             " percINSS=9\r\npercINSS =9\r\npercINSS\t=9\r\nzzz=1\r\n; comentario\r\n=5\r\n \t\r\n\xEF\xBB\xBF\r\n"
             "percINSS\0=9\r\n",
             86),
         kBrasil, [](P& p) { p.percINSS = 9; }, "? ? ? ? ? "},
        {" \tpercINSS \t= \t11 \t\r\nquantDeps =2\r\nzzz\r\n", kBrasil,
         [](P& p) {
             p.percINSS = 11;
             p.quantDeps = 2;
         },
         "? "},
        {"percINSS= 9 \r\npercTxMan=\t5,5\t\r\n", kBrasil,
         [](P& p) {
             p.percINSS = 9;
             p.percTxMan = 5.5;
         },
         ""},
        {"percINSS=9=5\r\nquantDeps=1\r\nquantDeps=2\r\n", kBrasil,
         [](P& p) {
             p.percINSS = 9;
             p.quantDeps = 2;
         },
         ""},
        {"percentIR1=7,5\r\npercentIR2=7.5\r\nreducaoIRParcela=978,62\r\npercSeg=1,5E+20\r\npercSeg2=1E-05\r\n", kPonto,
         [](P& p) {
             p.percentIR1 = p.percentIR2 = 7.5;
             p.reducaoIRParcela = dm(9786200);
             p.percSeg = 1.5e20;
             p.percSeg2 = 1e-5;
         },
         ""},
        {"aPartir1=1.903,99\r\naPartir2=1,5E+3\r\nDesconto1=-1,23456\r\naPartir3=1,903.99\r\n", kBrasil,
         [](P& p) {
             p.aPartir1 = dm(19039900);
             p.aPartir2 = dm(15000000);
             p.Desconto1 = dm(-12346);
         },
         "aPartir3 "},
        {"aPartir1=1\u202F903,99\r\naPartir2=2\u202F826\r\n", kFrances,
         [](P& p) {
             p.aPartir1 = dm(19039900);
             p.aPartir2 = dm(28260000);
         },
         ""},
        {"percentIR1=7.5\r\naPartir1=1,903.99\r\n", kSemGrupo, [](P& p) { p.percentIR1 = 7.5; }, "aPartir1 "},
        {"aPartir1=1,903.99\r\naPartir2=1.903,99\r\n", kPonto, [](P& p) { p.aPartir1 = dm(19039900); }, "aPartir2 "},
        {"quantDias=10,5\r\nquantDias2=11,5\r\nquantDeps=-32768\r\n", kBrasil,
         [](P& p) {
             p.quantDias = 10;
             p.quantDias2 = 12;
             p.quantDeps = -32768;
         },
         ""},
        {"quantDeps=32768\r\nquantDeps=-32769\r\naPartir1=1E+15\r\npercINSS=1E+999\r\npercINSS=9,5,5\r\npercINSS=\r\n"
         "percINSS= \r\npercINSS=abc\r\nPERCINSS\r\npercINSS=9x\r\npercINSS=nan\r\nreducaoIR=1,5E+5\r\n",
         kBrasil, nada,
         "quantDeps quantDeps aPartir1 percINSS percINSS percINSS percINSS percINSS percINSS percINSS percINSS "
         "reducaoIR "},
        {"\xEF\xBB\xBFquantDias=1\nquantDias2=2\rquantDeps=3\r\n\n\r\rpercINSS=4", kBrasil,
         [](P& p) {
             p.quantDias = 1;
             p.quantDias2 = 2;
             p.quantDeps = 3;
             p.percINSS = 4;
         },
         ""},
        {"", kBrasil, nada, ""},
    };
    for (const auto& caso : casos) {
        P esperado = padroes(), lido = padroes();
        caso.muda(esperado);
        std::string chaves;
        for (const LinhaIlegivel& l : lerConteudo(caso.conteudo, lido, caso.sep).ilegiveis)
            chaves += (l.chave.empty() ? std::string("?") : std::string(l.chave)) + ' ';
        EXPECT_EQ(noArquivo(lido), noArquivo(esperado)) << '"' << caso.conteudo << "\" decimal " << caso.sep.decimal;
        EXPECT_EQ(chaves, caso.ilegiveis) << caso.conteudo;
    }
    P p;
    EXPECT_EQ(lerConteudo("percINSS=9\r\npercentISS=5 ; al\xEDquota\r\n", p, kBrasil).ilegiveis.at(0).linha,
              "percentISS=5 ; al\xEDquota");
    p.percSeg = std::numeric_limits<double>::max();  // written as a text that still reads back
    EXPECT_TRUE(lerConteudo(conteudoParametros(Conteudo::Estado, p, kBrasil), p, kBrasil).ilegiveis.empty());
}

// Saves that cannot be done leave every file as it was and say why, without the path: the
// rename fails (as a crash just before it would), the folder is a regular file, the file's
// name is taken by a folder. A start there still gets the defaults.
TEST(Falhas, NadaMudaEOMotivoEhDito) {
    PastaTemporaria pasta;
    const fs::path normal = pasta.caminho / "normal", arquivo = pasta.caminho / "arquivo",
                   ocupada = pasta.caminho / "ocupada";
    fs::create_directories(normal);
    gravarBytes(normal / kNomeArquivo, "percINSS=9\r\nzzz\r\n");
    gravarBytes(arquivo, "abc");
    fs::create_directories(ocupada / kNomeArquivo);
    OperacoesDisco falha;
    falha.renomear = [&](const fs::path& de, const fs::path&) {
        EXPECT_EQ(de.parent_path(), normal);
        EXPECT_EQ(lerBytes(de), noArquivo(padroes()));
        return std::make_error_code(std::errc::io_error);
    };
    for (const auto& [alvo, operacoes, motivo] :
         {std::tuple{normal, falha, "Erro de leitura ou gravação no disco."},
          std::tuple{arquivo, OperacoesDisco{}, "A pasta do arquivo não existe."},
          std::tuple{ocupada, OperacoesDisco{}, "Existe uma pasta com o nome do arquivo."}}) {
        const auto r = gravarParametros(Conteudo::Estado, alvo, padroes(), kBrasil, operacoes);
        EXPECT_FALSE(r.ok) << alvo;
        EXPECT_EQ(r.arquivo, alvo / kNomeArquivo);
        EXPECT_EQ(r.motivo, motivo);
    }
    EXPECT_EQ(lerBytes(normal / kNomeArquivo), "percINSS=9\r\nzzz\r\n");
    EXPECT_EQ(lerBytes(arquivo), "abc");
    EXPECT_EQ(entradas(normal) + entradas(ocupada), 2);
    for (P estado; const fs::path& alvo : {arquivo, ocupada}) {
        EXPECT_TRUE(lerParametros(alvo, estado, kBrasil).ilegiveis.empty()) << alvo;
        EXPECT_EQ(noArquivo(estado), noArquivo(padroes())) << alvo;
    }
}

// A save reaches the disk in order: every byte written into the temporary file, that file
// flushed to the disk, and only then renamed over the old one, so a power cut never leaves a
// renamed file whose bytes are not on the disk. The same for the rewrite in place (flushed).
TEST(Gravacao, EscreveDescarregaERenomeiaNestaOrdem) {
    PastaTemporaria pasta;
    gravarBytes(pasta.ini(), "percINSS=9\r\n");
    std::string ordem;
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
        EXPECT_EQ(lerBytes(de), noArquivo(padroes()));
        return sistema.renomear(de, para);
    };
    ASSERT_TRUE(gravarParametros(Conteudo::Estado, pasta.caminho, padroes(), kBrasil, vigiadas).ok);
    EXPECT_EQ(ordem, "escreve descarrega renomeia ");
    EXPECT_EQ(lerBytes(pasta.ini()), noArquivo(padroes()));
    EXPECT_EQ(entradas(pasta.caminho), 1);
}

// The optional groups: the six values of 2026 come together after the older keys when one of
// them is not 0; the reduction's cap comes alone after them, only when it is not 0, so files
// saved before it existed are saved again as they were.
TEST(Gravacao, GruposOpcionais) {
    const auto linhas = [](const P& p) {
        std::string chaves;
        const std::string c = noArquivo(p);
        for (std::size_t i = 0; i < c.size(); i = c.find("\r\n", i) + 2)
            chaves += c.substr(i, c.find('=', i) - i) + ' ';
        return chaves;
    };
    const std::string antigas = linhas(padroes());
    const std::string seis =
        "reducaoIR reducaoIRIsencao reducaoIRLimite reducaoIRParcela reducaoIRFator descontoSimplificado ";
    const struct {
        void (*muda)(P&);
        std::string depois;
    } casos[] = {
        {[](P&) {}, ""},
        {[](P& p) { p.reducaoIRFator = 0.1; }, seis},
        {[](P& p) { p.reducaoIRTeto = dm(3128900); }, "reducaoIRTeto "},
        {[](P& p) {
             p.reducaoIR = 1;
             p.reducaoIRTeto = dm(1);
         },
         seis + "reducaoIRTeto "},
    };
    for (const auto& caso : casos) {
        P p = padroes();
        caso.muda(p);
        EXPECT_EQ(linhas(p), antigas + caso.depois);
        P lido = padroes();
        EXPECT_TRUE(lerConteudo(noArquivo(p), lido, kBrasil).ilegiveis.empty());
        EXPECT_EQ(noArquivo(lido), noArquivo(p));
    }
    EXPECT_EQ(std::count(antigas.begin(), antigas.end(), ' '), 56);
}

// A file edited by hand on Windows, as it lies on the disk: blanks around keys and "=", a
// comment in Windows-1252 and an unknown key, CR LF. The values are read; the two other lines
// are handed back as they are, for the start-up message and the copy kept before a save.
TEST(Leitura, ArquivoEditadoAMao) {
    PastaTemporaria pasta;
    const std::string editado =
        "; tabela acertada com o cont\xE1"
        "bil em 03/2026\r\n"
        "percINSS = 11\r\n  prodBruta\t=\t3333 \r\nchaveNova=1\r\n\r\n";
    gravarBytes(pasta.ini(), editado);
    P lido;
    const auto r = lerParametros(pasta.caminho, lido, kBrasil);
    EXPECT_EQ(lido.percINSS, 11);
    EXPECT_EQ(lido.prodBruta, dm(33330000));
    ASSERT_EQ(r.ilegiveis.size(), 2u);
    EXPECT_EQ(r.ilegiveis[0].linha,
              "; tabela acertada com o cont\xE1"
              "bil em 03/2026");
    EXPECT_EQ(r.ilegiveis[1].linha, "chaveNova=1");
    EXPECT_TRUE(r.ilegiveis[1].chave.empty());
    EXPECT_EQ(lerBytes(pasta.ini()), editado);  // reading never writes
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
