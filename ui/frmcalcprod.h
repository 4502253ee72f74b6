#pragma once
// The program's one window, `frmcalcProd`, built from the layout table (layout_janela.h).
//
// The window comes up as laid out: every control at its place with its
// caption or initial text, the parameter-tables panel `Frame1` visible at its place on the
// right, the lists without items. Start-up, the entry handlers, the selectors and printing
// attach to the controls by their names through the look-ups below.

#include <QRect>
#include <QWidget>

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "regional.h"

class QComboBox;
class QLabel;

namespace vestamar {

class ETextctl;
class cbutton;

class FrmCalcProd : public QWidget {
    Q_OBJECT

public:
    // `sep`: the regional number marks the fields' initial texts are shown with.
    explicit FrmCalcProd(const Separadores& sep = separadoresDoSistema(), QWidget* parent = nullptr);

    // The control of that name, or nullptr when there is none of that kind.
    QWidget* controle(std::string_view nome) const;
    ETextctl* campo(std::string_view nome) const;
    QComboBox* lista(std::string_view nome) const;
    cbutton* botao(std::string_view nome) const;

    // Every formatted field, in the order of the layout table.
    const std::vector<ETextctl*>& campos() const { return m_campos; }

    // Twips to pixels: 15 twips make one device-independent pixel.
    static int pixels(int twips);

private:
    void montar(const Separadores& sep);
    void ordenarTabulacao();
    void empilhar();

    std::map<std::string, QWidget*, std::less<>> m_controles;
    std::vector<ETextctl*> m_campos;
};

}  // namespace vestamar
