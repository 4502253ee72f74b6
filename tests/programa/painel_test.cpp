// The parameters panel on the real window: opened from the keyboard and the mouse, its edits
// kept until the next calculation, "Tabelas 2026" and the published income tax, every field
// stored as shown, and the window drawn under a dark system palette.
#include "programa.h"

#include <cmath>

#include "layout_janela.h"
#include "parametros_janela.h"

using namespace vestamar;

namespace {

// The contrast of the text in an area of a picture, as accessibility guidelines measure it
// (1:1 to 21:1): its most common colour (the background) against the one that stands out most.
double contrasteDoTexto(const QImage& imagem, const QRect& area) {
    const auto luminancia = [](QColor c) {
        const auto canal = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
        return 0.2126 * canal(c.redF()) + 0.7152 * canal(c.greenF()) + 0.0722 * canal(c.blueF()) + 0.05;
    };
    QHash<QRgb, int> contagem;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) ++contagem[imagem.pixel(x, y)];
    const QRgb fundo = std::max_element(contagem.cbegin(), contagem.cend()).key();
    double melhor = 1;
    for (auto it = contagem.cbegin(); it != contagem.cend(); ++it) {
        const double a = luminancia(QColor(fundo)), b = luminancia(QColor(it.key()));
        melhor = std::max(melhor, std::max(a, b) / std::min(a, b));
    }
    return melhor;
}

}  // namespace

// Start-up calculates DEPOIS with its additional components too. `Tabelas` (Alt+T from a field
// just typed into, whose text is rewritten as the focus leaves it; the button; Alt+T from a
// button) opens the panel with the focus on its first field, until the next calculation. Tab
// and Shift+Tab go round the panel and the buttons below it, and no key reaches the figures
// hidden under it. An edit there, or a choice of its lists (by the wheel, over a list with the
// focus), is stored (the night factor rewrites the hours) and shows at the next calculation.
// Closing the panel gives the columns back.
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
    const std::pair<const char*, std::function<void()>> aberturas[] = {
        {"ProdBruta", [&] { QTest::keyClick(campo("ProdBruta"), Qt::Key_T, Qt::AltModifier); }},
        {"valorAjCusto2", [&] { clicar("Tabelas"); }},
        {"Calcular", [&] { QTest::keyClick(janela->botao("Calcular"), Qt::Key_T, Qt::AltModifier); }},
    };
    for (const auto& [foco, abrir] : aberturas) {
        SCOPED_TRACE(foco);
        if (foco == std::string_view("ProdBruta")) digitar("ProdBruta", "1800");
        janela->controle(foco)->setFocus();
        abrir();  // a button's shortcut presses it a moment later
        ASSERT_TRUE(QTest::qWaitFor([&] { return janela->painel() && janela->painel()->isVisible(); }, 2000));
        EXPECT_EQ(::foco(), "aPartir1");
        clicar("Calcular");
        painelAberto(false);
    }
    campo("ProdBruta")->setFocus();
    sim->abrirTabelas();
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

// The published income-tax figures of a cooperative pay tool, through the window: the tables of
// May 2023 with a simplified discount, then those of 2026 loaded by "Tabelas 2026", which leaves
// the panel open showing them (the factor with its decimals) and the columns as they were until
// the next calculation. The 2026 reduction's cap is 312,89 (the law's "de até R$ 312,89"):
// without INSS or simplified discount, 5.000,00 withholds 466,27 − 312,89 and 4.800,00 411,27
// − 312,89; with the cap at 0 nothing is withheld, as before it existed.
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
    const QString retIR = texto("retIR");
    sim->abrirTabelas();
    EXPECT_EQ(texto("reducaoIRFator"), local("0,000000"));
    tabelas2026();
    EXPECT_TRUE(janela->painel()->isVisible());
    conferir({{"tetoINSS", "8.475,55"},
              {"reducaoIRFator", "0,133145"},
              {"descontoSimplificado", "607,20"},
              {"reducaoIRTeto", "312,89"}});
    EXPECT_EQ(texto("retIR"), retIR);
    clicar("Calcular");
    EXPECT_EQ(texto("retIR2"), local("0,00")) << "DEPOIS, 1.800,00, follows the same rules";
    conferirIR({{"0", "5000", "0,00"}, {"0", "5200", "0,00"}, {"0", "6000", "231,52"}, {"0", "8000", "851,27"}});
    digitar("percINSS", "0");
    digitar("descontoSimplificado", "0");
    conferirIR({{"0", "5000", "153,38"}, {"0", "4800", "98,38"}, {"0", "7000", "969,66"}});
    digitar("reducaoIRTeto", "0");
    conferirIR({{"0", "5000", "0,00"}});
    digitar("reducaoIRTeto", "312,89");
    clicar("Sair");
    EXPECT_TRUE(
        lerArquivo(arquivo).ends_with(local("\r\ndescontoSimplificado=0\r\nreducaoIRTeto=312,89\r\n").toStdString()));
}

// Every panel field, written with exactly the text it was made with (a paste of zero), stores
// it, although the panel, built after start-up, took its first values unannounced: each key is
// 7 in the file and 0 once saved.
TEST_F(Programa, CadaCampoDoPainelGuardaOQueMostra) {
    std::vector<std::pair<std::string, std::string>> campos;  // with the text each is made with
    for (const Controle& c : layoutJanela())
        if (c.conteiner == "Frame1" && c.tipo == Tipo::Campo) campos.emplace_back(c.nome, c.texto);
    const auto comTexto = [&](ParametrosSimulacao p, const char* valor) {
        for (const auto& [nome, inicial] : campos)
            EXPECT_TRUE(guardarTexto(p, parametroDoControle(nome)->chaveArquivo().campo, valor, Separadores::brasil()));
        return conteudoParametros(Conteudo::Estado, p, Separadores::brasil());
    };
    ParametrosSimulacao padroes;
    aplicarPadroes(padroes);
    gravarArquivo(arquivo, comTexto(padroes, "7"));
    ASSERT_TRUE(iniciar());
    sim->abrirTabelas();
    for (const auto& [nome, inicial] : campos) {
        ASSERT_NE(texto(nome.c_str()), local(inicial.c_str())) << nome;
        colar(nome.c_str(), inicial.c_str());
        EXPECT_EQ(texto(nome.c_str()), local(inicial.c_str())) << nome;
    }
    clicar("Sair");
    EXPECT_EQ(lerArquivo(arquivo), comTexto(sim->estado(), "0"));
}

// Under a dark system palette the window keeps its own colours: it is drawn exactly as under the
// usual light one, and each control's text, measured on the picture, stands out from what is
// behind it by at least 4.5:1; the panel's too. Each list fits its longest item; every control
// of "IR 2026" stands under its heading (the nearest section underline above it is that
// heading's); the banner fills the window's width.
TEST_F(Programa, TemaEscuroNaoMudaAsCoresEListasEIR2026NoLugar) {
    // No blinking caret while drawn (restored at the end for the tests that type).
    const int piscar = QApplication::cursorFlashTime();
    QApplication::setCursorFlashTime(0);
    const auto desenhar = [&](bool painel) {
        EXPECT_TRUE(iniciar());
        escolher("selecModalidade", 1);  // every field shown
        if (painel) sim->abrirTabelas();
        janela->botao("Calcular")->setFocus();
        QApplication::processEvents();
        return janela->grab().toImage().convertToFormat(QImage::Format_RGB32);
    };
    // A dark desktop scheme, as a dark GTK theme gives Qt: light text on dark buttons and fields.
    QPalette escuro(QColor(230, 230, 230), QColor(53, 53, 53));
    for (const auto& [papel, cinza] : {std::pair{QPalette::Window, 40},
                                       {QPalette::WindowText, 230},
                                       {QPalette::Base, 25},
                                       {QPalette::Text, 230},
                                       {QPalette::Dark, 20}})
        escuro.setColor(papel, QColor(cinza, cinza, cinza));
    const QPalette sistema = QApplication::palette();
    for (const bool painel : {false, true}) {
        SCOPED_TRACE(painel ? "panel" : "columns");
        const QImage clara = desenhar(painel);
        QApplication::setPalette(escuro);
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
    // The panel is open from here on.
    for (const Controle& c : layoutJanela()) {
        if (c.tipo != Tipo::Lista) continue;
        const QComboBox* l = janela->lista(c.nome);
        EXPECT_GE(l->width(), l->sizeHint().width()) << c.nome;
    }
    // The nearest section underline above a control, or just below a heading.
    const auto sublinhado = [&](const QWidget* w, int de, int ate) {
        const QWidget* melhor = nullptr;
        for (const Controle& c : layoutJanela()) {
            const QWidget* linha = janela->controle(c.nome);
            if (c.visual == Visual::LinhaSombra && linha->y() > w->y() + de && linha->y() < w->y() + ate &&
                linha->x() <= w->x() && linha->geometry().right() >= w->x() && (!melhor || linha->y() > melhor->y()))
                melhor = linha;
        }
        return melhor;
    };
    const QWidget* titulo = nullptr;
    for (QLabel* r : janela->painel()->findChildren<QLabel*>())
        if (r->text() == q("IR 2026")) titulo = r;
    ASSERT_NE(titulo, nullptr);
    const QWidget* doTitulo = sublinhado(titulo, 0, 30);
    ASSERT_NE(doTitulo, nullptr);
    for (const char* nome : {"reducaoIR", "carregarTabelas2026", "Label92", "descontoSimplificado", "reducaoIRIsencao",
                             "reducaoIRLimite", "reducaoIRParcela", "reducaoIRFator"})
        EXPECT_EQ(sublinhado(janela->controle(nome), -100000, 0), doTitulo) << nome;
    const QWidget* banner = janela->controle("Image1");
    EXPECT_EQ(banner->geometry().right(), janela->width() - 1);
    EXPECT_NE(janela->grab().toImage().pixelColor(janela->width() - 1, banner->height() / 2), QColor(Qt::white));
    QApplication::setCursorFlashTime(piscar);
}
