// What the main window draws: the title area, the skin pictures and the panel frames.
#include "WindowRig.h"

#include "ui/main/ControlIds.h"
#include "ui/main/ControllerLayout.h"

#include <QImage>
#include <QLineEdit>
#include <QPixmap>

#include <gtest/gtest.h>

#include <set>

namespace {

// How many different colours a part of the picture holds: a drawn picture has many, an
// empty area one.
std::size_t Colours(const QImage& image, const QRect& area) {
    std::set<QRgb> seen;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            seen.insert(image.pixel(x, y));
        }
    }
    return seen.size();
}

TEST(Appearance, WindowDrawsTitlePicturesAndFrames) {
    WindowRig rig;
    rig.AddMediaList({"Vinyl", "KR10A (1)", 14, 40, 2, 1});
    WindowRig::Remember("CutCondSetting", 1);
    WindowRig::Remember("MediaListName", "Vinyl");
    WindowRig::Remember("TomboRead", 1);
    WindowRig::Remember("TomboDisX", 300000);
    WindowRig::Remember("TomboDisY", 200000);
    ASSERT_EQ(rig.Open(), 0);

    const QImage image = rig.Dlg().grab().toImage();
    ASSERT_EQ(image.size(), QSize(layout::kClientWidth, layout::kClientHeight));
    EXPECT_EQ(QColor(image.pixel(2, 2)), QColor(0, 29, 160));      // title area
    EXPECT_EQ(QColor(image.pixel(8, 150)), QColor(140, 140, 140)); // condition panel frame
    for (const QRect& picture : {layout::kBladePicture, layout::kDesignPortraitPicture,
                                 layout::kMediaUnrotatedPicture, layout::kPreviewPicture}) {
        EXPECT_GT(Colours(image, picture), 2u)
            << "nothing drawn at " << picture.x() << "," << picture.y();
    }
    EXPECT_EQ(static_cast<QLineEdit*>(rig.Control(ctl::kDistanceX))->text(), "300.0");

    // The documentation's picture of the window is taken here.
    if (const QByteArray path = qgetenv("QUIRN_SCREENSHOT"); !path.isEmpty()) {
        EXPECT_TRUE(image.save(QString::fromLocal8Bit(path)));
    }
}

} // namespace
