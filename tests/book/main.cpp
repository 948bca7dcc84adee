// The books are set with Qt's fonts; the tests make their application
// object as the command-line tool does, with no screen.
#include "book/headless_gui.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    const rampwall::book::HeadlessGui gui;
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
