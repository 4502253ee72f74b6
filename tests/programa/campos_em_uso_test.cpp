// The working window used with keyboard, mouse and clipboard as a user would: whole-number
// fields, the keypad's decimal key, typed and pasted figures and large results.
#include "programa.h"

#include <QAccessible>

#include <cstdint>

using namespace vestamar;

// A figure typed is stored and calculated; what is no number is refused, and the production
// and the figures stay (a run over it would fail). A spreadsheet cell, a figure with blanks or
// with the currency symbol is pasted as typed. A paste replaces the selection, or goes in at the
// cursor. The keypad's decimal key gives the decimal mark of the regional setting, whatever
// character the key carries: 1800 and a half, not 18.005 in Brazil. What a whole-number field
// shows is what is stored: it takes no decimal mark, typed, from the keypad or pasted.
TEST_F(Programa, NumerosDigitadosOuColadosComAMarcaDoUsuario) {
    ASSERT_TRUE(iniciar());
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

// A production of 10.000.000,00 gives an invoice of 12.500.600,00, drawn whole in a smaller
// font; a figure too long even for the smallest font (also one the window opens with) shows
// "###", never a part of it, and its tooltip, the working of the figure, ends with it whole;
// a screen reader reads it whole. A long figure being typed shrinks as well.
TEST_F(Programa, ResultadoGrandeMostradoInteiroOuComoCerquilhas) {
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
}
