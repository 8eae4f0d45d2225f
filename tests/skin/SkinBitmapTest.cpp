// Pictures drawn into a fixed rectangle: stretched to fit, and nothing at all when the file is
// missing.

#include "skin/SkinBitmap.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class SkinBitmapTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        QImage picture(4, 2, QImage::Format_RGB32);
        picture.fill(QColor(10, 20, 30));
        picture.setPixelColor(3, 1, QColor(200, 0, 0)); // the bottom-right corner
        ASSERT_TRUE(picture.save(Path(), "BMP"));
    }
    QString Path() const { return m_dir.filePath(QStringLiteral("PIC.BMP")); }
    static QImage Canvas() {
        QImage canvas(100, 80, QImage::Format_RGB32);
        canvas.fill(Qt::white);
        return canvas;
    }
    QTemporaryDir m_dir;
};

TEST_F(SkinBitmapTest, PictureIsStretchedIntoItsRectangle) {
    CSkinBitmap bitmap;
    ASSERT_TRUE(bitmap.Init(Path(), QRect(10, 20, 40, 30)));
    QImage canvas = Canvas();
    QPainter painter(&canvas);
    bitmap.Draw(painter);
    painter.end();
    EXPECT_EQ(canvas.pixelColor(9, 20), QColor(Qt::white));
    EXPECT_EQ(canvas.pixelColor(10, 20), QColor(10, 20, 30));
    EXPECT_EQ(canvas.pixelColor(49, 49), QColor(200, 0, 0));
    // The source's corner pixel now covers the last quarter of the width and half the height.
    EXPECT_EQ(canvas.pixelColor(40, 35), QColor(200, 0, 0));
    EXPECT_EQ(canvas.pixelColor(39, 35), QColor(10, 20, 30));
    EXPECT_EQ(canvas.pixelColor(40, 34), QColor(10, 20, 30));
    EXPECT_EQ(canvas.pixelColor(50, 49), QColor(Qt::white));
    EXPECT_EQ(canvas.pixelColor(49, 50), QColor(Qt::white));
}

TEST_F(SkinBitmapTest, MissingFileDrawsNothing) {
    CSkinBitmap bitmap;
    EXPECT_FALSE(bitmap.Init(m_dir.filePath(QStringLiteral("NONE.BMP")), QRect(0, 0, 100, 80)));
    EXPECT_FALSE(bitmap.IsLoaded());
    QImage canvas = Canvas();
    QPainter painter(&canvas);
    bitmap.Draw(painter);
    painter.end();
    EXPECT_EQ(canvas, Canvas());
}

} // namespace
