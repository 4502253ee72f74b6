// The keyboard and the real dialogs on the started program: each question answered by Enter
// and by Escape on a real message box, the focus when the panel opens, "Tabelas 2026" leaving
// the panel open, a key typed during a slow run; the window under a dark system palette; the
// layout of the panel's lists and of its band "IR 2026", and the banner.
#include "programa.h"

#include <qpa/qwindowsysteminterface.h>

#include <cmath>

#include "layout_janela.h"

using namespace vestamar;

namespace {

// The relative luminance of a colour and the contrast between two, as accessibility guidelines
// measure them (1:1 to 21:1).
double luminancia(const QColor& c) {
    const auto canal = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * canal(c.redF()) + 0.7152 * canal(c.greenF()) + 0.0722 * canal(c.blueF());
}
double contraste(const QColor& a, const QColor& b) {
    const double la = luminancia(a), lb = luminancia(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// Within an area of a picture: its most common colour (the background) and the contrast with it
// of the colour that stands out most (the text's ink).
double contrasteDoTexto(const QImage& imagem, const QRect& area) {
    QHash<QRgb, int> contagem;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) ++contagem[imagem.pixel(x, y)];
    QRgb fundo = 0;
    int maior = -1;
    for (auto it = contagem.cbegin(); it != contagem.cend(); ++it)
        if (it.value() > maior) std::tie(fundo, maior) = std::pair(it.key(), it.value());
    double melhor = 1;
    for (auto it = contagem.cbegin(); it != contagem.cend(); ++it)
        melhor = std::max(melhor, contraste(QColor(fundo), QColor(it.key())));
    return melhor;
}

// A dark desktop scheme, as a dark GTK theme gives Qt.
QPalette paletaEscura() {
    QPalette p(QColor(230, 230, 230), QColor(53, 53, 53));  // light text on dark buttons
    for (const auto grupo : {QPalette::Active, QPalette::Inactive}) {
        p.setColor(grupo, QPalette::Window, QColor(40, 40, 40));
        p.setColor(grupo, QPalette::WindowText, QColor(230, 230, 230));
        p.setColor(grupo, QPalette::Base, QColor(25, 25, 25));
        p.setColor(grupo, QPalette::Text, QColor(230, 230, 230));
        p.setColor(grupo, QPalette::Dark, QColor(20, 20, 20));
    }
    return p;
}

}  // namespace

// Each question the program asks, on a real message box, answered by Enter and by Escape: both
// give the answer that loses nothing ("Não" at "Tabelas 2026" and at a failed save, "Sair" at
// a second copy's start, "Cancelar" at its save), the one the box shows as its default.
TEST_F(Programa, CadaPerguntaRealRespondidaPorEnterEEscape) {
    for (const Qt::Key tecla : {Qt::Key_Return, Qt::Key_Escape}) {
        SCOPED_TRACE(tecla == Qt::Key_Return ? "Enter" : "Escape");
        QStringList respostas, padroes;
        const RespostaAosDialogos resposta([&](QWidget* dialogo) {
            auto* caixa = qobject_cast<QMessageBox*>(dialogo);
            ASSERT_NE(caixa, nullptr);
            padroes << (caixa->defaultButton() ? caixa->defaultButton()->text() : QString());
            QTest::keyClick(caixa, tecla);
            respostas << (caixa->clickedButton() ? caixa->clickedButton()->text() : QString());
        });
        ASSERT_TRUE(iniciar());
        sim->perguntar = nullptr;  // the real message boxes from here on
        sim->abrirTabelas();
        QTest::mouseClick(janela->botao("carregarTabelas2026"), Qt::LeftButton);
        EXPECT_EQ(texto("tetoINSS"), local("5.189,82"));

        fs::rename(pasta, pasta.string() + "-fora");
        gravarArquivo(pasta, "not a folder");
        clicar("Sair");
        EXPECT_TRUE(janela->isVisible());
        fs::remove(pasta);
        fs::rename(pasta.string() + "-fora", pasta);

        FrmCalcProd outraJanela;
        auto outra = novoSimulador(outraJanela);
        outra->perguntar = nullptr;
        EXPECT_FALSE(outra->iniciar());
        outra = novoSimulador(outraJanela);
        responder = q("Continuar");
        ASSERT_TRUE(outra->iniciar());
        outra->perguntar = nullptr;
        outraJanela.show();
        QTest::mouseClick(outraJanela.botao("Sair"), Qt::LeftButton);
        EXPECT_TRUE(outraJanela.isVisible());

        const QStringList seguras{q("Não"), q("Não"), q("Sair"), q("Cancelar")};
        EXPECT_EQ(respostas, seguras);
        EXPECT_EQ(padroes, seguras);
        outra.reset();
        sim.reset();
    }
}

// `Tabelas` puts the focus on the panel's first field however it is opened. "Tabelas 2026" fills
// the panel and leaves it open showing the new values, the factor with its decimals; the
// columns take them at the next calculation, as after any other edit of the panel.
TEST_F(Programa, TabelasFocaOPrimeiroCampoE2026DeixaOPainelAberto) {
    ASSERT_TRUE(iniciar());
    digitar("ProdBruta", "9000");
    const QString retIR = texto("retIR");
    struct Abertura {
        const char* foco;
        std::function<void()> abrir;
    };
    const Abertura aberturas[] = {
        // From the field just typed into, whose text is rewritten as the focus leaves it.
        {"ProdBruta", [&] { QTest::keyClick(campo("ProdBruta"), Qt::Key_T, Qt::AltModifier); }},
        {"valorAjCusto2", [&] { clicar("Tabelas"); }},
        {"Calcular", [&] { QTest::keyClick(janela->botao("Calcular"), Qt::Key_T, Qt::AltModifier); }},
    };
    for (const Abertura& a : aberturas) {
        SCOPED_TRACE(a.foco);
        janela->controle(a.foco)->setFocus();
        a.abrir();  // a button's shortcut presses it a moment later
        ASSERT_TRUE(QTest::qWaitFor([&] { return janela->painel() && janela->painel()->isVisible(); }, 2000));
        EXPECT_EQ(foco(), "aPartir1");
        clicar("Calcular");
        EXPECT_FALSE(janela->painel()->isVisible());
    }
    clicar("Tabelas");
    EXPECT_EQ(texto("reducaoIRFator"), local("0,000000"));
    responder = q("Sim");
    QTest::mouseClick(janela->botao("carregarTabelas2026"), Qt::LeftButton);
    EXPECT_TRUE(janela->painel()->isVisible());
    conferir({{"tetoINSS", "8.475,55"}, {"reducaoIRFator", "0,133145"}, {"descontoSimplificado", "607,20"}});
    EXPECT_EQ(texto("retIR"), retIR);
    clicar("Calcular");
    EXPECT_NE(texto("retIR"), retIR);
}

// A key the user types while a slow run is under way waits for the run's end: the run lets the
// window repaint but takes no key, so no field changes under it; then the key is typed once.
TEST_F(Programa, TeclaDuranteUmCalculoLentoNemPerdidaNemRepetida) {
    ASSERT_TRUE(iniciar());
    ETextctl* producao = campo("ProdBruta");
    producao->setFocus();
    producao->selectAll();
    const QString liquido = texto("liqPagar");
    int execucoes = 0;
    sim->duranteCalculo = [&] {
        if (execucoes++ > 0) return;
        // "9" pressed and released, waiting in the window system's queue as a real key would.
        for (const auto tipo : {QEvent::KeyPress, QEvent::KeyRelease})
            QWindowSystemInterface::handleKeyEvent<QWindowSystemInterface::AsynchronousDelivery>(
                janela->windowHandle(), tipo, Qt::Key_9, Qt::NoModifier, q("9"));
    };
    sim->calcular();
    EXPECT_EQ(texto("ProdBruta"), local("1.800,00")) << "the key reached the field during the run";
    EXPECT_EQ(texto("liqPagar"), liquido);
    EXPECT_TRUE(QTest::qWaitFor([&] { return texto("ProdBruta") == q("9"); }, 2000));
    QApplication::processEvents();
    EXPECT_EQ(texto("ProdBruta"), q("9"));
    EXPECT_EQ(sim->estado().prodBruta, Money::deDezMilesimos(9 * 10000));
    EXPECT_EQ(execucoes, 2) << "the key's own run";
    EXPECT_NE(texto("liqPagar"), liquido);
}

// Under a dark system palette the window keeps its own colours: it is drawn exactly as under the
// usual light one, and each control's text, measured on the picture, stands out from what is
// behind it by at least 4.5:1; the panel's too.
TEST_F(Programa, TemaEscuroDoSistemaNaoMudaAsCoresDaJanela) {
    QApplication::setCursorFlashTime(0);
    const auto desenhar = [&](bool painel) {
        EXPECT_TRUE(iniciar());
        escolher("selecModalidade", 1);  // every field shown
        if (painel) sim->abrirTabelas();
        janela->botao("Calcular")->setFocus();
        QApplication::processEvents();
        return janela->grab().toImage().convertToFormat(QImage::Format_RGB32);
    };
    const QPalette sistema = QApplication::palette();
    for (const bool painel : {false, true}) {
        SCOPED_TRACE(painel ? "panel" : "columns");
        const QImage clara = desenhar(painel);
        QApplication::setPalette(paletaEscura());
        const QImage escura = desenhar(painel);
        QApplication::setPalette(sistema);
        EXPECT_TRUE(clara == escura);
        for (const Controle& c : layoutJanela()) {
            if (c.tipo == Tipo::Linha || c.tipo == Tipo::Imagem || c.tipo == Tipo::Painel) continue;
            QWidget* w = janela->controle(c.nome);
            if (!w->isVisible() || (w->property("text").toString().isEmpty() && c.tipo != Tipo::Lista)) continue;
            const QRect area(w->mapTo(janela.get(), QPoint()), w->size());
            QWidget* visto = janela->childAt(area.center());
            if (visto != w && !w->isAncestorOf(visto)) continue;  // covered (the title by the banner)
            // Inside the frames of buttons, lists and fields.
            const int margem = c.tipo == Tipo::Rotulo || c.tipo == Tipo::Marcador || c.tipo == Tipo::Caixa ? 0 : 3;
            EXPECT_GE(contrasteDoTexto(escura, area.adjusted(margem, margem, -margem, -margem)), 4.5) << c.nome;
        }
    }
}

// Each list fits its longest item; every control of "IR 2026" stands under its heading (the
// nearest section underline above it is that heading's); the banner fills the window's width.
TEST_F(Programa, ListasCabemEIR2026SobSeuTituloEBannerNaLarguraToda) {
    ASSERT_TRUE(iniciar());
    sim->abrirTabelas();
    for (const Controle& c : layoutJanela()) {
        if (c.tipo != Tipo::Lista) continue;
        const QComboBox* l = janela->lista(c.nome);
        EXPECT_GE(l->width(), l->sizeHint().width()) << c.nome;
    }
    const auto sublinhadoAcima = [&](const QWidget* w) {
        const QWidget* melhor = nullptr;
        for (const Controle& c : layoutJanela()) {
            if (c.visual != Visual::LinhaSombra) continue;
            const QWidget* linha = janela->controle(c.nome);
            if (linha->y() < w->y() && linha->x() <= w->x() && linha->geometry().right() >= w->x() &&
                (!melhor || linha->y() > melhor->y()))
                melhor = linha;
        }
        return melhor;
    };
    const QWidget* titulo = nullptr;
    for (QLabel* r : janela->painel()->findChildren<QLabel*>())
        if (r->text() == q("IR 2026")) titulo = r;
    ASSERT_NE(titulo, nullptr);
    const QWidget* sublinhado = nullptr;  // the heading's own underline, just below it
    for (const Controle& c : layoutJanela()) {
        const QWidget* linha = janela->controle(c.nome);
        if (c.visual == Visual::LinhaSombra && linha->y() > titulo->y() && linha->y() - titulo->y() < 30)
            sublinhado = linha;
    }
    ASSERT_NE(sublinhado, nullptr);
    for (const char* nome : {"reducaoIR", "carregarTabelas2026", "Label92", "descontoSimplificado", "reducaoIRIsencao",
                             "reducaoIRLimite", "reducaoIRParcela", "reducaoIRFator"})
        EXPECT_EQ(sublinhadoAcima(janela->controle(nome)), sublinhado) << nome;
    const QImage imagem = janela->grab().toImage();
    const QWidget* banner = janela->controle("Image1");
    EXPECT_EQ(banner->geometry().right(), janela->width() - 1);
    EXPECT_NE(imagem.pixelColor(janela->width() - 1, banner->height() / 2), QColor(Qt::white));
}
