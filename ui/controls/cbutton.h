#pragma once
// cbutton: the window's push button.
//
// A QPushButton with its caption, face, size and colour as properties. A "&" in the caption
// marks its mnemonic ("&Sair"): Alt and that letter press the button, and the letter shows
// underlined; the button's accessible name is the caption without the mark.
// `Click` is raised when the button is pressed with the mouse, and also with Space or Enter
// while it has the focus.

#include <QColor>
#include <QPushButton>
#include <QString>

namespace vestamar {

class cbutton : public QPushButton {
    Q_OBJECT
    Q_PROPERTY(QString caption READ caption WRITE setCaption)
    Q_PROPERTY(QString fontname READ fontname WRITE setFontname)
    Q_PROPERTY(float fontsize READ fontsize WRITE setFontsize)
    Q_PROPERTY(QColor forecolor READ forecolor WRITE setForecolor)

public:
    explicit cbutton(QWidget* parent = nullptr);

    QString caption() const { return text(); }
    void setCaption(const QString& legenda) { setText(legenda); }
    // The face asked for; where it is not installed the caption uses the closest face.
    QString fontname() const { return fontname_; }
    void setFontname(const QString& face);
    // In points.
    float fontsize() const { return fontsize_; }
    void setFontsize(float pontos);
    QColor forecolor() const { return forecolor_; }
    void setForecolor(const QColor& cor);

signals:
    void Click();

protected:
    void keyPressEvent(QKeyEvent* evento) override;

private:
    void aplicarFonte();

    QString fontname_ = QStringLiteral("Tahoma");
    float fontsize_ = 8.25F;
    QColor forecolor_{Qt::black};
};

}  // namespace vestamar
