#pragma once
// The program on its real window, started over a parameter file in a temporary folder; every
// message it shows is answered by the test.
#include "qt_gtest.h"

#include <QDir>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "arquivo_parametros.h"
#include "simulador.h"

namespace vestamar {

namespace fs = std::filesystem;

inline std::string lerArquivo(const fs::path& p) {
    std::ifstream f(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), {}};
}

inline void gravarArquivo(const fs::path& p, const std::string& conteudo) {
    std::ofstream(p, std::ios::binary) << conteudo;
}

// A path as the program names it: Qt's separators on every system.
inline QString textoDe(const fs::path& p) { return QDir::fromNativeSeparators(QString::fromStdString(p.string())); }

// The answer a question gives to Enter.
inline QString comEnter(const Simulador::Pergunta& p) { return p.botoes.value(p.comEnter); }

class Programa : public testing::Test {
protected:
    QTemporaryDir temporaria;
    const fs::path pasta = QFile::encodeName(temporaria.path()).toStdString();
    const fs::path arquivo = pasta / "vestaMar.ini";
    const fs::path recentes = pasta / "config" / "recentes.ini";
    std::unique_ptr<FrmCalcProd> janela;
    std::unique_ptr<Simulador> sim;
    int falhas = 0;  // runs stopped by a field that does not convert
    // Every message the program showed, and the answer given: a button's caption, or Enter.
    std::vector<Simulador::Pergunta> perguntas;
    QString responder;
    std::size_t perguntasAntesDaJanela = 0;

    void TearDown() override { EXPECT_EQ(falhas, 0); }

    // A file of defaults with some values replaced; an empty value leaves the key out.
    void arquivoComPadroes(const std::vector<std::pair<std::string, std::string>>& trocas) {
        ASSERT_TRUE(gravarParametros(Conteudo::Padroes, pasta, ParametrosSimulacao{}, Separadores::brasil()).ok);
        std::string c = "\r\n" + lerArquivo(arquivo);
        for (const auto& [chave, valor] : trocas) {
            const auto i = c.find("\r\n" + chave + "=");
            ASSERT_NE(i, std::string::npos) << chave;
            c.replace(i, c.find("\r\n", i + 2) - i, valor.empty() ? "" : "\r\n" + chave + "=" + valor);
        }
        gravarArquivo(arquivo, c.substr(2));
    }
    bool contem(const std::string& trecho) const { return lerArquivo(arquivo).find(trecho) != std::string::npos; }
    std::string comoSalvo() const {
        return conteudoParametros(Conteudo::Estado, sim->estado(), separadoresDoSistema());
    }

    // Starts the program as it starts itself (the window shown before its controls are made,
    // the recent sets listed in the user's configuration) and shows its window as the user
    // finds it; false when the program chose to leave at once.
    bool iniciar() {
        sim.reset();
        janela = std::make_unique<FrmCalcProd>(separadoresDoSistema(), nullptr, Montagem::Adiada);
        sim = novoSimulador(*janela);
        sim->usarListaDeRecentes(textoDe(recentes));
        if (!sim->abrirArquivo()) return false;
        janela->show();
        sim->mostrarInicio();
        perguntasAntesDaJanela = perguntas.size();
        const bool ativa = ativar(*janela);
        // The first turn of the event loop, where the program speaks of what start-up found.
        QCoreApplication::processEvents();
        return ativa;
    }
    std::unique_ptr<Simulador> novoSimulador(FrmCalcProd& j, const fs::path& onde = {}) {
        auto s = std::make_unique<Simulador>(j, onde.empty() ? pasta : onde, separadoresDoSistema());
        ouvir(*s);
        return s;
    }
    // The program's failures counted and its questions kept and answered by the test.
    void ouvir(Simulador& s) {
        s.mostrarFalha = [this] { ++falhas; };
        s.perguntar = [this](const Simulador::Pergunta& p) {
            perguntas.push_back(p);
            const auto i = p.botoes.indexOf(responder);
            return i < 0 ? p.comEnter : static_cast<int>(i);
        };
    }
    // The folder of the file turned into a file while `acao` runs: nothing can be written there.
    template <class Acao>
    void semPasta(Acao acao) {
        fs::rename(pasta, pasta.string() + "-fora");
        gravarArquivo(pasta, "not a folder");
        acao();
        fs::remove(pasta);
        fs::rename(pasta.string() + "-fora", pasta);
    }
    // The panel opened and filled with the tables of 2026, the question answered "Sim".
    void tabelas2026() {
        sim->abrirTabelas();
        responder = q("Sim");
        QTest::mouseClick(janela->botao("carregarTabelas2026"), Qt::LeftButton);
        responder.clear();
    }

    ETextctl* campo(const char* nome) const { return janela->campo(nome); }
    QString texto(const char* nome) const { return campo(nome)->text(); }
    // Each field's text as expected.
    void conferir(std::initializer_list<std::pair<const char*, const char*>> esperados) const {
        for (const auto& [nome, brasileiro] : esperados) EXPECT_EQ(texto(nome), local(brasileiro)) << nome;
    }
    void digitar(const char* nome, const char* brasileiro) { ::digitar(campo(nome), local(brasileiro)); }
    // Pastes over a field's whole text at once, the focus left where it is.
    void colar(const char* nome, const char* brasileiro) {
        campo(nome)->selectAll();
        QGuiApplication::clipboard()->setText(local(brasileiro));
        QTest::keyClick(campo(nome), Qt::Key_V, Qt::ControlModifier);
    }
    void clicar(const char* botao) { QTest::mouseClick(janela->botao(botao), Qt::LeftButton); }
    void escolher(const char* lista, int indice) { janela->lista(lista)->setCurrentIndex(indice); }
};

}  // namespace vestamar
