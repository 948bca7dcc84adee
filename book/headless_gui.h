// Books are set with Qt's fonts, which need a QGuiApplication. A program
// without a window (the command-line tool) makes one with this before its
// first book, on the offscreen platform: no display is needed or used.
#pragma once

#include <memory>

class QGuiApplication;

namespace rampwall::book {

class HeadlessGui {
public:
    // Does nothing when the program already has its application object.
    HeadlessGui();
    ~HeadlessGui();
    HeadlessGui(const HeadlessGui&) = delete;
    HeadlessGui& operator=(const HeadlessGui&) = delete;

private:
    std::unique_ptr<QGuiApplication> m_app;
};

} // namespace rampwall::book
