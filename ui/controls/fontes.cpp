#include "fontes.h"

#include <QFontDatabase>
#include <QtMath>

namespace vestamar {

QString faceInstalada(const QStringList& preferidas) {
    // The installed faces, asked once: asking the font database about one face at a time goes
    // through the system's font configuration, slowly, for each of hundreds of controls.
    static const QStringList instaladas = QFontDatabase::families();
    for (const QString& face : preferidas) {
        if (instaladas.contains(face, Qt::CaseInsensitive)) return face;
    }
    return preferidas.isEmpty() ? QString() : preferidas.last();
}

int pontosParaPixels(double pontos) { return qRound(pontos * 96.0 / 72.0); }

QFont fonteDaJanela(const QStringList& preferidas, double pontos, EstiloFonte estilo) {
    QFont fonte(faceInstalada(preferidas));
    fonte.setStyleHint(QFont::SansSerif);
    fonte.setPixelSize(pontosParaPixels(pontos));
    fonte.setBold(estilo.negrito);
    fonte.setItalic(estilo.italico);
    fonte.setUnderline(estilo.sublinhado);
    fonte.setStyleStrategy(QFont::PreferAntialias);
    return fonte;
}

}  // namespace vestamar
