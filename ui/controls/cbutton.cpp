#include "cbutton.h"

#include <QKeyEvent>
#include <QPalette>
#include <QtMath>

#include "fontes.h"

namespace vestamar {

cbutton::cbutton(QWidget* parent) : QPushButton(parent) {
    setAutoDefault(false);
    connect(this, &QPushButton::clicked, this, &cbutton::Click);
    aplicarFonte();
    setForecolor(forecolor_);
}

void cbutton::setFontname(const QString& face) {
    fontname_ = face;
    aplicarFonte();
}

void cbutton::setFontsize(float pontos) {
    fontsize_ = pontos;
    aplicarFonte();
}

void cbutton::aplicarFonte() {
    // Tahoma is not on every system; a face with Arial's metrics keeps the caption's width.
    setFont(fonteDaJanela({fontname_, QStringLiteral("Arial"), QStringLiteral("Liberation Sans")}, fontsize_));
}

void cbutton::setForecolor(const QColor& cor) {
    forecolor_ = cor;
    QPalette paleta = palette();
    for (const auto grupo : {QPalette::Active, QPalette::Inactive}) paleta.setColor(grupo, QPalette::ButtonText, cor);
    setPalette(paleta);
}

void cbutton::keyPressEvent(QKeyEvent* evento) {
    const bool enter = evento->key() == Qt::Key_Return || evento->key() == Qt::Key_Enter;
    if (enter && (evento->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        click();
        evento->accept();
        return;
    }
    QPushButton::keyPressEvent(evento);
}

}  // namespace vestamar
