#pragma once
// The layout of the window `frmcalcProd`: every control with its place and look.
//
// Positions are in twips (1/1440 inch), relative to the control's container: the window's
// client area, or the panel `Frame1` for the controls inside it. 15 twips make one
// device-independent pixel. A line is given by its two end points instead.

#include <span>
#include <string_view>

namespace vestamar {

enum class Tipo {
    Rotulo,    // static text
    Marcador,  // the small blue "..." beside a row
    Linha,     // straight line
    Imagem,    // the banner
    Painel,    // the parameter-tables panel
    Campo,     // ETextctl
    Lista,     // drop-down list
    Botao,     // cbutton
    Caixa,     // check box
};

enum class Visual {
    Comum,            // labels: Arial 8.25 bold grey, left, white; lists: standard look
    Sublinhado,       // label, as Comum and underlined
    Cabecalho,        // label, centred, on the window's background
    Titulo,           // label, Arial 20.25 regular, centred
    Regular,          // label, as Comum in regular weight
    ColunaFocoPreto,  // column field, black text with focus
    ColunaFocoCinza,  // column field, dark grey text with focus
    PainelCampo,      // field of the parameter-tables panel
    LinhaAzul,        // the column divider
    LinhaSombra,      // the panel's underlines, in the window's button-shadow colour
    Modalidade,       // the modality list: MS Sans Serif 8.25 bold grey
};

struct Controle {
    std::string_view nome;
    Tipo tipo;
    std::string_view conteiner;     // empty: the window; otherwise the panel's name
    int l, t, w, h;                 // twips; for a line: x1, y1, x2, y2
    std::string_view texto = {};    // caption, or a field's initial text
    std::string_view formato = {};  // a result field's display pattern (`textformat`); a
                                    // parameter field's is in its parameter row
    int tab = -1;                   // place in the tab order; -1: takes no focus
    bool pulado = false;            // passed over by Tab and Enter, still takes a click
    bool bloqueado = false;         // field `locked`
    Visual visual = Visual::Comum;
    std::string_view acessivel = {};  // accessible name, for fields and lists; empty for a
                                      // field of the columns, named by its row (linhas.h)
    // A list's caption (the caption's buddy): screen readers read the list by it, since the
    // name a list gives them is its current item.
    std::string_view legenda = {};
    // Reached by Tab after the designed order: the panel's fields the design passes over,
    // which the keyboard reaches this way while the panel is open.
    bool aoFim = false;

    // A line's two end points, which its row holds in place of a rectangle.
    constexpr int x1() const { return l; }
    constexpr int y1() const { return t; }
    constexpr int x2() const { return w; }
    constexpr int y2() const { return h; }
};

// Every control of the window, in the order they are built.
std::span<const Controle> layoutJanela();

inline constexpr int kLarguraClienteTwips = 15060;
// The window's width once started: the two columns, or the panel over them.
inline constexpr int kLarguraInicialTwips = 7700;
inline constexpr int kAlturaClienteTwips = 10335;

}  // namespace vestamar
