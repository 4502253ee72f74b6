// The report's pages: an HTML document of Qt's rich text laid out on A4 pages of a PDF
// writer, a footer drawn on each. Qt's text layout keeps the text as text in the PDF.

#include "relatorio.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QLocale>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextDocument>

namespace vestamar {

namespace {

QString e(const QString& t) { return t.toHtmlEscaped(); }

// A table with a heading row that repeats on every page it crosses; the columns after the
// first aligned to the right (figures).
QString tabela(const QStringList& cabecalho, const QList<QStringList>& linhas, bool numeros) {
    QString h = QStringLiteral(
        "<table width=\"100%\" border=\"1\" cellspacing=\"0\" cellpadding=\"3\" "
        "style=\"border-collapse: collapse; border-color: #808080\"><thead><tr>");
    for (const QString& c : cabecalho) h += QStringLiteral("<th bgcolor=\"#e8e8e8\">%1</th>").arg(e(c));
    h += QStringLiteral("</tr></thead>");
    for (const QStringList& l : linhas) {
        h += QStringLiteral("<tr>");
        for (qsizetype i = 0; i < l.size(); ++i) {
            h += (i > 0 && numeros ? QStringLiteral("<td align=\"right\">%1</td>") : QStringLiteral("<td>%1</td>"))
                     .arg(e(l[i]));
        }
        h += QStringLiteral("</tr>");
    }
    return h + QStringLiteral("</table>");
}

QString documento(const Relatorio& r) {
    const QLocale brasil(QLocale::Portuguese, QLocale::Brazil);
    QString h = QStringLiteral("<html><body>");
    h += QStringLiteral("<h1>%1</h1><h2>Relatório da simulação</h2>").arg(e(r.titulo));
    h += QStringLiteral("<p>Parâmetros: <b>%1</b><br>%2<br>Modalidade: %3<br>Emitido em %4</p>")
             .arg(e(r.conjunto), e(r.caminho), e(r.modalidade),
                  e(brasil.toString(r.quando, QStringLiteral("dd/MM/yyyy 'às' HH:mm"))));
    if (!r.colunas.isEmpty()) h += tabela(r.colunas.constFirst(), r.colunas.mid(1), true);
    h += QStringLiteral("<h2 style=\"page-break-before: always\">Parâmetros do cálculo</h2>");
    h += tabela({QStringLiteral("Parâmetro"), QStringLiteral("Valor")}, r.parametros, true);
    h += QStringLiteral("<h2>Memória de cálculo</h2>");
    QString coluna;
    for (const Relatorio::Memoria& m : r.memorias) {
        if (m.coluna != coluna) {
            coluna = m.coluna;
            h += QStringLiteral("<h3>%1</h3>").arg(e(coluna));
        }
        h += QStringLiteral("<p><b>%1</b></p><p style=\"white-space: pre-wrap; margin-left: 12px\">%2</p>")
                 .arg(e(m.rotulo), e(m.texto));
    }
    return h + QStringLiteral("</body></html>");
}

}  // namespace

QString gravarRelatorioPdf(const Relatorio& r, const QString& arquivo) {
    // The pages are made in memory, then saved as one file: no half-written report is left.
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    {
        QPdfWriter escritor(&pdf);
        escritor.setTitle(r.titulo + QStringLiteral(" — Relatório da simulação"));
        escritor.setCreator(r.titulo);
        escritor.setPageSize(QPageSize(QPageSize::A4));
        escritor.setPageMargins(QMarginsF(18, 15, 18, 12), QPageLayout::Millimeter);
        escritor.setResolution(300);
        QTextDocument doc;
        doc.documentLayout()->setPaintDevice(&escritor);
        doc.setDocumentMargin(0);
        doc.setDefaultFont(QFont(QStringLiteral("Liberation Sans"), 10));
        doc.setHtml(documento(r));
        QPainter pintor(&escritor);
        const QRectF area(QPointF(0, 0), QSizeF(escritor.width(), escritor.height()));
        QFont fonteRodape(QStringLiteral("Liberation Sans"), 8);
        const QFontMetricsF medida(fonteRodape, &escritor);
        const qreal rodape = medida.height() * 2;
        doc.setPageSize(QSizeF(area.width(), area.height() - rodape));
        const int paginas = doc.pageCount();
        const qreal altura = area.height() - rodape;
        for (int i = 0; i < paginas; ++i) {
            if (i > 0) escritor.newPage();
            pintor.save();
            pintor.translate(0, -i * altura);
            // A line moved to the next page starts exactly at this page's end: the rectangle
            // stops short of it, or its text would also be drawn, unseen, under this page's
            // footer (and found there by a search).
            doc.drawContents(&pintor, QRectF(0, i * altura, area.width(), altura - 1));
            pintor.restore();
            pintor.setFont(fonteRodape);
            const QRectF linha(0, area.height() - medida.height(), area.width(), medida.height());
            pintor.drawText(linha, Qt::AlignLeft | Qt::AlignVCenter, r.titulo + QStringLiteral(" — ") + r.conjunto);
            pintor.drawText(linha, Qt::AlignRight | Qt::AlignVCenter,
                            QStringLiteral("Página %1 de %2").arg(i + 1).arg(paginas));
        }
    }
    QSaveFile saida(arquivo);
    if (!saida.open(QIODevice::WriteOnly) || saida.write(pdf.data()) != pdf.data().size() || !saida.commit()) {
        return QStringLiteral("Não foi possível gravar o relatório em \"%1\": %2").arg(arquivo, saida.errorString());
    }
    return {};
}

}  // namespace vestamar
