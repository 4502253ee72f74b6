#include "resultados.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "frmcalcprod.h"
#include "memoria.h"
#include "regional.h"

namespace vestamar {

namespace {

// The row's caption: the one both columns share, or both when they differ.
QString rotuloDaLinha(const LinhaResultado& l) {
    if (l.rotuloAntes.empty() || l.rotuloAntes == l.rotuloDepois) return qtexto(l.rotuloDepois);
    return qtexto(l.rotuloAntes) + QStringLiteral(" / ") + qtexto(l.rotuloDepois);
}

QString diferenca(const QString& antes, const QString& depois, const Separadores& sep) {
    const auto a = lerMoney(antes.toStdString(), sep);
    const auto d = lerMoney(depois.toStdString(), sep);
    if (!a || !d) return {};
    const auto r = subtrair(*d, *a);
    return r ? qtexto(formatarMoeda(*r, sep)) : QString();
}

}  // namespace

TabelaResultados tabelaDeResultados(const FrmCalcProd& janela, const Separadores& sep) {
    const QStringList cabecalho{QStringLiteral("Resultado"), QStringLiteral("ANTES"), QStringLiteral("DEPOIS"),
                                QStringLiteral("Diferença")};
    TabelaResultados t;
    t.texto = cabecalho.join(u'\t') + u'\n';
    t.html = QStringLiteral("<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\">\n<tr>");
    for (const QString& c : cabecalho) t.html += QStringLiteral("<th>%1</th>").arg(c.toHtmlEscaped());
    t.html += QStringLiteral("</tr>\n");
    for (const LinhaResultado& l : linhasDeResultado()) {
        const QString antes = l.antes.empty() ? QString() : janela.texto(l.antes);
        const QString depois = janela.texto(l.depois);
        const QStringList celulas{rotuloDaLinha(l), antes, depois,
                                  l.antes.empty() ? QString() : diferenca(antes, depois, sep)};
        t.texto += celulas.join(u'\t') + u'\n';
        t.html += QStringLiteral("<tr>");
        for (qsizetype i = 0; i < celulas.size(); ++i) {
            t.html += (i == 0 ? QStringLiteral("<td>%1</td>") : QStringLiteral("<td align=\"right\">%1</td>"))
                          .arg(celulas[i].toHtmlEscaped());
        }
        t.html += QStringLiteral("</tr>\n");
    }
    t.html += QStringLiteral("</table>\n");
    return t;
}

void copiarResultados(const FrmCalcProd& janela, const Separadores& sep) {
    const TabelaResultados t = tabelaDeResultados(janela, sep);
    auto* dados = new QMimeData;
    dados->setText(t.texto);
    dados->setHtml(t.html);
    QGuiApplication::clipboard()->setMimeData(dados);
}

}  // namespace vestamar
