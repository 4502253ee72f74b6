#include "fontes.h"

#include <QFontDatabase>
#include <QtMath>

namespace vestamar {

QString faceInstalada(const QStringList& preferidas) {
    for (const QString& face : preferidas) {
        if (QFontDatabase::hasFamily(face)) return face;
    }
    return preferidas.isEmpty() ? QString() : preferidas.last();
}

int pontosParaPixels(double pontos) { return qRound(pontos * 96.0 / 72.0); }

QFont fonteDaJanela(const QStringList& preferidas, double pontos, bool negrito, bool italico,
                    bool sublinhado) {
    QFont fonte(faceInstalada(preferidas));
    fonte.setStyleHint(QFont::SansSerif);
    fonte.setPixelSize(pontosParaPixels(pontos));
    fonte.setBold(negrito);
    fonte.setItalic(italico);
    fonte.setUnderline(sublinhado);
    fonte.setStyleStrategy(QFont::PreferAntialias);
    return fonte;
}

}  // namespace vestamar
