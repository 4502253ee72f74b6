#pragma once
// "Memória de cálculo": every result's working in one window of text, for the keyboard and
// screen-reader user who cannot rest the mouse on a field. ANTES first, then DEPOIS, each in
// the window's order from top to bottom; a result the last calculation could not produce says
// why, as its tooltip does. The text can be selected and copied, and is read by a screen reader
// as any read-only text. While open, the window follows the last calculation.

#include <QDialog>
#include <QString>

#include "memoria.h"
#include "texto_numero.h"

class QPlainTextEdit;

namespace vestamar {

// The text of the window: a heading per column, then each result's caption and its working,
// separated by blank lines. Results without a working (the production in "Mensal") are left out.
QString textoDasMemorias(const MemoriaCalculo& memoria, const Separadores& sep);

class JanelaMemoria : public QDialog {
    Q_OBJECT

public:
    explicit JanelaMemoria(QWidget* parent = nullptr);

    // Shows the workings of the last run; the position in the text is kept.
    void mostrar(const MemoriaCalculo& memoria, const Separadores& sep);
    QPlainTextEdit* texto() const { return texto_; }

private:
    QPlainTextEdit* texto_;
};

}  // namespace vestamar
