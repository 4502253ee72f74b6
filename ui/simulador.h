#pragma once
// The working program: the window's behaviour around the simulation state.
//
// Simulador owns the state and attaches itself to a built window `frmcalcProd`: one handler
// per entry field on its `Change` signal, the modality and option lists, the buttons, the
// start-up sequence and `Sair`. It is also the calculation's view of the window.

#include <QObject>
#include <QString>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "arquivo_parametros.h"
#include "calculo.h"
#include "parametros.h"
#include "texto_numero.h"

class QComboBox;
class QWidget;

namespace vestamar {

class ETextctl;
class FrmCalcProd;
struct Manipulador;

class Simulador : public QObject, public VisaoCalculo {
    Q_OBJECT

public:
    // `pasta` is the folder of vestaMar.ini (the executable's folder in the program).
    Simulador(FrmCalcProd& janela, std::filesystem::path pasta, Separadores sep,
              QObject* parent = nullptr);

    // The start-up sequence: reads the file, prepares the window, shows every parameter and
    // calculates. The window is then ready to be shown.
    void iniciar();

    ParametrosSimulacao& estado() { return estado_; }
    const ParametrosSimulacao& estado() const { return estado_; }
    const Separadores& separadores() const { return sep_; }

    // Runs the calculation of both scenarios over the window.
    void calcular();
    // `Tabelas`: opens the parameter-tables panel over the columns.
    void abrirTabelas();
    // `Sair`: saves the parameters and closes the window; when the file cannot be written
    // the user chooses between leaving without saving and staying.
    void sair();
    // Rearranges the window for a modality: 0 "Mensal", anything else "Plantões".
    void ajustarModalidade(int modalidade);
    // Writes every parameter of the state into its entry field or list.
    void mostrarParametros();

    // Seams for the tests: the failure dialog of a run, and the question asked when `Sair`
    // cannot save (true: leave without saving).
    std::function<void()> mostrarFalha;
    std::function<bool(const QString& mensagem)> perguntarSairSemGravar;

    // The calculation's view of the window.
    std::string lerTexto(std::string_view campo) override;
    void escreverTexto(std::string_view campo, const std::string& texto) override;
    int lerIndice(std::string_view lista) override;
    void mostrarResultados() override;
    void informarFalha() override;

private:
    void conectar();
    void aoMudarCampo(const Manipulador& m);
    // Stores the field's text into its state field; false when the text does not convert.
    bool armazenar(const Manipulador& m);
    void passosA();
    void passosB();
    void aoMudarModalidade();
    void preencherListas();
    void conectarListas();
    // Selects a list's item; an index with no item leaves the list without a choice.
    void mostrarIndice(std::string_view lista, std::int16_t indice);
    void escrever(std::string_view campo, const QString& texto);
    ETextctl& campo(std::string_view nome) const;
    QComboBox& lista(std::string_view nome) const;
    QWidget& controle(std::string_view nome) const;
    void moverTopo(std::string_view nome, int topoTwips);
    void moverEsquerda(std::string_view nome, int esquerdaTwips);

    FrmCalcProd& janela_;
    std::filesystem::path pasta_;
    Separadores sep_;
    ParametrosSimulacao estado_;
    // A write by the night-hours steps into the partner field: that field's handler stores
    // the value and starts no steps back the other way.
    bool escrevendoDePassosA_ = false;
    bool escrevendoDePassosB_ = false;
    // While start-up fills the fields, the handlers store but do not calculate: the runs at
    // the end of start-up calculate once every field holds its value.
    bool mostrandoParametros_ = false;
};

}  // namespace vestamar
