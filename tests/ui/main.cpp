// The widget tests need a QApplication; listing the tests (CTest's discovery) does not, and
// runs where no platform plugin is set up.
#include <gtest/gtest.h>

#include <QApplication>

#include <algorithm>
#include <optional>
#include <string_view>

int main(int argc, char** argv) {
    const bool listando = std::any_of(argv + 1, argv + argc, [](std::string_view a) { return a == "--gtest_list_tests"; });
    testing::InitGoogleTest(&argc, argv);
    std::optional<QApplication> app;
    if (!listando) app.emplace(argc, argv);
    return RUN_ALL_TESTS();
}
