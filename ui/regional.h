#pragma once
// Between the engine's text and Qt's: the user's regional number marks as the engine's number
// text wants them, and the engine's UTF-8 text as a QString.

#include <QString>

#include <string_view>

#include "texto_numero.h"

class QCoreApplication;

namespace vestamar {

// The decimal mark and the group mark of the system's regional settings, as UTF-8.
Separadores separadoresDoSistema();

// Loads Qt's own translations (qtbase) for the user's language into the application, so that
// the standard dialogs (files, printing, messages) speak it. False when there are none for
// that language, and the dialogs stay in English.
bool carregarTraducoesDoQt(QCoreApplication& aplicacao);

// UTF-8 text (names, captions, numbers formatted by the engine) as a QString.
inline QString qtexto(std::string_view texto) {
    return QString::fromUtf8(texto.data(), static_cast<qsizetype>(texto.size()));
}

}  // namespace vestamar
