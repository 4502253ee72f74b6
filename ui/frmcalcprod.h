#pragma once
// The program's one window, `frmcalcProd`, built from the layout table (layout_janela.h).
//
// The window comes up as laid out: every control at its place with its
// caption or initial text, the lists without items. Start-up, the entry handlers, the
// selectors and printing attach to the controls by their names through the look-ups below.
//
// The parameter-tables panel `Frame1` and the controls in it are built only when first
// needed: when it is opened, when a control of it is looked up by name, or when the fields
// are listed. Until then the window keeps the texts of its fields and the items and choice
// of its lists; the texts, indexes and items below read and write the same values whether
// the panel exists or not, and a panel built late shows exactly what one built early would.

#include <QRect>
#include <QStringList>
#include <QWidget>

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "regional.h"

class QComboBox;
class QLabel;

namespace vestamar {

// The program's name, the window's title before start-up adds the version.
inline constexpr std::string_view kNomePrograma = "vestaMar - Simulação de Resultados";

class ETextctl;
class cbutton;

// When the window's controls are made: as it is made (for everything that builds a window to
// work with it at once), or only when montarControles is called, so that the program can hand
// the bare window to the window system first (start-up).
enum class Montagem { Imediata, Adiada };

class FrmCalcProd : public QWidget {
    Q_OBJECT

public:
    // `sep`: the regional number marks the fields' initial texts are shown with.
    explicit FrmCalcProd(const Separadores& sep = separadoresDoSistema(), QWidget* parent = nullptr,
                         Montagem montagem = Montagem::Imediata);

    // Makes the window's font and controls (those of the panel wait for it), if not yet made;
    // made after the window is shown, they are shown too.
    void montarControles();
    bool controlesMontados() const { return montada_; }

    // The control of that name, or nullptr when there is none of that kind. A control of the
    // panel is built with the panel.
    QWidget* controle(std::string_view nome);
    ETextctl* campo(std::string_view nome);
    QComboBox* lista(std::string_view nome);
    cbutton* botao(std::string_view nome);

    // Every formatted field, in the order of the layout table (the panel's included).
    const std::vector<ETextctl*>& campos();

    // A field's text; writing a different text raises campoAlterado, as typing does.
    QString texto(std::string_view campo) const;
    void escreverTexto(std::string_view campo, const QString& texto);
    // A list's items and chosen index (-1: none). Choosing another item raises listaAlterada;
    // an index with no item leaves the list without a choice and raises nothing.
    int indice(std::string_view lista) const;
    void definirItens(std::string_view lista, const QStringList& itens);
    void escolher(std::string_view lista, int indice);

    // The panel, nullptr while it is not built; construirPainel builds it, hidden.
    QWidget* painel() const { return painel_; }
    void construirPainel();

signals:
    // A field's text changed, typed or written.
    void campoAlterado(const QString& campo);
    // A list's choice changed, or a check box was checked (1) or cleared (0).
    void listaAlterada(const QString& lista, int indice);
    // A button was pressed (the panel's too, which need not be built to be listened to).
    void botaoPressionado(const QString& botao);

public:
    // Twips to pixels: 15 twips make one device-independent pixel.
    static int pixels(int twips);

protected:
    void paintEvent(QPaintEvent* evento) override;

private:
    // Builds the controls of the window (painel false) or of the panel (painel true).
    void montar(bool painel);
    void ordenarTabulacao();
    bool doPainel(std::string_view nome) const;

    Separadores sep_;
    std::map<std::string, QWidget*, std::less<>> controles_;
    std::vector<ETextctl*> campos_;
    QWidget* painel_ = nullptr;
    bool iconePedido_ = false;
    bool montada_ = false;
    // Until the panel is built: its fields' texts, and its lists' items and choices.
    struct ListaGuardada {
        QStringList itens;
        int indice = -1;
        bool caixa = false;  // a check box: no choice is 0, not checked
    };
    std::map<std::string, QString, std::less<>> textosPainel_;
    std::map<std::string, ListaGuardada, std::less<>> listasPainel_;
};

}  // namespace vestamar
