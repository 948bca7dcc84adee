// Build-time tool: renders the window icon's SVG into a square PNG of one
// size, for the hicolor icon theme. No display is needed.
//
//   render-icon INPUT.svg SIZE OUTPUT.png

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QString>
#include <QSvgRenderer>

#include <cstdio>

namespace {

int fail(const QString& message) {
    std::fprintf(stderr, "render-icon: %s\n", qPrintable(message));
    return 1;
}

// A picture with no opaque pixel means the SVG drew nothing a user would see,
// which is a broken icon even though the file parsed.
bool hasVisiblePixel(const QImage& image) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) != 0) {
                return true;
            }
        }
    }
    return false;
}

QtMessageHandler defaultHandler = nullptr;

// A build outside a desktop session has no runtime directory, and Qt says so
// on every run; the tool never uses that directory.
void quietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set"))) {
        return;
    }
    defaultHandler(type, context, message);
}

} // namespace

int main(int argc, char* argv[]) {
    // Runs inside the build, where there may be no screen. The application
    // object is needed all the same: an SVG with text needs the font database.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    defaultHandler = qInstallMessageHandler(quietHandler);
    QGuiApplication app(argc, argv);

    const QStringList args = QGuiApplication::arguments();
    if (args.size() != 4) {
        return fail(QStringLiteral("usage: render-icon INPUT.svg SIZE OUTPUT.png"));
    }
    const QString& input = args.at(1);
    bool sizeOk = false;
    const int size = args.at(2).toInt(&sizeOk);
    const QString& output = args.at(3);
    if (!sizeOk || size < 1 || size > 4096) {
        return fail(QStringLiteral("size must be a whole number of pixels from 1 to 4096: ") + args.at(2));
    }

    QSvgRenderer renderer(input);
    if (!renderer.isValid()) {
        return fail(QStringLiteral("not a valid SVG file: ") + input);
    }
    // An SVG that is not square keeps its proportions, centred.
    renderer.setAspectRatioMode(Qt::KeepAspectRatio);

    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        renderer.render(&painter, QRectF(0, 0, size, size));
    }
    if (!hasVisiblePixel(image)) {
        return fail(QStringLiteral("the SVG draws nothing visible: ") + input);
    }
    if (!image.save(output, "PNG")) {
        return fail(QStringLiteral("cannot write ") + output);
    }
    return 0;
}
