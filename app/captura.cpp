// Draws the program's window into PNG files, for a look at it without a desktop:
//   captura <folder> <prefix>
// The program starts as the user gets it, with its parameters kept in <folder>, and writes:
//   <prefix>.png          the window after start-up
//   <prefix>-working.png  the same, with the working of "IRRF" as its tooltip shows it
//   <prefix>-small.png    the window in the scrolling frame of a screen too small for it
//   <prefix>-dialog.png   the PDF save dialog, in the user's language
//   <prefix>-panel.png    the window with the parameter-tables panel open
//   <prefix>-dark.png     the window under a dark system palette, in its own colours
//   <prefix>-memoria.png  the "Memória de cálculo" window (F2)
// Run it under QT_QPA_PLATFORM=offscreen (scripts/screenshot.sh does).

#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QString>
#include <QToolTip>

#include <algorithm>
#include <filesystem>

#include "etextctl.h"
#include "frmcalcprod.h"
#include "memoria_janela.h"
#include "moldura.h"
#include "regional.h"
#include "simulador.h"

namespace {

// The window with a field's tooltip drawn below the field, as the mouse resting on it shows it.
QPixmap comDica(vestamar::FrmCalcProd& janela, const char* campo) {
    const QPixmap fundo = janela.grab();
    vestamar::ETextctl* c = janela.campo(campo);
    QLabel dica(c->toolTip());
    dica.setPalette(QToolTip::palette());
    dica.setFont(QToolTip::font());
    dica.setFrameStyle(QFrame::Box | QFrame::Plain);
    dica.setMargin(4);
    dica.setAutoFillBackground(true);
    dica.adjustSize();
    const QPoint onde = c->mapTo(&janela, QPoint(c->width() / 2, c->height() + 4));
    QPixmap tela(std::max(fundo.width(), onde.x() + dica.width() + 8), fundo.height());
    tela.fill(Qt::darkGray);
    QPainter pintor(&tela);
    pintor.drawPixmap(0, 0, fundo);
    dica.render(&pintor, onde);
    return tela;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 3) return 2;
    vestamar::carregarTraducoesDoQt(app);
    const QString prefixo = QString::fromLocal8Bit(argv[2]);
    const auto salvar = [&](const QPixmap& p, const char* sufixo) { return p.save(prefixo + sufixo + ".png"); };
    vestamar::FrmCalcProd janela;
    vestamar::Simulador simulador(janela, std::filesystem::path(argv[1]), vestamar::separadoresDoSistema());
    simulador.iniciar();
    janela.show();
    QApplication::processEvents();
    bool ok = salvar(janela.grab(), "") && salvar(comDica(janela, "valIR"), "-working");
    {
        // A screen two thirds of the window's height.
        vestamar::MolduraRolavel moldura(janela, QRect(0, 0, 1024, janela.height() * 2 / 3));
        moldura.show();
        QApplication::processEvents();
        ok = salvar(moldura.grab(), "-small") && ok;
    }
    janela.show();
    {
        QFileDialog dialogo(&janela, QString(), QString(), QStringLiteral("PDF (*.pdf)"));
        dialogo.setOption(QFileDialog::DontUseNativeDialog);
        dialogo.setAcceptMode(QFileDialog::AcceptSave);
        dialogo.show();
        QApplication::processEvents();
        ok = salvar(dialogo.grab(), "-dialog") && ok;
    }
    simulador.abrirMemoria();
    QApplication::processEvents();
    if (auto* memoria = janela.findChild<vestamar::JanelaMemoria*>()) {
        ok = salvar(memoria->grab(), "-memoria") && ok;
        memoria->close();
    }
    simulador.abrirTabelas();
    QApplication::processEvents();
    ok = salvar(janela.grab(), "-panel") && ok;
    {
        // A dark desktop scheme: the window keeps its own colours, menus and dialogs take the
        // system's. The picture shows the window beside a dialog-coloured margin.
        QPalette escura(QColor(230, 230, 230), QColor(53, 53, 53));
        for (const auto papel : {QPalette::Window, QPalette::Base}) escura.setColor(papel, QColor(40, 40, 40));
        for (const auto papel : {QPalette::WindowText, QPalette::Text}) escura.setColor(papel, QColor(230, 230, 230));
        QApplication::setPalette(escura);
        simulador.calcular();  // closes the panel
        QApplication::processEvents();
        const QPixmap janelaEscura = janela.grab();
        QPixmap tela(janelaEscura.width() + 24, janelaEscura.height() + 24);
        tela.fill(escura.color(QPalette::Window));
        QPainter(&tela).drawPixmap(12, 12, janelaEscura);
        ok = salvar(tela, "-dark") && ok;
    }
    return ok ? 0 : 1;
}
