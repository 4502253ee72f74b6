#pragma once
// ETextctl: the window's formatted numeric field.
//
// A one-line field for a number, shown with a display pattern (`textformat`) and with one
// look without focus and another with focus (font, text colour, background, border).
//
// - `text` (inherited from QLineEdit) is read and written by the program; a write shows the
//   text exactly as written, the pattern is not applied to it.
// - `Change` is raised synchronously on every change of the text, typed or written, and
//   never by a write of the text already shown: the window's handlers rely on that to come
//   to rest.
// - `locked` blocks the user's edits; the program can still write the text.
// - The user can type digits, the decimal and group marks and a leading minus; a field whose
//   pattern shows whole numbers ("0") takes no decimal mark. The marks are the field's
//   `separadores` (the system's unless set). The numeric keypad's decimal key types the
//   decimal mark whatever the key's own character.
// - A paste is trimmed of blanks, tabs and line ends around it and of a leading currency
//   symbol ("R$ 2.345,67", a spreadsheet cell "2345,67\n"); what is still no number is
//   refused with the system's beep.
// - When the user has edited the field and then leaves it (Tab, a click elsewhere, Enter),
//   a text that is a number is rewritten with the pattern ("1800" becomes "1.800,00"), but
//   only when the pattern shows the same value: "2,666" in a "0.0" field stays as typed.
//   Focus taken by a popup or by another window is not leaving the field.
// - With `enterexitkey`, Enter moves the focus to the next control in tab order.
// - A text wider than the field is drawn in a smaller font, down to a readable size; beyond
//   that the field shows "###" (never a part of the number, which would read as a smaller
//   one) and is `encurtado`: its tooltip then shows the whole text, unless the program has set
//   a tooltip of its own, which the field never replaces or clears. While the user edits such
//   a field the line scrolls as usual. Printing draws the whole text (impressora.h).
// - `desatualizado`: the figure is not the current one (the last calculation could not
//   produce it); it is drawn in a muted colour, in italics, still readable.
// - `semnumero`: the text holds no number; the field is framed in the error colour.

#include <QColor>
#include <QFont>
#include <QLineEdit>
#include <QRect>
#include <QString>

#include "texto_numero.h"

namespace vestamar {

class ETextctl : public QLineEdit {
    Q_OBJECT
    Q_PROPERTY(QString textformat READ textformat WRITE setTextformat)
    Q_PROPERTY(bool locked READ locked WRITE setLocked)
    Q_PROPERTY(bool onfocusselect READ onfocusselect WRITE setOnfocusselect)
    Q_PROPERTY(bool enterexitkey READ enterexitkey WRITE setEnterexitkey)
    Q_PROPERTY(int maxlength READ maxlength WRITE setMaxlength)
    Q_PROPERTY(QFont normalfont READ normalfont WRITE setNormalfont)
    Q_PROPERTY(QFont focusfont READ focusfont WRITE setFocusfont)
    Q_PROPERTY(QColor normalfontcolor READ normalfontcolor WRITE setNormalfontcolor)
    Q_PROPERTY(QColor focusfontcolor READ focusfontcolor WRITE setFocusfontcolor)
    Q_PROPERTY(QColor backcolor READ backcolor WRITE setBackcolor)
    Q_PROPERTY(QColor focusbackcolor READ focusbackcolor WRITE setFocusbackcolor)
    Q_PROPERTY(QColor normalbordercolor READ normalbordercolor WRITE setNormalbordercolor)
    Q_PROPERTY(QColor focusbordercolor READ focusbordercolor WRITE setFocusbordercolor)
    Q_PROPERTY(int normalborderpattern READ normalborderpattern WRITE setNormalborderpattern)
    Q_PROPERTY(int focusborderpattern READ focusborderpattern WRITE setFocusborderpattern)
    Q_PROPERTY(bool encurtado READ encurtado)
    Q_PROPERTY(bool desatualizado READ desatualizado WRITE setDesatualizado)
    Q_PROPERTY(bool semnumero READ semnumero WRITE setSemnumero)

public:
    // Border patterns: 0 a solid line; 1 dashes; 2 dots; 3 dash-dot; any other value, none.
    enum EstiloBorda { BordaSolida = 0, BordaTracejada = 1, BordaPontilhada = 2, BordaTracoPonto = 3 };

    explicit ETextctl(QWidget* parent = nullptr);

    QString textformat() const { return textformat_; }
    void setTextformat(const QString& padrao) { textformat_ = padrao; }
    bool locked() const { return isReadOnly(); }
    // Setting the state a field already has still runs through Qt's read-only change.
    void setLocked(bool bloqueado) {
        if (isReadOnly() != bloqueado) setReadOnly(bloqueado);
    }
    bool onfocusselect() const { return onfocusselect_; }
    void setOnfocusselect(bool selecionar) { onfocusselect_ = selecionar; }
    bool enterexitkey() const { return enterexitkey_; }
    void setEnterexitkey(bool sair) { enterexitkey_ = sair; }
    // 0: no length limit.
    int maxlength() const { return maxlength_; }
    void setMaxlength(int comprimento);

    QFont normalfont() const { return normalfont_; }
    void setNormalfont(const QFont& fonte);
    QFont focusfont() const { return focusfont_; }
    void setFocusfont(const QFont& fonte);
    QColor normalfontcolor() const { return normalfontcolor_; }
    void setNormalfontcolor(const QColor& cor);
    QColor focusfontcolor() const { return focusfontcolor_; }
    void setFocusfontcolor(const QColor& cor);
    // Background without focus.
    QColor backcolor() const { return backcolor_; }
    void setBackcolor(const QColor& cor);
    QColor focusbackcolor() const { return focusbackcolor_; }
    void setFocusbackcolor(const QColor& cor);
    QColor normalbordercolor() const { return normalbordercolor_; }
    void setNormalbordercolor(const QColor& cor);
    QColor focusbordercolor() const { return focusbordercolor_; }
    void setFocusbordercolor(const QColor& cor);
    int normalborderpattern() const { return normalborderpattern_; }
    void setNormalborderpattern(int estilo);
    int focusborderpattern() const { return focusborderpattern_; }
    void setFocusborderpattern(int estilo);

    // The decimal and group marks the user types and pastes and the pattern is applied with.
    const Separadores& separadores() const { return separadores_; }
    void setSeparadores(const Separadores& sep) { separadores_ = sep; }

    // The text does not fit even in the smallest font and the field shows "###".
    bool encurtado() const { return encurtado_; }
    bool desatualizado() const { return desatualizado_; }
    void setDesatualizado(bool desatualizado);
    bool semnumero() const { return semnumero_; }
    void setSemnumero(bool semNumero);

    // What a field shows in place of a number too wide for it.
    static constexpr QStringView kCheio = u"###";
    // The colour of the frame of a field without a number, and of a figure not current
    // (on a light and on a dark background).
    static QColor corDeErro() { return QColor(0xC6, 0x28, 0x28); }
    static QColor corDesatualizada(const QColor& fundo);

    // Pastes the clipboard's text, cleaned as described above: Ctrl+V, Shift+Insert and the
    // context menu's Paste come here; the middle button pastes the selection the same way.
    void colar();

    // The smallest font size, in pixels, a text is shrunk to before it is elided.
    static constexpr int kMenorFontePixels = 8;

signals:
    // The text changed (typed or written); never raised for a write of the same text.
    void Change();

protected:
    void focusInEvent(QFocusEvent* evento) override;
    void focusOutEvent(QFocusEvent* evento) override;
    void keyPressEvent(QKeyEvent* evento) override;
    bool event(QEvent* evento) override;
    void paintEvent(QPaintEvent* evento) override;
    void resizeEvent(QResizeEvent* evento) override;
    void contextMenuEvent(QContextMenuEvent* evento) override;
    void mouseReleaseEvent(QMouseEvent* evento) override;

private:
    void aoMudarTexto();
    void aplicarVisual();  // colours and the font of the state (with or without focus)
    void aplicarCores();
    // Picks the font the text fits in and keeps the tooltip of a shortened text.
    void ajustarAoTexto();
    // Where QLineEdit draws the text line.
    QRect areaDoTexto() const;
    void colarTexto(const QString& texto);
    // Rewrites the user's text with the pattern when that keeps its value; ends the edit.
    void concluirEdicao();

    QString textformat_;
    QFont normalfont_;
    QFont focusfont_;
    QColor normalfontcolor_{Qt::black};
    QColor focusfontcolor_{Qt::black};
    QColor backcolor_{Qt::white};
    QColor focusbackcolor_{Qt::white};
    QColor normalbordercolor_{Qt::gray};
    QColor focusbordercolor_{Qt::gray};
    int normalborderpattern_ = BordaSolida;
    int focusborderpattern_ = BordaSolida;
    int maxlength_ = 0;
    bool onfocusselect_ = false;
    bool enterexitkey_ = true;
    bool comFoco_ = false;
    bool polido_ = false;        // polished: its colours are given
    bool dimensionado_ = false;  // it has had its first resize event, the moment it is first fitted
    bool encurtado_ = false;
    bool desatualizado_ = false;
    bool semnumero_ = false;
    Separadores separadores_;
    // The tooltip the field set itself for a shortened text; empty when it set none.
    QString dicaPropria_;
    // The change under way comes from the user's keyboard or a paste.
    bool mudancaDoUsuario_ = false;
    // The text shown is the user's, edited since the field last received its value.
    bool editadoPeloUsuario_ = false;
};

}  // namespace vestamar
