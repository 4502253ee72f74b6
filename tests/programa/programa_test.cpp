// The working program end to end on the real window: start-up, typing, the night-hours fields,
// the modality, the panel, the option lists, the file at `Sair`, the income tax, the workings
// and the copy of the results. Every test runs under both regional settings; figures are
// written here with the Brazilian marks and compared in the user's (`local`).
#include "programa.h"

#include "layout_janela.h"
#include "memoria.h"

using namespace vestamar;

TEST_F(Programa, PrimeiroInicioMostraOsPadroesEOsResultadosCompletos) {
    ASSERT_TRUE(iniciar());
    EXPECT_TRUE(contem(local("\r\naPartir1=1903,99\r\n").toStdString()));
    EXPECT_EQ(janela->windowTitle(), q("vestaMar - Simulação de Resultados") + QString(42, u' ') + q("Versão 03_02"));
    conferir({{"percINSS", "11,00"},
              {"aPartir1", "1.903,99"},
              {"percentIR1", "7,5"},
              {"QuantDias", "10"},
              {"HorasNoturnas", "4"},
              {"fatorNoturno", "33,33"},
              {"ProdBruta", "1.800,00"},
              {"tetoINSS", "5.189,82"},
              // Both scenarios, calculated (the engine's own tests check every figure).
              {"TxManut", "90,00"},
              {"valPIS", "18,53"},
              {"nfLiq", "2.689,72"},
              {"valMargem2", "379,72"}});
    for (const auto& [lista, item] : {std::pair{"incideTxAdmProd", "Sim"},
                                      {"incideTxAdmAjuda", "Não"},
                                      {"incideISS", "Taxa Administrativa"},
                                      {"selecModalidade", "Mensal"}})
        EXPECT_EQ(janela->lista(lista)->currentText(), q(item)) << lista;
    EXPECT_EQ(std::pair(janela->controle("Titulo")->x(), janela->width()), std::pair(0, FrmCalcProd::pixels(7700)));
}

// A file is shown rounded as the fields show it, and the state holds what is shown; the three
// night-hours fields show exactly what was saved, whatever the others show, and Sair writes them
// back. The panel is built on first use: start-up leaves it unbuilt, and a panel built late is
// the same as one built before start-up, down to the pixel and the saved file.
TEST_F(Programa, ArquivoDadoMostradoArredondadoEPainelTardioIgualAoCedo) {
    // Written under the other decimal mark, without quantDias, fatorExtra and quantHorasDia, and
    // with a choice that no list has.
    arquivoComPadroes({{"percINSS", "11.126"},
                       {"percentIR2", "7.26"},
                       {"quantDias", ""},
                       {"fatorExtra", ""},
                       {"quantHorasDia", ""},
                       {"percSeg", "0,001"},
                       {"horasNoturnas", "4"},
                       {"quantHorasDia2", "0"},
                       {"fatorNoturno", "50"},
                       {"incideISS", "0"},
                       {"baseDSR", "7"},
                       {"percNoturno", "20"}});
    const fs::path outraPasta = pasta / "cedo";
    fs::create_directories(outraPasta);
    fs::copy_file(arquivo, outraPasta / "vestaMar.ini");
    ASSERT_TRUE(iniciar());
    QApplication::processEvents();
    EXPECT_EQ(janela->painel(), nullptr) << "start-up builds no panel";
    FrmCalcProd cedo;
    cedo.construirPainel();
    Simulador simCedo(cedo, outraPasta, separadoresDoSistema());
    ASSERT_TRUE(simCedo.iniciar());
    cedo.show();
    for (Simulador* s : {sim.get(), &simCedo}) s->abrirTabelas();
    QApplication::processEvents();
    for (const Controle& c : layoutJanela()) {
        if (c.conteiner != "Frame1") continue;
        const QWidget *a = cedo.controle(c.nome), *b = janela->controle(c.nome);
        for (const char* p :
             {"text", "currentText", "currentIndex", "geometry", "font", "accessibleName", "focusPolicy"})
            EXPECT_EQ(a->property(p), b->property(p)) << c.nome << " " << p;
        EXPECT_EQ(a->nextInFocusChain()->objectName(), b->nextInFocusChain()->objectName()) << c.nome;
    }
    // Drawn alike once neither shows the keyboard focus.
    for (FrmCalcProd* j : {&cedo, janela.get()}) j->botao("Calcular")->setFocus();
    EXPECT_TRUE(cedo.painel()->grab().toImage() == janela->painel()->grab().toImage());

    conferir({{"percINSS", "11,13"},
              {"percentIR2", "7,3"},
              {"QuantDias", "0"},
              {"fatorExtra", "0,00"},
              {"QuantHorasDia", "0"},
              {"HorasNoturnas", "4"},
              {"QuantHorasDia2", "0"},
              {"fatorNoturno", "50,00"}});
    // 0.001 shows as "0,00", the field's own initial text: no change is raised, yet the state
    // holds what is shown.
    const ParametrosSimulacao& e = sim->estado();
    EXPECT_EQ(std::tuple(e.percINSS, e.percentIR2, e.horasNoturnas, e.fatorNoturno, e.percSeg),
              std::tuple(11.13, 7.3, 4.0, 50.0, 0.0));
    QTest::mouseClick(cedo.botao("Sair"), Qt::LeftButton);
    clicar("Sair");
    EXPECT_EQ(lerArquivo(arquivo), lerArquivo(outraPasta / "vestaMar.ini"));
    EXPECT_TRUE(contem("\r\nquantHorasDia2=0\r\nhorasNoturnas=4\r\n"));
    arquivoComPadroes({{"horasNoturnas", "4"}, {"quantHorasDia2", "12"}, {"fatorNoturno", "33,33"}});
    ASSERT_TRUE(iniciar());
    conferir({{"HorasNoturnas", "4"}, {"QuantHorasDia2", "12"}, {"fatorNoturno", "33,33"}});
    clicar("Sair");
    EXPECT_TRUE(contem(local("\r\nfatorNoturno=33,33\r\n").toStdString()));
}

// "Plantões" works the production out from the hours and locks it; "Mensal" gives back the
// production kept grouped. The night hours and their factor follow each other one way: the
// field the user types keeps its text and the partner is worked out from it. A value whose
// partner cannot be worked out (a shift of 0 hours, a ratio or a number of hours beyond the
// 32-bit range) is still stored and calculated; only the partner stays. Pasted whole: typed key
// by key, the first digits would have a partner.
TEST_F(Programa, PlantoesEMensalEHorasNoturnasEFatorEmUmSoSentido) {
    ASSERT_TRUE(iniciar());
    digitar("ProdBruta", "999");
    // Plantões or Mensal, the shifts then typed (none: as they are), and the production shown: the
    // monthly 999 is gone.
    for (const auto& [plantoes, dias, producao] :
         {std::tuple{true, "", "1800,00"}, {false, "", "1.800,00"}, {true, "20", "3600,00"}, {false, "", "3.600,00"}}) {
        escolher("selecModalidade", plantoes);
        if (*dias) digitar("QuantDias", dias);
        EXPECT_EQ(texto("ProdBruta"), local(producao));
        EXPECT_EQ(std::pair(campo("ProdBruta")->locked(), janela->controle("QuantDias")->isVisible()),
                  std::pair(plantoes, plantoes));
        EXPECT_EQ(janela->controle("Label1")->y(), FrmCalcProd::pixels(plantoes ? 1800 : 2500));
    }
    EXPECT_EQ(sim->estado().prodBruta, Money::deDezMilesimos(3600 * 10000));
    escolher("selecModalidade", 1);
    // The partner's text once the field is typed or pasted (nullptr: as it was), then ProdBruta2
    // (nullptr: as it was).
    const struct {
        const char *campo, *texto;
        bool colado;
        const char *parceiro, *doParceiro, *producao2;
    } casos[] = {
        {"QuantHorasDia2", "8,0", false, "fatorNoturno", "50", "1200,00"},
        {"fatorNoturno", "50", false, "HorasNoturnas", "4", nullptr},
        {"fatorNoturno", "33,33", false, "HorasNoturnas", "2,666", nullptr},
        {"QuantHorasDia2", "12,0", false, "fatorNoturno", "22,22", "1800,00"},
        {"HorasNoturnas", "7", false, "fatorNoturno", "58,33", "1800,00"},
        {"QuantHorasDia2", "0", true, "fatorNoturno", nullptr, "0,00"},
        {"HorasNoturnas", "5", true, "fatorNoturno", nullptr, "0,00"},
        {"QuantHorasDia2", "12", true, "fatorNoturno", "41,67", "1800,00"},
        {"HorasNoturnas", "7,01", false, "fatorNoturno", "58,42", nullptr},
        {"fatorNoturno", "999999999999", true, "HorasNoturnas", nullptr, nullptr},
        {"HorasNoturnas", "99999999999", true, "fatorNoturno", nullptr, "1800,00"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(std::string(c.campo) + "=" + c.texto);
        const QString parceiro = texto(c.parceiro), producao2 = texto("ProdBruta2");
        c.colado ? colar(c.campo, c.texto) : digitar(c.campo, c.texto);
        EXPECT_EQ(texto(c.campo), local(c.texto));
        EXPECT_EQ(texto(c.parceiro), c.doParceiro ? local(c.doParceiro) : parceiro);
        EXPECT_EQ(texto("ProdBruta2"), c.producao2 ? local(c.producao2) : producao2);
    }
    EXPECT_EQ(std::pair(sim->estado().horasNoturnas, sim->estado().fatorNoturno),
              std::pair(99999999999.0, 999999999999.0));
    clicar("Sair");
    EXPECT_EQ(lerArquivo(arquivo), conteudoParametros(Conteudo::Estado, sim->estado(), separadoresDoSistema()));
}

// Start-up calculates DEPOIS with its additional components too. `Tabelas` opens the panel
// until the next calculation: Tab and Shift+Tab go round the panel and the buttons below it, and
// no key reaches the figures hidden under it. An edit there, or a choice of its lists (by the
// wheel, over a list with the focus), is stored (the night factor rewrites the hours) and shows
// at the next calculation. Closing the panel gives the columns back.
TEST_F(Programa, PainelAbertoPorTabelasAteOProximoCalculo) {
    arquivoComPadroes({{"percInsalub", "20"}, {"percNoturno", "20"}, {"percDSR", "16,67"}});
    ASSERT_TRUE(iniciar());
    conferir({{"valInsalub", "135,60"},
              {"valPericExNot", "119,99"},
              {"valDSR", "342,67"},
              {"retIR2", "17,28"},
              {"liqPagar2", "2.597,26"},
              {"nfLiq2", "3.394,55"},
              {"valMargem2", "516,20"}});
    QWidget* painel = janela->controle("Frame1");
    const auto painelAberto = [&](bool aberto) {
        EXPECT_EQ(painel->isVisible(), aberto);
        EXPECT_EQ(janela->controle("selecModalidade")->isVisible(), !aberto);
        EXPECT_EQ(janela->controle("Label85")->isVisible(), !aberto);
    };
    campo("ProdBruta")->setFocus();
    sim->abrirTabelas();
    ASSERT_TRUE(painel->isAncestorOf(QApplication::focusWidget()));
    QTest::keyClicks(QApplication::focusWidget(), "7");
    EXPECT_EQ(texto("ProdBruta"), local("1.800,00"));
    for (const auto tecla : {Qt::NoModifier, Qt::ShiftModifier}) {
        QWidget* inicio = QApplication::focusWidget();
        for (int i = 0; i < 60; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, tecla);
            QWidget* w = QApplication::focusWidget();
            ASSERT_TRUE(painel->isAncestorOf(w) || qobject_cast<cbutton*>(w)) << w->objectName().toStdString();
        }
        EXPECT_TRUE(painel->isAncestorOf(inicio));
    }
    clicar("Tabelas");
    painelAberto(true);
    // Bracket 1 from 100,00 without deduction: the base of 1602,00 pays 7.5 %.
    const QString memoria = campo("valPericExNot")->toolTip();
    for (const auto& [nome, valor] :
         {std::pair{"fatorNoturno", "50"}, {"aPartir1", "100"}, {"Desconto1", "0"}, {"percentIrrf", "2"}})
        digitar(nome, valor);
    // A list changes by the wheel only when it has the focus; otherwise the wheel leaves it alone.
    QComboBox* lista = janela->lista("incideISS");
    for (const bool comFoco : {false, true}) {
        (comFoco ? static_cast<QWidget*>(lista) : campo("percentISS"))->setFocus();
        const QPointF centro = QRectF(lista->rect()).center();
        QWheelEvent roda(centro, lista->mapToGlobal(centro), {}, {0, 120}, Qt::NoButton, Qt::NoModifier,
                         Qt::NoScrollPhase, false);
        QApplication::sendEvent(lista, &roda);
        EXPECT_EQ(sim->estado().incideISS, comFoco ? 0 : 1) << comFoco;
    }
    painelAberto(true);
    EXPECT_EQ(sim->estado().percentIrrf, 2.0);
    EXPECT_EQ(texto("HorasNoturnas"), q("6"));
    conferir({{"valPericExNot", "119,99"}, {"valISS", "13,50"}, {"retIR", "0,00"}});
    EXPECT_EQ(campo("valPericExNot")->toolTip(), memoria);
    clicar("Calcular");
    painelAberto(false);
    conferir({{"valPericExNot", "180,00"}, {"valISS", "85,50"}, {"retIR", "120,15"}, {"valIR", "57,00"}});
    EXPECT_NE(campo("valPericExNot")->toolTip(), memoria);
    campo("ProdBruta")->setFocus();
    QTest::keyClick(campo("ProdBruta"), Qt::Key_Tab);
    EXPECT_EQ(foco(), "valorAjCusto");
}

// A start-up whose calculation fails at its first step calculates once: one failure, and every
// result shows its initial text in the user's marks. A failed run later shows the failure
// dialog once; the figures stay, and their workings say that the last run stopped, and where.
TEST_F(Programa, FalhaMostraUmaVezODialogoDeAtencaoEPreservaOsResultados) {
    arquivoComPadroes({{"percTxMan", "1E+308"}});
    ASSERT_TRUE(iniciar());
    EXPECT_EQ(std::exchange(falhas, 0), 1);
    for (const LinhaResultado& l : linhasDeResultado())
        for (const std::string_view nome : {l.antes.campo, l.depois.campo})
            if (!nome.empty() && l.resultado && l.linha != Linha::ProdBruta) {
                EXPECT_EQ(janela->texto(nome), local("0,00")) << nome;
            }
    digitar("percTxMan", "5");
    clicar("Calcular");
    sim->mostrarFalha = nullptr;  // the real dialog
    sim->perguntar = nullptr;
    QStringList vistos;
    const RespostaAosDialogos resposta([&](QWidget* dialogo) {
        auto* caixa = qobject_cast<QMessageBox*>(dialogo);
        vistos << (caixa ? caixa->windowTitle() + " | " + caixa->text() : QString());
        if (caixa) caixa->accept();
    });
    digitar("percTxMan", "");
    clicar("Calcular");
    EXPECT_EQ(vistos, QStringList{q("Atenção ! | Ocorreu erro no procedimento de cálculo.")});
    EXPECT_EQ(texto("TxManut"), local("90,00"));
    EXPECT_TRUE(campo("TxManut")->toolTip().startsWith(q("Não calculado")));
    EXPECT_TRUE(campo("valMargem2")->toolTip().contains(q("Tx. Manutenção %")));
    EXPECT_EQ(texto("valMargem2"), local("379,72"));
}

// A line the program cannot read is named once, after start-up, and the close box saves
// nothing. Sair saves the whole state, the file as the user wrote it kept first as
// vestaMar.ini.bak; when the file cannot be written it asks, naming the file once, and Enter
// stays with the user's changes.
TEST_F(Programa, SairGravaOEstadoInteiroEFecharNaoGrava) {
    arquivoComPadroes({{"percentISS", "5 ; alíquota São Paulo"}});
    const std::string original = lerArquivo(arquivo);
    ASSERT_TRUE(iniciar());
    EXPECT_EQ(perguntasAntesDaJanela, 0U) << "told once the window is up";
    ASSERT_EQ(perguntas.size(), 1U);
    EXPECT_TRUE(perguntas[0].texto.contains(q("percentISS=5 ; alíquota São Paulo")));
    EXPECT_EQ(sim->estado().percentISS, 0);
    digitar("percTxAdm", "30");
    janela->close();
    EXPECT_EQ(lerArquivo(arquivo), original) << "the close box saves nothing";
    ASSERT_TRUE(iniciar());
    digitar("percTxAdm", "30");
    fs::rename(pasta, pasta.string() + "-fora");
    gravarArquivo(pasta, "not a folder");
    perguntas.clear();
    clicar("Sair");
    ASSERT_EQ(perguntas.size(), 1U);
    EXPECT_EQ(perguntas[0].texto.count(q("vestaMar.ini")), 1) << perguntas[0].texto.toStdString();
    EXPECT_EQ(perguntas[0].botoes.value(perguntas[0].comEnter), q("Não"));
    EXPECT_TRUE(janela->isVisible());
    fs::remove(pasta);
    fs::rename(pasta.string() + "-fora", pasta);
    clicar("Sair");
    EXPECT_FALSE(janela->isVisible());
    EXPECT_EQ(lerArquivo(pasta / "vestaMar.ini.bak"), original);
    EXPECT_EQ(lerArquivo(arquivo), conteudoParametros(Conteudo::Estado, sim->estado(), separadoresDoSistema()));
    perguntas.clear();
    ASSERT_TRUE(iniciar());
    EXPECT_TRUE(perguntas.empty()) << "a clean file says nothing";
}

TEST_F(Programa, SegundaCopiaNoMesmoArquivoAvisaESoGravaSeConfirmado) {
    ASSERT_TRUE(iniciar());
    FrmCalcProd outraJanela;
    auto outra = novoSimulador(outraJanela);
    const auto sair = [&](const char* resposta) {
        responder = q(resposta);
        outraJanela.show();
        QTest::mouseClick(outraJanela.botao("Sair"), Qt::LeftButton);
        return perguntas.empty() ? QString() : perguntas.back().botoes.value(perguntas.back().comEnter);
    };
    responder = q("Sair");
    EXPECT_FALSE(outra->iniciar()) << "the second copy may leave at once";
    EXPECT_EQ(std::pair(perguntas.size(), perguntas.at(0).botoes.value(perguntas[0].comEnter)),
              std::pair(std::size_t{1}, q("Sair")));
    outra = novoSimulador(outraJanela);
    responder = q("Continuar");
    ASSERT_TRUE(outra->iniciar());
    const std::string antes = lerArquivo(arquivo);
    outra->estado().percTxAdm = 40;
    // At Sair the second copy asks; Enter stays, "Sair sem gravar" leaves the file alone.
    EXPECT_EQ(sair(""), q("Cancelar"));
    EXPECT_TRUE(outraJanela.isVisible());
    sair("Sair sem gravar");
    EXPECT_FALSE(outraJanela.isVisible());
    EXPECT_EQ(lerArquivo(arquivo), antes);
    // Once the first copy has ended, the lock is free and the second saves without asking.
    sim.reset();
    perguntas.clear();
    sair("");
    EXPECT_TRUE(perguntas.empty());
    EXPECT_TRUE(contem("\r\npercTxAdm=40\r\n"));
    outra.reset();
    // A lock left behind by a copy that is no longer running is taken over in silence.
    // The machine named as the lock names it (on Windows the computer's name, not the host
    // name: another name is another machine, whose copies are never taken as gone).
    QLockFile modelo(temporaria.filePath(q("modelo.lock")));
    ASSERT_TRUE(modelo.lock());
    qint64 pid = 0;
    QString maquina, programa;
    ASSERT_TRUE(modelo.getLockInfo(&pid, &maquina, &programa));
    modelo.unlock();
    gravarArquivo(pasta / "vestaMar.ini.lock", "999999\nvestamar\n" + maquina.toStdString() + "\n");
    EXPECT_TRUE(iniciar());
    EXPECT_TRUE(perguntas.empty());
}

// The published income-tax figures of a cooperative pay tool, through the window: the tables
// of May 2023 with a simplified discount, then those of 2026 loaded by "Tabelas 2026".
TEST_F(Programa, ImpostoDeRenda2023E2026ComoPublicado) {
    arquivoComPadroes({{"percINSS", "20"},
                       {"tetoINSS", "7087,22"},
                       {"aPartir1", "2112,01"},
                       {"Desconto1", "158,4"},
                       {"Desconto2", "370,4"},
                       {"Desconto3", "651,73"},
                       {"aPartir4", "4664,69"},
                       {"Desconto4", "884,96"},
                       {"percDAR", "0"},
                       {"percDAR2", "0"}});
    gravarArquivo(arquivo, lerArquivo(arquivo) + "descontoSimplificado=528\r\n");
    ASSERT_TRUE(iniciar());
    struct Caso {
        const char *dependentes, *producao, *retIR;
    };
    const auto conferirIR = [&](std::initializer_list<Caso> casos) {
        for (const Caso& c : casos) {
            digitar("quantDeps", c.dependentes);
            digitar("ProdBruta", c.producao);
            EXPECT_EQ(texto("retIR"), local(c.retIR)) << c.producao << " com " << c.dependentes << " dependente(s)";
        }
    };
    conferirIR({{"0", "3000", "21,60"},
                {"0", "9000", "1.200,24"},
                {"1", "3000", "7,38"},
                {"1", "9000", "1.148,11"},
                {"2", "9000", "1.095,97"},
                {"0", "1000", "0,00"},
                {"0", "2600", "0,00"}});
    sim->abrirTabelas();
    responder = q("Sim");
    QTest::mouseClick(janela->botao("carregarTabelas2026"), Qt::LeftButton);
    EXPECT_EQ(texto("tetoINSS"), local("8.475,55"));
    conferirIR({{"0", "5000", "0,00"}, {"0", "5200", "0,00"}, {"0", "6000", "231,52"}, {"0", "8000", "851,27"}});
    EXPECT_EQ(texto("retIR2"), local("0,00")) << "DEPOIS, 1.800,00, follows the same rules";
}
