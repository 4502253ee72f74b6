#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <fstream>
#include <functional>
#include <random>
#include <set>
#include <sstream>

#include <gtest/gtest.h>

#include "arquivo_parametros.h"

namespace vestamar {
namespace {

namespace fs = std::filesystem;
using P = ParametrosSimulacao;

const Separadores kBrasil = Separadores::brasil();
const Separadores kPonto = Separadores::ponto();
const Separadores kFrances{",", "\u202F"};
const Separadores kArabe{"\u066B", "\u066C"};

struct PastaTemporaria {
    fs::path caminho;
    PastaTemporaria() {
        char hex[20];
        const auto fim = std::to_chars(hex, hex + sizeof hex, std::random_device{}(), 16).ptr;
        caminho = fs::temp_directory_path() / ("vestamar-params-" + std::string(hex, fim));
        fs::create_directories(caminho);
    }
    ~PastaTemporaria() { fs::remove_all(caminho); }
    fs::path ini() const { return caminho / kNomeArquivo; }
};

std::string lerBytes(const fs::path& p) {
    std::ifstream f(p, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}
void gravarBytes(const fs::path& p, std::string_view bytes) {
    std::ofstream(p, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Field by field through the key table, naming every key that differs.
::testing::AssertionResult iguais(const P& a, const P& b) {
    std::string diferentes;
    for (const ChaveParametro& c : kChaves) {
        std::visit([&](auto campo) { if (!(a.*campo == b.*campo)) diferentes += std::string(c.chave) + " "; },
                   c.campo);
    }
    if (diferentes.empty()) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "differ: " << diferentes;
}

P padroes() {
    P p;
    aplicarPadroes(p);
    return p;
}

std::vector<std::string> linhas(const std::string& conteudo) {
    std::vector<std::string> v;
    for (std::size_t i = 0, fim; i < conteudo.size(); i = fim + 2) {
        fim = conteudo.find("\r\n", i);
        if (fim == std::string::npos) return {"missing CR LF"};
        v.push_back(conteudo.substr(i, fim - i));
    }
    return v;
}

TEST(TabelaDeChaves, CadaChaveCampoELinhaUmaVez) {
    std::set<std::string> chaves;
    std::set<int> posicoes;
    for (const ChaveParametro& c : kChaves) {
        std::string maiusculas(c.chave);
        for (char& ch : maiusculas) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
        chaves.insert(maiusculas);
        posicoes.insert(c.posicaoArquivoNovo);
        for (const ChaveParametro& outra : kChaves) {
            EXPECT_TRUE(&outra == &c || !(c.campo == outra.campo)) << c.chave << " / " << outra.chave;
        }
    }
    EXPECT_EQ(chaves.size(), 56u);
    EXPECT_EQ(posicoes.size(), 56u);
    EXPECT_EQ(*posicoes.begin(), 1);
    EXPECT_EQ(*posicoes.rbegin(), 56);
}

// A first start: the file of defaults is created byte for byte and read into the state.
TEST(ArquivoNovo, BytesExatosEmCadaConfiguracao) {
    for (const auto& [sep, dourado] : {std::pair{kBrasil, "vestaMar-virgula.ini"},
                                       std::pair{kPonto, "vestaMar-ponto.ini"}}) {
        PastaTemporaria pasta;
        P estado;
        lerParametros(pasta.caminho, estado, sep);
        const std::string esperado = lerBytes(fs::path(VESTAMAR_DADOS_PARAMS) / dourado);
        EXPECT_EQ(lerBytes(pasta.ini()), esperado) << dourado;
        EXPECT_EQ(estado.percINSS, 11);
        EXPECT_EQ(estado.aPartir1, Money::deDezMilesimos(19039900));
        EXPECT_EQ(estado.quantDias, 10);
        EXPECT_EQ(estado.fatorNoturno, 33.33);
        EXPECT_EQ(estado.baseDSR, 1);
        EXPECT_TRUE(iguais(estado, padroes()));
    }
}

// A save writes the table order, whatever order and content the file had.
TEST(Gravacao, OrdemDaTabelaETextosDosValores) {
    PastaTemporaria pasta;
    gravarBytes(pasta.ini(), "zzz=1\r\n; comentario\r\nquantDeps=1\r\nquantDeps=2\r\n");
    P estado = padroes();
    lerParametros(pasta.caminho, estado, kBrasil);
    estado.percSeg = -5;
    estado.percSeg2 = 1.0 / 3;
    estado.quantDeps = 0;
    ASSERT_TRUE(gravarParametros(false, pasta.caminho, estado, kBrasil).ok);
    EXPECT_EQ(std::distance(fs::directory_iterator(pasta.caminho), fs::directory_iterator()), 1);

    auto esperado = linhas(lerBytes(fs::path(VESTAMAR_DADOS_PARAMS) / "vestaMar-virgula.ini"));
    ASSERT_EQ(esperado.size(), 56u);
    std::rotate(esperado.begin() + 6, esperado.begin() + 37, esperado.begin() + 40);
    esperado[53] = "percSeg=-5";
    esperado[54] = "percSeg2=0,333333333333333";
    EXPECT_EQ(linhas(lerBytes(pasta.ini())), esperado);
}

// The value rounded to 15 significant digits, as the file keeps a double.
double quinzeDigitos(double x) {
    char texto[40];
    const auto fim = std::to_chars(texto, texto + sizeof texto, x, std::chars_format::scientific, 14).ptr;
    double y = 0;
    if (std::from_chars(texto, fim, y).ec != std::errc{}) return std::copysign(1.79769313486231e308, x);
    return y;
}

P estadoAleatorio(std::mt19937_64& gerador) {
    P p;
    for (const ChaveParametro& c : kChaves) {
        const std::uint64_t bits = gerador();
        std::visit([&](auto campo) {
            using T = std::remove_reference_t<decltype(p.*campo)>;
            if constexpr (std::is_same_v<T, double>) {
                double d = std::bit_cast<double>(bits);  // every finite double, huge to subnormal
                if (bits % 3 == 0) d = static_cast<double>(static_cast<std::int64_t>(bits >> 8) % 100000000) / 64;
                p.*campo = std::isfinite(d) ? d : 0.0;
            } else if constexpr (std::is_same_v<T, Money>) {
                const auto n = static_cast<std::int64_t>(bits);
                p.*campo = Money::deDezMilesimos(bits % 2 ? n : n % 100000000000);
            } else {
                p.*campo = static_cast<std::int16_t>(bits);
            }
        }, c.campo);
    }
    return p;
}

// Random states written under one setting and read under another come back equal (doubles
// at 15 significant digits), and the file is plain ASCII.
TEST(IdaEVolta, EstadosAleatoriosEntreConfiguracoes) {
    std::mt19937_64 gerador(20240611);
    for (const Separadores* escrita : {&kBrasil, &kPonto, &kFrances, &kArabe}) {
        for (const Separadores* leitura : {&kBrasil, &kPonto, &kFrances, &kArabe}) {
            for (int i = 0; i < 60; ++i) {
                P esperado = estadoAleatorio(gerador);
                const std::string texto = conteudoParametros(false, esperado, *escrita);
                for (const ChaveParametro& c : kChaves) {
                    if (const auto* d = std::get_if<double P::*>(&c.campo)) esperado.*(*d) = quinzeDigitos(esperado.*(*d));
                }
                ASSERT_TRUE(std::all_of(texto.begin(), texto.end(), [](char ch) { return ch > 0; }));
                P lido = padroes();
                lerConteudo(texto, lido, *leitura);
                ASSERT_TRUE(iguais(lido, esperado)) << texto;
            }
        }
    }
}

// Each case: the content, the regional setting, and what it changes in a state of defaults.
struct CasoLeitura {
    std::string_view conteudo;
    const Separadores& sep;
    std::function<void(P&)> muda;
};
void nada(P&) {}

TEST(Leitura, CasosDeBorda) {
    const auto m = [](std::int64_t d) { return Money::deDezMilesimos(d); };
    const CasoLeitura casos[] = {
        {"PERCINSS=9\r\n", kBrasil, [](P& p) { p.percINSS = 9; }},
        {"percinss=9", kBrasil, [](P& p) { p.percINSS = 9; }},
        {"PercInss=9\r\n", kPonto, [](P& p) { p.percINSS = 9; }},
        {" percINSS=9\r\npercINSS =9\r\npercINSS\t=9\r\n", kBrasil, nada},
        {"percINSS= 9 \r\n", kBrasil, [](P& p) { p.percINSS = 9; }},
        {"percINSS=\t9\t\r\n", kBrasil, [](P& p) { p.percINSS = 9; }},
        {"percINSS=9=5\r\n", kBrasil, [](P& p) { p.percINSS = 9; }},
        {"quantDeps=1\r\nquantDeps=2\r\n", kBrasil, [](P& p) { p.quantDeps = 2; }},
        {"percentIR1=7,5\r\npercentIR2=7.5\r\n", kBrasil, [](P& p) { p.percentIR1 = p.percentIR2 = 7.5; }},
        {"percentIR1=7,5\r\npercentIR2=7.5\r\n", kPonto, [](P& p) { p.percentIR1 = p.percentIR2 = 7.5; }},
        {"aPartir1=1.903,99\r\naPartir2=1,5E+3\r\n", kBrasil, [&](P& p) { p.aPartir1 = m(19039900); p.aPartir2 = m(15000000); }},
        {"aPartir1=1,903.99\r\n", kPonto, [&](P& p) { p.aPartir1 = m(19039900); }},
        {"aPartir1=1.903,99\r\n", kPonto, nada},
        {"Desconto1=-1,23456\r\n", kBrasil, [&](P& p) { p.Desconto1 = m(-12346); }},
        {"percSeg=1,5E+20\r\npercSeg2=1E-05\r\n", kPonto, [](P& p) { p.percSeg = 1.5e20; p.percSeg2 = 1e-5; }},
        {"quantDias=10,5\r\nquantDias2=11,5\r\nquantDeps=-32768\r\n", kBrasil,
         [](P& p) { p.quantDias = 10; p.quantDias2 = 12; p.quantDeps = -32768; }},
        {"quantDeps=32768\r\nquantDeps=-32769\r\naPartir1=1E+15\r\npercINSS=1E+999\r\n", kBrasil, nada},
        {"percINSS=9,5,5\r\npercINSS=\r\npercINSS= \r\npercINSS=abc\r\npercINSS\r\npercINSS=9x\r\npercINSS=nan\r\n", kBrasil, nada},
        {"\xEF\xBB\xBFpercINSS=9\r\n", kBrasil, [](P& p) { p.percINSS = 9; }},
        {"quantDias=1\nquantDias2=2\rquantDeps=3\r\n\n\r\rpercINSS=4", kBrasil,
         [](P& p) { p.quantDias = 1; p.quantDias2 = 2; p.quantDeps = 3; p.percINSS = 4; }},
        {"", kBrasil, nada},
        {"zzz=1\r\n; comentario\r\n=5\r\n\r\n\xEF\xBB\xBF\r\n", kBrasil, nada},
        {std::string_view("percINSS\0=9\r\n", 13), kBrasil, nada},
    };
    for (const CasoLeitura& caso : casos) {
        P esperado = padroes();
        caso.muda(esperado);
        P lido = padroes();
        lerConteudo(caso.conteudo, lido, caso.sep);
        EXPECT_TRUE(iguais(lido, esperado)) << '"' << caso.conteudo << "\" decimal " << caso.sep.decimal;
    }
}

// The seam that moves the temporary file: here it fails, as a crash before the rename would.
TEST(Falhas, RenomeacaoFalhaPreservaArquivoAntigo) {
    PastaTemporaria pasta;
    const std::string antigo = "percINSS=9\r\nzzz\r\n";
    gravarBytes(pasta.ini(), antigo);
    fs::path temporario;
    const auto r = gravarParametros(false, pasta.caminho, padroes(), kBrasil,
                                    [&](const fs::path& de, const fs::path&) {
                                        temporario = de;
                                        EXPECT_EQ(lerBytes(de), conteudoParametros(false, padroes(), kBrasil));
                                        return std::make_error_code(std::errc::io_error);
                                    });
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.motivo.find(pasta.ini().string()), std::string::npos) << r.motivo;
    EXPECT_EQ(temporario.parent_path(), pasta.caminho);
    EXPECT_EQ(lerBytes(pasta.ini()), antigo);
    EXPECT_FALSE(fs::exists(temporario));
    EXPECT_EQ(std::distance(fs::directory_iterator(pasta.caminho), fs::directory_iterator()), 1);
}

// Folders that cannot take the file: a path through a regular file, and a folder where the
// file's name is taken by a folder. Nothing is left behind and the start still gets defaults.
TEST(Falhas, PastaInutilizavel) {
    PastaTemporaria pasta;
    gravarBytes(pasta.caminho / "arquivo", "abc");
    fs::create_directory(pasta.caminho / "ocupada");
    fs::create_directory(pasta.caminho / "ocupada" / kNomeArquivo);
    for (const fs::path& alvo : {pasta.caminho / "arquivo", pasta.caminho / "ocupada"}) {
        const auto r = gravarParametros(true, alvo, P{}, kBrasil);
        EXPECT_FALSE(r.ok) << alvo;
        EXPECT_NE(r.motivo.find((alvo / kNomeArquivo).string()), std::string::npos) << r.motivo;
        P estado;
        lerParametros(alvo, estado, kBrasil);
        EXPECT_TRUE(iguais(estado, padroes())) << alvo;
    }
    EXPECT_EQ(lerBytes(pasta.caminho / "arquivo"), "abc");
    EXPECT_TRUE(fs::is_directory(pasta.caminho / "ocupada" / kNomeArquivo));
    EXPECT_EQ(std::distance(fs::directory_iterator(pasta.caminho / "ocupada"), fs::directory_iterator()), 1);
}

}  // namespace
}  // namespace vestamar
