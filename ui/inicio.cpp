// Start-up and shutdown: the window opens with the saved parameters shown and both columns
// calculated; `Sair` saves the parameters and closes it.

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QScopedValueRollback>
#include <QStringDecoder>
#include <QTimer>

#include <string_view>
#include <type_traits>

#include "caminhos.h"
#include "etextctl.h"
#include "frmcalcprod.h"
#include "impressora.h"
#include "layout_janela.h"
#include "parametros_janela.h"
#include "simulador.h"
#include "tabelas2026.h"

namespace vestamar {

namespace {

// The window's caption: two blanks and forty more between the name and the version, which is
// the project's (CMakeLists.txt) as two numbers of two digits: 3.2 is "03_02".
const QString kLegenda = qtexto(kNomePrograma) + QString(42, u' ') +
                         QStringLiteral("Versão %1_%2")
                             .arg(VESTAMAR_VERSAO_MAIOR, 2, 10, QChar(u'0'))
                             .arg(VESTAMAR_VERSAO_MENOR, 2, 10, QChar(u'0'));

}  // namespace

bool Simulador::iniciar() {
    if (!abrirArquivo()) return false;
    mostrarInicio();
    return true;
}

bool Simulador::abrirArquivo() {
    if (!conjuntoLido_) {
        ilegiveis_ = lerParametros(pastaPadroes_.empty() ? pasta_ : pastaPadroes_, estado_, sep_).ilegiveis;
        std::error_code ec;
        semArquivo_ = !std::filesystem::exists(caminhoDoConjunto(arquivo_), ec);
    }
    if (!travarArquivo()) {
        const int r =
            fazerPergunta({QStringLiteral("Outra cópia do programa está usando o arquivo de parâmetros \"%1\".\n\n"
                                          "Se continuar, os parâmetros desta cópia só serão gravados ao sair se você "
                                          "confirmar, para não apagar os da outra.")
                               .arg(caminhoArquivo()),
                           {QStringLiteral("Continuar"), QStringLiteral("Sair")},
                           1});
        if (r != 0) return false;
    }
    atualizarLegenda();
    janela_.setFixedWidth(FrmCalcProd::pixels(kLarguraInicialTwips));
    return true;
}

void Simulador::mostrarInicio() {
    if (!janela_.controlesMontados()) {
        janela_.montarControles();
        conectar();
    }
    moverEsquerda("Titulo", 0);
    preencherListas();
    estado_.montarTabelaIR();
    mostrarParametros();
    {
        // "Mensal" shows the monthly productions; the run below calculates.
        const QScopedValueRollback calmo(mostrandoParametros_, true);
        janela_.escolher("selecModalidade", 0);
    }
    calcular();
    marcarGravado();
    lembrarConjunto();
    // Once the window is up, the user hears of lines of the file that could not be read.
    QTimer::singleShot(0, this, &Simulador::avisarLinhasIlegiveis);
}

void Simulador::mostrarParametros() {
    {
        const QScopedValueRollback calmo(mostrandoParametros_, true);
        for (const ParametroJanela& p : parametrosJanela()) {
            if (p.exibicao == Exibicao::PelaModalidade || p.exibicao == Exibicao::Nenhuma) continue;
            comCampo(estado_, p.chaveArquivo().campo, [&](const auto& noEstado) {
                using T = std::remove_cvref_t<decltype(noEstado)>;
                const T valor = noEstado;
                if (p.ehLista()) {
                    if constexpr (std::is_same_v<T, std::int16_t>) mostrarIndice(p.controle, valor);
                    return;
                }
                std::string texto;
                if (p.exibicao == Exibicao::Formato) {
                    if constexpr (!std::is_same_v<T, std::int16_t>)
                        texto = formatarPadrao(valor, p.formatoInicio, sep_);
                } else if constexpr (std::is_same_v<T, std::int16_t>) {
                    texto = textoInteiro(valor);
                } else if constexpr (std::is_same_v<T, double>) {
                    texto = textoNumero(valor, sep_);
                }
                escreverTexto(p.controle, texto);
                // The state holds what the field shows, also when the text happened to be
                // the one already shown and so ran no handler (0.001 shown as 0,00 is 0).
                armazenar(p);
            });
        }
    }
}

void Simulador::carregarTabelas2026() {
    const int r = fazerPergunta(
        {QStringLiteral("Preencher as tabelas com os valores de 2026 (faixas do IR, desconto por dependente, "
                        "teto do INSS, desconto simplificado e redução do IR)?\n\n"
                        "Os valores que estão no painel serão substituídos."),
         {QStringLiteral("Sim"), QStringLiteral("Não")},
         1});
    if (r != 0) return;
    aplicarTabelas2026(estado_);
    // The panel stays open with the new values in its fields; like any other edit of the
    // panel, they reach the columns at the next calculation.
    mostrarParametros();
}

QString Simulador::caminhoArquivo() const { return textoCaminho(caminhoDoConjunto(arquivo_)); }

void Simulador::atualizarLegenda() {
    std::error_code ec;
    const std::filesystem::path padrao = pasta_ / kNomeArquivo;
    const bool ehPadrao = arquivo_ == padrao || std::filesystem::equivalent(arquivo_, padrao, ec);
    janela_.setWindowTitle(ehPadrao ? kLegenda : kLegenda + QStringLiteral(" — ") + textoCaminho(arquivo_.filename()));
    // The printed page names the open set in its footer.
    janela_.setProperty(kPropriedadeArquivo, caminhoArquivo());
}

QString Simulador::textoCaminho(const std::filesystem::path& caminho) {
    // With the system's own separators: on Windows a path joined from a folder Qt named with
    // '/' and a file name would otherwise read "C:/pasta\\vestaMar.ini".
    return QDir::toNativeSeparators(textoDoCaminho(caminho));
}

void Simulador::avisarLinhasIlegiveis() {
    QString aviso;
    if (semArquivo_) {
        aviso = QStringLiteral(
                    "Não foi possível criar o arquivo de parâmetros \"%1\": as alterações não "
                    "poderão ser gravadas ao sair.")
                    .arg(caminhoArquivo());
        if (!pastaPadroes_.empty()) {
            aviso += QStringLiteral(" Os valores mostrados são os de \"%1\".")
                         .arg(textoCaminho(vestamar::caminhoArquivo(pastaPadroes_)));
        }
    }
    if (!ilegiveis_.empty()) {
        QString linhas;
        for (const LinhaIlegivel& l : ilegiveis_) {
            // The line as the user wrote it: UTF-8, or a single-byte code page of Windows.
            QStringDecoder utf8(QStringDecoder::Utf8);
            QString texto = utf8(QByteArray::fromStdString(l.linha));
            if (utf8.hasError()) texto = QString::fromLatin1(l.linha);
            if (texto.size() > 60) texto = texto.left(59) + QStringLiteral("…");
            linhas += QStringLiteral("\n    %1").arg(texto);
        }
        if (!aviso.isEmpty()) aviso += QStringLiteral("\n\n");
        aviso +=
            QStringLiteral(
                "Algumas linhas do arquivo de parâmetros \"%1\" não puderam ser lidas ou não são "
                "parâmetros do programa:\n%2\n\n"
                "Os parâmetros dessas linhas começam em 0. Ao sair, o arquivo como está hoje será "
                "guardado em \"%1%3\".")
                .arg(pastaPadroes_.empty() ? caminhoArquivo() : textoCaminho(vestamar::caminhoArquivo(pastaPadroes_)),
                     linhas, qtexto(kExtensaoCopia));
    }
    if (aviso.isEmpty()) return;
    fazerPergunta({aviso, {QStringLiteral("OK")}, 0});
}

void Simulador::usarTrava(std::unique_ptr<TravaDoArquivo> trava) { trava_ = std::move(trava); }

bool Simulador::travarArquivo() {
    if (semTrava_) return true;
    if (!trava_) trava_ = std::make_unique<TravaDoArquivo>(caminhoDoConjunto(arquivo_));
    return trava_->travar();
}

bool Simulador::gravarComOutraCopia(bool& ficar) {
    const int r =
        fazerPergunta({QStringLiteral("Outra cópia do programa está usando o arquivo de parâmetros \"%1\".\n\n"
                                      "Gravar os parâmetros desta cópia por cima dos dela?")
                           .arg(caminhoArquivo()),
                       {QStringLiteral("Gravar"), QStringLiteral("Sair sem gravar"), QStringLiteral("Cancelar")},
                       2});
    ficar = r == 2;
    return r == 0;
}

bool Simulador::gravarConjuntoAberto(const QString& semGravar) {
    bool gravar = true;
    if (!travarArquivo()) {
        bool ficar = false;
        gravar = gravarComOutraCopia(ficar);
        if (ficar) return false;
    }
    if (!gravar) return true;
    // Lines of the file that could not be read are dropped by this save: the file as the
    // user wrote it is kept beside it first.
    if (!ilegiveis_.empty()) copiarConjunto(arquivo_);
    const ResultadoGravacao r = gravarConjunto(Conteudo::Estado, arquivo_, estado_, sep_);
    if (r.ok) {
        marcarGravado();
        return true;
    }
    const int resposta = fazerPergunta({QStringLiteral("Não foi possível gravar os parâmetros em \"%1\":\n%2\n\n%3")
                                            .arg(textoCaminho(r.arquivo), QString::fromStdString(r.motivo), semGravar),
                                        {QStringLiteral("Sim"), QStringLiteral("Não")},
                                        1});
    return resposta == 0;
}

void Simulador::sair() {
    if (!gravarConjuntoAberto(QStringLiteral("Sair sem gravar? As alterações desta sessão serão perdidas."))) return;
    janela_.close();
    QCoreApplication::quit();
}

}  // namespace vestamar
