// The window tests' main: a QApplication around GoogleTest. No test waits on a dialog: while the
// tests run, a dialog that comes up is answered by the test's RespostaAosDialogos, or else fails
// the test at once and is closed.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QTimer>

#include "qt_gtest.h"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    QTimer vigia;
    QObject::connect(&vigia, &QTimer::timeout, [] {
        QWidget* dialogo = QApplication::activeModalWidget();
        if (!dialogo || !dialogo->isVisible()) return;
        if (RespostaAosDialogos::atual) {
            RespostaAosDialogos::atual->responder(dialogo);
            return;
        }
        ADD_FAILURE() << "a dialog came up that the test did not expect: " << dialogo->windowTitle().toStdString()
                      << " | " << dialogo->property("text").toString().toStdString();
        if (auto* d = qobject_cast<QDialog*>(dialogo))
            d->reject();
        else
            dialogo->close();
    });
    vigia.start(20);
    return RUN_ALL_TESTS();
}
