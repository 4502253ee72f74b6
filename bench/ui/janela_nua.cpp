// The reference for start-up as the user sees it: a bare Qt window of the program's size with
// one label, which stays open until it is ended (the measure ends it once it is mapped).

#include <QApplication>
#include <QLabel>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QLabel rotulo(QStringLiteral("vestaMar"));
    rotulo.resize(513, 689);
    rotulo.show();
    return QApplication::exec();
}
