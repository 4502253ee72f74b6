// The working program end to end: start-up, typing, the night-hours fields, the modality,
// the panel, the option lists, failures and `Sair`, on the real window.

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <ostream>
#include <random>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "arquivo_parametros.h"
#include "cbutton.h"
#include "etextctl.h"
#include "frmcalcprod.h"
#include "regional.h"
#include "simulador.h"

// Readable QString values in failure messages.
inline void PrintTo(const QString& t, std::ostream* saida) { *saida << '"' << t.toStdString() << '"'; }

namespace vestamar {
namespace {

namespace fs = std::filesystem;

std::string lerArquivo(const fs::path& p) {
    std::ifstream f(p, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

void gravarArquivo(const fs::path& p, const std::string& conteudo) {
    std::ofstream f(p, std::ios::binary | std::ios::trunc);
    f << conteudo;
}

struct Esperado {
    const char* campo;
    const char* texto;
};

class Programa : public ::testing::Test {
public:
    fs::path pasta;
    fs::path arquivo;
    std::unique_ptr<FrmCalcProd> janela;
    std::unique_ptr<Simulador> sim;
    int falhas = 0;

    void SetUp() override {
        std::random_device rd;
        pasta = fs::temp_directory_path() / ("vestamar-programa-" + std::to_string(rd()));
        fs::create_directories(pasta);
        arquivo = pasta / "vestaMar.ini";
    }
    void TearDown() override {
        sim.reset();
        janela.reset();
        std::error_code ec;
        fs::remove_all(pasta, ec);
    }

    // A file of defaults with some values replaced; an empty value leaves the key out.
    void arquivoComPadroes(const std::vector<std::pair<std::string, std::string>>& trocas) {
        ASSERT_TRUE(gravarParametros(true, pasta, ParametrosSimulacao{}, Separadores::brasil()).ok);
        std::string c = "\r\n" + lerArquivo(arquivo);
        for (const auto& [chave, valor] : trocas) {
            const auto i = c.find("\r\n" + chave + "=");
            ASSERT_NE(i, std::string::npos) << chave;
            const auto fim = c.find("\r\n", i + 2);
            c.replace(i, fim - i, valor.empty() ? "" : "\r\n" + chave + "=" + valor);
        }
        gravarArquivo(arquivo, c.substr(2));
    }

    void iniciar() {
        sim.reset();
        janela = std::make_unique<FrmCalcProd>();
        sim = std::make_unique<Simulador>(*janela, pasta, separadoresDoSistema());
        sim->mostrarFalha = [this] { ++falhas; };
        sim->iniciar();
        janela->show();
    }

    ETextctl* campo(const char* nome) const { return janela->campo(nome); }
    QString texto(const char* nome) const { return campo(nome)->text(); }
    QString item(const char* lista) const { return janela->lista(lista)->currentText(); }

    // Types into a field as the user would, key by key, after emptying it.
    void digitar(const char* nome, const QString& t) {
        ETextctl* c = campo(nome);
        c->selectAll();
        QTest::keyClick(c, Qt::Key_Backspace);
        QTest::keyClicks(c, t);
    }
    void clicar(const char* botao) { QTest::mouseClick(janela->botao(botao), Qt::LeftButton); }
    void escolher(const char* lista, int indice) { janela->lista(lista)->setCurrentIndex(indice); }

    // Each field's text, or each list's chosen item, as expected.
    void conferir(const std::vector<Esperado>& esperados, QString (Programa::*ler)(const char*) const) const {
        for (const Esperado& e : esperados) EXPECT_EQ((this->*ler)(e.campo), QString::fromUtf8(e.texto)) << e.campo;
    }
};

TEST_F(Programa, PrimeiroInicioMostraOsPadroesEOsResultadosCompletos) {
    iniciar();
    ASSERT_TRUE(fs::exists(arquivo));
    EXPECT_EQ(falhas, 0);
    EXPECT_EQ(janela->windowTitle(), QStringLiteral("vestaMar - Simulação de Resultados") + QString(42, u' ') +
                                         QStringLiteral("Versão 03_02"));
    conferir({{"percINSS", "11,00"}, {"percTxMan", "5,00"}, {"aPartir1", "1.903,99"}, {"percentIR1", "7,5"},
              {"Desconto1", "142,80"}, {"QuantDias", "10"}, {"QuantHorasDia", "12"}, {"HorasNoturnas", "4"},
              {"fatorNoturno", "33,33"}, {"valorAjCusto", "600,00"}, {"ProdBruta", "1.800,00"},
              {"percentPis", "0,65"}, {"tetoINSS", "5.189,82"},
              // Scenario ANTES, calculated (the engine's own tests check every figure).
              {"TxManut", "90,00"}, {"retINSS", "198,00"}, {"valPIS", "18,53"}, {"nfLiq", "2.689,72"},
              {"valMargem", "379,72"}},
             &Programa::texto);
    conferir({{"incideTxAdmProd", "Sim"}, {"incideTxAdmAjuda", "Não"}, {"incideISS", "Taxa Administrativa"},
              {"selecBaseDSR", "Prod+Adic"}, {"selecModalidade", "Mensal"}},
             &Programa::item);
    EXPECT_FALSE(janela->controle("Frame1")->isVisible());
    EXPECT_EQ(janela->controle("Titulo")->x(), 0);
    EXPECT_EQ(janela->width(), FrmCalcProd::pixels(7700));
}

TEST_F(Programa, CenarioDepoisCompletoComTodosOsAdicionais) {
    arquivoComPadroes({{"percInsalub", "20"}, {"percNoturno", "20"}, {"percDSR", "16,67"}});
    iniciar();
    EXPECT_EQ(falhas, 0);
    conferir({{"valInsalub", "135,60"}, {"valPericExNot", "119,99"}, {"valDSR", "342,67"}, {"retIR2", "17,28"},
              {"liqPagar2", "2.597,26"}, {"nfLiq2", "3.394,55"}, {"valMargem2", "516,20"}},
             &Programa::texto);
}

TEST_F(Programa, ArquivoDadoEArredondadoComoMostradoENoturnasMantidas) {
    // Written under the other decimal mark, and without quantDias, fatorExtra and quantHorasDia.
    arquivoComPadroes({{"percINSS", "11.126"}, {"percentIR2", "7.26"}, {"quantDias", ""}, {"fatorExtra", ""},
                       {"quantHorasDia", ""}, {"horasNoturnas", "6"}, {"quantHorasDia2", "8"},
                       {"fatorNoturno", "75"}, {"percSeg", "0,001"}});
    iniciar();
    conferir({{"percINSS", "11,13"}, {"percentIR2", "7,3"}, {"QuantDias", "0"}, {"fatorExtra", "0,00"},
              {"QuantHorasDia", "0"}, {"HorasNoturnas", "6"}, {"QuantHorasDia2", "8"}, {"fatorNoturno", "75,00"}},
             &Programa::texto);
    EXPECT_DOUBLE_EQ(sim->estado().percINSS, 11.13);
    EXPECT_DOUBLE_EQ(sim->estado().percentIR2, 7.3);
    EXPECT_DOUBLE_EQ(sim->estado().horasNoturnas, 6);
    EXPECT_DOUBLE_EQ(sim->estado().fatorNoturno, 75);
    // 0.001 shows as "0,00", the field's own initial text: no change is raised, yet the state
    // holds what is shown.
    EXPECT_EQ(sim->estado().percSeg, 0.0);
    clicar("Sair");
    EXPECT_EQ(lerArquivo(arquivo), conteudoParametros(false, sim->estado(), Separadores::brasil()));
    EXPECT_NE(lerArquivo(arquivo).find("\r\nhorasNoturnas=6\r\n"), std::string::npos);
}

TEST_F(Programa, DigitarGuardaERecalculaSoQuandoOTextoConverte) {
    iniciar();
    digitar("ProdBruta", "2.000");
    EXPECT_EQ(sim->estado().prodBruta, Money::deDezMilesimos(2000 * 10000));
    EXPECT_EQ(texto("TxManut"), "100,00");
    for (const char* t : {"", "-", ","}) {
        digitar("ProdBruta", QString::fromUtf8(t));
        EXPECT_EQ(sim->estado().prodBruta, Money::deDezMilesimos(2000 * 10000)) << t;
        EXPECT_EQ(texto("TxManut"), "100,00") << t;
    }
    digitar("ProdBruta", "1.800");
    digitar("ValorHora", "1.234,5");
    EXPECT_EQ(sim->estado().valorHora, Money::deDezMilesimos(12345000));
    digitar("valorAjCusto2", "0");
    EXPECT_EQ(texto("valTotalNF2"), "2.250,00");
    // A whole-number field takes no decimal mark from the user; a fraction the program writes
    // is stored rounded, halves to even.
    for (const auto& [t, n] : std::vector<std::pair<QString, int>>{{"2,5", 2}, {"3,5", 4}}) {
        campo("quantDeps")->setText(t);
        EXPECT_EQ(sim->estado().quantDeps, n) << t.toStdString();
    }
    EXPECT_EQ(falhas, 0);
}

TEST_F(Programa, HorasNoturnasEFatorAndamEmUmSoSentido) {
    iniciar();
    struct Caso {
        const char* horasDia;
        const char* campo;
        const char* digitado;
        const char* parceiro;
        const char* esperado;
    };
    for (const Caso& c : {Caso{"8,0", "fatorNoturno", "50", "HorasNoturnas", "4"},
                          Caso{"8,0", "fatorNoturno", "33,33", "HorasNoturnas", "2,666"},
                          Caso{"12,0", "HorasNoturnas", "7", "fatorNoturno", "58,33"}}) {
        digitar("QuantHorasDia2", c.horasDia);
        digitar(c.campo, c.digitado);
        EXPECT_EQ(texto(c.parceiro), c.esperado) << c.digitado;
        EXPECT_EQ(texto(c.campo), c.digitado) << "the field the user typed keeps its text";
    }
    // 7,01 then a key back to 7,0: the factor becomes 58,33 again, and the hours stay 7,0.
    digitar("HorasNoturnas", "7,01");
    QTest::keyClick(campo("HorasNoturnas"), Qt::Key_Backspace);
    EXPECT_EQ(texto("HorasNoturnas"), "7,0");
    EXPECT_DOUBLE_EQ(sim->estado().fatorNoturno, 58.33);
    EXPECT_DOUBLE_EQ(sim->estado().horasNoturnas, 7);
    // A shift of 0 hours gives no factor: nothing is stored and the partner keeps its text.
    digitar("QuantHorasDia2", "0");
    EXPECT_DOUBLE_EQ(sim->estado().quantHorasDia2, 12);
    EXPECT_EQ(texto("fatorNoturno"), "58,33");
}

TEST_F(Programa, PainelAbertoPorTabelasAteOProximoCalculo) {
    arquivoComPadroes({{"percNoturno", "20"}});
    iniciar();
    const auto painelAberto = [&](bool aberto) {
        EXPECT_EQ(janela->controle("Frame1")->isVisible(), aberto);
        EXPECT_EQ(janela->controle("selecModalidade")->isVisible(), !aberto);
        EXPECT_EQ(janela->controle("Label85")->isVisible(), !aberto);
    };
    clicar("Tabelas");
    clicar("Tabelas");
    painelAberto(true);
    EXPECT_EQ(janela->controle("Frame1")->x(), 0);
    // An edit of the panel stores, rewrites the partner field and calculates nothing.
    digitar("fatorNoturno", "50");
    painelAberto(true);
    EXPECT_EQ(texto("HorasNoturnas"), "6");
    EXPECT_EQ(texto("valPericExNot"), "119,99");
    clicar("Calcular");
    painelAberto(false);
    EXPECT_EQ(texto("valPericExNot"), "180,00");
}

TEST_F(Programa, PlantoesCalculaAProducaoEMensalAGuardaAgrupada) {
    iniciar();
    digitar("ProdBruta", "999");
    escolher("selecModalidade", 1);
    EXPECT_EQ(texto("ProdBruta"), "1800,00");
    EXPECT_TRUE(campo("ProdBruta")->locked());
    EXPECT_TRUE(janela->controle("QuantDias")->isVisible());
    EXPECT_EQ(janela->controle("Label1")->y(), FrmCalcProd::pixels(1800));
    EXPECT_EQ(sim->estado().prodBruta, Money::deDezMilesimos(1800 * 10000));
    escolher("selecModalidade", 0);
    EXPECT_EQ(texto("ProdBruta"), "1.800,00") << "the monthly 999 is gone";
    escolher("selecModalidade", 1);
    digitar("QuantDias", "20");
    EXPECT_EQ(texto("ProdBruta"), "3600,00");
    escolher("selecModalidade", 0);
    EXPECT_EQ(texto("ProdBruta"), "3.600,00");
    EXPECT_FALSE(campo("ProdBruta")->locked());
    EXPECT_FALSE(janela->controle("QuantDias")->isVisible());
    EXPECT_EQ(janela->controle("Label1")->y(), FrmCalcProd::pixels(2500));
    EXPECT_EQ(janela->controle("Label71")->y(), FrmCalcProd::pixels(3120));
    EXPECT_EQ(falhas, 0);
}

TEST_F(Programa, OpcoesEFaixasSoValemNoProximoCalculo) {
    iniciar();
    escolher("incideISS", 0);
    EXPECT_EQ(sim->estado().incideISS, 0);
    EXPECT_EQ(texto("valISS"), "13,50");
    // Bracket 1 from 100,00 without deduction: the base of 1602,00 pays 7.5 %.
    digitar("aPartir1", "100");
    digitar("Desconto1", "0");
    digitar("percentIrrf", "2");
    EXPECT_EQ(texto("retIR"), "0,00");
    clicar("Calcular");
    EXPECT_EQ(texto("valISS"), "85,50");
    EXPECT_EQ(texto("retIR"), "120,15");
    EXPECT_EQ(texto("valIR"), "57,00");
    EXPECT_DOUBLE_EQ(sim->estado().percentIrrf, 2);
}

TEST_F(Programa, FalhaMostraUmaVezODialogoDeAtencaoEPreservaOsResultados) {
    iniciar();
    sim->mostrarFalha = nullptr;  // the real dialog
    QStringList vistos;
    // Answers each dialog as soon as it is up.
    QTimer vigia;
    vigia.setInterval(5);
    QObject::connect(&vigia, &QTimer::timeout, [&] {
        if (auto* caixa = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            vistos << caixa->windowTitle() + " | " + caixa->text();
            caixa->accept();
        }
    });
    vigia.start();
    digitar("percTxMan", "");
    clicar("Calcular");
    EXPECT_EQ(vistos, QStringList{QStringLiteral("Atenção ! | Ocorreu erro no procedimento de cálculo.")});
    EXPECT_EQ(texto("TxManut"), "90,00");
    EXPECT_EQ(texto("valMargem2"), "379,72");
}

TEST_F(Programa, SairGravaNaOrdemDaTabelaEFecharNaoGrava) {
    arquivoComPadroes({});
    const std::string padroes = lerArquivo(arquivo);
    iniciar();
    digitar("percTxAdm", "30");
    janela->close();
    EXPECT_EQ(lerArquivo(arquivo), padroes) << "the close box saves nothing";
    iniciar();
    digitar("percTxAdm", "30");
    clicar("Sair");
    EXPECT_FALSE(janela->isVisible());
    // The whole state, in the order of a save.
    EXPECT_EQ(lerArquivo(arquivo), conteudoParametros(false, sim->estado(), Separadores::brasil()));
    EXPECT_NE(lerArquivo(arquivo).find("\r\npercTxAdm=30\r\n"), std::string::npos);
}

TEST_F(Programa, SairSemConseguirGravarPerguntaEFicaOuSai) {
    iniciar();
    QString pergunta;
    bool resposta = false;
    sim->perguntarSairSemGravar = [&](const QString& m) {
        pergunta = m;
        return resposta;
    };
    // The folder is gone: nothing can be written there.
    fs::remove_all(pasta);
    gravarArquivo(pasta, "not a folder");
    clicar("Sair");
    EXPECT_TRUE(pergunta.contains(QStringLiteral("vestaMar.ini")));
    EXPECT_TRUE(janela->isVisible()) << "\"Não\" stays in the program";
    resposta = true;
    clicar("Sair");
    EXPECT_FALSE(janela->isVisible());
    fs::remove(pasta);
}

TEST_F(Programa, PrimeiroInicioComPontoDecimal) {
    iniciar();
    conferir({{"aPartir1", "1,903.99"}, {"percentIR1", "7.5"}, {"ProdBruta", "1,800.00"}, {"fatorNoturno", "33.33"},
              {"valPIS", "18.53"}, {"nfLiq", "2,689.72"}, {"valMargem", "379.72"}},
             &Programa::texto);
    EXPECT_NE(lerArquivo(arquivo).find("aPartir1=1903.99\r\n"), std::string::npos);
    digitar("ValorHora", "1,234.5");
    EXPECT_EQ(sim->estado().valorHora, Money::deDezMilesimos(12345000));
}

}  // namespace
}  // namespace vestamar
