// Runs the engine tests under the C locale named by the environment (LC_ALL), so that a
// decimal-comma setting is in force in the C library while the engine formats and parses.
#include <clocale>
#include <cstdio>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (std::setlocale(LC_ALL, "") == nullptr) {
        std::fputs("the locale named by the environment is not installed\n", stderr);
        return 1;
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
