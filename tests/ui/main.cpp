// The widget tests need a QApplication; listing the tests (CTest's discovery) does not, and
// runs where no platform plugin is set up.
#include <gtest/gtest.h>

#include <QApplication>

#include <cstring>
#include <memory>

int main(int argc, char** argv) {
    bool listando = false;
    for (int i = 1; i < argc; ++i) listando = listando || std::strcmp(argv[i], "--gtest_list_tests") == 0;
    testing::InitGoogleTest(&argc, argv);
    std::unique_ptr<QApplication> app;
    if (!listando) app = std::make_unique<QApplication>(argc, argv);
    return RUN_ALL_TESTS();
}
