#include "etextctl.h"

#include <QAccessibleWidget>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QLocale>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QValidator>
#include <QtMath>

#include <optional>
#include <string>

#include "regional.h"

namespace vestamar {

namespace {

// A pattern without a decimal part shows whole numbers.
bool padraoInteiro(const QString& padrao) { return !padrao.isEmpty() && !padrao.contains(u'.'); }

// What the user may type into the field: digits, its decimal and group marks, a leading minus;
// no decimal mark where the pattern shows whole numbers.
class FiltroNumerico : public QValidator {
public:
    explicit FiltroNumerico(ETextctl* campo) : QValidator(campo), campo_(campo) {}

    State validate(QString& texto, int& /*posicao*/) const override {
        const Separadores& sep = campo_->separadores();
        const QString decimal = padraoInteiro(campo_->textformat()) ? QString() : qtexto(sep.decimal);
        const QString grupo = qtexto(sep.grupo);
        qsizetype i = 0;
        if (texto.startsWith(u'-')) ++i;
        while (i < texto.size()) {
            if (texto.at(i) >= u'0' && texto.at(i) <= u'9') {
                ++i;
            } else if (!decimal.isEmpty() && QStringView(texto).sliced(i).startsWith(decimal)) {
                i += decimal.size();
            } else if (!grupo.isEmpty() && QStringView(texto).sliced(i).startsWith(grupo)) {
                i += grupo.size();
            } else {
                return Invalid;
            }
        }
        return Acceptable;
    }

private:
    const ETextctl* campo_;
};

// The user's text in the field's pattern, when it is a number and the pattern shows exactly
// the decimal value typed. Within the money range the text is formatted as money, exactly; a
// double would lose cents of large amounts ("300000000000000,01") or show another number.
std::optional<QString> textoNoPadrao(const QString& texto, const QString& padrao, const Separadores& sep) {
    if (padrao.isEmpty()) return std::nullopt;
    const std::string digitado = texto.toStdString();
    const std::string p = padrao.toStdString();
    std::string formatado;
    if (const auto dinheiro = lerMoney(digitado, sep)) {
        formatado = formatarPadrao(*dinheiro, p, sep);
    } else if (const auto real = lerDouble(digitado, sep)) {
        formatado = formatarPadrao(*real, p, sep);
    } else {
        return std::nullopt;
    }
    if (!mesmoValor(formatado, digitado, sep)) return std::nullopt;
    return qtexto(formatado);
}

// A pasted text without the blanks, tabs and line ends around it and a leading currency
// symbol: what a spreadsheet cell or a figure copied from a report brings along.
QString textoColado(QString texto) {
    texto = texto.trimmed();
    const QString simbolos[] = {QStringLiteral("R$"), QLocale::system().currencySymbol()};
    for (const QString& simbolo : simbolos) {
        if (!simbolo.isEmpty() && texto.startsWith(simbolo)) {
            texto = texto.sliced(simbolo.size()).trimmed();
            break;
        }
    }
    return texto;
}

// The numeric keypad's decimal key: a full stop or a comma by the keyboard layout, or Delete
// carrying the character.
bool teclaDecimalDoTeclado(const QKeyEvent* evento) {
    if (!(evento->modifiers() & Qt::KeypadModifier)) return false;
    return evento->key() == Qt::Key_Period || evento->key() == Qt::Key_Comma ||
           (evento->key() == Qt::Key_Delete && !evento->text().isEmpty() && evento->text().at(0).isPrint());
}

Qt::PenStyle estiloDaBorda(int estilo) {
    switch (estilo) {
        case ETextctl::BordaSolida: return Qt::SolidLine;
        case ETextctl::BordaTracejada: return Qt::DashLine;
        case ETextctl::BordaPontilhada: return Qt::DotLine;
        case ETextctl::BordaTracoPonto: return Qt::DashDotLine;
        default: return Qt::NoPen;
    }
}

// The font's size in pixels, also for a font sized in points.
int pixelsDaFonte(const QFont& fonte) {
    if (fonte.pixelSize() > 0) return fonte.pixelSize();
    return qRound(fonte.pointSizeF() * 96.0 / 72.0);
}

// What a screen reader is told of a field. Qt's own view of a line edit reports it editable
// even when it is read-only; a locked field (a result) is read-only here and offers no editing.
// Its name is the accessible name, its value the text shown, its description the working.
class ETextctlAcessivel : public QAccessibleWidget,
                          public QAccessibleTextInterface,
                          public QAccessibleEditableTextInterface {
public:
    explicit ETextctlAcessivel(ETextctl* campo) : QAccessibleWidget(campo, QAccessible::EditableText) {}

    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Value ? campo()->text() : QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override {
        QAccessible::State estado = QAccessibleWidget::state();
        estado.readOnly = campo()->isReadOnly();
        estado.editable = !campo()->isReadOnly();
        estado.selectableText = true;
        return estado;
    }
    void* interface_cast(QAccessible::InterfaceType tipo) override {
        if (tipo == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
        if (tipo == QAccessible::EditableTextInterface && !campo()->isReadOnly())
            return static_cast<QAccessibleEditableTextInterface*>(this);
        return QAccessibleWidget::interface_cast(tipo);
    }

    // The text, its selection and the cursor.
    void selection(int indice, int* inicio, int* fim) const override {
        *inicio = *fim = 0;
        if (indice != 0 || !campo()->hasSelectedText()) return;
        *inicio = campo()->selectionStart();
        *fim = *inicio + static_cast<int>(campo()->selectedText().size());
    }
    int selectionCount() const override { return campo()->hasSelectedText() ? 1 : 0; }
    void addSelection(int inicio, int fim) override { setSelection(0, inicio, fim); }
    void removeSelection(int) override { campo()->deselect(); }
    void setSelection(int, int inicio, int fim) override { campo()->setSelection(inicio, fim - inicio); }
    int cursorPosition() const override { return campo()->cursorPosition(); }
    void setCursorPosition(int posicao) override { campo()->setCursorPosition(posicao); }
    QString text(int inicio, int fim) const override { return campo()->text().mid(inicio, fim - inicio); }
    int characterCount() const override { return static_cast<int>(campo()->text().size()); }
    QRect characterRect(int) const override { return rect(); }
    int offsetAtPoint(const QPoint& ponto) const override {
        return campo()->cursorPositionAt(campo()->mapFromGlobal(ponto));
    }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int* inicio, int* fim) const override {
        *inicio = 0;
        *fim = characterCount();
        return {};
    }

    // Editing by assistive technology, as a paste would: the whole new text is written.
    void deleteText(int inicio, int fim) override { replaceText(inicio, fim, QString()); }
    void insertText(int posicao, const QString& texto) override { replaceText(posicao, posicao, texto); }
    void replaceText(int inicio, int fim, const QString& texto) override {
        if (campo()->isReadOnly()) return;
        campo()->setText(campo()->text().replace(inicio, fim - inicio, texto));
    }

private:
    ETextctl* campo() const { return static_cast<ETextctl*>(widget()); }
};

QAccessibleInterface* fabricaAcessivel(const QString& classe, QObject* objeto) {
    if (classe == QLatin1String(ETextctl::staticMetaObject.className()) && objeto && objeto->isWidgetType())
        return new ETextctlAcessivel(static_cast<ETextctl*>(objeto));
    return nullptr;
}

}  // namespace

ETextctl::ETextctl(QWidget* parent) : QLineEdit(parent), separadores_(separadoresDoSistema()) {
    static const bool acessivel = (QAccessible::installFactory(fabricaAcessivel), true);
    Q_UNUSED(acessivel);
    setFrame(false);
    setTextMargins(1, 1, 1, 1);
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setAutoFillBackground(true);
    setValidator(new FiltroNumerico(this));
    setMaxlength(0);
    normalfont_ = focusfont_ = font();
    connect(this, &QLineEdit::textEdited, this, [this] { mudancaDoUsuario_ = true; });
    connect(this, &QLineEdit::textChanged, this, &ETextctl::aoMudarTexto);
    aplicarVisual();
}

void ETextctl::aoMudarTexto() {
    const bool doUsuario = mudancaDoUsuario_;
    mudancaDoUsuario_ = false;
    ajustarAoTexto();
    // QLineEdit announces only real changes. The text last announced is not compared with:
    // a text written while the field's signals were blocked (the panel's first values) would
    // leave it behind, and a later write of the text it still held would store nothing.
    // A write by the program makes the text the program's again: it is shown as written.
    editadoPeloUsuario_ = doUsuario;
    emit Change();
}

void ETextctl::setMaxlength(int comprimento) {
    maxlength_ = comprimento < 0 ? 0 : comprimento;
    // Setting the same limit again still lays the text out again.
    const int limite = maxlength_ == 0 ? 32767 : maxlength_;
    if (maxLength() != limite) setMaxLength(limite);
}

// A look of the other state (with or without focus) shows only when the focus changes.
void ETextctl::setNormalfont(const QFont& fonte) {
    normalfont_ = fonte;
    if (!comFoco_) aplicarVisual();
}
void ETextctl::setFocusfont(const QFont& fonte) {
    focusfont_ = fonte;
    if (comFoco_) aplicarVisual();
}
void ETextctl::setNormalfontcolor(const QColor& cor) {
    normalfontcolor_ = cor;
    if (!comFoco_) aplicarCores();
}
void ETextctl::setFocusfontcolor(const QColor& cor) {
    focusfontcolor_ = cor;
    if (comFoco_) aplicarCores();
}
void ETextctl::setBackcolor(const QColor& cor) {
    backcolor_ = cor;
    if (!comFoco_) aplicarCores();
}
void ETextctl::setFocusbackcolor(const QColor& cor) {
    focusbackcolor_ = cor;
    if (comFoco_) aplicarCores();
}
void ETextctl::setNormalbordercolor(const QColor& cor) {
    normalbordercolor_ = cor;
    update();
}
void ETextctl::setFocusbordercolor(const QColor& cor) {
    focusbordercolor_ = cor;
    update();
}
void ETextctl::setNormalborderpattern(int estilo) {
    normalborderpattern_ = estilo;
    update();
}
void ETextctl::setFocusborderpattern(int estilo) {
    focusborderpattern_ = estilo;
    update();
}

void ETextctl::setDesatualizado(bool desatualizado) {
    if (desatualizado_ == desatualizado) return;
    desatualizado_ = desatualizado;
    aplicarVisual();
}

void ETextctl::setSemnumero(bool semNumero) {
    if (semnumero_ == semNumero) return;
    semnumero_ = semNumero;
    update();
}

QColor ETextctl::corDesatualizada(const QColor& fundo) {
    // Grey that keeps a contrast above 4,5:1 with white (4,54:1) and with black (6,4:1).
    return fundo.lightnessF() >= 0.5 ? QColor(0x75, 0x75, 0x75) : QColor(0x9E, 0x9E, 0x9E);
}

void ETextctl::aplicarVisual() {
    aplicarCores();
    ajustarAoTexto();
}

bool ETextctl::event(QEvent* evento) {
    const bool tratado = QLineEdit::event(evento);
    if (evento->type() == QEvent::Polish) {
        polido_ = true;
        aplicarCores();
    }
    return tratado;
}

void ETextctl::aplicarCores() {
    // Palette changes ripple through the style: the colours are given once the field is
    // polished, before it is first shown or drawn, and then only when they change. The window
    // builds dozens of fields, each setting its colours one by one.
    if (!polido_) return;
    QPalette paleta = palette();
    const QColor fundo = comFoco_ ? focusbackcolor_ : backcolor_;
    const QColor tinta = desatualizado_ ? corDesatualizada(fundo) : comFoco_ ? focusfontcolor_ : normalfontcolor_;
    for (const auto grupo : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        paleta.setColor(grupo, QPalette::Base, fundo);
        paleta.setColor(grupo, QPalette::Window, fundo);
        paleta.setColor(grupo, QPalette::Text, tinta);
    }
    if (!(paleta == palette())) setPalette(paleta);
    update();
}

QRect ETextctl::areaDoTexto() const {
    // As QLineEdit lays out its line: the style's contents, less the text margins and its
    // fixed inner margins of 2 pixels across and 1 down.
    QStyleOptionFrame opcao;
    initStyleOption(&opcao);
    const QRect conteudo =
        style()->subElementRect(QStyle::SE_LineEditContents, &opcao, this).marginsRemoved(textMargins());
    return conteudo.adjusted(2, 1, -2, -1);
}

void ETextctl::ajustarAoTexto() {
    // A field made but not yet shown has its resize event still to come; it is fitted then,
    // once, instead of at each of the font and text changes that come before it.
    if (!dimensionado_ && testAttribute(Qt::WA_PendingResizeEvent)) return;
    QFont base = comFoco_ ? focusfont_ : normalfont_;
    if (desatualizado_) base.setItalic(true);
    const QString texto = displayText();
    const int largura = areaDoTexto().width();
    // QLineEdit keeps one pixel beside the text for the cursor.
    const auto cabe = [&](const QFont& f) { return qCeil(QFontMetricsF(f).horizontalAdvance(texto)) + 1 <= largura; };
    QFont fonte = base;
    bool coube = cabe(fonte);
    for (int px = pixelsDaFonte(base) - 1; !coube && px >= kMenorFontePixels; --px) {
        fonte.setPixelSize(px);
        coube = cabe(fonte);
    }
    if (!(font() == fonte)) setFont(fonte);

    encurtado_ = !coube;
    // The whole text goes into the tooltip of a shortened field, unless the program has put
    // a tooltip there; only the field's own tooltip is ever replaced or cleared.
    const bool dicaDoPrograma = !toolTip().isEmpty() && toolTip() != dicaPropria_;
    if (dicaDoPrograma) {
        dicaPropria_.clear();
    } else {
        dicaPropria_ = encurtado_ ? texto : QString();
        if (toolTip() != dicaPropria_) setToolTip(dicaPropria_);
    }
}

void ETextctl::resizeEvent(QResizeEvent* evento) {
    QLineEdit::resizeEvent(evento);
    dimensionado_ = true;
    ajustarAoTexto();
}

void ETextctl::focusInEvent(QFocusEvent* evento) {
    QLineEdit::focusInEvent(evento);
    comFoco_ = true;
    aplicarVisual();
    // The focus back from a popup (the context menu) or another window leaves the selection
    // as the user left it: the menu's Paste or Cut works on it.
    const Qt::FocusReason motivo = evento->reason();
    if (motivo == Qt::PopupFocusReason || motivo == Qt::ActiveWindowFocusReason) return;
    if (!onfocusselect_ && hasSelectedText()) {
        deselect();
        end(false);
    } else if (onfocusselect_) {
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
    comFoco_ = false;
    aplicarVisual();
}

void ETextctl::concluirEdicao() {
    if (!editadoPeloUsuario_) return;
    editadoPeloUsuario_ = false;
    if (const auto reescrito = textoNoPadrao(text(), textformat_, separadores_)) setText(*reescrito);
}

void ETextctl::colar() { colarTexto(QGuiApplication::clipboard()->text(QClipboard::Clipboard)); }

void ETextctl::colarTexto(const QString& texto) {
    if (isReadOnly() || texto.isEmpty()) return;
    const QString limpo = textoColado(texto);
    // The field's text as the paste would leave it, put through the field's filter.
    QString resultado = text();
    if (hasSelectedText())
        resultado.replace(selectionStart(), selectedText().size(), limpo);
    else
        resultado.insert(cursorPosition(), limpo);
    int posicao = 0;
    const bool aceito = !limpo.isEmpty() && resultado.size() <= maxLength() &&
                        validator()->validate(resultado, posicao) != QValidator::Invalid;
    if (aceito)
        insert(limpo);
    else
        QApplication::beep();
}

void ETextctl::keyPressEvent(QKeyEvent* evento) {
    const bool enter = evento->key() == Qt::Key_Return || evento->key() == Qt::Key_Enter;
    if (enter && (evento->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        concluirEdicao();
        if (enterexitkey_) {
            focusNextChild();
            evento->accept();
            return;
        }
    }
    if (evento->matches(QKeySequence::Paste)) {
        colar();
        evento->accept();
        return;
    }
    if (teclaDecimalDoTeclado(evento)) {
        // Typed as the decimal mark itself would be typed, through the field's filter.
        const QString decimal = qtexto(separadores_.decimal);
        const int tecla = decimal.isEmpty() ? int(Qt::Key_unknown) : int(decimal.at(0).toUpper().unicode());
        QKeyEvent marca(QEvent::KeyPress, tecla, Qt::NoModifier, decimal, evento->isAutoRepeat(),
                        static_cast<quint16>(evento->count()));
        QLineEdit::keyPressEvent(&marca);
        evento->setAccepted(marca.isAccepted());
        return;
    }
    QLineEdit::keyPressEvent(evento);
}

void ETextctl::contextMenuEvent(QContextMenuEvent* evento) {
    QMenu* menu = createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    // The menu's Paste cleans the text as every other paste does. Qt names the action from
    // 6.5 on; before, it is the one showing the paste shortcut.
    const QString atalho = u'\t' + QKeySequence(QKeySequence::Paste).toString(QKeySequence::NativeText);
    for (QAction* acao : menu->actions()) {
        if (acao->objectName() != QStringLiteral("edit-paste") && !acao->text().endsWith(atalho)) continue;
        disconnect(acao, &QAction::triggered, nullptr, nullptr);
        connect(acao, &QAction::triggered, this, &ETextctl::colar);
        break;
    }
    menu->popup(evento->globalPos());
}

void ETextctl::mouseReleaseEvent(QMouseEvent* evento) {
    // The middle button pastes the selection where the system has one (X11).
    QClipboard* area = QGuiApplication::clipboard();
    if (evento->button() == Qt::MiddleButton && area->supportsSelection() && !isReadOnly()) {
        deselect();  // the press has put the cursor where the text goes
        colarTexto(area->text(QClipboard::Selection));
        evento->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(evento);
}

void ETextctl::paintEvent(QPaintEvent* evento) {
    // A shortened text shows "###"; while the user edits it, the line scrolls as usual.
    if (encurtado_ && !(comFoco_ && !isReadOnly())) {
        QPainter pintor(this);
        pintor.setFont(comFoco_ ? focusfont_ : normalfont_);  // "###" needs no shrinking
        pintor.setPen(palette().color(QPalette::Text));
        pintor.drawText(areaDoTexto(), Qt::AlignVCenter | (alignment() & Qt::AlignHorizontal_Mask), kCheio.toString());
    } else {
        QLineEdit::paintEvent(evento);
    }
    const Qt::PenStyle estilo = estiloDaBorda(comFoco_ ? focusborderpattern_ : normalborderpattern_);
    QPainter pintor(this);
    pintor.setBrush(Qt::NoBrush);
    if (estilo != Qt::NoPen) {
        pintor.setPen(QPen(comFoco_ ? focusbordercolor_ : normalbordercolor_, 1, estilo));
        pintor.drawRect(rect().adjusted(0, 0, -1, -1));
    }
    if (semnumero_) {
        pintor.setPen(QPen(corDeErro(), 2));
        pintor.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
    }
}

}  // namespace vestamar
