#include "media_test_support.h"
#include "ui/media/wall_icon.h"

#include <QtTest>

using namespace rampwall::test;

namespace {

const QColor kNavy(0, 0, 128);
const QColor kRed(255, 0, 0);
const QColor kOlive(128, 128, 0);
const QColor kGreen(0, 128, 0);
const QList<QColor> kPalette{kNavy, kRed, kOlive, kGreen};

int count(const QImage& image, const QRect& area, const QColor& colour) {
    return countNearest(image, area, kPalette, int(kPalette.indexOf(colour)));
}

int opaque(const QImage& image, const QRect& area) {
    int n = 0;
    for (const QColor& colour : kPalette)
        n += count(image, area, colour);
    return n;
}

} // namespace

class WallIconTest : public QObject {
    Q_OBJECT
private slots:
    void offersTheUsualSizes();
    void drawsEachPartInItsPlace_data();
    void drawsEachPartInItsPlace();
    void pressureWidensDownwards();
    void isTransparentAroundTheDrawing();
    void smallIconIsDrawnForItsSize();
};

void WallIconTest::offersTheUsualSizes() {
    const QIcon icon = rampwall::wallIcon();
    QVERIFY(!icon.isNull());
    const QList<QSize> sizes = icon.availableSizes();
    for (const int size : {16, 32, 48})
        QVERIFY2(sizes.contains(QSize(size, size)), qPrintable(QString::number(size)));
    const QImage at32 = icon.pixmap(QSize(32, 32)).toImage();
    QCOMPARE(at32.size(), QSize(32, 32));
    QVERIFY(opaque(at32, at32.rect()) > 100);
}

void WallIconTest::drawsEachPartInItsPlace_data() {
    // Pixel rectangles of the 32 x 32 picture.
    QTest::addColumn<QRect>("area");
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<int>("atLeast");
    QTest::addColumn<int>("atMost");
    const int any = 32 * 32;
    QTest::newRow("navy wall") << QRect(14, 4, 4, 21) << kNavy << 80 << any;
    QTest::newRow("navy slab running right") << QRect(18, 25, 13, 4) << kNavy << 50 << any;
    QTest::newRow("slab a little left of the wall") << QRect(12, 25, 2, 4) << kNavy << 8 << any;
    QTest::newRow("nothing left of the wall above the slab") << QRect(0, 0, 14, 7) << kNavy << 0 << 0;
    QTest::newRow("red ground from the left edge") << QRect(0, 7, 3, 2) << kRed << 6 << any;
    QTest::newRow("red ground up to the wall") << QRect(11, 7, 3, 2) << kRed << 6 << any;
    QTest::newRow("no red right of the wall") << QRect(18, 0, 14, 32) << kRed << 0 << 0;
    QTest::newRow("olive water mark below the ground") << QRect(0, 10, 8, 7) << kOlive << 10 << any;
    QTest::newRow("no olive above the ground") << QRect(0, 0, 32, 9) << kOlive << 0 << 0;
    QTest::newRow("green diagram against the wall") << QRect(4, 9, 10, 17) << kGreen << 30 << any;
    QTest::newRow("green arrow heads at the wall face") << QRect(12, 12, 2, 13) << kGreen << 8 << any;
    QTest::newRow("no green right of the wall") << QRect(18, 0, 14, 32) << kGreen << 0 << 0;
}

void WallIconTest::drawsEachPartInItsPlace() {
    QFETCH(QRect, area);
    QFETCH(QColor, colour);
    QFETCH(int, atLeast);
    QFETCH(int, atMost);
    const QImage icon = rampwall::renderWallIcon(32);
    const int n = count(icon, area, colour);
    QVERIFY2(n >= atLeast && n <= atMost,
             qPrintable(QStringLiteral("%1 pixels, expected %2 to %3").arg(n).arg(atLeast).arg(atMost)));
}

void WallIconTest::pressureWidensDownwards() {
    const QImage icon = rampwall::renderWallIcon(32);
    // The left-most green pixel of a row moves left as the row goes down.
    auto leftEdge = [&](int y) {
        for (int x = 0; x < 14; ++x)
            if (count(icon, QRect(x, y, 1, 1), kGreen) == 1)
                return x;
        return 99;
    };
    QVERIFY2(leftEdge(12) > leftEdge(18), qPrintable(QStringLiteral("%1 %2").arg(leftEdge(12)).arg(leftEdge(18))));
    QVERIFY2(leftEdge(18) > leftEdge(23), qPrintable(QStringLiteral("%1 %2").arg(leftEdge(18)).arg(leftEdge(23))));
    QVERIFY(leftEdge(23) <= 7);
}

void WallIconTest::isTransparentAroundTheDrawing() {
    const QImage icon = rampwall::renderWallIcon(32);
    for (const QPoint p : {QPoint(31, 0), QPoint(0, 31), QPoint(25, 10), QPoint(0, 0)})
        QCOMPARE(qAlpha(icon.pixel(p)), 0);
}

void WallIconTest::smallIconIsDrawnForItsSize() {
    // Scaled from a larger picture it would be a blur of half-covered pixels;
    // drawn for its size, it is whole pixels of the icon's four colours.
    const QImage icon = rampwall::wallIcon().pixmap(QSize(16, 16)).toImage();
    QSet<QRgb> used;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            if (qAlpha(icon.pixel(x, y)) != 0)
                used.insert(icon.pixel(x, y));
    QCOMPARE(used, (QSet<QRgb>{kNavy.rgb(), kRed.rgb(), kOlive.rgb(), kGreen.rgb()}));
}

QTEST_MAIN(WallIconTest)
#include "wall_icon_test.moc"
