#pragma once
// The window's controls, made one by one from their rows of the layout table (layout_janela.h)
// in the window's own colours and fonts: the factory FrmCalcProd builds itself with.

#include <QColor>
#include <QFont>
#include <QGuiApplication>
#include <QString>
#include <QStringList>

#include <string_view>

#include "layout_janela.h"
#include "regional.h"

class QCheckBox;
class QComboBox;
class QFrame;
class QIcon;
class QLabel;
class QPalette;
class QWidget;

namespace vestamar {

class ETextctl;
class cbutton;

// Arial, or the installed face with Arial's metrics.
const QStringList& faceArial();

// The window's own colours, whatever the system's scheme: white, grey captions and fields,
// black button and list text on light grey buttons. Every role is given, so a dark system
// palette reaches no control of the window (dialogs, menus and tooltips keep the system's).
const QPalette& paletaDoDesenho();

// A field's initial text, written in the layout with a decimal comma, in the user's marks.
QString textoInicial(std::string_view texto, const Separadores& sep);

// One control of each kind, made in `pai` from its row.
QLabel* novoRotulo(const Controle& c, QWidget* pai);
QLabel* novoMarcador(const Controle& c, QWidget* pai);
ETextctl* novoCampo(const Controle& c, QWidget* pai, const Separadores& sep);
QComboBox* novaLista(const Controle& c, QWidget* pai);
QCheckBox* novaCaixa(const Controle& c, QWidget* pai);
cbutton* novoBotao(const Controle& c, QWidget* pai);
QWidget* novaLinha(const Controle& c, QWidget* pai);
QLabel* novaImagem(QWidget* pai);
QFrame* novoPainel(QWidget* pai);

// Stacking, back to front: labels, lines, markers, fields, lists and buttons, the banner
// (in front of the title it hides), the panel (in front of both columns).
int camada(Tipo tipo);

// The program's icon, in every size it is kept in.
QIcon iconeDoPrograma();

// A line edit lays out its text once in the application's font before it takes its own, which
// would make the system load a second typeface at start-up only for that. While the controls
// are made, the application's font is the window's own typeface, size and weight, so that this
// first layout finds the typeface already loaded; it is given back afterwards, and dialogs and
// tooltips keep the system's font. It is overlined (which does not change how text is laid
// out) so that it never equals the window's font: a control made with a font equal to its
// parent's would keep the application's font as if it were its own, and lose it wherever that
// font is resolved against another, as on a printed page. Only the application's font is
// changed (QGuiApplication::setFont): QApplication::setFont would also drop the system's own
// fonts for menus, message boxes and tooltips. The controls take their font from the window,
// not from the application's font, so they need not hear of its change.
class FonteDaAplicacaoDurante {
public:
    explicit FonteDaAplicacaoDurante(const QFont& daJanela) : anterior_(QGuiApplication::font()) {
        QFont provisoria = daJanela;
        provisoria.setOverline(!daJanela.overline());
        QGuiApplication::setFont(provisoria);
    }
    ~FonteDaAplicacaoDurante() { QGuiApplication::setFont(anterior_); }
    FonteDaAplicacaoDurante(const FonteDaAplicacaoDurante&) = delete;
    FonteDaAplicacaoDurante& operator=(const FonteDaAplicacaoDurante&) = delete;

private:
    QFont anterior_;
};

}  // namespace vestamar
