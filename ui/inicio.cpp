// Start-up and shutdown: the window opens with the saved parameters shown and both columns
// calculated; `Sair` saves the parameters and closes it.

#include <QComboBox>
#include <QCoreApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QScopedValueRollback>

#include <array>
#include <string_view>
#include <type_traits>
#include <variant>

#include "etextctl.h"
#include "frmcalcprod.h"
#include "manipuladores.h"
#include "simulador.h"

namespace vestamar {

namespace {

using P = ParametrosSimulacao;

// How a parameter is shown: with a display pattern, as a plain number (plain integer for
// an integer field), or as the selected item of a list.
inline constexpr std::string_view kTextoSimples = "";
inline constexpr std::string_view kIndiceLista = "indice";

struct LinhaMostrar {
    std::string_view controle;
    CampoParametro origem;
    std::string_view forma;  // a pattern, kTextoSimples or kIndiceLista
};

// The parameters in the order they are shown. The night hours are written before the
// shift's length: the length's handler rewrites the factor from the hours the field shows,
// so in the other order the saved hours and factor would be replaced by 0.
constexpr std::array<LinhaMostrar, 53> kMostrar{{
    {"percTxMan", &P::percTxMan, "0.00"},
    {"percTxMan2", &P::percTxMan2, "0.00"},
    {"percTxAdm", &P::percTxAdm, "0.00"},
    {"percTxAdm2", &P::percTxAdm2, "0.00"},
    {"aPartir1", &P::aPartir1, "#,##0.00"},
    {"percentIR1", &P::percentIR1, "0.0"},
    {"Desconto1", &P::Desconto1, "#,##0.00"},
    {"aPartir2", &P::aPartir2, "#,##0.00"},
    {"percentIR2", &P::percentIR2, "0.0"},
    {"Desconto2", &P::Desconto2, "#,##0.00"},
    {"aPartir3", &P::aPartir3, "#,##0.00"},
    {"percentIR3", &P::percentIR3, "0.0"},
    {"Desconto3", &P::Desconto3, "#,##0.00"},
    {"aPartir4", &P::aPartir4, "#,##0.00"},
    {"percentIR4", &P::percentIR4, "0.0"},
    {"Desconto4", &P::Desconto4, "#,##0.00"},
    {"abatDep", &P::abatDep, "#,##0.00"},
    {"tetoINSS", &P::tetoINSS, "#,##0.00"},
    {"percINSS", &P::percINSS, "0.00"},
    {"percentIrrf", &P::percentIrrf, "0.00"},
    {"percentISS", &P::percentISS, "0.00"},
    {"percentPis", &P::percentPis, "0.00"},
    {"percentCofins", &P::percentCofins, "0.00"},
    {"percDAR", &P::percDAR, "0.00"},
    {"percDAR2", &P::percDAR2, "0.00"},
    {"percDSR", &P::percDSR, "0.00"},
    {"QuantDias", &P::quantDias, kTextoSimples},
    {"QuantDias2", &P::quantDias2, kTextoSimples},
    {"QuantHorasDia", &P::quantHorasDia, kTextoSimples},
    {"HorasNoturnas", &P::horasNoturnas, kTextoSimples},
    {"QuantHorasDia2", &P::quantHorasDia2, kTextoSimples},
    {"ValorHora", &P::valorHora, "#,##0.00"},
    {"ValorHora2", &P::valorHora2, "#,##0.00"},
    {"valorAjCusto", &P::valAjuda, "#,##0.00"},
    {"valorAjCusto2", &P::valAjuda2, "#,##0.00"},
    {"quantDeps", &P::quantDeps, kTextoSimples},
    {"InssTerc", &P::inssTerc, "#,##0.00"},
    {"incideTxAdmProd", &P::itaProd, kIndiceLista},
    {"incideTxAdmDAR", &P::itaDAR, kIndiceLista},
    {"incideTxAdmAjuda", &P::itaAjuda, kIndiceLista},
    {"percInsalub", &P::percInsalub, "0.00"},
    {"percPeric", &P::percPeric, "0.00"},
    {"fatorInsalub", &P::fatorInsalub, "0.00"},
    {"fatorPeric", &P::fatorPeric, "0.00"},
    {"tetoInsalub", &P::tetoInsalub, "#,##0.00"},
    {"incideISS", &P::incideISS, kIndiceLista},
    {"percNoturno", &P::percNoturno, "0.00"},
    {"percExtra", &P::percExtra, "0.00"},
    {"fatorNoturno", &P::fatorNoturno, "0.00"},
    {"fatorExtra", &P::fatorExtra, "0.00"},
    {"percSeg", &P::percSeg, "0.00"},
    {"percSeg2", &P::percSeg2, "0.00"},
    {"selecBaseDSR", &P::baseDSR, kIndiceLista},
}};

// The window's caption: two blanks and forty more between the name and the version.
const QString kLegenda = QStringLiteral("vestaMar - Simulação de Resultados") + QString(42, u' ') +
                         QStringLiteral("Versão 03_02");

inline constexpr int kLarguraInicialTwips = 7700;

}  // namespace

void Simulador::iniciar() {
    lerParametros(pasta_, estado_, sep_);
    janela_.setWindowTitle(kLegenda);
    janela_.setFixedWidth(FrmCalcProd::pixels(kLarguraInicialTwips));
    controle("Frame1").hide();
    moverEsquerda("Titulo", 0);
    preencherListas();
    estado_.montarTabelaIR();
    mostrarParametros();
    calcular();
}

void Simulador::mostrarParametros() {
    {
        const QScopedValueRollback calmo(mostrandoParametros_, true);
        for (const LinhaMostrar& linha : kMostrar) {
            std::visit(
                [&](auto membro) {
                    using T = std::remove_reference_t<decltype(estado_.*membro)>;
                    const T valor = estado_.*membro;
                    if (linha.forma == kIndiceLista) {
                        if constexpr (std::is_same_v<T, std::int16_t>) mostrarIndice(linha.controle, valor);
                        return;
                    }
                    std::string texto;
                    if (!linha.forma.empty()) {
                        if constexpr (!std::is_same_v<T, std::int16_t>) texto = formatarPadrao(valor, linha.forma, sep_);
                    } else if constexpr (std::is_same_v<T, std::int16_t>) {
                        texto = textoInteiro(valor);
                    } else if constexpr (std::is_same_v<T, double>) {
                        texto = textoNumero(valor, sep_);
                    }
                    escreverTexto(linha.controle, texto);
                    // The state holds what the field shows, also when the text happened to be
                    // the one already shown and so ran no handler (0.001 shown as 0,00 is 0).
                    if (const Manipulador* m = manipuladorDe(linha.controle)) armazenar(*m);
                },
                linha.origem);
        }
    }
    lista("selecModalidade").setCurrentIndex(0);
}

void Simulador::sair() {
    const ResultadoGravacao r = gravarParametros(Conteudo::Estado, pasta_, estado_, sep_);
    if (!r.ok) {
        const QString caminho = QString::fromStdU16String((pasta_ / kNomeArquivo).u16string());
        const QString mensagem =
            QStringLiteral("Não foi possível gravar os parâmetros em \"%1\":\n%2\n\n"
                           "Sair sem gravar? As alterações desta sessão serão perdidas.")
                .arg(caminho, QString::fromStdString(r.motivo));
        bool sairSemGravar = false;
        if (perguntarSairSemGravar) {
            sairSemGravar = perguntarSairSemGravar(mensagem);
        } else {
            QMessageBox caixa(QMessageBox::Warning, QStringLiteral("Atenção !"), mensagem,
                              QMessageBox::NoButton, &janela_);
            QPushButton* sim = caixa.addButton(QStringLiteral("Sim"), QMessageBox::YesRole);
            caixa.addButton(QStringLiteral("Não"), QMessageBox::NoRole);
            caixa.exec();
            sairSemGravar = caixa.clickedButton() == sim;
        }
        if (!sairSemGravar) return;
    }
    janela_.close();
    QCoreApplication::quit();
}

}  // namespace vestamar
