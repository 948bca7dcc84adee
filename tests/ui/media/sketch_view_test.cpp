#include "media_test_support.h"
#include "ui/media/media_resources.h"
#include "ui/media/sketch_view.h"

#include <QFile>
#include <QPainter>
#include <QSet>
#include <QSvgRenderer>
#include <QXmlStreamReader>
#include <QtTest>

using rampwall::SketchView;
using namespace rampwall::test;

namespace {

// The sketch's colours: background, outline, marks and loads, ground line,
// lettering.
const QColor kBackground(202, 219, 232);
const QColor kPurple(51, 0, 51);
const QColor kTeal(51, 102, 102);
const QColor kBlack(0, 0, 0);
const QColor kBrown(102, 51, 0);

QByteArray sketchSource() {
    rampwall::initMediaResources();
    QFile file(QString::fromLatin1(rampwall::kSketchResource));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

// The picture alone, at one pixel per ten drawing units.
QImage renderSketch() {
    QSvgRenderer renderer(sketchSource());
    QImage image(1111, 778, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    renderer.render(&painter, QRectF(image.rect()));
    return image;
}

} // namespace

class SketchViewTest : public QObject {
    Q_OBJECT
private slots:
    void isAValidDrawingOfTheRightExtent();
    void usesOnlyTheSketchColours();
    void showsEveryCaption_data();
    void showsEveryCaption();
    void drawsEachElementInItsPlace_data();
    void drawsEachElementInItsPlace();
    void fitsTheAreaKeepingProportions_data();
    void fitsTheAreaKeepingProportions();
    void startsAtTheWindowsSketchArea();
    void linesAreWholePixelsOfTheirColour_data();
    void linesAreWholePixelsOfTheirColour();
    void marksTheFocus();
};

void SketchViewTest::isAValidDrawingOfTheRightExtent() {
    QSvgRenderer renderer(sketchSource());
    QVERIFY(renderer.isValid());
    QCOMPARE(renderer.viewBoxF(), QRectF(0, 0, 11113, 7779));
    QVERIFY(qAbs(SketchView::aspectRatio() - 11113.0 / 7779.0) < 1e-12);
}

void SketchViewTest::usesOnlyTheSketchColours() {
    const QSet<QString> allowed{"none", "#cadbe8", "#330033", "#336666", "#000000", "#663300"};
    QSet<QString> used;
    QXmlStreamReader xml(sketchSource());
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        for (const QString& name : {QStringLiteral("fill"), QStringLiteral("stroke"), QStringLiteral("color")}) {
            if (!xml.attributes().hasAttribute(name))
                continue;
            const QString value = xml.attributes().value(name).toString().toLower();
            QVERIFY2(allowed.contains(value),
                     qPrintable(QStringLiteral("<%1 %2=\"%3\">").arg(xml.name().toString(), name, value)));
            used.insert(value);
        }
        // Lines are one pixel of the window's sketch area wide.
        if (xml.attributes().hasAttribute(QStringLiteral("stroke-width")))
            QCOMPARE(xml.attributes().value(QStringLiteral("stroke-width")).toString(), QStringLiteral("1"));
    }
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    QCOMPARE(used, allowed);
}

void SketchViewTest::showsEveryCaption_data() {
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("times");
    QTest::newRow("h1") << QStringLiteral("h1") << 1;
    QTest::newRow("h2") << QStringLiteral("h2") << 1;
    QTest::newRow("h3, once for each case") << QStringLiteral("h3") << 2;
    QTest::newRow("h4") << QStringLiteral("h4") << 1;
    QTest::newRow("h5") << QStringLiteral("h5") << 1;
    QTest::newRow("情况A") << QStringLiteral("情况A") << 1;
    QTest::newRow("情况B") << QStringLiteral("情况B") << 1;
    QTest::newRow("迎水面") << QStringLiteral("迎水面") << 1;
    QTest::newRow("坡道内部") << QStringLiteral("坡道内部") << 1;
    QTest::newRow("计算简图") << QStringLiteral("计算简图") << 1;
    QTest::newRow("q, for q1 and q2") << QStringLiteral("q") << 2;
    QTest::newRow("subscript 1") << QStringLiteral("1") << 1;
    QTest::newRow("subscript 2") << QStringLiteral("2") << 1;
    QTest::newRow("A") << QStringLiteral("A") << 1;
    QTest::newRow("B") << QStringLiteral("B") << 1;
    QTest::newRow("M图") << QStringLiteral("M图") << 1;
}

void SketchViewTest::showsEveryCaption() {
    QFETCH(QString, caption);
    QFETCH(int, times);
    int found = 0;
    QXmlStreamReader xml(sketchSource());
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("text"))
            found += xml.readElementText(QXmlStreamReader::IncludeChildElements) == caption ? 1 : 0;
    }
    QCOMPARE(found, times);
}

void SketchViewTest::drawsEachElementInItsPlace_data() {
    // Regions as fractions of the picture (left, top, width, height), the
    // colour expected there, and how many pixels of it at 1111 x 778.
    QTest::addColumn<QRectF>("region");
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<int>("atLeast");
    QTest::addColumn<int>("atMost");
    const int any = 1 << 30;
    auto row = [&](const char* name, QRectF region, QColor colour, int atLeast, int atMost) {
        QTest::newRow(name) << region << colour << atLeast << atMost;
    };
    // The wall section.
    row("wall, left face", {0.275, 0.32, 0.01, 0.28}, kPurple, 150, any);
    row("wall, right face", {0.295, 0.32, 0.01, 0.14}, kPurple, 80, any);
    row("base slab, underside", {0.27, 0.675, 0.19, 0.01}, kPurple, 150, any);
    row("base slab, projecting left of the wall", {0.258, 0.635, 0.018, 0.05}, kPurple, 20, any);
    row("top edge of the wall", {0.283, 0.235, 0.014, 0.01}, kBlack, 8, any);
    row("ground line", {0.05, 0.295, 0.22, 0.01}, kBlack, 200, any);
    row("thickness ticks", {0.27, 0.475, 0.04, 0.03}, kBlack, 10, any);
    row("thickness dimension line", {0.263, 0.485, 0.013, 0.01}, kTeal, 6, any);
    row("break line", {0.465, 0.29, 0.01, 0.18}, kTeal, 120, any);
    row("break line, zig-zag", {0.476, 0.48, 0.012, 0.03}, kTeal, 5, any);
    row("h1 mark on the wall top", {0.28, 0.21, 0.05, 0.03}, kTeal, 20, any);
    row("h2 mark on the ground", {0.19, 0.27, 0.05, 0.03}, kTeal, 20, any);
    row("h4 mark on the slab", {0.37, 0.61, 0.05, 0.03}, kTeal, 20, any);
    row("case A water rows", {0.12, 0.40, 0.05, 0.05}, kTeal, 40, any);
    row("case B water rows", {0.12, 0.73, 0.05, 0.05}, kTeal, 40, any);
    row("no water mark between the cases", {0.10, 0.47, 0.08, 0.22}, kTeal, 0, 0);
    row("lettering 情况A", {0.01, 0.34, 0.09, 0.05}, kBrown, 40, any);
    row("lettering 情况B", {0.01, 0.67, 0.09, 0.05}, kBrown, 40, any);
    row("lettering h5", {0.305, 0.44, 0.03, 0.04}, kBrown, 10, any);
    row("lettering 迎水面 left of the wall", {0.14, 0.51, 0.12, 0.06}, kBrown, 40, any);
    row("lettering 坡道内部 right of the wall", {0.31, 0.51, 0.15, 0.06}, kBrown, 40, any);
    // The model.
    row("lettering 计算简图", {0.66, 0.08, 0.16, 0.07}, kBrown, 100, any);
    row("triangular load, base", {0.52, 0.625, 0.09, 0.01}, kTeal, 80, any);
    row("triangular load, nothing at its top left", {0.52, 0.22, 0.05, 0.13}, kTeal, 0, 0);
    row("triangular load, arrows near the base", {0.53, 0.55, 0.07, 0.06}, kTeal, 60, any);
    row("lettering q1", {0.55, 0.66, 0.04, 0.07}, kBrown, 15, any);
    row("plus sign", {0.62, 0.41, 0.03, 0.04}, kPurple, 15, any);
    row("uniform load, top", {0.655, 0.215, 0.05, 0.01}, kTeal, 30, any);
    row("uniform load, arrows near its top", {0.66, 0.24, 0.04, 0.08}, kTeal, 40, any);
    row("lettering q2", {0.665, 0.66, 0.04, 0.07}, kBrown, 15, any);
    row("cantilever", {0.775, 0.25, 0.01, 0.35}, kPurple, 150, any);
    row("cantilever, support line", {0.76, 0.625, 0.04, 0.01}, kPurple, 15, any);
    row("cantilever, hatching", {0.75, 0.635, 0.06, 0.03}, kTeal, 10, any);
    row("moment member", {0.905, 0.25, 0.01, 0.35}, kPurple, 150, any);
    row("moment support, hatching", {0.88, 0.635, 0.06, 0.03}, kTeal, 10, any);
    row("moment curve, largest at B", {0.825, 0.60, 0.015, 0.035}, kTeal, 5, any);
    row("moment curve, close to the member near A", {0.83, 0.22, 0.06, 0.13}, kTeal, 0, 0);
    row("nothing right of the member", {0.93, 0.28, 0.06, 0.30}, kTeal, 0, 0);
    row("lettering A", {0.915, 0.2, 0.03, 0.04}, kBrown, 10, any);
    row("lettering B", {0.915, 0.58, 0.03, 0.05}, kBrown, 10, any);
    row("lettering M图", {0.87, 0.69, 0.08, 0.06}, kBrown, 30, any);
}

void SketchViewTest::drawsEachElementInItsPlace() {
    QFETCH(QRectF, region);
    QFETCH(QColor, colour);
    QFETCH(int, atLeast);
    QFETCH(int, atMost);
    static const QImage sketch = renderSketch();
    const int n = countCarrying(sketch, fractionRect(sketch, region), colour, kBackground);
    QVERIFY2(
        n >= atLeast && n <= atMost,
        qPrintable(
            QStringLiteral("%1 pixels of %2, expected %3 to %4").arg(n).arg(colour.name()).arg(atLeast).arg(atMost)));
}

void SketchViewTest::fitsTheAreaKeepingProportions_data() {
    QTest::addColumn<QSize>("size");
    QTest::newRow("417x281, the window's area") << QSize(417, 281);
    QTest::newRow("800x281, wide") << QSize(800, 281);
    QTest::newRow("300x400, tall") << QSize(300, 400);
    QTest::newRow("500x500, square") << QSize(500, 500);
    QTest::newRow("1251x843, three times the area") << QSize(1251, 843);
}

void SketchViewTest::fitsTheAreaKeepingProportions() {
    QFETCH(QSize, size);
    SketchView view;
    view.resize(size);
    const QRectF picture = view.pictureRect();

    QVERIFY(qAbs(picture.width() / picture.height() - 11113.0 / 7779.0) < 1e-9);
    // Centred to the nearest whole pixel.
    QCOMPARE(picture.topLeft(), QPointF(picture.topLeft().toPoint()));
    QVERIFY(qAbs(picture.center().x() - size.width() / 2.0) <= 0.5);
    QVERIFY(qAbs(picture.center().y() - size.height() / 2.0) <= 0.5);
    // As large as fits: it fills the area in one direction.
    const bool fillsWidth = qAbs(picture.width() - size.width()) < 1e-9;
    const bool fillsHeight = qAbs(picture.height() - size.height()) < 1e-9;
    QVERIFY(fillsWidth || fillsHeight);
    QVERIFY(picture.width() <= size.width() + 1e-9 && picture.height() <= size.height() + 1e-9);

    const QImage shown = view.grab().toImage();
    QCOMPARE(shown.size(), size);
    // The margins, and the picture's own empty corners, are the background.
    const QRect inner = picture.toAlignedRect();
    for (const QPoint p : {QPoint(0, 0), QPoint(size.width() - 1, size.height() - 1), QPoint(0, size.height() / 2),
                           QPoint(size.width() - 1, size.height() / 2), QPoint(size.width() / 2, 0),
                           QPoint(size.width() / 2, size.height() - 1), inner.topLeft() + QPoint(2, 2)})
        QCOMPARE(QColor(shown.pixel(p)), kBackground);
    // The wall's left face is drawn where the picture puts it.
    const QRect wall = QRectF(picture.left() + 0.27 * picture.width(), picture.top() + 0.32 * picture.height(),
                              0.02 * picture.width(), 0.28 * picture.height())
                           .toAlignedRect();
    QVERIFY(countCarrying(shown, wall, kPurple, kBackground) >= wall.height() / 2);
    // And the margins are the background, every pixel of them.
    QRect margin;
    if (fillsHeight)
        margin = QRect(0, 0, int(picture.left()), size.height());
    else
        margin = QRect(0, 0, size.width(), int(picture.top()));
    for (int y = margin.top(); y <= margin.bottom(); ++y)
        for (int x = margin.left(); x <= margin.right(); ++x)
            QCOMPARE(QColor(shown.pixel(x, y)), kBackground);
}

void SketchViewTest::startsAtTheWindowsSketchArea() {
    // 6255 x 4215 twips at 15 twips a pixel.
    QCOMPARE(SketchView().sizeHint(), QSize(417, 281));
}

void SketchViewTest::linesAreWholePixelsOfTheirColour_data() {
    // Stretches where lines of one colour run alone, in pixels of the picture
    // at the window's size (281 high), each longer along its lines than
    // across them, and how many lines run through it.
    QTest::addColumn<QRect>("stretch");
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<int>("lines");
    QTest::newRow("wall, both faces") << QRect(106, 90, 18, 34) << kPurple << 2;
    QTest::newRow("base slab, underside") << QRect(110, 186, 70, 10) << kPurple << 1;
    QTest::newRow("cantilever") << QRect(300, 70, 26, 90) << kPurple << 1;
    QTest::newRow("moment member near B") << QRect(360, 125, 8, 35) << kPurple << 1;
    QTest::newRow("break line") << QRect(182, 82, 12, 48) << kTeal << 1;
    QTest::newRow("uniform load, top") << QRect(266, 56, 14, 10) << kTeal << 1;
    QTest::newRow("ground line") << QRect(20, 78, 50, 12) << kBlack << 1;
}

void SketchViewTest::linesAreWholePixelsOfTheirColour() {
    QFETCH(QRect, stretch);
    QFETCH(QColor, colour);
    QFETCH(int, lines);
    SketchView view;
    view.resize(view.sizeHint());
    // At the window's size, and at twice it as on a high-density screen.
    for (const int scale : {1, 2}) {
        QImage shown(view.size() * scale, QImage::Format_ARGB32_Premultiplied);
        shown.setDevicePixelRatio(scale);
        view.render(&shown);
        const QRect area((stretch.topLeft() + view.pictureRect().topLeft().toPoint()) * scale, stretch.size() * scale);
        int inColour = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x) {
                // Anything else is a line smeared into a blend with the ground.
                const QColor pixel(shown.pixel(x, y));
                QVERIFY2(pixel == colour || pixel == kBackground,
                         qPrintable(QStringLiteral("%1 at %2,%3").arg(pixel.name()).arg(x).arg(y)));
                inColour += pixel == colour ? 1 : 0;
            }
        // Each line one pixel wide and whole along the stretch.
        QCOMPARE(inColour, lines * qMax(stretch.width(), stretch.height()) * scale * scale);
    }
}

void SketchViewTest::marksTheFocus() {
    QWidget window;
    auto* view = new SketchView(&window);
    view->resize(view->sizeHint());
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    // The mark runs along the top edge, where the picture is only background.
    const auto marked = [view] {
        const QImage shown = view->grab().toImage();
        return countCarrying(shown, QRect(0, 0, shown.width(), 3), SketchView::focusMarkColor(), kBackground);
    };
    view->clearFocus();
    QCOMPARE(marked(), 0);
    view->setFocus();
    QVERIFY(marked() > view->width() / 3);
}

QTEST_MAIN(SketchViewTest)
#include "sketch_view_test.moc"
