// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// The program's icon, drawn from the SVG that the windows and the desktop share.
#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <QPixmap>

#include <gtest/gtest.h>

namespace {

const QString kIcon = QStringLiteral(":/icons/org.kormix.Kormix.svg");

// The drawing is on a grid of 64 units: H2 column x 8..20, HD 24..32 red and 32..40 black,
// D2 44..56; the white face starts at 3 on every side.
QRgb at(const QImage &img, int x64, int y64)
{
    const int s = img.width();
    return img.pixel(x64 * s / 64, y64 * s / 64);
}

QImage draw(int size, qreal ratio = 1.0)
{
    const QIcon icon(kIcon);
    return icon.pixmap(QSize(size, size), ratio).toImage().convertToFormat(QImage::Format_ARGB32);
}

class IconSize : public ::testing::TestWithParam<int>
{};

TEST_P(IconSize, ShowsRedHAndBlackDColumnsOnWhite)
{
    const int size = GetParam();
    const QImage img = draw(size);
    ASSERT_EQ(img.size(), QSize(size, size));
    EXPECT_EQ(at(img, 14, 44), qRgb(255, 0, 0)) << "H2 column";
    EXPECT_EQ(at(img, 28, 20), qRgb(255, 0, 0)) << "HD column, H half";
    EXPECT_EQ(at(img, 36, 20), qRgb(0, 0, 0)) << "HD column, D half";
    EXPECT_EQ(at(img, 50, 44), qRgb(0, 0, 0)) << "D2 column";
    EXPECT_EQ(at(img, 14, 20), qRgb(255, 255, 255)) << "face above the H2 column";
    EXPECT_EQ(qAlpha(img.pixel(0, 0)), 0) << "corner outside the rounded face";
}

INSTANTIATE_TEST_SUITE_P(Sizes, IconSize, ::testing::Values(16, 32, 48, 64, 128, 256));

// Column edges fall on whole pixels: the pixel inside an edge is pure colour, the one outside
// pure white, with no blurred pixel between them.
TEST(Icon, ColumnEdgesAreSharpAtSixteenPixels)
{
    const QImage img = draw(16);
    EXPECT_EQ(img.pixel(2, 12), qRgb(255, 0, 0));
    EXPECT_EQ(img.pixel(1, 12), qRgb(255, 255, 255));
    EXPECT_EQ(img.pixel(13, 12), qRgb(0, 0, 0));
    EXPECT_EQ(img.pixel(14, 12), qRgb(255, 255, 255));
    EXPECT_EQ(img.pixel(3, 9), qRgb(255, 0, 0));
    EXPECT_EQ(img.pixel(3, 8), qRgb(255, 255, 255));
}

TEST(Icon, DrawnAtTwiceTheSizeForScaleFactorTwo)
{
    const QIcon icon(kIcon);
    const QPixmap pm = icon.pixmap(QSize(32, 32), 2.0);
    EXPECT_EQ(pm.size(), QSize(64, 64));
    EXPECT_DOUBLE_EQ(pm.devicePixelRatio(), 2.0);
    const QImage img = pm.toImage().convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(img.pixel(8, 40), qRgb(255, 0, 0));
    EXPECT_EQ(img.pixel(7, 40), qRgb(255, 255, 255));
}

} // namespace

int main(int argc, char **argv)
{
    // Test discovery runs this program without the tests' environment.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
