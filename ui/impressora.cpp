#include "impressora.h"

#include <QDateTime>
#include <QDir>
#include <QLineEdit>
#include <QLocale>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QPainter>
#include <QPicture>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <string_view>

#ifdef VESTAMAR_CUPS
#include <cups/cups.h>
#endif

namespace vestamar {

namespace {

const QString kTituloImpressao = QStringLiteral("Imprimir");
const QString kNomeDocumento = QStringLiteral("vestaMar - Simulação");

// Hides the controls that stay off paper for as long as it lives, and shows all of them
// again when it goes, however the printing ended.
class ForaDoPapel {
public:
    ForaDoPapel(QWidget& janela, const QWidgetList& controles) : controles_(controles) {
        // A hidden control that has the focus hands it on to the next control in tab order,
        // which would then print with its focused look and keep the focus afterwards. The
        // focus is taken off it instead, and given back at the end.
        QWidget* const comFoco = janela.focusWidget();
        if (comFoco && controles_.contains(comFoco)) focoDevolvido_ = comFoco;
        if (focoDevolvido_) focoDevolvido_->clearFocus();
        for (QWidget* c : controles_)
            if (c) c->hide();
    }
    ~ForaDoPapel() {
        for (QWidget* c : controles_)
            if (c) c->show();
        if (focoDevolvido_) focoDevolvido_->setFocus(Qt::OtherFocusReason);
    }
    ForaDoPapel(const ForaDoPapel&) = delete;
    ForaDoPapel& operator=(const ForaDoPapel&) = delete;

private:
    QWidgetList controles_;
    QWidget* focoDevolvido_ = nullptr;
};

std::unique_ptr<QPrinter> impressoraDoSistema() {
    const QPrinterInfo padrao = QPrinterInfo::defaultPrinter();
    if (padrao.isNull()) return nullptr;
    return std::make_unique<QPrinter>(padrao);
}

#ifndef VESTAMAR_CUPS
// Without a print system of its own to ask, the page is drawn straight onto the printer,
// whose engine then says whether it took the job.
QString enviarPelaImpressora(QPrinter& impressora, const std::function<bool(QPrinter&)>& pagina) {
    return pagina(impressora) ? QString() : QStringLiteral("o sistema de impressão recusou o trabalho");
}
#else
// CUPS's refusal in the user's words.
QString motivoDoCups(ipp_status_t status) {
    switch (status) {
        case IPP_STATUS_ERROR_NOT_ACCEPTING_JOBS: return QStringLiteral("a impressora não está aceitando trabalhos");
        case IPP_STATUS_ERROR_NOT_FOUND: return QStringLiteral("a impressora não foi encontrada");
        case IPP_STATUS_ERROR_SERVICE_UNAVAILABLE: return QStringLiteral("o sistema de impressão não está disponível");
        default:
            return QStringLiteral("o sistema de impressão recusou o trabalho (%1)")
                .arg(QString::fromUtf8(cupsLastErrorString()));
    }
}

ipp_jstate_t estadoDoTrabalho(const char* destino, int trabalho) {
    cups_job_t* trabalhos = nullptr;
    const int n = cupsGetJobs(&trabalhos, destino, 1, CUPS_WHICHJOBS_ALL);
    ipp_jstate_t estado = IPP_JSTATE_PENDING;
    for (int i = 0; i < n; ++i)
        if (trabalhos[i].id == trabalho) estado = trabalhos[i].state;
    cupsFreeJobs(n, trabalhos);
    return estado;
}

// Whether the CUPS scheduler answers at all.
bool cupsEmExecucao() {
    http_t* conexao = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1, 5000, nullptr);
    if (!conexao) return false;
    httpClose(conexao);
    return true;
}

bool impressoraParada(const char* destino) {
    cups_dest_t* d = cupsGetNamedDest(CUPS_HTTP_DEFAULT, destino, nullptr);
    if (!d) return false;
    const char* estado = cupsGetOption("printer-state", d->num_options, d->options);
    const bool parada = estado && std::string_view(estado) == "5";
    cupsFreeDests(1, d);
    return parada;
}

// The page goes to CUPS as a PDF file of the printer's page size, and CUPS's answer is read:
// Qt's own CUPS printing hands the job over without looking at the answer, so a job that the
// printer does not accept would be lost in silence.
QString enviarAoCups(QPrinter& impressora, const std::function<bool(QPrinter&)>& pagina) {
    QTemporaryDir pasta;
    if (!pasta.isValid()) return QStringLiteral("não foi possível preparar a página");
    const QString arquivo = pasta.filePath(QStringLiteral("pagina.pdf"));
    QPrinter pdf;
    pdf.setOutputFormat(QPrinter::PdfFormat);
    pdf.setOutputFileName(arquivo);
    pdf.setPageLayout(impressora.pageLayout());
    if (!pagina(pdf)) return QStringLiteral("não foi possível preparar a página");

    // A printer's instance ("nome/instância") prints on the printer itself.
    const QByteArray destino = impressora.printerName().section(u'/', 0, 0).toUtf8();
    const int trabalho = cupsPrintFile(destino.constData(), QFile::encodeName(arquivo).constData(),
                                       kNomeDocumento.toUtf8().constData(), 0, nullptr);
    if (trabalho == 0) return motivoDoCups(cupsLastError());

    // A job that CUPS stops or aborts (a failing connection or filter) does so at once, and
    // one queued on a stopped printer waits there: for a short while the job is watched, and
    // one that will not print is cancelled, so that it does not come out later unexpected.
    for (int vez = 0; vez < 5; ++vez) {
        const ipp_jstate_t estado = estadoDoTrabalho(destino.constData(), trabalho);
        QString motivo;
        if (estado == IPP_JSTATE_COMPLETED) return {};
        if (estado >= IPP_JSTATE_STOPPED)
            motivo = QStringLiteral("o trabalho de impressão terminou com erro");
        else if (impressoraParada(destino.constData()))
            motivo = QStringLiteral("a impressora está parada");
        if (!motivo.isEmpty()) {
            cupsCancelJob(destino.constData(), trabalho);
            return motivo;
        }
        QThread::msleep(100);
    }
    return {};
}
#endif

bool perguntarPdf(QWidget* janela, const QString& mensagem) {
    QMessageBox caixa(QMessageBox::Warning, kTituloImpressao, mensagem, QMessageBox::NoButton, janela);
    QPushButton* salvar = caixa.addButton(QStringLiteral("Salvar PDF"), QMessageBox::AcceptRole);
    caixa.addButton(QStringLiteral("Cancelar"), QMessageBox::RejectRole);
    caixa.setDefaultButton(salvar);
    caixa.exec();
    return caixa.clickedButton() == salvar;
}

QString perguntarArquivo(QWidget* janela, const QString& sugestao) {
    QFileDialog dialogo(janela, QStringLiteral("Salvar como PDF"), sugestao, QStringLiteral("Arquivos PDF (*.pdf)"));
    dialogo.setAcceptMode(QFileDialog::AcceptSave);
    dialogo.setFileMode(QFileDialog::AnyFile);
    dialogo.setDefaultSuffix(QStringLiteral("pdf"));
    dialogo.selectFile(sugestao);
    if (dialogo.exec() != QDialog::Accepted) return {};
    return dialogo.selectedFiles().value(0);
}

void mostrarAviso(QWidget* janela, const QString& mensagem) {
    QMessageBox::warning(janela, kTituloImpressao, mensagem);
}

bool salvarPdf(QWidget& janela, const QWidgetList& foraDoPapel, const QString& caminho) {
    QPrinter pdf;
    pdf.setOutputFormat(QPrinter::PdfFormat);
    pdf.setOutputFileName(caminho);
    return imprimirPagina(janela, foraDoPapel, pdf);
}

// The largest font, from the field's own size down to `menor` pixels, in which `texto` fits
// `largura`; the smallest when none does.
QFont fonteQueCabe(QFont fonte, const QString& texto, qreal largura, int menor) {
    const int px = fonte.pixelSize() > 0 ? fonte.pixelSize() : qRound(fonte.pointSizeF() * 96.0 / 72.0);
    for (int p = px; p >= menor; --p) {
        fonte.setPixelSize(p);
        if (QFontMetricsF(fonte).horizontalAdvance(texto) <= largura) break;
    }
    return fonte;
}

// The fields that show something other than their figure: on paper they are drawn by
// desenharCampos instead, kept out of the window's drawing so that no old or partial figure
// reaches the page (not even as text hidden under another).
QWidgetList camposACorrigir(QWidget& janela, const QWidgetList& foraDoPapel) {
    QWidgetList r;
    for (QLineEdit* campo : janela.findChildren<QLineEdit*>()) {
        if (!campo->isVisibleTo(&janela) || foraDoPapel.contains(campo)) continue;
        if (campo->property("desatualizado").toBool() || campo->property("encurtado").toBool()) r.append(campo);
    }
    return r;
}

// Those fields, with the text paper needs: "não calculado", or the whole figure, smaller, or
// wider than the field. The painter is in the window's coordinates.
void desenharCampos(QPainter& pintor, QWidget& janela, const QWidgetList& campos) {
    // Paper is read closer than a screen: 6 pixels of the window's still read on the page.
    constexpr int kMenorNoPapel = 6;
    for (QWidget* campo : campos) {
        const bool desatualizado = campo->property("desatualizado").toBool();
        const QString texto = desatualizado ? QStringLiteral("não calculado") : static_cast<QLineEdit*>(campo)->text();
        const QRectF area(campo->mapTo(&janela, QPoint()), campo->size());
        const QRectF dentro = area.adjusted(3, 1, -3, -1);
        const QFont fonte = fonteQueCabe(campo->font(), texto, dentro.width(), kMenorNoPapel);
        const qreal largura = QFontMetricsF(fonte).horizontalAdvance(texto);
        const QColor fundo = campo->palette().color(QPalette::Base);
        pintor.save();
        pintor.fillRect(area, fundo);
        if (campo->property("normalborderpattern").toInt() == 0) {
            pintor.setPen(campo->property("normalbordercolor").value<QColor>());
            pintor.drawRect(area.adjusted(0.5, 0.5, -0.5, -0.5));
        }
        pintor.setFont(fonte);
        pintor.setPen(campo->palette().color(QPalette::Text));
        if (largura <= dentro.width()) {
            pintor.drawText(dentro, Qt::AlignRight | Qt::AlignVCenter, texto);
        } else {
            // Wider than the field: from the field's left edge on, over what is beside it.
            const QRectF largo(dentro.left(), dentro.top(), largura + 1, dentro.height());
            pintor.fillRect(largo, fundo);
            pintor.drawText(largo, Qt::AlignLeft | Qt::AlignVCenter, texto);
        }
        pintor.restore();
    }
}

}  // namespace

QString rodapeDaPagina(const QWidget& janela) {
    QString r = QStringLiteral("Impresso em %1")
                    .arg(QLocale::system().toString(QDateTime::currentDateTime(), QLocale::ShortFormat));
    const QString arquivo = janela.property(kPropriedadeArquivo).toString();
    if (!arquivo.isEmpty()) r += QStringLiteral(" — Parâmetros: ") + QDir::toNativeSeparators(arquivo);
    return r;
}

AmbienteImpressao ambienteImpressaoPadrao() {
#ifdef VESTAMAR_CUPS
    return {impressoraDoSistema, enviarAoCups, perguntarPdf, perguntarArquivo, mostrarAviso, cupsEmExecucao};
#else
    // No print service to ask about: taken as running.
    return {impressoraDoSistema, enviarPelaImpressora, perguntarPdf, perguntarArquivo, mostrarAviso, {}};
#endif
}

QString arquivoPdfSugerido() {
    // The documents folder when the user has one (many Linux homes have none), else home.
    QString pasta = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (pasta.isEmpty() || !QDir(pasta).exists()) pasta = QDir::homePath();
    return QDir(pasta).filePath(kNomeDocumento + QStringLiteral(".pdf"));
}

bool imprimirPagina(QWidget& janela, const QWidgetList& foraDoPapel, QPrinter& impressora) {
    const QWidgetList corrigidos = camposACorrigir(janela, foraDoPapel);
    const ForaDoPapel fora(janela, foraDoPapel + corrigidos);
    if (impressora.docName().isEmpty()) impressora.setDocName(kNomeDocumento);

    // The controls draw themselves into a recording, which is then played onto the page:
    // text and lines reach the printer as text and lines, sharp at its resolution. (Drawn
    // straight onto a printer, a window is first turned into one picture of the page's size.)
    QPicture desenho;
    {
        QPainter gravador(&desenho);
        janela.render(&gravador, QPoint(), QRegion(), QWidget::DrawWindowBackground | QWidget::DrawChildren);
    }

    // Played back, the text's sizes in points are measured again at the printer's resolution
    // while everything else keeps the window's pixels: at the window's resolution both agree.
    impressora.setResolution(desenho.logicalDpiY());

    QPainter pintor;
    if (!pintor.begin(&impressora)) return false;
    // The painter starts at the top left of the printable area. The window fills its width,
    // keeping its proportions; on a page too short for that it fills the height instead and
    // stands centred across.
    const QRectF area = impressora.pageRect(QPrinter::DevicePixel);
    const QSizeF tamanho = janela.size();
    const qreal escala = std::min(area.width() / tamanho.width(), area.height() / tamanho.height());
    pintor.translate((area.width() - tamanho.width() * escala) / 2, 0);
    pintor.scale(escala, escala);
    pintor.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    pintor.drawPicture(0, 0, desenho);
    desenharCampos(pintor, janela, corrigidos);

    // The footer at the foot of the printable area, in the window's grey at 8 points.
    pintor.resetTransform();
    QFont fonte = janela.font();
    fonte.setPointSizeF(8);
    pintor.setFont(fonte);
    pintor.setPen(QColor(0x40, 0x40, 0x40));
    const QRectF pe(0, 0, area.width(), area.height());
    pintor.drawText(pe, Qt::AlignLeft | Qt::AlignBottom | Qt::TextWordWrap, rodapeDaPagina(janela));
    const bool entregue = pintor.end();
    return entregue && impressora.printerState() != QPrinter::Error;
}

void imprimir(QWidget& janela, const QWidgetList& foraDoPapel, const AmbienteImpressao& ambiente) {
    QString mensagem;
    if (std::unique_ptr<QPrinter> impressora = ambiente.impressoraPadrao()) {
        const QString motivo = ambiente.enviar(
            *impressora, [&](QPrinter& destino) { return imprimirPagina(janela, foraDoPapel, destino); });
        if (motivo.isEmpty()) return;
        mensagem = QStringLiteral("Não foi possível imprimir na impressora \"%1\": %2.")
                       .arg(impressora->printerName(), motivo);
    } else if (ambiente.servicoEmExecucao && !ambiente.servicoEmExecucao()) {
        mensagem = QStringLiteral("Não foi possível imprimir: o serviço de impressão não está em execução.");
    } else {
        mensagem = QStringLiteral("Nenhuma impressora está instalada.");
    }
    mensagem += QStringLiteral("\n\nDeseja salvar a página em um arquivo PDF?");
    if (ambiente.oferecerPdf(&janela, mensagem)) salvarComoPdf(janela, foraDoPapel, ambiente);
}

void salvarComoPdf(QWidget& janela, const QWidgetList& foraDoPapel, const AmbienteImpressao& ambiente) {
    const QString caminho = ambiente.escolherArquivoPdf(&janela, arquivoPdfSugerido());
    if (caminho.isEmpty()) return;
    if (!salvarPdf(janela, foraDoPapel, caminho)) {
        ambiente.avisar(
            &janela,
            QStringLiteral("Não foi possível gravar o arquivo \"%1\".").arg(QDir::toNativeSeparators(caminho)));
    }
}

}  // namespace vestamar
