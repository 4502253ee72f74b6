#include "resultados.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "frmcalcprod.h"
#include "regional.h"

namespace vestamar {

namespace {

// The row's caption: the one both columns share, or both when they differ; the part of a
// caption over two fields after it ("Quant Plantões/duração: plantões").
QString rotuloDaLinha(const LinhaResultado& l) {
    QString r = l.antes.rotulo.empty() || l.antes.rotulo == l.depois.rotulo
                    ? qtexto(l.depois.rotulo)
                    : qtexto(l.antes.rotulo) + QStringLiteral(" / ") + qtexto(l.depois.rotulo);
    if (!l.parte.empty()) r += QStringLiteral(": ") + qtexto(l.parte);
    return r;
}

QString diferenca(const QString& antes, const QString& depois, const Separadores& sep) {
    const auto a = lerMoney(antes.toStdString(), sep);
    const auto d = lerMoney(depois.toStdString(), sep);
    if (!a || !d) return {};
    const auto r = subtrair(*d, *a);
    return r ? qtexto(formatarMoeda(*r, sep)) : QString();
}

// The field as the window shows it: shown (not hidden by the modality) and its text, or
// "não calculado" for a figure the last run could not produce.
struct Celula {
    bool mostrada = false;
    QString texto;
};

Celula celula(const FrmCalcProd& janela, const MemoriaCalculo& memoria, std::string_view campo) {
    if (campo.empty()) return {};
    const auto* w = janela.findChild<const QWidget*>(qtexto(campo));
    if (!w || w->isHidden()) return {};
    if (memoria.situacao(campo) == Situacao::naoCalculado) return {true, qtexto(kNaoCalculado)};
    return {true, janela.texto(campo)};
}

}  // namespace

TabelaResultados tabelaDeResultados(const FrmCalcProd& janela, const MemoriaCalculo& memoria, const Separadores& sep) {
    const QStringList cabecalho{QStringLiteral("Resultado"), QStringLiteral("ANTES"), QStringLiteral("DEPOIS"),
                                QStringLiteral("Diferença")};
    TabelaResultados t;
    t.texto = cabecalho.join(u'\t') + u'\n';
    t.html = QStringLiteral(
        "<!DOCTYPE html>\n<html lang=\"pt-BR\">\n<head>\n<meta charset=\"utf-8\">\n"
        "<title>vestaMar - Simulação de Resultados</title>\n</head>\n<body>\n"
        "<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\">\n<tr>");
    for (const QString& c : cabecalho) t.html += QStringLiteral("<th>%1</th>").arg(c.toHtmlEscaped());
    t.html += QStringLiteral("</tr>\n");
    for (const LinhaResultado& l : linhasDeResultado()) {
        const Celula antes = celula(janela, memoria, l.antes.campo);
        const Celula depois = celula(janela, memoria, l.depois.campo);
        if (!antes.mostrada && !depois.mostrada) continue;
        const QStringList celulas{rotuloDaLinha(l), antes.texto, depois.texto,
                                  antes.mostrada ? diferenca(antes.texto, depois.texto, sep) : QString()};
        t.texto += celulas.join(u'\t') + u'\n';
        t.html += QStringLiteral("<tr>");
        for (qsizetype i = 0; i < celulas.size(); ++i) {
            t.html += (i == 0 ? QStringLiteral("<td>%1</td>") : QStringLiteral("<td align=\"right\">%1</td>"))
                          .arg(celulas[i].toHtmlEscaped());
        }
        t.html += QStringLiteral("</tr>\n");
    }
    t.html += QStringLiteral("</table>\n</body>\n</html>\n");
    return t;
}

void copiarResultados(const FrmCalcProd& janela, const MemoriaCalculo& memoria, const Separadores& sep) {
    const TabelaResultados t = tabelaDeResultados(janela, memoria, sep);
    auto* dados = new QMimeData;
    dados->setText(t.texto);
    dados->setHtml(t.html);
    QGuiApplication::clipboard()->setMimeData(dados);
}

}  // namespace vestamar
