// The widget tests need a QApplication; listing the tests (CTest's discovery) does not, and
// runs where no platform plugin is set up.
//
// No test waits on a dialog: while the tests run, a dialog that comes up is answered by the
// test's RespostaAosDialogos, or else fails the test at once and is closed.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QTimer>

#include <algorithm>
#include <optional>
#include <string_view>

#include "qt_gtest.h"

int main(int argc, char** argv) {
    const bool listando =
        std::any_of(argv + 1, argv + argc, [](std::string_view a) { return a == "--gtest_list_tests"; });
    testing::InitGoogleTest(&argc, argv);
    std::optional<QApplication> app;
    std::optional<QTimer> vigia;
    if (!listando) {
        app.emplace(argc, argv);
        vigia.emplace();
        QObject::connect(&*vigia, &QTimer::timeout, [] {
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
        vigia->start(20);
    }
    return RUN_ALL_TESTS();
}
