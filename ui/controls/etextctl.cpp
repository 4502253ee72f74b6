#include "etextctl.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QPalette>
#include <QValidator>

#include <optional>
#include <string>

#include "regional.h"
#include "texto_numero.h"

namespace vestamar {

namespace {

// What the user may type: digits, the regional decimal and group marks, a leading minus.
class FiltroNumerico : public QValidator {
public:
    using QValidator::QValidator;

    State validate(QString& texto, int& /*posicao*/) const override {
        const QLocale local = QLocale::system();
        const QString marcas = local.decimalPoint() + local.groupSeparator();
        for (qsizetype i = 0; i < texto.size(); ++i) {
            const QChar c = texto.at(i);
            if (c >= u'0' && c <= u'9') continue;
            if (c == u'-' && i == 0) continue;
            if (marcas.contains(c)) continue;
            return Invalid;
        }
        return Acceptable;
    }
};

// The digits of a number's text without sign, group marks or insignificant zeros, to tell
// whether two texts stand for the same decimal value. Empty when the text is not a plain
// decimal number.
struct ValorDecimal {
    bool negativo = false;
    std::string inteiro;
    std::string fracao;
    bool operator==(const ValorDecimal&) const = default;
};

std::optional<ValorDecimal> valorDecimal(const std::string& texto, const Separadores& sep) {
    ValorDecimal v;
    std::size_t i = 0;
    if (!texto.empty() && (texto[0] == '-' || texto[0] == '+')) {
        v.negativo = texto[0] == '-';
        i = 1;
    }
    bool naFracao = false;
    while (i < texto.size()) {
        const char c = texto[i];
        if (c >= '0' && c <= '9') {
            (naFracao ? v.fracao : v.inteiro).push_back(c);
            ++i;
        } else if (!naFracao && !sep.decimal.empty() && texto.compare(i, sep.decimal.size(), sep.decimal) == 0) {
            naFracao = true;
            i += sep.decimal.size();
        } else if (!naFracao && !sep.grupo.empty() && texto.compare(i, sep.grupo.size(), sep.grupo) == 0) {
            i += sep.grupo.size();
        } else {
            return std::nullopt;
        }
    }
    const auto primeiro = v.inteiro.find_first_not_of('0');
    v.inteiro.erase(0, primeiro == std::string::npos ? v.inteiro.size() : primeiro);
    const auto ultimo = v.fracao.find_last_not_of('0');
    v.fracao.erase(ultimo == std::string::npos ? 0 : ultimo + 1);
    if (v.inteiro.empty() && v.fracao.empty()) v.negativo = false;  // -0 is 0
    return v;
}

// The user's text in the field's pattern, when it is a number and the pattern shows
// exactly its value.
std::optional<QString> textoNoPadrao(const QString& texto, const QString& padrao) {
    if (padrao.isEmpty()) return std::nullopt;
    const Separadores sep = separadoresDoSistema();
    const std::string digitado = texto.toStdString();
    const std::optional<double> valor = lerDouble(digitado, sep);
    if (!valor) return std::nullopt;
    const std::string formatado = formatarPadrao(*valor, padrao.toStdString(), sep);
    const auto antes = valorDecimal(digitado, sep);
    const auto depois = valorDecimal(formatado, sep);
    if (!antes || !depois || !(*antes == *depois)) return std::nullopt;
    return QString::fromStdString(formatado);
}

Qt::PenStyle estiloDaBorda(int padrao) {
    switch (padrao) {
        case ETextctl::BordaSolida: return Qt::SolidLine;
        case ETextctl::BordaTracejada: return Qt::DashLine;
        case ETextctl::BordaPontilhada: return Qt::DotLine;
        case ETextctl::BordaTracoPonto: return Qt::DashDotLine;
        default: return Qt::NoPen;
    }
}

}  // namespace

ETextctl::ETextctl(QWidget* parent) : QLineEdit(parent) {
    setFrame(false);
    setTextMargins(1, 1, 1, 1);
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setAutoFillBackground(true);
    setValidator(new FiltroNumerico(this));
    setMaxlength(0);
    m_normalfont = m_focusfont = font();
    connect(this, &QLineEdit::textEdited, this, [this] { m_mudancaDoUsuario = true; });
    connect(this, &QLineEdit::textChanged, this, &ETextctl::aoMudarTexto);
    aplicarVisual();
}

void ETextctl::aoMudarTexto(const QString& texto) {
    const bool doUsuario = m_mudancaDoUsuario;
    m_mudancaDoUsuario = false;
    if (texto == m_textoAnunciado) return;
    m_textoAnunciado = texto;
    // A write by the program makes the text the program's again: it is shown as written.
    m_editadoPeloUsuario = doUsuario;
    emit Change();
}

void ETextctl::setMaxlength(int comprimento) {
    m_maxlength = comprimento < 0 ? 0 : comprimento;
    setMaxLength(m_maxlength == 0 ? 32767 : m_maxlength);
}

void ETextctl::setPasswordchar(const QString& mascara) {
    m_passwordchar = mascara;
    setEchoMode(mascara.isEmpty() ? QLineEdit::Normal : QLineEdit::Password);
}

// A look of the other state (with or without focus) shows only when the focus changes.
void ETextctl::setNormalfont(const QFont& fonte) { m_normalfont = fonte; if (!m_comFoco) aplicarVisual(); }
void ETextctl::setFocusfont(const QFont& fonte) { m_focusfont = fonte; if (m_comFoco) aplicarVisual(); }
void ETextctl::setNormalfontcolor(const QColor& cor) { m_normalfontcolor = cor; if (!m_comFoco) aplicarVisual(); }
void ETextctl::setFocusfontcolor(const QColor& cor) { m_focusfontcolor = cor; if (m_comFoco) aplicarVisual(); }
void ETextctl::setBackcolor(const QColor& cor) { m_backcolor = cor; if (!m_comFoco) aplicarVisual(); }
void ETextctl::setFocusbackcolor(const QColor& cor) { m_focusbackcolor = cor; if (m_comFoco) aplicarVisual(); }
void ETextctl::setNormalbordercolor(const QColor& cor) { m_normalbordercolor = cor; update(); }
void ETextctl::setFocusbordercolor(const QColor& cor) { m_focusbordercolor = cor; update(); }
void ETextctl::setNormalborderpattern(int padrao) { m_normalborderpattern = padrao; update(); }
void ETextctl::setFocusborderpattern(int padrao) { m_focusborderpattern = padrao; update(); }

void ETextctl::aplicarVisual() {
    // Font and palette changes ripple through the style, so only real changes are made: the
    // window builds 81 fields at start-up.
    const QFont& fonte = m_comFoco ? m_focusfont : m_normalfont;
    if (!(font() == fonte)) setFont(fonte);
    QPalette paleta = palette();
    const QColor fundo = m_comFoco ? m_focusbackcolor : m_backcolor;
    const QColor tinta = m_comFoco ? m_focusfontcolor : m_normalfontcolor;
    for (const auto grupo : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        paleta.setColor(grupo, QPalette::Base, fundo);
        paleta.setColor(grupo, QPalette::Window, fundo);
        paleta.setColor(grupo, QPalette::Text, tinta);
    }
    if (!(paleta == palette())) setPalette(paleta);
    update();
}

void ETextctl::focusInEvent(QFocusEvent* evento) {
    QLineEdit::focusInEvent(evento);
    m_comFoco = true;
    aplicarVisual();
    if (!m_onfocusselect && hasSelectedText()) {
        deselect();
        end(false);
    } else if (m_onfocusselect) {
        selectAll();
    }
}

void ETextctl::focusOutEvent(QFocusEvent* evento) {
    const Qt::FocusReason motivo = evento->reason();
    // A popup or another window (a message, a dialog) taking the focus is not the user
    // leaving the field: the text must be there, as typed, when the focus comes back.
    const bool saiu = motivo != Qt::PopupFocusReason && motivo != Qt::ActiveWindowFocusReason;
    if (saiu) concluirEdicao();
    QLineEdit::focusOutEvent(evento);
    m_comFoco = false;
    aplicarVisual();
}

void ETextctl::concluirEdicao() {
    if (!m_editadoPeloUsuario) return;
    m_editadoPeloUsuario = false;
    if (const auto reescrito = textoNoPadrao(text(), m_textformat)) setText(*reescrito);
}

void ETextctl::keyPressEvent(QKeyEvent* evento) {
    const bool enter = evento->key() == Qt::Key_Return || evento->key() == Qt::Key_Enter;
    if (enter && (evento->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        concluirEdicao();
        if (m_enterexitkey) {
            focusNextChild();
            evento->accept();
            return;
        }
    }
    QLineEdit::keyPressEvent(evento);
}

void ETextctl::paintEvent(QPaintEvent* evento) {
    QLineEdit::paintEvent(evento);
    const Qt::PenStyle estilo = estiloDaBorda(m_comFoco ? m_focusborderpattern : m_normalborderpattern);
    if (estilo == Qt::NoPen) return;
    QPainter pintor(this);
    pintor.setPen(QPen(m_comFoco ? m_focusbordercolor : m_normalbordercolor, 1, estilo));
    pintor.setBrush(Qt::NoBrush);
    pintor.drawRect(rect().adjusted(0, 0, -1, -1));
}

}  // namespace vestamar
