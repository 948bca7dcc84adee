// The books are painted with Qt's fonts, which need a QGuiApplication; no
// screen is needed (the tests run on the offscreen platform).
#include <QGuiApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
