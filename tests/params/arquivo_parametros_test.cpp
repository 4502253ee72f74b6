#include <algorithm>
#include <bit>
#include <charconv>
#include <clocale>
#include <cmath>
#include <fstream>
#include <limits>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "arquivo_parametros.h"

namespace vestamar {
namespace {

namespace fs = std::filesystem;
using P = ParametrosSimulacao;

// The C library follows the user's settings (LC_ALL from CTest), as the program does once its
// window exists: a decimal comma there must not change the file.
[[maybe_unused]] const bool kLocaleDoAmbiente = std::setlocale(LC_ALL, "") != nullptr;

const Separadores kBrasil = Separadores::brasil(), kPonto = Separadores::ponto();
const Separadores kFrances{",", "\u202F"}, kArabe{"\u066B", "\u066C"};

struct PastaTemporaria {
    const fs::path caminho = fs::temp_directory_path() / ("vestamar-params-" + std::to_string(std::random_device{}()));
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
long entradas(const fs::path& pasta) {
    return std::distance(fs::directory_iterator(pasta), fs::directory_iterator());
}

// Field by field through the key table, naming every key that differs.
::testing::AssertionResult iguais(const P& a, const P& b) {
    std::string diferentes;
    for (const ChaveParametro& c : kChaves) {
        std::visit([&](auto f) { if (!(a.*f == b.*f)) diferentes += std::string(c.chave) + " "; }, c.campo);
    }
    if (diferentes.empty()) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "differ: " << diferentes;
}

P padroes() {
    P p;
    aplicarPadroes(p);
    return p;
}
Money dm(std::int64_t dezMilesimos) { return Money::deDezMilesimos(dezMilesimos); }

// Two keys on one field would leave a field out of the file without any other test noticing.
TEST(TabelaDeChaves, CadaCampoUmaVez) {
    for (const ChaveParametro& c : kChaves) {
        EXPECT_EQ(std::count_if(kChaves.begin(), kChaves.end(), [&](auto& o) { return o.campo == c.campo; }), 1)
            << c.chave;
    }
}

// A first start: the file of defaults is created byte for byte and read into the state.
TEST(ArquivoNovo, BytesExatosEmCadaConfiguracao) {
    for (const auto& [sep, nome] : {std::pair{kBrasil, "vestaMar-virgula.ini"},
                                    std::pair{kPonto, "vestaMar-ponto.ini"}}) {
        PastaTemporaria pasta;
        P estado;
        lerParametros(pasta.caminho, estado, sep);
        EXPECT_EQ(lerBytes(pasta.ini()), dourado(nome)) << nome;
        EXPECT_TRUE(iguais(estado, padroes())) << nome;
    }
}

// A save writes all keys in table order, whatever order and lines the file had.
TEST(Gravacao, OrdemDaTabelaETextosDosValores) {
    PastaTemporaria pasta;
    gravarBytes(pasta.ini(), "zzz=1\r\n; comentario\r\nquantDeps=1\r\nquantDeps=2\r\n");
    P estado = padroes();
    lerParametros(pasta.caminho, estado, kBrasil);
    estado.percSeg = -5;
    estado.percSeg2 = 1.0 / 3;
    estado.quantDeps = 0;
    ASSERT_TRUE(gravarParametros(false, pasta.caminho, estado, kBrasil).ok);
    EXPECT_EQ(entradas(pasta.caminho), 1);
    // The file of defaults with percDAR, percDAR2 and percDSR back after percTxAdm2.
    std::string esperado = dourado("vestaMar-virgula.ini");
    const std::string dar = "percDAR=0\r\npercDAR2=0\r\npercDSR=0\r\n", seg = "percSeg=0\r\npercSeg2=0\r\n";
    esperado.erase(esperado.find(dar), dar.size());
    esperado.insert(esperado.find("aPartir1="), dar);
    esperado.replace(esperado.find(seg), seg.size(), "percSeg=-5\r\npercSeg2=0,333333333333333\r\n");
    EXPECT_EQ(lerBytes(pasta.ini()), esperado);
}

// The value rounded to 15 significant digits, as the file keeps a double.
double quinzeDigitos(double x) {
    char t[40];
    const auto fim = std::to_chars(t, t + sizeof t, x, std::chars_format::scientific, 14).ptr;
    double y = 0;
    if (std::from_chars(t, fim, y).ec != std::errc{}) return std::copysign(1.79769313486231e308, x);
    return y;
}

// Every double from huge to subnormal, short fractions, money over its whole range and with
// four decimals, any 16-bit integer; negatives everywhere.
P estadoAleatorio(std::mt19937_64& gerador) {
    P p;
    for (const ChaveParametro& c : kChaves) {
        const std::uint64_t bits = gerador();
        const auto n = static_cast<std::int64_t>(bits);
        std::visit([&](auto f) {
            using T = std::remove_reference_t<decltype(p.*f)>;
            if constexpr (std::is_same_v<T, double>) {
                const double d = bits % 3 ? std::bit_cast<double>(bits) : static_cast<double>(n % 100000000) / 64;
                p.*f = std::isfinite(d) ? d : 0.0;
            } else if constexpr (std::is_same_v<T, Money>) {
                p.*f = Money::deDezMilesimos(bits % 2 ? n : n % 100000000000);
            } else {
                p.*f = static_cast<std::int16_t>(bits);
            }
        }, c.campo);
    }
    return p;
}

// Written under one setting and read under any other, a state comes back equal (doubles at
// 15 significant digits), and the file is plain ASCII.
TEST(IdaEVolta, EstadosAleatoriosEntreConfiguracoes) {
    std::mt19937_64 gerador(20240611);
    for (const Separadores* escrita : {&kBrasil, &kPonto, &kFrances, &kArabe}) {
        for (const Separadores* leitura : {&kBrasil, &kPonto, &kFrances, &kArabe}) {
            for (int i = 0; i < 60; ++i) {
                P esperado = estadoAleatorio(gerador);
                if (i == 0) {  // the ends of each type's range
                    esperado.percSeg = std::numeric_limits<double>::max();
                    esperado.percSeg2 = -std::numeric_limits<double>::denorm_min();
                    esperado.aPartir1 = Money::deDezMilesimos(std::numeric_limits<std::int64_t>::min());
                    esperado.quantDeps = std::numeric_limits<std::int16_t>::min();
                }
                const std::string texto = conteudoParametros(false, esperado, *escrita);
                ASSERT_TRUE(std::all_of(texto.begin(), texto.end(), [](char ch) { return ch > 0; }));
                for (const ChaveParametro& c : kChaves) {
                    if (auto* d = std::get_if<double P::*>(&c.campo)) esperado.*(*d) = quinzeDigitos(esperado.*(*d));
                }
                P lido = padroes();
                lerConteudo(texto, lido, *leitura);
                ASSERT_TRUE(iguais(lido, esperado)) << texto;
            }
        }
    }
}

// Each case: the content, the regional setting, and what it changes in a state of defaults.
TEST(Leitura, CasosDeBorda) {
    const auto nada = [](P&) {};
    const struct { std::string_view conteudo; const Separadores& sep; void (*muda)(P&); } casos[] = {
        {"PERCINSS=9\r\npercentir1=8\r\nPercentIR2=7", kBrasil, [](P& p) { p.percINSS = 9; p.percentIR1 = 8; p.percentIR2 = 7; }},
        {" percINSS=9\r\npercINSS =9\r\npercINSS\t=9\r\n", kBrasil, nada},
        {"percINSS= 9 \r\npercTxMan=\t5,5\t\r\n", kBrasil, [](P& p) { p.percINSS = 9; p.percTxMan = 5.5; }},
        {"percINSS=9=5\r\nquantDeps=1\r\nquantDeps=2\r\n", kBrasil, [](P& p) { p.percINSS = 9; p.quantDeps = 2; }},
        {"percentIR1=7,5\r\npercentIR2=7.5\r\n", kBrasil, [](P& p) { p.percentIR1 = p.percentIR2 = 7.5; }},
        {"percentIR1=7,5\r\npercentIR2=7.5\r\n", kPonto, [](P& p) { p.percentIR1 = p.percentIR2 = 7.5; }},
        {"aPartir1=1.903,99\r\naPartir2=1,5E+3\r\n", kBrasil, [](P& p) { p.aPartir1 = dm(19039900); p.aPartir2 = dm(15000000); }},
        {"aPartir1=1,903.99\r\naPartir2=1.903,99\r\n", kPonto, [](P& p) { p.aPartir1 = dm(19039900); }},
        {"Desconto1=-1,23456\r\n", kBrasil, [](P& p) { p.Desconto1 = dm(-12346); }},
        {"percSeg=1,5E+20\r\npercSeg2=1E-05\r\n", kPonto, [](P& p) { p.percSeg = 1.5e20; p.percSeg2 = 1e-5; }},
        {"quantDias=10,5\r\nquantDias2=11,5\r\nquantDeps=-32768\r\n", kBrasil,
         [](P& p) { p.quantDias = 10; p.quantDias2 = 12; p.quantDeps = -32768; }},
        {"quantDeps=32768\r\nquantDeps=-32769\r\naPartir1=1E+15\r\npercINSS=1E+999\r\npercINSS=9,5,5\r\n"
         "percINSS=\r\npercINSS= \r\npercINSS=abc\r\npercINSS\r\npercINSS=9x\r\npercINSS=nan\r\n", kBrasil, nada},
        {"\xEF\xBB\xBFquantDias=1\nquantDias2=2\rquantDeps=3\r\n\n\r\rpercINSS=4", kBrasil,
         [](P& p) { p.quantDias = 1; p.quantDias2 = 2; p.quantDeps = 3; p.percINSS = 4; }},
        {"", kBrasil, nada},
        {"zzz=1\r\n; comentario\r\n=5\r\n\r\n\xEF\xBB\xBF\r\n", kBrasil, nada},
        {std::string_view("percINSS\0=9\r\n", 13), kBrasil, nada},
    };
    for (const auto& caso : casos) {
        P esperado = padroes(), lido = padroes();
        caso.muda(esperado);
        lerConteudo(caso.conteudo, lido, caso.sep);
        EXPECT_TRUE(iguais(lido, esperado)) << '"' << caso.conteudo << "\" decimal " << caso.sep.decimal;
    }
}

// The seam that moves the temporary file fails here, as a crash just before the rename would.
TEST(Falhas, RenomeacaoFalhaPreservaArquivoAntigo) {
    PastaTemporaria pasta;
    const std::string antigo = "percINSS=9\r\nzzz\r\n";
    gravarBytes(pasta.ini(), antigo);
    fs::path temporario;
    const auto r = gravarParametros(false, pasta.caminho, padroes(), kBrasil, [&](const fs::path& de, const fs::path&) {
        temporario = de;
        EXPECT_EQ(lerBytes(de), conteudoParametros(false, padroes(), kBrasil));
        return std::make_error_code(std::errc::io_error);
    });
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.motivo.find(pasta.ini().string()), std::string::npos) << r.motivo;
    EXPECT_EQ(temporario.parent_path(), pasta.caminho);
    EXPECT_EQ(lerBytes(pasta.ini()), antigo);
    EXPECT_EQ(entradas(pasta.caminho), 1);
}

// Folders that cannot take the file: a path through a regular file, and a folder where the
// file's name is taken by a folder. Nothing is left behind and the start still gets defaults.
TEST(Falhas, PastaInutilizavel) {
    PastaTemporaria pasta;
    gravarBytes(pasta.caminho / "arquivo", "abc");
    fs::create_directories(pasta.caminho / "ocupada" / kNomeArquivo);
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
    EXPECT_EQ(entradas(pasta.caminho / "ocupada"), 1);
}

}  // namespace
}  // namespace vestamar
