// The working program end to end: start-up, typing, the night-hours fields, the modality,
// the panel, the option lists, failures and `Sair`, on the real window.

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QMimeData>
#include <QRegularExpression>
#include <QLabel>
#include <QMessageBox>
#include <QSysInfo>
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
#include "layout_janela.h"
#include "memoria.h"
#include "moldura.h"
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
    // Every message the program showed, and the answer given: a button's caption, or Enter.
    std::vector<Simulador::Pergunta> perguntas;
    QString responder;

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
        ASSERT_TRUE(gravarParametros(Conteudo::Padroes, pasta, ParametrosSimulacao{}, Separadores::brasil()).ok);
        std::string c = "\r\n" + lerArquivo(arquivo);
        for (const auto& [chave, valor] : trocas) {
            const auto i = c.find("\r\n" + chave + "=");
            ASSERT_NE(i, std::string::npos) << chave;
            const auto fim = c.find("\r\n", i + 2);
            c.replace(i, fim - i, valor.empty() ? "" : "\r\n" + chave + "=" + valor);
        }
        gravarArquivo(arquivo, c.substr(2));
    }

    bool iniciar() {
        sim.reset();
        janela = std::make_unique<FrmCalcProd>();
        sim = novoSimulador(*janela);
        if (!sim->iniciar()) return false;
        janela->show();
        return true;
    }

    std::unique_ptr<Simulador> novoSimulador(FrmCalcProd& j) {
        auto s = std::make_unique<Simulador>(j, pasta, separadoresDoSistema());
        s->mostrarFalha = [this] { ++falhas; };
        s->perguntar = [this](const Simulador::Pergunta& p) {
            perguntas.push_back(p);
            const auto i = p.botoes.indexOf(responder);
            return i < 0 ? p.padrao : static_cast<int>(i);
        };
        return s;
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
    EXPECT_EQ(lerArquivo(arquivo), conteudoParametros(Conteudo::Estado, sim->estado(), Separadores::brasil()));
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
}

// A value whose partner cannot be worked out (a shift of 0 hours, a ratio or a number of
// hours beyond the 32-bit range) is still stored and calculated; only the partner stays.
TEST_F(Programa, NoturnasSemParceiroGuardamOQueOCampoMostra) {
    iniciar();
    escolher("selecModalidade", 1);
    struct Caso {
        const char* campo;
        const char* digitado;
        const char* parceiro;
        const char* producao2;  // ProdBruta2 once calculated; nullptr: a panel field, no run
    };
    for (const Caso& c : {Caso{"QuantHorasDia2", "0", "fatorNoturno", "0,00"},
                          Caso{"HorasNoturnas", "5", "fatorNoturno", "0,00"},
                          Caso{"QuantHorasDia2", "12", "fatorNoturno", "1800,00"},
                          Caso{"fatorNoturno", "999999999999", "HorasNoturnas", nullptr},
                          Caso{"HorasNoturnas", "99999999999", "fatorNoturno", "1800,00"}}) {
        const QString parceiro = texto(c.parceiro);
        // Pasted whole: typed key by key, the first digits would have a partner.
        campo(c.campo)->selectAll();
        campo(c.campo)->insert(QString::fromUtf8(c.digitado));
        if (std::string_view(c.digitado) != "12") {
            EXPECT_EQ(texto(c.parceiro), parceiro) << c.campo << "=" << c.digitado;
        }
        if (c.producao2) {
            EXPECT_EQ(texto("ProdBruta2"), c.producao2) << c.campo << "=" << c.digitado << " calculates at once";
        }
    }
    EXPECT_DOUBLE_EQ(sim->estado().horasNoturnas, 99999999999);
    EXPECT_DOUBLE_EQ(sim->estado().fatorNoturno, 999999999999);
    clicar("Sair");
    EXPECT_EQ(lerArquivo(arquivo), conteudoParametros(Conteudo::Estado, sim->estado(), Separadores::brasil()));
}

// Start-up shows the three night-hours fields exactly as saved, whatever the others show.
TEST_F(Programa, InicioMostraAsNoturnasComoGravadasAmbos) {
    struct Caso {
        const char* horasDia;
        const char* horas, *fator;    // shown
        double horasEstado, fatorEstado;
    };
    const bool virgula = separadoresDoSistema().decimal == ",";
    for (const Caso& c : {Caso{"0", "4", virgula ? "50,00" : "50.00", 4, 50},
                          Caso{"12", "4", virgula ? "33,33" : "33.33", 4, 33.33}}) {
        const bool semTurno = std::string_view(c.horasDia) == "0";
        arquivoComPadroes({{"horasNoturnas", "4"}, {"quantHorasDia2", c.horasDia},
                           {"fatorNoturno", semTurno ? "50" : "33,33"}});
        iniciar();
        EXPECT_EQ(texto("HorasNoturnas"), c.horas);
        EXPECT_EQ(texto("QuantHorasDia2"), c.horasDia);
        EXPECT_EQ(texto("fatorNoturno"), c.fator);
        EXPECT_DOUBLE_EQ(sim->estado().horasNoturnas, c.horasEstado);
        EXPECT_DOUBLE_EQ(sim->estado().fatorNoturno, c.fatorEstado);
        clicar("Sair");
        const std::string linhas = std::string("\r\nquantHorasDia2=") + c.horasDia + "\r\nhorasNoturnas=4\r\n";
        EXPECT_NE(lerArquivo(arquivo).find(linhas), std::string::npos);
        EXPECT_NE(lerArquivo(arquivo).find(semTurno ? "\r\nfatorNoturno=50\r\n" : "\r\nfatorNoturno=33"),
                  std::string::npos);
    }
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
    sim->perguntar = nullptr;
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
    // The old figure stays; its working says that the last run stopped, and where.
    EXPECT_TRUE(campo("TxManut")->toolTip().startsWith(QStringLiteral("Não calculado"))) << campo("TxManut")->toolTip().toStdString();
    EXPECT_TRUE(campo("valMargem2")->toolTip().contains(QStringLiteral("Tx. Manutenção %")));
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
    EXPECT_EQ(lerArquivo(arquivo), conteudoParametros(Conteudo::Estado, sim->estado(), Separadores::brasil()));
    EXPECT_NE(lerArquivo(arquivo).find("\r\npercTxAdm=30\r\n"), std::string::npos);
}

TEST_F(Programa, SairSemConseguirGravarPerguntaEFicaOuSai) {
    iniciar();
    // The folder is gone: nothing can be written there.
    fs::remove_all(pasta);
    gravarArquivo(pasta, "not a folder");
    clicar("Sair");
    ASSERT_EQ(perguntas.size(), 1U);
    const Simulador::Pergunta& p = perguntas[0];
    EXPECT_EQ(p.texto.count(QStringLiteral("vestaMar.ini")), 1) << p.texto.toStdString();
    EXPECT_EQ(p.botoes.value(p.padrao), QStringLiteral("Não")) << "Enter keeps the user's changes";
    EXPECT_TRUE(janela->isVisible());
    responder = QStringLiteral("Sim");
    clicar("Sair");
    EXPECT_FALSE(janela->isVisible());
    fs::remove(pasta);
}

// A line the program cannot read is named once after start-up, and the file as the user
// wrote it is kept as vestaMar.ini.bak before Sair drops the line.
TEST_F(Programa, LinhaIlegivelAvisadaEGuardadaNaCopia) {
    arquivoComPadroes({{"percentISS", "5 ; alíquota São Paulo"}});
    const std::string original = lerArquivo(arquivo);
    iniciar();
    EXPECT_TRUE(perguntas.empty()) << "told once the window is up";
    QApplication::processEvents();
    ASSERT_EQ(perguntas.size(), 1U);
    EXPECT_TRUE(perguntas[0].texto.contains(QStringLiteral("percentISS=5 ; alíquota São Paulo")));
    EXPECT_EQ(sim->estado().percentISS, 0);
    EXPECT_FALSE(fs::exists(pasta / "vestaMar.ini.bak"));
    clicar("Sair");
    EXPECT_EQ(lerArquivo(pasta / "vestaMar.ini.bak"), original);
    EXPECT_NE(lerArquivo(arquivo).find("\r\npercentISS=0\r\n"), std::string::npos);
    iniciar();
    QApplication::processEvents();
    EXPECT_EQ(perguntas.size(), 1U) << "a clean file says nothing";
}

TEST_F(Programa, SegundaCopiaNoMesmoArquivoAvisaESoGravaSeConfirmado) {
    iniciar();
    FrmCalcProd outraJanela;
    auto outra = novoSimulador(outraJanela);
    responder = QStringLiteral("Sair");
    EXPECT_FALSE(outra->iniciar()) << "the second copy may leave at once";
    ASSERT_EQ(perguntas.size(), 1U);
    EXPECT_EQ(perguntas[0].botoes.value(perguntas[0].padrao), QStringLiteral("Sair"));
    outra = novoSimulador(outraJanela);
    responder = QStringLiteral("Continuar");
    ASSERT_TRUE(outra->iniciar());
    outraJanela.show();
    const std::string antes = lerArquivo(arquivo);
    outra->estado().percTxAdm = 40;
    // At Sair the second copy asks; Enter stays, "Sair sem gravar" leaves the file alone.
    responder.clear();
    QTest::mouseClick(outraJanela.botao("Sair"), Qt::LeftButton);
    EXPECT_TRUE(outraJanela.isVisible());
    EXPECT_EQ(perguntas.back().botoes.value(perguntas.back().padrao), QStringLiteral("Cancelar"));
    responder = QStringLiteral("Sair sem gravar");
    QTest::mouseClick(outraJanela.botao("Sair"), Qt::LeftButton);
    EXPECT_FALSE(outraJanela.isVisible());
    EXPECT_EQ(lerArquivo(arquivo), antes);
    // Once the first copy has ended, the lock is free and the second saves without asking.
    sim.reset();
    perguntas.clear();
    outraJanela.show();
    QTest::mouseClick(outraJanela.botao("Sair"), Qt::LeftButton);
    EXPECT_TRUE(perguntas.empty());
    EXPECT_NE(lerArquivo(arquivo).find("\r\npercTxAdm=40\r\n"), std::string::npos);
    outra.reset();
    // A lock left behind by a copy that is no longer running is taken over in silence.
    gravarArquivo(pasta / "vestaMar.ini.lock",
                  "999999\nvestamar\n" + QSysInfo::machineHostName().toStdString() + "\n");
    EXPECT_TRUE(iniciar());
    EXPECT_TRUE(perguntas.empty());
}

// A start-up whose calculation fails at its first step: one dialog, and every result shows
// its initial text in the user's marks.
TEST_F(Programa, InicioQueFalhaAvisaUmaVezAmbos) {
    arquivoComPadroes({{"percTxMan", "1E+308"}});
    iniciar();
    EXPECT_EQ(falhas, 1);
    const QString zero = separadoresDoSistema().decimal == "," ? QStringLiteral("0,00") : QStringLiteral("0.00");
    int resultados = 0;
    for (ETextctl* c : janela->campos()) {
        if (!c->locked() || c->focusPolicy() != Qt::ClickFocus) continue;
        ++resultados;
        EXPECT_EQ(c->text(), zero) << c->objectName().toStdString();
    }
    EXPECT_EQ(resultados, 31);
}

TEST(Janela, TextosIniciaisValemOMesmoNosDoisSeparadores) {
    FrmCalcProd virgula(Separadores::brasil());
    FrmCalcProd ponto(Separadores::ponto());
    ASSERT_EQ(virgula.campos().size(), ponto.campos().size());
    for (std::size_t i = 0; i < virgula.campos().size(); ++i) {
        const auto a = lerDouble(virgula.campos()[i]->text().toStdString(), Separadores::brasil());
        const auto b = lerDouble(ponto.campos()[i]->text().toStdString(), Separadores::ponto());
        ASSERT_TRUE(a && b) << virgula.campos()[i]->objectName().toStdString();
        EXPECT_EQ(*a, *b) << virgula.campos()[i]->objectName().toStdString();
    }
}

TEST(Janela, MolduraSoQuandoAJanelaNaoCabe) {
    FrmCalcProd janela;
    EXPECT_EQ(molduraSeNaoCouber(janela, QRect(0, 0, 1920, 1080)), nullptr);
    const QRect pequena(0, 0, 1024, janela.height() / 2);
    const auto moldura = molduraSeNaoCouber(janela, pequena);
    ASSERT_NE(moldura, nullptr);
    EXPECT_LE(moldura->height(), pequena.height());
    EXPECT_EQ(moldura->widget(), &janela);
}

// The published income-tax figures of a cooperative pay tool, through the window: the tables
// of May 2023 with a simplified discount, then those of 2026 loaded by "Tabelas 2026".
TEST_F(Programa, ImpostoDeRenda2023E2026ComoPublicado) {
    arquivoComPadroes({{"percINSS", "20"}, {"tetoINSS", "7087,22"}, {"aPartir1", "2112,01"}, {"Desconto1", "158,4"},
                       {"Desconto2", "370,4"}, {"Desconto3", "651,73"}, {"aPartir4", "4664,69"},
                       {"Desconto4", "884,96"}, {"percDAR", "0"}, {"percDAR2", "0"}});
    gravarArquivo(arquivo, lerArquivo(arquivo) + "descontoSimplificado=528\r\n");
    iniciar();
    struct Caso {
        const char* dependentes;
        const char* producao;
        const char* retIR;
    };
    const auto conferirIR = [&](std::initializer_list<Caso> casos) {
        for (const Caso& c : casos) {
            digitar("quantDeps", c.dependentes);
            digitar("ProdBruta", c.producao);
            EXPECT_EQ(texto("retIR"), c.retIR) << c.producao << " com " << c.dependentes << " dependente(s)";
        }
    };
    conferirIR({{"0", "3000", "21,60"}, {"0", "9000", "1.200,24"}, {"1", "3000", "7,38"}, {"1", "9000", "1.148,11"},
                {"2", "9000", "1.095,97"}, {"0", "1000", "0,00"}, {"0", "2600", "0,00"}});
    sim->abrirTabelas();
    responder = QStringLiteral("Sim");
    QTest::mouseClick(janela->botao("carregarTabelas2026"), Qt::LeftButton);
    EXPECT_EQ(texto("tetoINSS"), "8.475,55");
    EXPECT_TRUE(qobject_cast<QCheckBox*>(janela->controle("reducaoIR"))->isChecked());
    conferirIR({{"0", "1000", "0,00"}, {"0", "3000", "0,00"}, {"0", "5000", "0,00"}, {"0", "5200", "0,00"},
                {"0", "6000", "231,52"}, {"0", "8000", "851,27"}});
    EXPECT_EQ(texto("retIR2"), "0,00") << "DEPOIS, 1.800,00, follows the same rules";
}

// Each result shows its working on the mouse and to screen readers, from the last run only;
// the results copied out parse back to the figures shown, with their differences.
TEST_F(Programa, MemoriasECopiaDosResultadosAmbos) {
    arquivoComPadroes({{"percDAR2", "2"}, {"percInsalub", "20"}});
    iniciar();
    const Separadores sep = separadoresDoSistema();
    for (const int modalidade : {1, 0}) {
        escolher("selecModalidade", modalidade);
        for (const LinhaResultado& l : linhasDeResultado()) {
            for (const std::string_view nome : {l.antes, l.depois}) {
                if (nome.empty() || (modalidade == 0 && l.soEmPlantoes)) continue;
                const ETextctl* c = janela->campo(nome);
                const QStringList linhas = c->toolTip().split(u'\n');
                EXPECT_EQ(c->accessibleDescription(), c->toolTip()) << nome;
                // The figure's line ends with the figure; DEPOIS then compares with ANTES.
                const bool comDiferenca = nome == l.depois && !l.antes.empty();
                ASSERT_GE(linhas.size(), comDiferenca ? 2 : 1) << nome;
                EXPECT_TRUE(linhas[linhas.size() - (comDiferenca ? 2 : 1)].endsWith(QStringLiteral("= ") + c->text()))
                    << nome << ": " << c->toolTip().toStdString();
                if (comDiferenca) {
                    EXPECT_TRUE(linhas.last().startsWith(QStringLiteral("Diferença para ANTES: "))) << nome;
                }
            }
        }
    }
    // A panel edit shows in the working at the next run, as in the figure.
    const QString antes = campo("valIR")->toolTip();
    digitar("percentIrrf", "2");
    EXPECT_EQ(campo("valIR")->toolTip(), antes);
    clicar("Calcular");
    EXPECT_NE(campo("valIR")->toolTip(), antes);

    QTest::keyClick(janela.get(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    const QMimeData* copiado = QGuiApplication::clipboard()->mimeData();
    QStringList linhas = copiado->text().split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(linhas.size(), static_cast<qsizetype>(linhasDeResultado().size()) + 1);
    EXPECT_EQ(linhas.takeFirst(), QStringLiteral("Resultado\tANTES\tDEPOIS\tDiferença"));
    QStringList celulasHtml;
    static const QRegularExpression td(QStringLiteral("<t[dh][^>]*>([^<]*)</t[dh]>"));
    for (const auto& m : td.globalMatch(copiado->html())) celulasHtml << m.captured(1);
    QStringList celulasTexto = QStringList{"Resultado", "ANTES", "DEPOIS", "Diferença"};
    for (qsizetype i = 0; i < linhas.size(); ++i) {
        const LinhaResultado& l = linhasDeResultado()[static_cast<std::size_t>(i)];
        const QStringList c = linhas[i].split(u'\t');
        ASSERT_EQ(c.size(), 4) << linhas[i].toStdString();
        celulasTexto << c;
        EXPECT_EQ(c[2], janela->texto(l.depois));
        if (l.antes.empty()) continue;
        EXPECT_EQ(c[1], janela->texto(l.antes));
        const auto a = lerMoney(c[1].toStdString(), sep), d = lerMoney(c[2].toStdString(), sep),
                   dif = lerMoney(c[3].toStdString(), sep);
        ASSERT_TRUE(a && d && dif) << linhas[i].toStdString();
        EXPECT_EQ(*subtrair(*d, *a), *dif) << linhas[i].toStdString();
    }
    EXPECT_EQ(celulasHtml, celulasTexto);
}

// The panel is built on first use: start-up leaves it unbuilt, and a panel built late is the
// same as one built before start-up, down to the pixel and the saved file.
TEST_F(Programa, PainelConstruidoTardeIgualAoConstruidoCedo) {
    arquivoComPadroes({{"percNoturno", "20"}, {"incideISS", "0"}, {"baseDSR", "7"}, {"percSeg", "1,5"}});
    const std::string conteudo = lerArquivo(arquivo);
    iniciar();
    QApplication::processEvents();
    EXPECT_EQ(janela->painel(), nullptr) << "start-up builds no panel";

    const fs::path outraPasta = pasta / "cedo";
    fs::create_directories(outraPasta);
    gravarArquivo(outraPasta / "vestaMar.ini", conteudo);
    FrmCalcProd cedo;
    cedo.construirPainel();
    Simulador simCedo(cedo, outraPasta, separadoresDoSistema());
    simCedo.mostrarFalha = [this] { ++falhas; };
    ASSERT_TRUE(simCedo.iniciar());
    cedo.show();
    for (Simulador* s : {sim.get(), &simCedo}) s->abrirTabelas();
    QApplication::processEvents();
    ASSERT_NE(janela->painel(), nullptr);

    for (const Controle& c : layoutJanela()) {
        if (c.conteiner != "Frame1") continue;
        QWidget* a = cedo.controle(c.nome);
        QWidget* b = janela->controle(c.nome);
        EXPECT_EQ(a->geometry(), b->geometry()) << c.nome;
        EXPECT_EQ(a->property("text"), b->property("text")) << c.nome;
        EXPECT_EQ(a->property("currentText"), b->property("currentText")) << c.nome;
        EXPECT_EQ(a->property("currentIndex"), b->property("currentIndex")) << c.nome;
        EXPECT_EQ(a->font(), b->font()) << c.nome;
        EXPECT_EQ(a->accessibleName(), b->accessibleName()) << c.nome;
        EXPECT_EQ(a->focusPolicy(), b->focusPolicy()) << c.nome;
        EXPECT_EQ(a->nextInFocusChain()->objectName(), b->nextInFocusChain()->objectName()) << c.nome;
    }
    // Drawn alike once neither shows the keyboard focus, which only the active window has.
    for (FrmCalcProd* j : {&cedo, janela.get()}) j->botao("Calcular")->setFocus();
    EXPECT_TRUE(cedo.painel()->grab().toImage() == janela->painel()->grab().toImage());
    QTest::mouseClick(cedo.botao("Sair"), Qt::LeftButton);
    clicar("Sair");
    EXPECT_EQ(lerArquivo(arquivo), lerArquivo(outraPasta / "vestaMar.ini"));
    EXPECT_EQ(falhas, 0);
}

// While the panel is open, Tab and Shift+Tab go round the panel and the buttons below it;
// no key reaches the figures hidden under it. Closing the panel gives the columns back.
TEST_F(Programa, TabGiraDentroDoPainelAberto) {
    iniciar();
    campo("ProdBruta")->setFocus();
    sim->abrirTabelas();
    QWidget* painel = janela->controle("Frame1");
    ASSERT_TRUE(painel->isAncestorOf(QApplication::focusWidget()));
    QTest::keyClicks(QApplication::focusWidget(), "7");
    EXPECT_EQ(texto("ProdBruta"), "1.800,00");
    for (const auto tecla : {Qt::NoModifier, Qt::ShiftModifier}) {
        QWidget* inicio = QApplication::focusWidget();
        for (int i = 0; i < 60; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, tecla);
            QWidget* w = QApplication::focusWidget();
            ASSERT_TRUE(painel->isAncestorOf(w) || qobject_cast<cbutton*>(w)) << w->objectName().toStdString();
        }
        EXPECT_TRUE(painel->isAncestorOf(inicio));
    }
    clicar("Calcular");
    campo("ProdBruta")->setFocus();
    QTest::keyClick(campo("ProdBruta"), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), campo("valorAjCusto"));
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
