// Baseline for the start-up benchmark: a bare Qt window with one label, which ends as soon
// as it has been shown.

#include <QApplication>
#include <QLabel>
#include <QTimer>

#include "memoria_processo.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QLabel rotulo(QStringLiteral("vestaMar"));
    rotulo.show();
    QTimer::singleShot(0, &app, [] {
        relatarMostrada();
        QCoreApplication::quit();
    });
    return QApplication::exec();
}
