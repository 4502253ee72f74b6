// Draws the program's artwork: the 500 x 71 banner, the window icon at 16, 32, 48 and 256
// pixels, and the same icon as a Windows .ico. Run once by hand; its output is kept beside
// this file:
//   cmake --build <build> --target vestamar_gerar_arte
//   QT_QPA_PLATFORM=offscreen <build>/ui/vestamar_gerar_arte ui/recursos

#include <QByteArray>
#include <QBuffer>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>

#include <vector>

namespace {

const QColor kAzulFundo(0, 98, 145);
const QColor kAzulClaro(0, 150, 190);
const QColor kAgua(150, 225, 240);

// A wave across the width, from the left edge to the right, around the height `meio`.
QPainterPath onda(qreal largura, qreal meio, qreal amplitude, qreal comprimento, qreal fase) {
    QPainterPath caminho;
    for (int x = 0; x <= static_cast<int>(largura); ++x) {
        const qreal y = meio + amplitude * qSin((x / comprimento) * 2 * M_PI + fase);
        if (x == 0)
            caminho.moveTo(x, y);
        else
            caminho.lineTo(x, y);
    }
    return caminho;
}

QImage banner() {
    QImage img(500, 71, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient fundo(0, 0, 500, 71);
    fundo.setColorAt(0, kAzulFundo);
    fundo.setColorAt(1, kAzulClaro);
    p.fillRect(img.rect(), fundo);

    // Three soft waves along the bottom.
    for (int i = 0; i < 3; ++i) {
        QPainterPath agua = onda(500, 52 + i * 6, 3.0 - i * 0.5, 90 + i * 25, i * 1.7);
        agua.lineTo(500, 71);
        agua.lineTo(0, 71);
        agua.closeSubpath();
        p.fillPath(agua, QColor(255, 255, 255, 28 + i * 14));
    }

    // The emblem: a sun over the sea in a ring.
    const QRectF anel(16, 9, 50, 50);
    p.setPen(QPen(Qt::white, 2.5));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(anel);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 214, 90));
    p.drawEllipse(QRectF(31, 18, 20, 20));
    p.setPen(QPen(kAgua, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(onda(36, 0, 2.2, 18, 0).translated(23, 42));
    p.setPen(QPen(Qt::white, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(onda(30, 0, 2.0, 15, 1.4).translated(26, 49));

    QFont nome(QStringLiteral("Liberation Sans"));
    nome.setPixelSize(38);
    nome.setBold(true);
    p.setFont(nome);
    p.setPen(Qt::white);
    const QString vesta = QStringLiteral("vesta");
    p.drawText(QPointF(78, 44), vesta);
    const qreal largura = p.fontMetrics().horizontalAdvance(vesta);
    p.setPen(kAgua);
    p.drawText(QPointF(78 + largura, 44), QStringLiteral("Mar"));

    QFont lema(QStringLiteral("Liberation Sans"));
    lema.setPixelSize(13);
    p.setFont(lema);
    p.setPen(QColor(255, 255, 255, 220));
    p.drawText(QRectF(250, 18, 232, 30), Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("Simulação de Resultados"));
    return img;
}

QImage icone(int lado) {
    QImage img(lado, lado, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(lado / 64.0, lado / 64.0);
    QLinearGradient fundo(0, 0, 0, 64);
    fundo.setColorAt(0, kAzulClaro);
    fundo.setColorAt(1, kAzulFundo);
    p.setPen(Qt::NoPen);
    p.setBrush(fundo);
    p.drawRoundedRect(QRectF(2, 2, 60, 60), 12, 12);
    // A "v" over a wave.
    QPainterPath v;
    v.moveTo(15, 12);
    v.lineTo(32, 44);
    v.lineTo(49, 12);
    p.setPen(QPen(Qt::white, lado <= 16 ? 10 : 8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(v);
    if (lado > 16) {
        p.setPen(QPen(kAgua, 4, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(onda(44, 0, 2.5, 22, 0).translated(10, 53));
    }
    return img;
}

QByteArray png(const QImage& img) {
    QByteArray dados;
    QBuffer buffer(&dados);
    buffer.open(QIODevice::WriteOnly);
    img.save(&buffer, "PNG");
    return dados;
}

// A Windows icon file whose images are stored as PNG.
QByteArray ico(const std::vector<QImage>& imagens) {
    QByteArray saida;
    QDataStream s(&saida, QIODevice::WriteOnly);
    s.setByteOrder(QDataStream::LittleEndian);
    s << quint16(0) << quint16(1) << quint16(imagens.size());
    std::vector<QByteArray> dados;
    for (const QImage& img : imagens) dados.push_back(png(img));
    quint32 posicao = 6 + 16 * static_cast<quint32>(imagens.size());
    for (std::size_t i = 0; i < imagens.size(); ++i) {
        const int lado = imagens[i].width();
        s << quint8(lado >= 256 ? 0 : lado) << quint8(lado >= 256 ? 0 : lado) << quint8(0) << quint8(0) << quint16(1)
          << quint16(32) << quint32(dados[i].size()) << posicao;
        posicao += static_cast<quint32>(dados[i].size());
    }
    for (const QByteArray& d : dados) s.writeRawData(d.constData(), static_cast<int>(d.size()));
    return saida;
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QDir destino(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));
    const QImage imagem = banner().convertToFormat(QImage::Format_RGB32);
    bool ok = imagem.save(destino.filePath(QStringLiteral("banner.png")));
    // The same pixels raw, as the window loads them: 32 bits a pixel, row after row.
    QFile bruto(destino.filePath(QStringLiteral("banner.rgb32")));
    ok = bruto.open(QIODevice::WriteOnly) && ok;
    for (int y = 0; y < imagem.height(); ++y)
        ok = bruto.write(reinterpret_cast<const char*>(imagem.constScanLine(y)), imagem.width() * 4) > 0 && ok;
    std::vector<QImage> icones;
    for (const int lado : {16, 32, 48, 256}) {
        icones.push_back(icone(lado));
        ok = icones.back().save(destino.filePath(QStringLiteral("icone-%1.png").arg(lado))) && ok;
    }
    QFile arquivo(destino.filePath(QStringLiteral("vestamar.ico")));
    ok = arquivo.open(QIODevice::WriteOnly) && arquivo.write(ico(icones)) > 0 && ok;
    return ok ? 0 : 1;
}
