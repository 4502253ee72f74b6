// The working window's fields used with keyboard, mouse and clipboard as a user would: typed and
// pasted figures, the keypad's decimal key, whole-number fields, large amounts and results, the
// modality and the night-hours fields, and a key typed during a slow run.
#include "programa.h"

#include <qpa/qwindowsysteminterface.h>

#include <QAccessible>

#include <cstdint>

using namespace vestamar;

// A production of 10.000.000,00 gives an invoice of 12.500.600,00, drawn whole in a smaller
// font; a figure too long even for the smallest font (also one the window opens with) shows
// "###", never a part of it, and its tooltip, the working of the figure, ends with it whole;
// a screen reader reads it whole. A long figure being typed shrinks as well. Amounts up to the
// money range reach the state, the field and the file exactly; a text beyond it is left as
// typed, never shown as another number.
TEST_F(Programa, ValoresEResultadosGrandes) {
    arquivoComPadroes({{"prodBruta", "100000000000000"}});
    ASSERT_TRUE(iniciar());
    EXPECT_TRUE(campo("valTotalNF")->encurtado()) << "fitted as the window first shows";
    const struct {
        const char *producao, *nota;
        bool encurtado;
    } casos[] = {{"1800", "2.850,00", false},
                 {"10000000", "12.500.600,00", false},
                 {"1000000000", "1.250.000.600,00", false},
                 {"100000000000000", "125.000.000.000.600,00", true},
                 {"1800", "2.850,00", false}};
    ETextctl* nota = campo("valTotalNF");
    for (const auto& c : casos) {
        SCOPED_TRACE(c.producao);
        digitar("ProdBruta", c.producao);
        EXPECT_EQ(nota->text(), local(c.nota));
        EXPECT_EQ(nota->encurtado(), c.encurtado);
        nota->setFocus(Qt::MouseFocusReason);  // a click on the figure keeps its working
        EXPECT_TRUE(nota->toolTip().endsWith(QStringLiteral("= ") + local(c.nota))) << nota->toolTip().toStdString();
        EXPECT_EQ(QAccessible::queryAccessibleInterface(nota)->text(QAccessible::Value), local(c.nota));
        // The ink as the field draws it, and as the whole text (or "###") is in the field's font.
        const QImage desenho = nota->grab().toImage();
        QImage pagina(1000, 40, QImage::Format_RGB32);
        pagina.fill(Qt::white);
        QPainter pintor(&pagina);
        pintor.setFont(c.encurtado ? nota->normalfont() : nota->font());  // "###" in the field's own size
        pintor.drawText(10, 30, c.encurtado ? q("###") : nota->text());
        pintor.end();
        EXPECT_NEAR(comTinta(desenho).width(), comTinta(pagina).width(), 1);
    }
    // Thirteen digits overflow the field in any of its fonts' advances: 11 bold pixels give a
    // digit 6,1 pixels where advances are fractional (Linux), 6 where the font engine hints
    // them to whole pixels (FreeType without fontconfig, as on Windows' offscreen platform).
    digitar("ProdBruta", "1000000000000");
    EXPECT_LT(campo("ProdBruta")->font().pixelSize(), campo("valorAjCusto")->font().pixelSize());
    EXPECT_EQ(campo("valorAjCusto")->toolTip(), QString()) << "a field drawn whole has no tooltip of its own";
    // clang-format off
    // Field, typed, shown once left.
    const std::tuple<const char*, const char*, const char*> exatos[] = {
        {"valorAjCusto2", "300000000000000,01",   "300000000000000,01"},
        {"ProdBruta",     "300000000000000,01",   "300.000.000.000.000,01"},
        {"ProdBruta2",    "922337203685477,58",   "922.337.203.685.477,58"},
        {"ValorHora",     "99999999999999999999", "99999999999999999999"},
        {"ProdBruta2",    "99999999999999999999", "99999999999999999999"},
    };
    // clang-format on
    for (const auto& [nome, digitado, mostrado] : exatos) {
        digitar(nome, digitado);
        QTest::keyClick(campo(nome), Qt::Key_Tab);
        EXPECT_EQ(texto(nome), local(mostrado)) << nome;
        if (nome == std::string_view("ProdBruta")) {
            EXPECT_EQ(texto("liqPagar"), local("202.500.000.001.055,47"));
        }
    }
    falhas = 0;  // runs over amounts beyond the money range fail, as they must
    const Money exato = Money::deDezMilesimos(3'000'000'000'000'000'100);
    EXPECT_EQ(std::pair(sim->estado().valAjuda2, sim->estado().prodBruta), std::pair(exato, exato));
    clicar("Sair");
    for (const char* chave : {"valAjuda2", "prodBruta"})
        EXPECT_TRUE(contem(local(("\r\n" + std::string(chave) + "=300000000000000,01\r\n").c_str()).toStdString()));
}

// A key the user types while a slow run is under way waits for the run's end: the run lets the
// window repaint but takes no key, so no field changes under it; then the key is typed once.
// A figure typed is stored and calculated; what is no number is refused, and the production
// and the figures stay (a run over it would fail). A spreadsheet cell, a figure with blanks or
// with the currency symbol is pasted as typed. A paste replaces the selection, or goes in at the
// cursor. The keypad's decimal key gives the decimal mark of the regional setting, whatever
// character the key carries: 1800 and a half, not 18.005 in Brazil. What a whole-number field
// shows is what is stored: it takes no decimal mark, typed, from the keypad or pasted.
TEST_F(Programa, TeclaDuranteCalculoENumerosDigitadosOuColados) {
    ASSERT_TRUE(iniciar());
    campo("ProdBruta")->setFocus();
    campo("ProdBruta")->selectAll();
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
    EXPECT_EQ(std::pair(texto("ProdBruta"), sim->estado().prodBruta), std::pair(q("9"), Money::deDezMilesimos(90000)));
    EXPECT_EQ(execucoes, 2) << "the key's own run";
    EXPECT_NE(texto("liqPagar"), liquido);
    sim->duranteCalculo = nullptr;
    digitar("ProdBruta", "2.000");
    for (const char* t : {"", "-", ","}) digitar("ProdBruta", t);
    EXPECT_EQ(sim->estado().prodBruta, Money::deDezMilesimos(2000 * 10000));
    EXPECT_EQ(texto("TxManut"), local("100,00"));
    const std::pair<const char*, std::int64_t> casos[] = {
        {"2345,67\n", 23456700},    {"1000\t", 10000000},        {" 2.345,67 ", 23456700}, {"R$ 2.345,67", 23456700},
        {"\r\n-12,5\r\n", -125000}, {"2.345,67 reais", -125000}, {"2 345", -125000},       {"R$", -125000},
    };
    for (const auto& [colado, dezMilesimos] : casos) {
        colar("ProdBruta", colado);
        EXPECT_EQ(sim->estado().prodBruta, Money::deDezMilesimos(dezMilesimos)) << colado;
    }
    escolher("selecModalidade", 1);
    digitar("QuantHorasDia", "10");
    for (const auto& [nome, digitado, mostrado] :
         {std::tuple{"ValorHora", "1800", "1.800,50"}, {"QuantDias", "2,", "25"}}) {
        digitar(nome, digitado);
        QTest::sendKeyEvent(QTest::Click, campo(nome), Qt::Key_Delete, q("."), Qt::KeypadModifier);
        QGuiApplication::clipboard()->setText(q("5"));
        QTest::keyClick(campo(nome), Qt::Key_V, Qt::ControlModifier);
        QTest::keyClick(campo(nome), Qt::Key_Tab);
        EXPECT_EQ(texto(nome), local(mostrado));
    }
    EXPECT_EQ(std::pair(sim->estado().valorHora, sim->estado().quantDias),
              std::pair(Money::deDezMilesimos(18005000), std::int16_t{25}));
    EXPECT_EQ(texto("ProdBruta"), local("450125,00"));
    digitar("QuantHorasDia", "2,5");
    EXPECT_EQ(sim->estado().quantHorasDia, 2.5);
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
    // clang-format off
    // The field typed or pasted; the partner's text then (nullptr: as it was), and ProdBruta2's.
    const struct {
        const char *campo, *texto;
        bool colado;
        const char *parceiro, *doParceiro, *producao2;
    } casos[] = {
        {"QuantHorasDia2", "8,0",          false, "fatorNoturno",  "50",    "1200,00"},
        {"fatorNoturno",   "50",           false, "HorasNoturnas", "4",     nullptr},
        {"fatorNoturno",   "33,33",        false, "HorasNoturnas", "2,666", nullptr},
        {"QuantHorasDia2", "12,0",         false, "fatorNoturno",  "22,22", "1800,00"},
        {"HorasNoturnas",  "7",            false, "fatorNoturno",  "58,33", "1800,00"},
        {"QuantHorasDia2", "0",            true,  "fatorNoturno",  nullptr, "0,00"},
        {"HorasNoturnas",  "5",            true,  "fatorNoturno",  nullptr, "0,00"},
        {"QuantHorasDia2", "12",           true,  "fatorNoturno",  "41,67", "1800,00"},
        {"HorasNoturnas",  "7,01",         false, "fatorNoturno",  "58,42", nullptr},
        {"fatorNoturno",   "999999999999", true,  "HorasNoturnas", nullptr, nullptr},
        {"HorasNoturnas",  "99999999999",  true,  "fatorNoturno",  nullptr, "1800,00"},
    };
    // clang-format on
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
    EXPECT_EQ(lerArquivo(arquivo), comoSalvo());
}
