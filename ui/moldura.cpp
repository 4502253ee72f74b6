#include "moldura.h"

#include <QScrollBar>

#include <algorithm>

#include "frmcalcprod.h"

namespace vestamar {

MolduraRolavel::MolduraRolavel(FrmCalcProd& janela, const QRect& disponivel) : janela_(janela) {
    setObjectName(QStringLiteral("molduraRolavel"));
    setWindowTitle(janela.windowTitle());
    setWindowIcon(janela.windowIcon());
    connect(&janela, &QWidget::windowTitleChanged, this, &QWidget::setWindowTitle);
    connect(&janela, &QWidget::windowIconChanged, this, &QWidget::setWindowIcon);
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(false);
    setWidget(&janela);
    // As wide as the window plus a vertical scroll bar, as tall as the screen allows.
    const int barra = verticalScrollBar()->sizeHint().width();
    const int largura = std::min(janela.width() + barra, disponivel.width() - kMolduraDoSistema / 4);
    const int altura = std::min(janela.height(), disponivel.height() - kMolduraDoSistema);
    resize(std::max(largura, 1), std::max(altura, 1));
    move(disponivel.topLeft());
}

MolduraRolavel::~MolduraRolavel() {
    // The window belongs to whoever made it; only the frame goes.
    takeWidget();
    janela_.setParent(nullptr);
}

std::unique_ptr<MolduraRolavel> molduraSeNaoCouber(FrmCalcProd& janela, const QRect& disponivel) {
    const bool cabe = janela.width() + kMolduraDoSistema / 4 <= disponivel.width() &&
                      janela.height() + kMolduraDoSistema <= disponivel.height();
    if (cabe) return nullptr;
    return std::make_unique<MolduraRolavel>(janela, disponivel);
}

}  // namespace vestamar
