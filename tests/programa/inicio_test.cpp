// The working program end to end on the real window: start-up, the file it reads and writes at
// `Sair`, a second copy on the same file, each real question answered from the keyboard, and
// where the file lives. Every test runs under both regional settings; figures are written here
// with the Brazilian marks and compared in the user's (`local`).
#include "programa.h"

#include "layout_janela.h"
#include "local_parametros.h"

using namespace vestamar;

TEST_F(Programa, PrimeiroInicioMostraOsPadroesEOsResultadosCompletos) {
    ASSERT_TRUE(iniciar());
    EXPECT_TRUE(contem(local("\r\naPartir1=1903,99\r\n").toStdString()));
    EXPECT_EQ(janela->windowTitle(), q("vestaMar - Simulação de Resultados") + QString(42, u' ') + q("Versão 03_02"));
    // Both scenarios calculated (the engine's own tests check every figure).
    conferir({{"percINSS", "11,00"},
              {"aPartir1", "1.903,99"},
              {"percentIR1", "7,5"},
              {"QuantDias", "10"},
              {"HorasNoturnas", "4"},
              {"fatorNoturno", "33,33"},
              {"ProdBruta", "1.800,00"},
              {"tetoINSS", "5.189,82"},
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
// night-hours fields show exactly what was saved, whatever the others show. A choice no list has
// shows none and is written back as it was. The panel is built on first use: start-up leaves
// it unbuilt, and a panel built late is the same as one built before start-up, down to the
// pixel and the saved file.
TEST_F(Programa, ArquivoDadoMostradoArredondadoEPainelTardioIgualAoCedo) {
    // Written under the other decimal mark, without quantDias, fatorExtra and quantHorasDia.
    arquivoComPadroes({{"percINSS", "11.126"},
                       {"percentIR2", "7.26"},
                       {"quantDias", ""},
                       {"fatorExtra", ""},
                       {"quantHorasDia", ""},
                       {"percSeg", "0,001"},
                       {"horasNoturnas", "4"},
                       {"quantHorasDia2", "0"},
                       {"fatorNoturno", "50"},
                       {"itaProd", "7"},
                       {"incideISS", "-2"},
                       {"baseDSR", "7"},
                       {"percNoturno", "20"}});
    const fs::path outraPasta = pasta / "cedo";
    fs::create_directories(outraPasta);
    fs::copy_file(arquivo, outraPasta / "vestaMar.ini");
    ASSERT_TRUE(iniciar());
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
    EXPECT_EQ(std::pair(janela->lista("incideTxAdmProd")->currentIndex(), janela->lista("incideISS")->currentIndex()),
              std::pair(-1, -1));
    // 0.001 shows as "0,00", the field's own initial text: no change is raised, yet the state
    // holds what is shown.
    const ParametrosSimulacao& e = sim->estado();
    EXPECT_EQ(std::tuple(e.percINSS, e.percentIR2, e.horasNoturnas, e.fatorNoturno, e.percSeg, e.itaProd),
              std::tuple(11.13, 7.3, 4.0, 50.0, 0.0, std::int16_t{7}));
    QTest::mouseClick(cedo.botao("Sair"), Qt::LeftButton);
    clicar("Sair");
    EXPECT_EQ(lerArquivo(arquivo), lerArquivo(outraPasta / "vestaMar.ini"));
    for (const char* linha :
         {"\r\nquantHorasDia2=0\r\nhorasNoturnas=4\r\n", "\r\nitaProd=7\r\n", "\r\nincideISS=-2\r\n"})
        EXPECT_TRUE(contem(linha)) << linha;
    arquivoComPadroes({{"horasNoturnas", "4"}, {"quantHorasDia2", "12"}, {"fatorNoturno", "33,33"}});
    ASSERT_TRUE(iniciar());
    conferir({{"HorasNoturnas", "4"}, {"QuantHorasDia2", "12"}, {"fatorNoturno", "33,33"}});
    clicar("Sair");
    EXPECT_TRUE(contem(local("\r\nfatorNoturno=33,33\r\n").toStdString()));
}

// A file edited by hand: blanks around a key and "=" are read; a comment in Windows-1252, an
// unknown key and a value with a remark are named in the one message, once the window is up.
// The close box saves nothing; `Sair` saves the whole state, the file as the user wrote it kept
// first as vestaMar.ini.bak. A file without such lines says nothing and is saved byte for byte.
TEST_F(Programa, LinhasEditadasAMaoNomeadasESairGravaOEstadoInteiro) {
    arquivoComPadroes({{"percINSS", ""}, {"percentISS", "5 ; alíquota São Paulo"}});
    const std::string editado =
        "; tabela acertada com o contador em 03/2026 - cont\xE1"
        "bil\r\n" +
        lerArquivo(arquivo) + "  percINSS = 9 \r\nchaveNova=1\r\n";
    gravarArquivo(arquivo, editado);
    ASSERT_TRUE(iniciar());
    EXPECT_EQ(perguntasAntesDaJanela, 0U) << "told once the window is up";
    ASSERT_EQ(perguntas.size(), 1U);
    for (const char* linha :
         {"; tabela acertada com o contador em 03/2026 - contábil", "chaveNova=1", "percentISS=5 ; alíquota São Paulo"})
        EXPECT_TRUE(perguntas[0].texto.contains(q(linha))) << linha;
    EXPECT_EQ(std::pair(sim->estado().percINSS, sim->estado().percentISS), std::pair(9.0, 0.0));
    EXPECT_EQ(texto("percINSS"), local("9,00"));
    digitar("percTxAdm", "30");
    janela->close();
    EXPECT_EQ(lerArquivo(arquivo), editado) << "the close box saves nothing";
    ASSERT_TRUE(iniciar());
    digitar("percTxAdm", "30");
    clicar("Sair");
    EXPECT_FALSE(janela->isVisible());
    EXPECT_EQ(lerArquivo(pasta / "vestaMar.ini.bak"), editado);
    const std::string salvo = lerArquivo(arquivo);
    EXPECT_EQ(salvo, comoSalvo());
    perguntas.clear();
    ASSERT_TRUE(iniciar());
    clicar("Sair");
    EXPECT_TRUE(perguntas.empty()) << "a clean file says nothing";
    EXPECT_EQ(lerArquivo(arquivo), salvo);
}

// Each question the program asks, on a real message box, answered by Enter and by Escape: both
// give the answer that loses nothing, the one the box shows as its default: "Não" at "Tabelas
// 2026" and at a save that fails (naming the file once), "Sair" at a second copy's start,
// "Cancelar" at its save. A second copy told "Continuar" saves only when told "Gravar"; once
// the first copy has ended, or when the lock was left by a copy no longer running, it saves
// without asking.
TEST_F(Programa, CadaPerguntaRealRespondidaPorEnterEEscapeESegundaCopia) {
    for (const Qt::Key tecla : {Qt::Key_Return, Qt::Key_Escape}) {
        SCOPED_TRACE(tecla == Qt::Key_Return ? "Enter" : "Escape");
        QStringList respostas, padroes, textos;
        const RespostaAosDialogos resposta([&](QWidget* dialogo) {
            auto* caixa = qobject_cast<QMessageBox*>(dialogo);
            ASSERT_NE(caixa, nullptr);
            padroes << (caixa->defaultButton() ? caixa->defaultButton()->text() : QString());
            textos << caixa->text();
            QTest::keyClick(caixa, tecla);
            respostas << (caixa->clickedButton() ? caixa->clickedButton()->text() : QString());
        });
        ASSERT_TRUE(iniciar());
        sim->perguntar = nullptr;  // the real message boxes from here on
        sim->abrirTabelas();
        QTest::mouseClick(janela->botao("carregarTabelas2026"), Qt::LeftButton);
        EXPECT_EQ(texto("tetoINSS"), local("5.189,82"));
        semPasta([&] { clicar("Sair"); });
        EXPECT_TRUE(janela->isVisible());
        EXPECT_EQ(textos.value(1).count(q("vestaMar.ini")), 1) << textos.value(1).toStdString();

        FrmCalcProd outraJanela;
        auto outra = novoSimulador(outraJanela);
        outra->perguntar = nullptr;
        EXPECT_FALSE(outra->iniciar());
        outra = novoSimulador(outraJanela);
        responder = q("Continuar");
        ASSERT_TRUE(outra->iniciar());
        outra->perguntar = nullptr;
        outraJanela.show();
        const std::string antes = lerArquivo(arquivo);
        outra->estado().percTxAdm = 40;
        QTest::mouseClick(outraJanela.botao("Sair"), Qt::LeftButton);
        EXPECT_TRUE(outraJanela.isVisible());
        EXPECT_EQ(respostas, (QStringList{q("Não"), q("Não"), q("Sair"), q("Cancelar")}));
        EXPECT_EQ(padroes, respostas);
        if (tecla == Qt::Key_Escape) continue;

        // "Sair sem gravar" leaves the file alone; once the first copy has ended, the lock is free.
        ouvir(*outra);
        responder = q("Sair sem gravar");
        QTest::mouseClick(outraJanela.botao("Sair"), Qt::LeftButton);
        EXPECT_FALSE(outraJanela.isVisible());
        EXPECT_EQ(lerArquivo(arquivo), antes);
        sim.reset();
        perguntas.clear();
        outraJanela.show();
        QTest::mouseClick(outraJanela.botao("Sair"), Qt::LeftButton);
        EXPECT_TRUE(perguntas.empty());
        EXPECT_TRUE(contem("\r\npercTxAdm=40\r\n"));
        outra.reset();
    }
    // A lock left behind by a copy that is no longer running is taken over in silence. The
    // machine named as the lock names it (on Windows the computer's name, not the host name:
    // another name is another machine, whose copies are never taken as gone).
    QLockFile modelo(temporaria.filePath(q("modelo.lock")));
    ASSERT_TRUE(modelo.lock());
    qint64 pid = 0;
    QString maquina, programa;
    ASSERT_TRUE(modelo.getLockInfo(&pid, &maquina, &programa));
    modelo.unlock();
    sim.reset();
    gravarArquivo(pasta / "vestaMar.ini.lock", "999999\nvestamar\n" + maquina.toStdString() + "\n");
    perguntas.clear();
    EXPECT_TRUE(iniciar());
    EXPECT_TRUE(perguntas.empty());
}

// A user's file that cannot be created (a home folder that cannot be written) shows the
// administrator's values; start-up says once that nothing can be saved, and where it tried;
// `Sair` asks as always, "Não" staying.
TEST_F(Programa, SemPastaGravavelMostraOsValoresDoAdministrador) {
    arquivoComPadroes({{"prodBruta", "3333"}, {"percINSS", "9"}});
    const fs::path usuario = pasta / "vestaMar.ini" / "nao-e-pasta";
    janela = std::make_unique<FrmCalcProd>();
    sim = novoSimulador(*janela, usuario);
    sim->lerPadroesDe(pasta);
    ASSERT_TRUE(sim->iniciar());
    ASSERT_TRUE(ativar(*janela));
    QApplication::processEvents();
    conferir({{"ProdBruta", "3.333,00"}, {"percINSS", "9,00"}});
    ASSERT_EQ(perguntas.size(), 1U);
    EXPECT_TRUE(perguntas[0].texto.contains(QDir::toNativeSeparators(textoDe(usuario / "vestaMar.ini"))));
    EXPECT_TRUE(perguntas[0].texto.contains(q("não poderão ser gravadas")));
    clicar("Sair");
    ASSERT_EQ(perguntas.size(), 2U);
    EXPECT_EQ(comEnter(perguntas[1]), q("Não"));
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
