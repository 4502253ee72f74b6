// "Relatório da simulação": the PDF read back with poppler (pdftotext, pdfinfo), made in the
// test's process from the real window, and by the real program from the command line.
#include "programa.h"

#include <QProcess>
#include <QRegularExpression>

#include "memoria_janela.h"
#include "parametros_janela.h"
#include "relatorio.h"
#include "resultados.h"

using namespace vestamar;

namespace {

// The PDF's text as pdftotext lays it out, its footers "Página n de m" taken out as "n/m", and
// its pages (pdftotext ends each with a form feed).
struct TextoPdf {
    QString texto;
    QStringList rodapes;
    int paginas = 0;
};

TextoPdf lerPdf(const QString& arquivo) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), arquivo, QStringLiteral("-")});
    EXPECT_TRUE(p.waitForFinished(60000));
    TextoPdf t;
    static const QRegularExpression rodape(QStringLiteral("Página (\\d+) de (\\d+)\\s*$"));
    for (const QString& linha : QString::fromUtf8(p.readAllStandardOutput()).split(u'\n')) {
        t.paginas += int(linha.count(u'\f'));
        if (const auto m = rodape.match(linha); m.hasMatch())
            t.rodapes << m.captured(1) + u'/' + m.captured(2);
        else
            t.texto += linha + u'\n';
    }
    return t;
}

QString juntar(QString t) { return t.replace(QRegularExpression(QStringLiteral("\\s+")), QStringLiteral(" ")); }

// The cells of the line whose first cell is `rotulo`: columns apart by two blanks or more.
QStringList linhaDe(const QString& texto, const QString& rotulo) {
    for (const QString& l : texto.split(u'\n')) {
        const QStringList c = l.trimmed().split(QRegularExpression(QStringLiteral("\\s{2,}")), Qt::SkipEmptyParts);
        if (!c.isEmpty() && c[0] == rotulo) return c;
    }
    return {};
}

class RelatorioPdf : public Programa {
protected:
    QString pdf() const { return QString::fromStdString((pasta / "relatorio.pdf").string()); }
};

}  // namespace

// The report of the window in mode "Plantões", both columns differing: the headings, every
// figure of both columns and its difference on its row (the shifts' inputs included), every
// parameter of the panel as shown, every working, a footer "Página n de m" on each page. A
// figure the calculation could not produce reads "não calculado", never its older figure.
TEST_F(RelatorioPdf, TextoDoPdf) {
    arquivoComPadroes({{"prodBruta2", "3000"}, {"valorHora2", "55"}, {"percTxAdm2", "20"}});
    ASSERT_TRUE(iniciar());
    escolher("selecModalidade", 1);
    const vestamar::Relatorio dados = sim->relatorio();
    ASSERT_EQ(gravarRelatorioPdf(dados, pdf()), QString());
    const TextoPdf t = lerPdf(pdf());

    for (const char* titulo :
         {"vestaMar - Simulação de Resultados", "Relatório da simulação", "Parâmetros: vestaMar.ini",
          "Modalidade: Plantões", "Parâmetros do cálculo", "Memória de cálculo"})
        EXPECT_TRUE(t.texto.contains(q(titulo))) << titulo;
    EXPECT_EQ(linhaDe(t.texto, q("Resultado")), (QStringList{q("Resultado"), q("ANTES"), q("DEPOIS"), q("Diferença")}));
    const QList<QStringList> colunas = celulasDeResultados(*janela, sim->memoria(), separadoresDoSistema());
    ASSERT_EQ(dados.colunas, colunas);
    EXPECT_TRUE(linhaDe(t.texto, q("Valor Hora")).contains(local("55,00")));
    int diferentes = 0;
    for (const QStringList& linha : colunas.mid(1)) {
        QStringList figuras = linha;
        figuras.removeAll(QString());
        EXPECT_EQ(linhaDe(t.texto, linha[0]), figuras) << linha.join(u'|').toStdString();
        diferentes += linha.value(3).contains(QRegularExpression(QStringLiteral("[1-9]")));
    }
    EXPECT_GT(diferentes, 5);
    ASSERT_GT(dados.parametros.size(), 40);
    for (const QStringList& p : dados.parametros) {
        // A long caption may wrap in its cell: its last cell on the line is the value.
        bool achado = false;
        for (const QString& l : t.texto.split(u'\n')) achado |= l.contains(p[0]) && l.trimmed().endsWith(p[1]);
        EXPECT_TRUE(achado) << p.join(u'=').toStdString();
    }
    EXPECT_TRUE(linhaDe(t.texto, q("Tx. Administrativa % - DEPOIS")).contains(local("20,00")));
    // Each option as its list in the panel shows it.
    sim->abrirTabelas();
    int listas = 0;
    for (const ParametroJanela& p : parametrosJanela()) {
        if (p.exibicao != Exibicao::Lista || !janela->lista(p.controle)) continue;
        const QString caption = janela->lista(p.controle)->accessibleName();
        const QStringList linha = linhaDe(t.texto, caption);
        EXPECT_EQ(linha.value(linha.size() - 1), janela->lista(p.controle)->currentText()) << p.controle;
        ++listas;
    }
    EXPECT_GE(listas, 5);
    const QString corrido = juntar(t.texto);
    const QList<MemoriaDaLinha> memorias = memoriasDasLinhas(sim->memoria(), separadoresDoSistema());
    ASSERT_GT(memorias.size(), 25);
    for (const MemoriaDaLinha& m : memorias) EXPECT_TRUE(corrido.contains(juntar(m.texto))) << m.texto.toStdString();
    QStringList esperados;
    for (int i = 1; i <= t.paginas; ++i) esperados << QStringLiteral("%1/%2").arg(i).arg(t.paginas);
    EXPECT_GE(t.paginas, 2);
    EXPECT_EQ(t.rodapes, esperados);

    escolher("selecModalidade", 0);
    const QString antigo = texto("liqPagar");
    campo("ProdBruta")->setFocus();
    campo("ProdBruta")->selectAll();
    QTest::keyClick(campo("ProdBruta"), Qt::Key_Delete);
    ASSERT_EQ(gravarRelatorioPdf(sim->relatorio(), pdf()), QString());
    const QStringList liquido = linhaDe(lerPdf(pdf()).texto, q("Líquido a Pagar $"));
    EXPECT_EQ(liquido.value(1), q("não calculado"));
    EXPECT_FALSE(liquido.contains(antigo));
}

// The program from the command line, copied with its printing module into a folder of its own
// (where it keeps its vestaMar.ini): the report of the default file or of a set, and the
// failures, each with its status and its reason on standard error; no report is left behind a
// failure.
TEST_F(RelatorioPdf, LinhaDeComando) {
    const QString dir = temporaria.path();
    for (const char* f : {VESTAMAR_NOME_DO_PROGRAMA, VESTAMAR_NOME_DO_MODULO})
        ASSERT_TRUE(QFile::copy(QStringLiteral(VESTAMAR_PASTA_DO_MODULO "/") + q(f), dir + u'/' + q(f))) << f;
    arquivoComPadroes({{"prodBruta", "4321"}});
    fs::copy_file(arquivo, pasta / "cliente-acme.ini");
    arquivoComPadroes({{"prodBruta", "1234"}});
    const std::string padrao = lerArquivo(arquivo);
    fs::create_directories(pasta / "pasta.ini");
    const QString saida = dir + QStringLiteral("/r.pdf");
    // clang-format off
    // Each case: the arguments ($d: the program's folder), the status, a text in the PDF or on
    // standard error.
    const struct { const char* argumentos; int status; const char* texto; } casos[] = {
        {"--relatorio $d/r.pdf", 0, "1.234,00"},
        {"--parametros $d/cliente-acme.ini --relatorio $d/r.pdf", 0, "4.321,00"},
        {"--relatorio=$d/r.pdf --parametros=cliente-acme.ini", 0, "Parâmetros: cliente-acme"},
        {"--relatorio $d/r.pdf --parametros $d/nao-existe.ini", 1, "não foi possível ler o arquivo de parâmetros"},
        {"--relatorio $d/r.pdf --parametros $d/pasta.ini", 1, "não foi possível ler o arquivo de parâmetros"},
        {"--relatorio $d/nao/existe/r.pdf", 1, "Não foi possível gravar o relatório"},
        {"--relatorio", 2, "--relatorio"},
        {"--desconhecida", 2, "desconhecida"},
    };
    // clang-format on
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.argumentos);
        QStringList argumentos = q(caso.argumentos).split(u' ');
        for (QString& a : argumentos) a.replace(QStringLiteral("$d"), dir);
        QFile::remove(saida);
        QProcess p;
        p.setWorkingDirectory(dir);
        p.start(dir + u'/' + q(VESTAMAR_NOME_DO_PROGRAMA), argumentos);
        ASSERT_TRUE(p.waitForFinished(60000));
        // The program writes its messages in the system's encoding (a Windows code page there).
        const QString erro = QString::fromLocal8Bit(p.readAllStandardError());
        EXPECT_EQ(p.exitCode(), caso.status) << erro.toStdString();
        if (caso.status == 0) {
            const QString t = lerPdf(saida).texto;
            EXPECT_TRUE(t.contains(local(caso.texto))) << t.toStdString();
        } else {
            EXPECT_TRUE(erro.contains(q(caso.texto))) << erro.toStdString();
            EXPECT_FALSE(QFile::exists(saida));
        }
    }
    EXPECT_EQ(lerArquivo(arquivo), padrao) << "the report only reads the file";
    EXPECT_FALSE(fs::exists(pasta / "vestaMar.ini.lock"));
}
