#pragma once
// The working program: the window's behaviour around the simulation state.
//
// Simulador owns the state and attaches itself to a built window `frmcalcProd`: one handler
// per entry field on its `Change` signal, the modality and option lists, the buttons, the
// start-up sequence and `Sair`. It is also the calculation's view of the window.

#include <QObject>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "arquivo_parametros.h"
#include "calculo.h"
#include "memoria.h"
#include "parametros.h"
#include "texto_numero.h"
#include "trava.h"

class QComboBox;
class QWidget;

namespace vestamar {

class ETextctl;
class FrmCalcProd;
class JanelaMemoria;
struct ParametroJanela;

class Simulador : public QObject, public VisaoCalculo {
    Q_OBJECT

public:
    // `pasta` is the folder of vestaMar.ini (the executable's folder in the program).
    Simulador(FrmCalcProd& janela, std::filesystem::path pasta, Separadores sep, QObject* parent = nullptr);
    ~Simulador() override;

    // The start-up sequence: reads the file, prepares the window, shows every parameter and
    // calculates. The window is then ready to be shown. False when the user chose to leave at
    // once (another copy of the program is using the same file).
    bool iniciar();
    // The same in two halves, for a window whose controls are made once it is shown:
    // abrirArquivo reads the file, takes its lock (asking when another copy holds it: false
    // when the user chose to leave) and gives the window its caption and width;
    // mostrarInicio makes the window's controls if not yet made, shows every parameter and
    // calculates.
    bool abrirArquivo();
    void mostrarInicio();
    // The lock of this file, made (and so started) before the window was built; without one,
    // iniciar() makes it.
    void usarTrava(std::unique_ptr<TravaDoArquivo> trava);
    // The folder of the administrator's file, read at start-up instead of the user's, which
    // does not exist and could not be created (the user's changes cannot be saved).
    void lerPadroesDe(std::filesystem::path pasta) { pastaPadroes_ = std::move(pasta); }

    ParametrosSimulacao& estado() { return estado_; }
    const ParametrosSimulacao& estado() const { return estado_; }
    const Separadores& separadores() const { return sep_; }

    // Runs the calculation of both scenarios over the window; each result field then shows how
    // its figure was reached when the mouse rests on it.
    void calcular();
    // The working of every result of the last run.
    const MemoriaCalculo& memoria() const { return memoria_; }
    // "Memória de cálculo" (F2, and the window's context menu): the workings of every result in
    // a window of their own, which follows the calculations while it is open.
    void abrirMemoria();
    // `Tabelas`: opens the parameter-tables panel over the columns, the keyboard focus on its
    // first field.
    void abrirTabelas();
    // "Tabelas 2026": after the user confirms, fills the panel with the income-tax tables,
    // INSS ceiling, simplified discount and reduction of 2026; the panel stays open showing
    // them, and the columns take them at the next calculation.
    void carregarTabelas2026();
    // `Sair`: saves the parameters and closes the window; when the file cannot be written
    // the user chooses between leaving without saving and staying.
    void sair();
    // Tells the user, once after start-up, what start-up found: that the file could not be
    // created (the changes of this run cannot be saved) and which lines of the file could not
    // be read or are no parameters of the program, if any.
    void avisarLinhasIlegiveis();
    // Rearranges the window for a modality: 0 "Mensal", anything else "Plantões".
    void ajustarModalidade(int modalidade);
    // Writes every parameter of the state into its entry field or list.
    void mostrarParametros();

    // A message to the user, with the buttons offered (the first is at the left) and the one
    // that Enter presses.
    struct Pergunta {
        QString texto;
        QStringList botoes;
        int comEnter = 0;
    };

    // Seams for the tests: the failure dialog of a run, and every other message or question
    // (the answer is the index of the button pressed).
    std::function<void()> mostrarFalha;
    std::function<int(const Pergunta&)> perguntar;
    // Seam for the tests: called by each run just before it lets the window repaint, where
    // a test makes the run slow or types into it.
    std::function<void()> duranteCalculo;

    // The calculation's view of the window.
    std::string lerTexto(std::string_view campo) override;
    void escreverTexto(std::string_view campo, const std::string& texto) override;
    int lerIndice(std::string_view lista) override;
    void mostrarResultados() override;
    void informarFalha() override;

private:
    void conectar();
    // Each result field's tooltip and accessible description: its working in the last run; a
    // figure the last run did not produce is shown as not current.
    void mostrarMemorias();
    // A field of the columns was left without a number: the calculation runs without the
    // failure dialog (only `Calcular` shows it), so that the figures it could not produce are
    // shown as not current and their workings say why.
    void calcularSemAviso();
    int fazerPergunta(const Pergunta& p);
    // The parameter file's path (links followed), as the user reads it.
    QString caminhoArquivo() const;
    static QString textoCaminho(const std::filesystem::path& caminho);
    // The file's lock (see usarTrava): taken at start-up, and again at `Sair` when another
    // copy had it then. False when another running copy holds it.
    bool travarArquivo();
    // `Sair` with the file locked by another copy: true to save all the same; sets `ficar`
    // when the user would rather stay.
    bool gravarComOutraCopia(bool& ficar);
    void aoMudarCampo(const ParametroJanela& m);
    // Stores the field's text into its state field; false when the text does not convert.
    bool armazenar(const ParametroJanela& m);
    void aoMudarModalidade();
    void preencherListas();
    void conectarListas();
    // Selects a list's item; an index with no item leaves the list without a choice.
    void mostrarIndice(std::string_view lista, std::int16_t indice);
    void escrever(std::string_view campo, const QString& texto);
    ETextctl& campo(std::string_view nome) const;
    QWidget& controle(std::string_view nome) const;
    // While the panel is open, the window's fields and lists under it take no focus; closing
    // it gives each its focus back.
    void cobrirColunas(bool cobrir);
    void moverTopo(std::string_view nome, int topoTwips);
    void moverEsquerda(std::string_view nome, int esquerdaTwips);

    FrmCalcProd& janela_;
    std::filesystem::path pasta_;
    Separadores sep_;
    ParametrosSimulacao estado_;
    // A write of the night hours from the factor, or of the factor from the hours, into the
    // partner field: that field's handler stores the value and works out nothing back.
    bool escrevendoHorasDoFator_ = false;
    bool escrevendoFatorDasHoras_ = false;
    // While start-up fills the fields, the handlers store but do not calculate: the runs at
    // the end of start-up calculate once every field holds its value.
    bool mostrandoParametros_ = false;
    // The lines of the file that start-up could not read.
    std::vector<LinhaIlegivel> ilegiveis_;
    std::filesystem::path pastaPadroes_;
    // Start-up found no file of its own and could not create one.
    bool semArquivo_ = false;
    MemoriaCalculo memoria_;
    JanelaMemoria* janelaMemoria_ = nullptr;
    bool semAviso_ = false;  // the run under way tells no failure
    // Runs under way: a write of the run may start another from a field's handler.
    int execucoes_ = 0;
    // Held from start-up to the end while this copy is the only one using the file.
    std::unique_ptr<TravaDoArquivo> trava_;
    // The controls under the open panel, with the focus each had before.
    std::vector<std::pair<QWidget*, Qt::FocusPolicy>> focoDasColunas_;
};

}  // namespace vestamar
