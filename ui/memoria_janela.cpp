#include "memoria_janela.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QVBoxLayout>

#include "regional.h"

namespace vestamar {

namespace {
const QString kTitulo = QStringLiteral("Memória de cálculo");
}

QString textoDasMemorias(const MemoriaCalculo& memoria, const Separadores& sep) {
    QString r;
    for (const bool depois : {false, true}) {
        if (!r.isEmpty()) r += u'\n';
        r += depois ? QStringLiteral("DEPOIS\n") : QStringLiteral("ANTES\n");
        for (const LinhaResultado& l : linhasDeResultado()) {
            const ColunaLinha& c = depois ? l.depois : l.antes;
            if (c.campo.empty() || memoria.situacao(c.campo) == Situacao::semMemoria) continue;
            r += u'\n' + qtexto(c.rotulo) + u'\n' + qtexto(textoDaMemoria(memoria, c.campo, sep)) + u'\n';
        }
    }
    return r;
}

JanelaMemoria::JanelaMemoria(QWidget* parent) : QDialog(parent), texto_(new QPlainTextEdit(this)) {
    setObjectName(QStringLiteral("JanelaMemoria"));
    setWindowTitle(kTitulo);
    texto_->setObjectName(QStringLiteral("textoMemoria"));
    texto_->setReadOnly(true);
    // Read-only, yet the keyboard moves through it and selects as in any text.
    texto_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    // A long working wraps at the window's edge instead of running past it.
    texto_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    texto_->setAccessibleName(kTitulo);
    auto* botoes = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(botoes, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* coluna = new QVBoxLayout(this);
    coluna->addWidget(texto_);
    coluna->addWidget(botoes);
    resize(960, 600);
    setFocusProxy(texto_);
}

void JanelaMemoria::mostrar(const MemoriaCalculo& memoria, const Separadores& sep) {
    const QString novo = textoDasMemorias(memoria, sep);
    if (novo == texto_->toPlainText()) return;
    const int rolagem = texto_->verticalScrollBar()->value();
    texto_->setPlainText(novo);
    texto_->verticalScrollBar()->setValue(rolagem);
}

}  // namespace vestamar
