#include <clocale>
#include <cstdio>

#include <gtest/gtest.h>

// The tests run with the C library following the user's settings (LC_ALL from CTest), as the
// program does once its window exists: a decimal comma there must not change the file.
int main(int argc, char** argv) {
    if (std::setlocale(LC_ALL, "") == nullptr) {
        std::fputs("note: the locale in LC_ALL is not installed; running under the C locale\n", stderr);
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
