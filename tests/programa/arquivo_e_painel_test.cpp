// The parameter file and the panel on the real window: every panel field stores what a write
// leaves in it, hand-edited files, exact large amounts, choices no list has, the reduction's
// cap, a folder that cannot be written, and where an installed or a copied program keeps its
// file.
#include "programa.h"

#include <QDir>

#include "layout_janela.h"
#include "local_parametros.h"
#include "parametros_janela.h"

using namespace vestamar;

namespace {

// The panel's fields, with the text each is made with.
std::vector<std::pair<std::string, std::string>> camposDoPainel() {
    std::vector<std::pair<std::string, std::string>> campos;
    for (const Controle& c : layoutJanela()) {
        if (c.conteiner == "Frame1" && c.tipo == Tipo::Campo) campos.emplace_back(c.nome, c.texto);
    }
    return campos;
}

}  // namespace

// Every panel field, written with exactly the text it was made with (a paste of zero), stores
// it, although the panel, built after start-up, took its first values unannounced: each key is
// 7 in the file and 0 once saved.
TEST_F(Programa, CadaCampoDoPainelGuardaOQueMostra) {
    ParametrosSimulacao sete;
    aplicarPadroes(sete);
    for (const auto& [nome, inicial] : camposDoPainel()) {
        ASSERT_TRUE(guardarTexto(sete, parametroDoControle(nome)->chaveArquivo().campo, "7", Separadores::brasil()))
            << nome;
    }
    gravarArquivo(arquivo, conteudoParametros(Conteudo::Estado, sete, Separadores::brasil()));
    ASSERT_TRUE(iniciar());
    sim->abrirTabelas();
    for (const auto& [nome, inicial] : camposDoPainel()) {
        ASSERT_NE(texto(nome.c_str()), local(inicial.c_str())) << nome;
        colar(nome.c_str(), inicial.c_str());
        EXPECT_EQ(texto(nome.c_str()), local(inicial.c_str())) << nome;
    }
    clicar("Sair");
    ParametrosSimulacao salvo;
    aplicarPadroes(salvo);
    EXPECT_TRUE(lerConteudo(lerArquivo(arquivo), salvo, Separadores::brasil()).ilegiveis.empty());
    const auto comoArquivo = [](const ParametrosSimulacao& p) {
        return conteudoParametros(Conteudo::Estado, p, Separadores::brasil());
    };
    for (const auto& [nome, inicial] : camposDoPainel()) {
        ParametrosSimulacao zerado = salvo;
        guardarTexto(zerado, parametroDoControle(nome)->chaveArquivo().campo, "0", Separadores::brasil());
        EXPECT_EQ(comoArquivo(zerado), comoArquivo(salvo)) << nome << " saved as 0";
    }
}

// A file edited by hand: blanks around a key and "=" are read; a comment in Windows-1252 and an
// unknown key are named in the one start-up message, and kept in vestaMar.ini.bak before the
// save that drops them. A file without such lines says nothing and is saved byte for byte.
TEST_F(Programa, LinhasEditadasAMaoLidasOuNomeadas) {
    arquivoComPadroes({{"percINSS", ""}});
    const std::string editado =
        "; tabela acertada com o contador em 03/2026 - cont\xE1"
        "bil\r\n" +
        lerArquivo(arquivo) + "  percINSS = 9 \r\nchaveNova=1\r\n";
    gravarArquivo(arquivo, editado);
    ASSERT_TRUE(iniciar());
    EXPECT_EQ(sim->estado().percINSS, 9);
    EXPECT_EQ(texto("percINSS"), local("9,00"));
    ASSERT_EQ(perguntas.size(), 1U);
    EXPECT_TRUE(perguntas[0].texto.contains(q("; tabela acertada com o contador em 03/2026 - contábil")));
    EXPECT_TRUE(perguntas[0].texto.contains(q("chaveNova=1")));
    clicar("Sair");
    EXPECT_EQ(lerArquivo(pasta / "vestaMar.ini.bak"), editado);
    const std::string salvo = lerArquivo(arquivo);
    EXPECT_EQ(salvo, conteudoParametros(Conteudo::Estado, sim->estado(), separadoresDoSistema()));
    EXPECT_TRUE(salvo.starts_with("percINSS=9\r\n"));
    perguntas.clear();
    ASSERT_TRUE(iniciar());
    clicar("Sair");
    EXPECT_TRUE(perguntas.empty());
    EXPECT_EQ(lerArquivo(arquivo), salvo);
}

// Amounts up to the money range reach the state, the field and the file exactly; a text beyond
// it is left as typed, never shown as another number.
TEST_F(Programa, ValoresGrandesExatos) {
    ASSERT_TRUE(iniciar());
    const struct {
        const char *campo, *digitado, *mostrado;
    } casos[] = {
        {"valorAjCusto2", "300000000000000,01", "300000000000000,01"},
        {"ProdBruta", "300000000000000,01", "300.000.000.000.000,01"},
        {"ProdBruta2", "922337203685477,58", "922.337.203.685.477,58"},
        {"ValorHora", "99999999999999999999", "99999999999999999999"},
        {"ProdBruta2", "99999999999999999999", "99999999999999999999"},
    };
    for (const auto& c : casos) {
        digitar(c.campo, c.digitado);
        QTest::keyClick(campo(c.campo), Qt::Key_Tab);
        EXPECT_EQ(texto(c.campo), local(c.mostrado)) << c.campo;
        if (c.campo == std::string_view("ProdBruta")) {
            EXPECT_EQ(texto("liqPagar"), local("202.500.000.001.055,47"));
        }
    }
    falhas = 0;  // runs over amounts beyond the money range fail, as they must
    EXPECT_EQ(sim->estado().valAjuda2, Money::deDezMilesimos(3'000'000'000'000'000'100));
    EXPECT_EQ(sim->estado().prodBruta, Money::deDezMilesimos(3'000'000'000'000'000'100));
    clicar("Sair");
    EXPECT_TRUE(contem(local("\r\nvalAjuda2=300000000000000,01\r\n").toStdString()));
    EXPECT_TRUE(contem(local("\r\nprodBruta=300000000000000,01\r\n").toStdString()));
}

// A choice in the file that no list has (itaProd=7): the list shows none, the state keeps the
// file's value and `Sair` writes it back; a list left alone changes nothing.
TEST_F(Programa, EscolhaSemItemNaListaMantidaNoArquivo) {
    arquivoComPadroes({{"itaProd", "7"}, {"incideISS", "-2"}});
    ASSERT_TRUE(iniciar());
    sim->abrirTabelas();
    EXPECT_EQ(janela->lista("incideTxAdmProd")->currentIndex(), -1);
    EXPECT_EQ(janela->lista("incideISS")->currentIndex(), -1);
    EXPECT_EQ(sim->estado().itaProd, 7);
    clicar("Sair");
    EXPECT_TRUE(contem("\r\nitaProd=7\r\n"));
    EXPECT_TRUE(contem("\r\nincideISS=-2\r\n"));
}

// The reduction's cap: "Tabelas 2026" fills it with 312,89 (the law's "de até R$ 312,89");
// with the simplified discount off, 5.000,00 withholds 466,27 − 312,89 and 4.800,00 411,27 −
// 312,89; with the cap at 0 nothing, as before it existed.
TEST_F(Programa, TetoDaReducao2026) {
    arquivoComPadroes({{"percINSS", "0"}});
    ASSERT_TRUE(iniciar());
    sim->abrirTabelas();
    responder = q("Sim");
    QTest::mouseClick(janela->botao("carregarTabelas2026"), Qt::LeftButton);
    EXPECT_EQ(texto("reducaoIRTeto"), local("312,89"));
    digitar("descontoSimplificado", "0");
    for (const auto& [producao, retido] : {std::pair{"5000", "153,38"}, {"4800", "98,38"}, {"7000", "969,66"}}) {
        digitar("ProdBruta", producao);
        sim->calcular();
        EXPECT_EQ(texto("retIR"), local(retido)) << producao;
    }
    digitar("reducaoIRTeto", "0");
    digitar("ProdBruta", "5000");
    sim->calcular();
    EXPECT_EQ(texto("retIR"), local("0,00"));
    digitar("reducaoIRTeto", "312,89");
    clicar("Sair");
    EXPECT_TRUE(
        lerArquivo(arquivo).ends_with(local("\r\ndescontoSimplificado=0\r\nreducaoIRTeto=312,89\r\n").toStdString()));
}

// A user's file that cannot be created (a home folder that cannot be written) shows the
// administrator's values; start-up says once that nothing can be saved, and where it tried;
// `Sair` asks as always, "Não" staying.
TEST_F(Programa, SemPastaGravavelMostraOsValoresDoAdministrador) {
    arquivoComPadroes({{"prodBruta", "3333"}, {"percINSS", "9"}});
    const fs::path usuario = pasta / "vestaMar.ini" / "nao-e-pasta";
    janela = std::make_unique<FrmCalcProd>();
    sim = std::make_unique<Simulador>(*janela, usuario, separadoresDoSistema());
    sim->mostrarFalha = [this] { ++falhas; };
    sim->perguntar = [this](const Simulador::Pergunta& p) {
        perguntas.push_back(p);
        return p.comEnter;
    };
    sim->lerPadroesDe(pasta);
    ASSERT_TRUE(sim->iniciar());
    ASSERT_TRUE(ativar(*janela));
    QApplication::processEvents();
    EXPECT_EQ(texto("ProdBruta"), local("3.333,00"));
    EXPECT_EQ(texto("percINSS"), local("9,00"));
    ASSERT_EQ(perguntas.size(), 1U);
    EXPECT_TRUE(perguntas[0].texto.contains(QString::fromStdString((usuario / "vestaMar.ini").string())));
    EXPECT_TRUE(perguntas[0].texto.contains(q("não poderão ser gravadas")));
    clicar("Sair");
    ASSERT_EQ(perguntas.size(), 2U);
    EXPECT_EQ(perguntas[1].botoes.value(perguntas[1].comEnter), q("Não"));
    EXPECT_TRUE(janela->isVisible());
}

// Where the file lives. Installed: always the user's folder, seeded once from the
// administrator's file, never beside the executable even when it could write there (root).
// Not installed: beside the executable when it can write there, else the user's folder seeded
// from the file beside it. A user's folder that cannot be made: the administrator's file is read.
TEST(LocalDosParametros, InstaladoOuCopiado) {
    QTemporaryDir raiz;
    const QString programa = raiz.filePath(q("bin")), admin = raiz.filePath(q("etc")),
                  usuario = raiz.filePath(q("casa/.config/vestaMar"));
    const QString impossivel = raiz.filePath(q("arquivo/.config/vestaMar"));
    for (const QString& p : {programa, admin}) QDir().mkpath(p);
    QFile(raiz.filePath(q("arquivo"))).open(QIODevice::WriteOnly);
    const auto comAdministrador = [&](bool com) {
        QFile::remove(QDir(admin).filePath(q("vestaMar.ini")));
        if (com)
            gravarArquivo(QFile::encodeName(QDir(admin).filePath(q("vestaMar.ini"))).toStdString(), "quantDeps=4\r\n");
    };
    const struct {
        bool instalado, administrador;
        QString pastaUsuario;
        QString pasta, padroes;
        bool semeado;
    } casos[] = {
        {true, true, usuario, usuario, {}, true},           {true, false, usuario, usuario, {}, false},
        {true, true, impossivel, impossivel, admin, false}, {true, false, impossivel, impossivel, {}, false},
        {false, false, usuario, programa, {}, false},
    };
    for (const auto& c : casos) {
        QDir(raiz.filePath(q("casa"))).removeRecursively();
        comAdministrador(c.administrador);
        const LocalParametros l = escolherLocal(programa, c.instalado, c.pastaUsuario, admin);
        EXPECT_EQ(l.pasta, c.pasta) << c.instalado << c.administrador;
        EXPECT_EQ(l.padroes, c.padroes) << c.instalado << c.administrador;
        EXPECT_EQ(QFile::exists(QDir(c.pastaUsuario).filePath(q("vestaMar.ini"))), c.semeado);
        EXPECT_FALSE(QFile::exists(QDir(programa).filePath(q("vestaMar.ini"))));
    }
    comAdministrador(true);
    EXPECT_EQ(escolherLocal(admin, false, usuario, {}).pasta, admin) << "a copy beside a file it can write keeps it";
    // The marker and the administrator's folder as installed: on Windows both beside the
    // executable (the installer's folder), elsewhere under the prefix.
    EXPECT_FALSE(programaInstalado(programa));
#ifdef Q_OS_WIN
    QFile(QDir(programa).filePath(q("instalado"))).open(QIODevice::WriteOnly);
    EXPECT_TRUE(programaInstalado(programa));
    EXPECT_EQ(pastaDoAdministrador(programa), programa);
#else
    QDir().mkpath(raiz.filePath(q("share/vestamar")));
    QFile(raiz.filePath(q("share/vestamar/instalado"))).open(QIODevice::WriteOnly);
    EXPECT_TRUE(programaInstalado(programa));
    EXPECT_EQ(pastaDoAdministrador(programa), QDir::cleanPath(raiz.path()) + q("/etc/vestaMar"));
    EXPECT_EQ(pastaDoAdministrador(q("/usr/bin")), q("/etc/vestaMar"));
#endif
}
