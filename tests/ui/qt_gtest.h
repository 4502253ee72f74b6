#pragma once
// Helpers of the window tests: readable QString values in GoogleTest's failure messages, a
// window shown and made active as the user would find it, figures written here with the
// Brazilian marks turned into the regional setting's, typing into a field, and where a picture
// holds ink.
#include <gtest/gtest.h>

// Qt's widgets and test library whole: the tests reach into most of both.
#include <QtTest>
#include <QtWidgets>

#include <functional>
#include <ostream>
#include <utility>

#include "cbutton.h"
#include "etextctl.h"
#include "frmcalcprod.h"
#include "regional.h"

inline void PrintTo(const QString& texto, std::ostream* saida) { *saida << '"' << texto.toStdString() << '"'; }
inline void PrintTo(const QColor& cor, std::ostream* saida) { *saida << cor.name().toStdString(); }

inline QString q(const char* texto) { return QString::fromUtf8(texto); }

// While one lives, every dialog that comes up is handed to it once it is shown (the dialog's
// own event loop runs); without one, a dialog fails the test at once and is closed (main.cpp).
class RespostaAosDialogos {
public:
    explicit RespostaAosDialogos(std::function<void(QWidget*)> resposta) : resposta_(std::move(resposta)) {
        anterior_ = std::exchange(atual, this);
    }
    ~RespostaAosDialogos() { atual = anterior_; }
    RespostaAosDialogos(const RespostaAosDialogos&) = delete;
    RespostaAosDialogos& operator=(const RespostaAosDialogos&) = delete;
    void responder(QWidget* dialogo) { resposta_(dialogo); }

    static inline RespostaAosDialogos* atual = nullptr;

private:
    std::function<void(QWidget*)> resposta_;
    RespostaAosDialogos* anterior_ = nullptr;
};

// "1.800,00" as the user's setting writes it: unchanged in Brazil, "1,800.00" under en_US.
inline QString local(const char* brasileiro) {
    QString t = q(brasileiro);
    if (vestamar::separadoresDoSistema().decimal == ",") return t;
    for (QChar& c : t) c = c == u'.' ? u',' : c == u',' ? u'.' : c;
    return t;
}

inline bool ativar(QWidget& janela) {
    janela.show();
    janela.activateWindow();
    return QTest::qWaitForWindowActive(&janela);
}

// The name of the widget with the keyboard focus.
inline std::string foco() {
    return QApplication::focusWidget() ? QApplication::focusWidget()->objectName().toStdString() : "(nenhum)";
}

// Types into a field as the user would, key by key, after entering it and emptying it.
inline void digitar(vestamar::ETextctl* campo, const QString& texto) {
    campo->setFocus(Qt::TabFocusReason);
    campo->selectAll();
    QTest::keyClick(campo, Qt::Key_Backspace);
    QTest::keyClicks(campo, texto);
}

// The smallest rectangle holding the pixels of `area` (the whole image when empty) that `tinta`
// picks: by default those darker than the grey of the window's text. Empty when there are none.
inline QRect comTinta(
    const QImage& imagem, QRect area = {},
    const std::function<bool(const QColor&)>& tinta = [](const QColor& c) { return qGray(c.rgb()) < 170; }) {
    area = area.isEmpty() ? imagem.rect() : area.intersected(imagem.rect());
    QRect r;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (tinta(imagem.pixelColor(x, y))) r |= QRect(x, y, 1, 1);
    return r;
}
