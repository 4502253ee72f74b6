// Parameter sets on the real window, with real files: open, change, save as and reopen, from
// the keyboard and the window's menu; the question before changes are lost; the caption; the
// recent list across restarts; links, unreadable lines, files that cannot be read; the lock
// following the open set.
#include "programa.h"

#ifndef _WIN32
#include <unistd.h>
#endif

using namespace vestamar;

namespace {

// The default file with a production of 1000, and another client's set with 2222.
class Conjuntos : public Programa {
protected:
    void SetUp() override {
        arquivoComPadroes({{"prodBruta", "1000"}});
        padrao = lerArquivo(arquivo);
        std::string c = padrao;
        gravarArquivo(acme, c.replace(c.find("prodBruta=1000"), 14, "prodBruta=2222"));
    }
    QString legenda() const { return janela->windowTitle(); }

    std::string padrao;
    const fs::path acme = pasta / "cliente-acme.ini";
};

}  // namespace

// A session on another client's set, opened by Ctrl+O: the caption names it, changes are saved
// as a third set by F12 and `Sair` saves there; the default file and the first set keep their
// bytes. Opening another set with changes not saved asks first, "Cancelar" by default, which
// stays on the set with its changes. The recent list survives the restart, the latest first, and drops a set whose file
// was removed; its submenu lists the sets, the open one disabled; every shortcut of the window's menu is its own. The
// lock follows the open set: the default file is free once another set is open, and a set another copy holds is opened
// only when the user says "Continuar" ("Cancelar" by default).
TEST_F(Conjuntos, AbrirAlterarSalvarComoEReabrir) {
    ASSERT_TRUE(iniciar());
    const QString titulo = legenda();
    EXPECT_FALSE(titulo.contains(u'—'));
    EXPECT_FALSE(TravaDoArquivo(caminhoArquivo(pasta)).travar());
    const std::string doAcme = lerArquivo(acme);
    const fs::path beta = pasta / "beta.ini";
    std::vector<bool> dialogos;
    sim->escolherArquivoConjunto = [&](bool salvar) {
        dialogos.push_back(salvar);
        return textoDe(salvar ? beta : acme);
    };
    QTest::keyClick(janela.get(), Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(sim->conjunto(), acme);
    EXPECT_TRUE(perguntas.empty());  // nothing changed: nothing asked
    EXPECT_EQ(texto("ProdBruta"), local("2.222,00"));
    EXPECT_EQ(legenda(), titulo + q(" — cliente-acme.ini"));
    EXPECT_FALSE(sim->parametrosAlterados());
    {
        TravaDoArquivo doPadrao(caminhoArquivo(pasta));
        EXPECT_TRUE(doPadrao.travar());
    }
    digitar("ProdBruta", "3.456,00");
    EXPECT_TRUE(sim->parametrosAlterados());
    QTest::keyClick(janela.get(), Qt::Key_F12);
    EXPECT_EQ(dialogos, (std::vector<bool>{false, true}));
    EXPECT_EQ(sim->conjunto(), beta);
    EXPECT_FALSE(sim->parametrosAlterados());
    EXPECT_EQ(legenda(), titulo + q(" — beta.ini"));
    EXPECT_NE(lerArquivo(beta).find("prodBruta=3456"), std::string::npos);
    EXPECT_EQ(lerArquivo(acme), doAcme);

    digitar("ProdBruta", "4.000,00");
    EXPECT_FALSE(sim->abrirConjunto(acme));
    ASSERT_EQ(perguntas.size(), 1U);
    EXPECT_EQ(perguntas[0].botoes, (QStringList{q("Gravar"), q("Descartar"), q("Cancelar")}));
    EXPECT_EQ(comEnter(perguntas[0]), q("Cancelar"));
    EXPECT_EQ(std::pair(sim->conjunto(), texto("ProdBruta")), std::pair(beta, local("4.000,00")));
    perguntas.clear();
    clicar("Sair");
    EXPECT_NE(lerArquivo(beta).find("prodBruta=4000"), std::string::npos);
    EXPECT_EQ(lerArquivo(arquivo), padrao);
    EXPECT_EQ(lerArquivo(acme), doAcme);

    ASSERT_TRUE(iniciar());
    EXPECT_EQ(legenda(), titulo);  // a restart opens the default file
    EXPECT_EQ(texto("ProdBruta"), local("1.000,00"));
    EXPECT_EQ(sim->conjuntosRecentes(), (QStringList{textoDe(arquivo), textoDe(beta), textoDe(acme)}));
    QStringList atalhos;
    QMenu* submenu = nullptr;
    for (QAction* a : janela->actions()) {
        if (!a->shortcut().isEmpty()) atalhos << a->shortcut().toString();
        if (a->menu()) submenu = a->menu();
    }
    EXPECT_EQ(atalhos.removeDuplicates(), 0) << atalhos.join(u' ').toStdString();
    ASSERT_NE(submenu, nullptr);
    emit submenu->aboutToShow();
    ASSERT_EQ(submenu->actions().size(), 3);
    EXPECT_FALSE(submenu->actions()[0]->isEnabled());
    submenu->actions()[2]->trigger();
    EXPECT_EQ(sim->conjunto(), acme);
    {
        // Another copy of the program has the default file now.
        TravaDoArquivo doPadrao(caminhoArquivo(pasta));
        ASSERT_TRUE(doPadrao.travar());
        EXPECT_FALSE(sim->abrirConjunto(arquivo));
        ASSERT_EQ(perguntas.size(), 1U);
        EXPECT_EQ(comEnter(perguntas[0]), q("Cancelar"));
        EXPECT_EQ(sim->conjunto(), acme);
        responder = q("Continuar");
        EXPECT_TRUE(sim->abrirConjunto(arquivo));
        EXPECT_EQ(sim->conjunto(), arquivo);
        responder.clear();
    }
    fs::remove(acme);
    ASSERT_TRUE(iniciar());
    EXPECT_EQ(sim->conjuntosRecentes(), (QStringList{textoDe(arquivo), textoDe(beta)}));
    // Only five are kept.
    for (int i = 0; i < 6; ++i) {
        const fs::path f = pasta / ("s" + std::to_string(i) + ".ini");
        gravarArquivo(f, padrao);
        ASSERT_TRUE(sim->abrirConjunto(f));
    }
    EXPECT_EQ(sim->conjuntosRecentes().size(), 5);
    EXPECT_EQ(sim->conjuntosRecentes().constFirst(), textoDe(pasta / "s5.ini"));
    EXPECT_FALSE(sim->conjuntosRecentes().contains(textoDe(beta)));
}

// A set reached through a symbolic link: the caption names the link; asked before its changes
// are lost, "Gravar" saves to the target, the link staying, then opens the other set. A set with
// lines that cannot be read names them and keeps its own .bak at the save; the default file gets
// none; "Descartar" opens another set, the file left as it was. A file that cannot be read is refused, the
// open set and its values staying.
TEST_F(Conjuntos, LigacoesLinhasIlegiveisEArquivosQueNaoSeLeem) {
    ASSERT_TRUE(iniciar());
    fs::create_directories(pasta / "comum");
    const fs::path alvo = pasta / "comum" / "alvo.ini", ligacao = pasta / "ligado.ini";
    gravarArquivo(alvo, lerArquivo(acme));
    // MinGW's std::filesystem makes no links under Wine: there the set is opened where it lies.
#ifdef _WIN32
    constexpr bool comLigacao = false;
#else
    constexpr bool comLigacao = true;
    fs::create_symlink(alvo, ligacao);
#endif
    const fs::path aberto = comLigacao ? ligacao : alvo;
    ASSERT_TRUE(sim->abrirConjunto(aberto));
    EXPECT_TRUE(legenda().endsWith(q(" — ") + textoDe(aberto.filename())));
    digitar("ProdBruta", "7.000,00");

    std::string comLixo = lerArquivo(acme) + "lixo sem igual\r\n";
    const fs::path sujo = pasta / "sujo.ini";
    gravarArquivo(sujo, comLixo);
    responder = q("Gravar");
    ASSERT_TRUE(sim->abrirConjunto(sujo));
    EXPECT_EQ(fs::is_symlink(ligacao), comLigacao);
    EXPECT_NE(lerArquivo(alvo).find("prodBruta=7000"), std::string::npos);
    ASSERT_EQ(perguntas.size(), 2U);
    EXPECT_TRUE(perguntas[1].texto.contains(q("lixo sem igual")));
    EXPECT_TRUE(perguntas[1].texto.contains(QDir::toNativeSeparators(QString::fromStdU16String(sujo.u16string()))));
    clicar("Sair");
    EXPECT_EQ(lerArquivo(pasta / "sujo.ini.bak"), comLixo);
    EXPECT_FALSE(fs::exists(pasta / "vestaMar.ini.bak"));
    EXPECT_EQ(lerArquivo(sujo).find("lixo"), std::string::npos);
    // Saved as a new set, every line is readable: no .bak at `Sair`.
    gravarArquivo(sujo, comLixo);
    ASSERT_TRUE(iniciar());
    ASSERT_TRUE(sim->abrirConjunto(sujo));
    ASSERT_TRUE(sim->salvarConjuntoComo(pasta / "limpo.ini"));
    clicar("Sair");
    EXPECT_FALSE(fs::exists(pasta / "limpo.ini.bak"));
    EXPECT_EQ(lerArquivo(sujo), comLixo);
    ASSERT_TRUE(iniciar());
    digitar("ProdBruta", "5.000,00");
    responder = q("Descartar");
    ASSERT_TRUE(sim->abrirConjunto(acme));
    EXPECT_EQ(texto("ProdBruta"), local("2.222,00"));
    EXPECT_EQ(lerArquivo(arquivo), padrao);

    for (const fs::path& ruim : {pasta / "nao-existe.ini", pasta / "comum"}) {
        perguntas.clear();
        ASSERT_TRUE(iniciar());
        digitar("ProdBruta", "6.000,00");
        responder = q("Descartar");
        EXPECT_FALSE(sim->abrirConjunto(ruim)) << ruim;
        ASSERT_EQ(perguntas.size(), 2U);
        EXPECT_TRUE(perguntas[1].texto.contains(q("Não foi possível ler"))) << perguntas[1].texto.toStdString();
        EXPECT_EQ(sim->conjunto(), arquivo);
        EXPECT_EQ(texto("ProdBruta"), local("6.000,00"));
    }
}

// An ordinary user's files (as root, the CTest entry programa.conjuntos_sem_privilegios runs
// these as nobody): a read-only set opens, and `Sair` cannot save it: the user is asked, the
// file stays as it was. Saving as into a folder that cannot be written is refused and the open
// set stays.
#ifndef _WIN32
// Unix permissions: Windows keeps access in ACLs, which these calls do not set.
TEST_F(Conjuntos, SemPrivilegios) {
    if (::geteuid() == 0) GTEST_SKIP() << "root writes anything";
    ASSERT_TRUE(iniciar());
    fs::permissions(acme, fs::perms::owner_read);
    const std::string doAcme = lerArquivo(acme);
    ASSERT_TRUE(sim->abrirConjunto(acme));
    digitar("ProdBruta", "8.000,00");
    const fs::path fechada = pasta / "fechada";
    fs::create_directories(fechada);
    fs::permissions(fechada, fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_FALSE(sim->salvarConjuntoComo(fechada / "novo.ini"));
    ASSERT_EQ(perguntas.size(), 1U);
    EXPECT_TRUE(perguntas[0].texto.contains(q("Não foi possível gravar"))) << perguntas[0].texto.toStdString();
    EXPECT_EQ(sim->conjunto(), acme);
    EXPECT_FALSE(fs::exists(fechada / "novo.ini"));
    clicar("Sair");
    ASSERT_EQ(perguntas.size(), 2U);
    EXPECT_TRUE(perguntas[1].texto.contains(q("Sair sem gravar?")));
    EXPECT_TRUE(janela->isVisible());  // "Não" by default: the user stays
    EXPECT_EQ(lerArquivo(acme), doAcme);
    fs::permissions(fechada, fs::perms::owner_all);
    fs::permissions(acme, fs::perms::owner_all);
}
#endif
