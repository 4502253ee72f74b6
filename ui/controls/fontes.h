#pragma once
// Fonts of the window, sized as drawn at 96 dots per inch.
//
// The window is laid out in device-independent pixels (a twip is 1/15 of one), so its fonts
// are sized in pixels as well: 8.25 points become 11 pixels whatever the screen's logical
// DPI, and the captions keep the room their boxes were drawn for. On high-DPI screens Qt
// scales both together.

#include <QFont>
#include <QString>
#include <QStringList>

namespace vestamar {

// The first installed face of `preferidas`; when none is installed, the last one, which the
// system's font configuration then replaces by its closest match (Arial by a face with
// Arial's metrics, such as Liberation Sans).
QString faceInstalada(const QStringList& preferidas);

// How a font of the window is drawn besides its face and size.
struct EstiloFonte {
    bool negrito = false;
    bool italico = false;
    bool sublinhado = false;
};

// A font of the given face (see faceInstalada), size in points and style.
QFont fonteDaJanela(const QStringList& preferidas, double pontos, EstiloFonte estilo = {});

// Points at 96 dots per inch, in whole pixels.
int pontosParaPixels(double pontos);

}  // namespace vestamar
