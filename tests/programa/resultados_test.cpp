// The figures out of the window: each result's working (tooltip, screen reader, "Memória de
// cálculo") and "Copiar resultados", read back from the clipboard; a figure the last calculation
// could not produce is marked alike in all of them and never handed out as current.
#include "programa.h"

#include <QAccessible>
#include <QAction>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

#include "memoria.h"
#include "memoria_janela.h"
#include "resultados.h"

using namespace vestamar;

namespace {

// The copy as the clipboard holds it: the plain text's cells, and the HTML flavour parsed as a
// document (its table's cells) with the bytes of its head.
struct Copia {
    QList<QStringList> texto, html;
    QString cabecaHtml;
};

Copia lerCopia() {
    Copia c;
    const QMimeData* dados = QGuiApplication::clipboard()->mimeData();
    if (!dados || !dados->hasHtml() || !dados->hasText()) return c;
    for (const QString& linha : dados->text().split(u'\n', Qt::SkipEmptyParts)) c.texto << linha.split(u'\t');
    const QString html = dados->html();
    c.cabecaHtml = html.left(html.indexOf(q("<body")));
    QTextDocument doc;
    doc.setHtml(html);
    for (QTextFrame* f : doc.rootFrame()->childFrames()) {
        if (auto* t = qobject_cast<QTextTable*>(f)) {
            for (int r = 0; r < t->rows(); ++r) {
                QStringList linha;
                for (int col = 0; col < t->columns(); ++col) {
                    QTextCursor cursor = t->cellAt(r, col).firstCursorPosition();
                    cursor.setPosition(t->cellAt(r, col).lastCursorPosition().position(), QTextCursor::KeepAnchor);
                    linha << cursor.selectedText();
                }
                c.html << linha;
            }
        }
    }
    return c;
}

// The action of the window's context menu with this text.
QAction* acao(QWidget& janela, const char* texto) {
    for (QAction* a : janela.actions())
        if (a->text() == q(texto)) return a;
    return nullptr;
}

}  // namespace

// A start-up whose calculation fails at its first step calculates once: one failure, and every
// result shows its initial text in the user's marks. Each result shows its working on the mouse
// and to screen readers, its figure's line ending with the figure and DEPOIS's then comparing
// with ANTES. The copy holds every row the columns show (entries, "Ajuda de Custo $" among them)
// in the window's order, as text and as a complete UTF-8 HTML document with the same cells,
// parsing back to the figures shown and their differences. "Memória de cálculo" from the
// window's context menu or F2 holds every result's working, ANTES then DEPOIS, each column in the
// window's order, read by a screen reader as read-only text that can be selected.
TEST_F(Programa, MemoriasECopiaDeTodasAsLinhas) {
    arquivoComPadroes({{"percDAR2", "2"}, {"percInsalub", "20"}, {"percTxMan", "1E+308"}});
    ASSERT_TRUE(iniciar());
    EXPECT_EQ(std::exchange(falhas, 0), 1);
    for (const LinhaResultado& l : linhasDeResultado())
        for (const std::string_view nome : {l.antes.campo, l.depois.campo})
            if (!nome.empty() && l.resultado && l.linha != Linha::ProdBruta) {
                EXPECT_EQ(janela->texto(nome), local("0,00")) << nome;
            }
    digitar("percTxMan", "5");
    escolher("selecModalidade", 1);  // every row shown
    for (const LinhaResultado& l : linhasDeResultado()) {
        for (const std::string_view nome : {l.antes.campo, l.depois.campo}) {
            if (nome.empty() || !l.resultado) continue;
            const ETextctl* c = janela->campo(nome);
            EXPECT_EQ(c->accessibleDescription(), c->toolTip()) << nome;
            EXPECT_FALSE(c->desatualizado()) << nome;
            QString dica = c->toolTip();
            if (nome == l.depois.campo && !l.antes.campo.empty()) {
                EXPECT_TRUE(dica.section(u'\n', -1).startsWith(q("Diferença para ANTES: "))) << nome;
                dica = dica.section(u'\n', 0, -2);
            }
            EXPECT_TRUE(dica.endsWith(q("= ") + c->text())) << nome << ": " << c->toolTip().toStdString();
        }
    }
    QTest::keyClick(janela.get(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    Copia copia = lerCopia();
    EXPECT_TRUE(copia.cabecaHtml.startsWith(q("<!DOCTYPE html>"))) << copia.cabecaHtml.toStdString();
    EXPECT_TRUE(copia.cabecaHtml.contains(q("<meta charset=\"utf-8\">"))) << copia.cabecaHtml.toStdString();
    EXPECT_EQ(copia.html, copia.texto);
    ASSERT_EQ(copia.texto.size(), static_cast<qsizetype>(linhasDeResultado().size()) + 1);
    EXPECT_EQ(copia.texto.takeFirst(), q("Resultado\tANTES\tDEPOIS\tDiferença").split(u'\t'));
    const Separadores sep = separadoresDoSistema();
    QStringList rotulos;
    for (qsizetype i = 0; i < copia.texto.size(); ++i) {
        const LinhaResultado& l = linhasDeResultado()[static_cast<std::size_t>(i)];
        const QStringList& c = copia.texto[i];
        ASSERT_EQ(c.size(), 4) << c.join(u'|').toStdString();
        rotulos << c[0];
        const auto mostrado = [&](std::string_view nome) { return nome.empty() ? QString() : janela->texto(nome); };
        EXPECT_EQ(std::pair(c[1], c[2]), std::pair(mostrado(l.antes.campo), mostrado(l.depois.campo)))
            << c[0].toStdString();
        if (l.antes.campo.empty()) continue;
        const auto a = lerMoney(c[1].toStdString(), sep), d = lerMoney(c[2].toStdString(), sep),
                   dif = lerMoney(c[3].toStdString(), sep);
        ASSERT_TRUE(a && d && dif) << c.join(u'|').toStdString();
        EXPECT_EQ(*subtrair(*d, *a), *dif) << c.join(u'|').toStdString();
    }
    EXPECT_TRUE(rotulos.contains(q("Ajuda de Custo $")));
    EXPECT_TRUE(rotulos.contains(q("Fundo Especial $ / DAR - Desc. Anual Remun $")));
    EXPECT_EQ(texto("valorAjCusto"), local("600,00"));

    QAction* memoriaNoMenu = acao(*janela, "Memória de cálculo");
    ASSERT_TRUE(memoriaNoMenu);
    EXPECT_EQ(memoriaNoMenu->shortcut(), QKeySequence(Qt::Key_F2));
    EXPECT_EQ(janela->contextMenuPolicy(), Qt::ActionsContextMenu);
    memoriaNoMenu->trigger();
    auto* memoria = janela->findChild<JanelaMemoria*>();
    ASSERT_TRUE(memoria && memoria->isVisible());
    EXPECT_EQ(memoria->windowTitle(), q("Memória de cálculo"));
    QAccessibleInterface* leitor = QAccessible::queryAccessibleInterface(memoria->texto());
    ASSERT_TRUE(leitor && leitor->textInterface());
    EXPECT_EQ(leitor->text(QAccessible::Name), q("Memória de cálculo"));
    EXPECT_TRUE(leitor->state().readOnly && leitor->state().selectableText);
    const QString lido = leitor->textInterface()->text(0, leitor->textInterface()->characterCount());
    qsizetype onde = lido.indexOf(q("ANTES\n"));
    EXPECT_EQ(onde, 0);
    for (const bool depois : {false, true}) {
        if (depois) {
            const qsizetype cabecalho = lido.indexOf(q("\nDEPOIS\n"));
            EXPECT_GT(cabecalho, onde);
            onde = cabecalho;
        }
        for (const LinhaResultado& l : linhasDeResultado()) {
            const ColunaLinha& c = depois ? l.depois : l.antes;
            if (c.campo.empty() || !l.resultado) continue;
            const QString bloco = u'\n' + qtexto(c.rotulo) + u'\n' + janela->campo(c.campo)->toolTip() + u'\n';
            const qsizetype aqui = lido.indexOf(bloco, onde);
            EXPECT_GT(aqui, onde) << c.campo << " in its place";
            onde = std::max(onde, aqui);
        }
    }
}

// Production emptied (select all, Delete): no failure dialog, the field is framed as holding no
// number, the ANTES figures it feeds are shown as not current, their workings say why, and
// neither the copy nor "Memória de cálculo" hands out the old figure; a number again makes all
// of it current. In "Mensal" the rows of shifts are hidden and not copied. A failed run shows
// the failure dialog once; the figures stay, and their workings say that the last run stopped,
// and where.
TEST_F(Programa, FiguraNaoCalculadaMarcadaEmTodasAsVistas) {
    ASSERT_TRUE(iniciar());
    const QString antigo = texto("liqPagar");
    QTest::keyClick(janela.get(), Qt::Key_F2);
    auto* memoria = janela->findChild<JanelaMemoria*>();
    ASSERT_TRUE(memoria && memoria->isVisible());
    campo("ProdBruta")->setFocus();
    campo("ProdBruta")->selectAll();
    QTest::keyClick(campo("ProdBruta"), Qt::Key_Delete);
    EXPECT_EQ(falhas, 0) << "only Calcular says that a run failed";
    EXPECT_TRUE(campo("ProdBruta")->semnumero());
    EXPECT_EQ(texto("liqPagar"), antigo) << "the field keeps its text";
    EXPECT_TRUE(campo("liqPagar")->desatualizado());
    const QString dica = campo("liqPagar")->toolTip();
    EXPECT_TRUE(dica.startsWith(q("Não calculado")) && dica.contains(q("Produção Bruta"))) << dica.toStdString();
    QGuiApplication::clipboard()->clear();
    acao(*janela, "Copiar resultados")->trigger();  // from the window's menu, "Memória de cálculo" still open
    const Copia copia = lerCopia();
    EXPECT_EQ(copia.html, copia.texto);
    QMap<QString, QString> antes;  // each row's ANTES by its caption
    for (const QStringList& linha : copia.texto) {
        antes[linha.value(0)] = linha.value(1);
        EXPECT_FALSE(linha.contains(antigo)) << linha.join(u'|').toStdString();
    }
    EXPECT_EQ(antes.value(q("Líquido a Pagar $")), q("não calculado"));
    EXPECT_EQ(antes.value(q("Produção Bruta $"), q("?")), QString());
    EXPECT_FALSE(antes.contains(q("Valor Hora")));
    EXPECT_TRUE(antes.contains(q("Ajuda de Custo $")));
    const QString naJanela = memoria->texto()->toPlainText();
    EXPECT_TRUE(naJanela.contains(q("Líquido a Pagar $\nNão calculado"))) << naJanela.toStdString();

    digitar("ProdBruta", "1800");
    EXPECT_FALSE(campo("ProdBruta")->semnumero());
    EXPECT_FALSE(campo("liqPagar")->desatualizado());
    EXPECT_EQ(memoria->texto()->toPlainText(), textoDasMemorias(sim->memoria(), separadoresDoSistema()))
        << "the open window follows the last calculation";
    EXPECT_FALSE(memoria->texto()->toPlainText().contains(q("Não calculado")));

    sim->mostrarFalha = nullptr;  // the real dialog
    QStringList vistos;
    const RespostaAosDialogos resposta([&](QWidget* dialogo) {
        auto* caixa = qobject_cast<QMessageBox*>(dialogo);
        vistos << (caixa ? caixa->windowTitle() + " | " + caixa->text() : QString());
        if (caixa) caixa->accept();
    });
    sim->perguntar = nullptr;
    digitar("percTxMan", "");
    clicar("Calcular");
    EXPECT_EQ(vistos, QStringList{q("Atenção ! | Ocorreu erro no procedimento de cálculo.")});
    EXPECT_EQ(texto("TxManut"), local("90,00"));
    EXPECT_TRUE(campo("TxManut")->toolTip().startsWith(q("Não calculado")));
    EXPECT_TRUE(campo("valMargem2")->toolTip().contains(q("Tx. Manutenção %")));
    EXPECT_EQ(texto("valMargem2"), local("379,72"));
}
