#include "ui/skin/skin_dialog.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QMouseEvent>
#include <QPainter>

#include "tests/support/temp_dir.h"
#include "tests/ui_skin/qt_test_app.h"
#include "ui/skin/png_button.h"
#include "ui/skin/skin_image.h"

namespace q804 {
namespace {

using testing::PixelAt;
using testing::Shot;
using testing::TempDir;

// A 40 x 30 picture in one colour with white corners of 5 x 5 pixels.
QImage CornerPicture(QColor colour) {
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(colour);
    QPainter painter(&image);
    for (QPoint corner : {QPoint(0, 0), QPoint(35, 0), QPoint(0, 25), QPoint(35, 25)}) {
        painter.fillRect(QRect(corner, QSize(5, 5)), Qt::white);
    }
    return image;
}

class SkinDialogTest : public ::testing::Test {
  protected:
    void SavePicture(const char* name, const QImage& image, const char* format = "PNG") {
        ASSERT_TRUE(image.save(QString::fromStdString((dir_ / name).string()), format));
    }
    void WriteLayout(const std::string& text) { dir_.Write("Test.ini", text); }

    QApplication& app_ = testing::TestApp();
    TempDir dir_;
};

TEST_F(SkinDialogTest, TakesItsSizeFromTheBackgroundAndItsShapeFromTheMask) {
    SavePicture("back.png", CornerPicture(Qt::darkBlue));
    QImage mask(40, 30, QImage::Format_RGB32);
    mask.fill(Qt::white);
    QPainter(&mask).fillRect(QRect(10, 10, 20, 10), Qt::black);
    SavePicture("mask.bmp", mask, "BMP");
    WriteLayout("[SCREEN]\nMain=back.png\nMask=mask.bmp\n");
    CBaseDialog dialog(dir_.path(), "Test.ini");
    ASSERT_TRUE(dialog.InitSkin().ok());
    EXPECT_EQ(dialog.size(), QSize(40, 30));
    EXPECT_TRUE(dialog.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(dialog.mask().contains(QPoint(10, 10)));
    EXPECT_TRUE(dialog.mask().contains(QPoint(29, 19)));
    EXPECT_FALSE(dialog.mask().contains(QPoint(9, 10)));
    EXPECT_FALSE(dialog.mask().contains(QPoint(30, 19)));
    EXPECT_EQ(PixelAt(Shot(dialog), 20, 15), QColor(Qt::darkBlue)) << "the background is drawn";
}

TEST_F(SkinDialogTest, WithoutAMaskTheBackgroundsNonWhitePixelsAreTheShape) {
    SavePicture("back.png", CornerPicture(Qt::darkRed));
    WriteLayout("[SCREEN]\nMain=back.png\n");
    CBaseDialog dialog(dir_.path(), "Test.ini");
    ASSERT_TRUE(dialog.InitSkin().ok());
    EXPECT_FALSE(dialog.mask().contains(QPoint(0, 0)));
    EXPECT_FALSE(dialog.mask().contains(QPoint(39, 29)));
    EXPECT_TRUE(dialog.mask().contains(QPoint(5, 0)));
    EXPECT_TRUE(dialog.mask().contains(QPoint(20, 15)));
}

TEST_F(SkinDialogTest, AnUnusableBackgroundOrShapeIsAnErrorForTheCaller) {
    SavePicture("good.png", CornerPicture(Qt::darkGreen));
    dir_.Write("empty.jpg", "");
    dir_.Write("text.jpg", "this is not a picture");
    std::filesystem::create_directories(dir_ / "folder.jpg");
    // A named pipe would block a plain read forever.
    ASSERT_EQ(::mkfifo((dir_ / "pipe.jpg").c_str(), 0600), 0);
    // A picture wider than any skin would be: refused before it is decoded.
    SavePicture("huge.png", QImage(kMaxSkinPictureSide + 1, 1, QImage::Format_Mono));
    const char* layouts[] = {
        "[SCREEN]\nMask=good.png\n",                   // no background named
        "[SCREEN]\nMain=absent.jpg\n",                 // missing
        "[SCREEN]\nMain=empty.jpg\n",                  // zero bytes
        "[SCREEN]\nMain=text.jpg\n",                   // not a picture
        "[SCREEN]\nMain=folder.jpg\n",                 // a folder
        "[SCREEN]\nMain=pipe.jpg\n",                   // a named pipe
        "[SCREEN]\nMain=huge.png\n",                   // too large
        "[SCREEN]\nMain=../good.png\n",                // outside the skin folder
        "[SCREEN]\nMain=good.png\nMask=absent.bmp\n",  // missing shape
        "",                                            // empty layout file
    };
    for (const char* layout : layouts) {
        WriteLayout(layout);
        CBaseDialog dialog(dir_.path(), "Test.ini");
        EXPECT_FALSE(dialog.InitSkin().ok()) << layout;
    }
    CBaseDialog noFile(dir_.path(), "Absent.ini");
    EXPECT_FALSE(noFile.InitSkin().ok());
}

TEST_F(SkinDialogTest, AMissingStatePictureLeavesThatStateBlank) {
    SavePicture("normal.png", CornerPicture(Qt::darkCyan));
    ImageSet set = LoadImageSet(
        dir_.path(), {"normal.png", "absent.jpg", "normal.png", "normal.png"}, QSize(40, 30));
    EXPECT_EQ(set.normal.size(), QSize(240, 230)) << "client area plus 100 pixels each way";
    EXPECT_EQ(set.normal.pixelColor(20, 15), QColor(Qt::darkCyan));
    EXPECT_EQ(set.normal.pixelColor(100, 100).alpha(), 0) << "beyond the picture is blank";
    EXPECT_EQ(set.hover.size(), QSize(240, 230));
    EXPECT_EQ(set.hover.pixelColor(20, 15).alpha(), 0);
    EXPECT_EQ(set.pressed.cacheKey(), set.normal.cacheKey())
        << "a file serving two states is read once";
    EXPECT_EQ(set.checked.cacheKey(), set.disabled.cacheKey());
}

TEST_F(SkinDialogTest, PlacementOperationsFollowTheLayoutFile) {
    SavePicture("back.png", CornerPicture(Qt::darkBlue));
    WriteLayout(
        "[SCREEN]\nMain=back.png\n[BUTTONINFO]\nA=10,20,30,40\nARROW=5,6,7,8\n"
        "[BUTTONINFO2]\nFRAME1=3,4,1,1\n");
    CBaseDialog dialog(dir_.path(), "Test.ini");
    ASSERT_TRUE(dialog.InitSkin().ok());
    QWidget control(&dialog);
    control.resize(11, 12);
    dialog.MoveFromSkin(control, "A");
    EXPECT_EQ(control.geometry(), QRect(10, 20, 11, 12)) << "move-only keeps the size";
    dialog.PlaceFromSkin(control, "A");
    EXPECT_EQ(control.geometry(), QRect(10, 20, 30, 40));

    QImage sheet(20, 20, QImage::Format_ARGB32_Premultiplied);
    sheet.fill(Qt::black);
    sheet.setPixelColor(2, 3, Qt::yellow);
    PaintHookRegistry hooks;
    CPngButton arrow(hooks, &dialog);
    dialog.PlacePicture(arrow, "ARROW", "FRAME1", sheet);
    EXPECT_EQ(arrow.geometry(), QRect(5, 6, 7, 8));
    EXPECT_TRUE(arrow.isEnabled());
    EXPECT_EQ(PixelAt(Shot(arrow), 0, 0), QColor(Qt::yellow));
    arrow.SetChecked(true);
    EXPECT_EQ(PixelAt(Shot(arrow), 0, 0), QColor(Qt::yellow)) << "the same piece in every state";
}

void Mouse(QWidget& widget, QEvent::Type type, QPoint local, QPoint global) {
    QMouseEvent event(type, QPointF(local), QPointF(global), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(&widget, &event);
}

TEST_F(SkinDialogTest, DraggingTheSurfaceMovesTheWindow) {
    SavePicture("back.png", CornerPicture(Qt::darkBlue));
    WriteLayout("[SCREEN]\nMain=back.png\n");
    CBaseDialog dialog(dir_.path(), "Test.ini");
    ASSERT_TRUE(dialog.InitSkin().ok());
    dialog.move(100, 100);
    dialog.show();
    QPoint start = dialog.pos();
    QPoint grab = start + QPoint(20, 15);
    Mouse(dialog, QEvent::MouseButtonPress, QPoint(20, 15), grab);
    Mouse(dialog, QEvent::MouseMove, QPoint(20, 15), grab + QPoint(30, 12));
    Mouse(dialog, QEvent::MouseButtonRelease, QPoint(20, 15), grab + QPoint(30, 12));
    EXPECT_EQ(dialog.pos(), start + QPoint(30, 12));
    // Once released, moving the mouse moves nothing.
    Mouse(dialog, QEvent::MouseMove, QPoint(20, 15), grab + QPoint(90, 90));
    EXPECT_EQ(dialog.pos(), start + QPoint(30, 12));
}

TEST_F(SkinDialogTest, ClosingReleasesThePictures) {
    SavePicture("back.png", CornerPicture(Qt::darkBlue));
    WriteLayout("[SCREEN]\nMain=back.png\n");
    CBaseDialog dialog(dir_.path(), "Test.ini");
    ASSERT_TRUE(dialog.InitSkin().ok());
    dialog.show();
    dialog.reject();
    EXPECT_TRUE(dialog.Background().isNull());
    ASSERT_TRUE(dialog.InitSkin().ok()) << "the next opening reads them again";
    EXPECT_FALSE(dialog.Background().isNull());
}

}  // namespace
}  // namespace q804
