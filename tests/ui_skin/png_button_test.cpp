#include "ui/skin/png_button.h"

#include <gtest/gtest.h>

#include <QMouseEvent>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>
#include <vector>

#include "tests/ui_skin/qt_test_app.h"
#include "ui/skin/layout/skin_layout.h"
#include "ui/skin/skin_place.h"

namespace q804 {
namespace {

using testing::PixelAt;
using testing::Shot;

QImage Solid(QColor colour, QSize size = QSize(120, 120)) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(colour);
    return image;
}

// Each pixel tells where it lies: red = x, green = y.
QImage Coordinates() {
    QImage image(200, 200, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < 200; ++y) {
        for (int x = 0; x < 200; ++x) {
            image.setPixelColor(x, y, QColor(x, y, 77));
        }
    }
    return image;
}

void SendMouse(QWidget& widget, QEvent::Type type, QPoint at,
               Qt::MouseButton button = Qt::LeftButton) {
    Qt::MouseButtons buttons = type == QEvent::MouseButtonRelease || type == QEvent::MouseMove
                                   ? Qt::NoButton
                                   : Qt::MouseButtons(button);
    QMouseEvent event(type, QPointF(at), widget.mapToGlobal(QPointF(at)),
                      type == QEvent::MouseMove ? Qt::NoButton : button, buttons, Qt::NoModifier);
    QApplication::sendEvent(&widget, &event);
}

class PngButtonTest : public ::testing::Test {
  protected:
    void SetUp() override {
        parent_.resize(200, 200);
        button_ = new CPngButton(hooks_, &parent_);
        button_->setGeometry(20, 20, 10, 10);
        button_->SetPictures(21, 21, normal_, hover_, pressed_, disabled_, checked_);
        parent_.show();
    }

    QColor Centre() { return PixelAt(Shot(*button_), 5, 5); }

    QApplication& app_ = testing::TestApp();
    PaintHookRegistry hooks_;
    QWidget parent_;
    CPngButton* button_ = nullptr;
    QImage normal_ = Solid(Qt::white);
    QImage hover_ = Solid(Qt::yellow);
    QImage pressed_ = Solid(Qt::blue);
    QImage disabled_ = Solid(Qt::gray);
    QImage checked_ = Solid(Qt::green);
    QImage latchedA_ = Solid(Qt::cyan);
    QImage latchedB_ = Solid(Qt::magenta);
};

struct StateCase {
    const char* name;
    bool disabled;
    bool latched;
    bool variant;
    bool pressed;
    bool hover;
    bool checked;
    Qt::GlobalColor expected;
};

class PngButtonStates : public PngButtonTest, public ::testing::WithParamInterface<StateCase> {};

TEST_P(PngButtonStates, ShowsThePictureOfTheFirstMatchingState) {
    const StateCase& c = GetParam();
    button_->SetLatchedLook(latchedA_, c.latched, latchedB_, c.variant, false);
    button_->SetChecked(c.checked, false);
    if (c.hover) {
        SendMouse(*button_, QEvent::MouseMove, QPoint(5, 5));
        ASSERT_TRUE(button_->IsHover());
    }
    button_->setDown(c.pressed);
    button_->setEnabled(!c.disabled);
    EXPECT_EQ(Centre(), QColor(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Order, PngButtonStates,
    ::testing::Values(
        StateCase{"normal", false, false, false, false, false, false, Qt::white},
        StateCase{"checked", false, false, false, false, false, true, Qt::green},
        StateCase{"hover_beats_checked", false, false, false, false, true, true, Qt::yellow},
        StateCase{"pressed_beats_hover", false, false, false, true, true, true, Qt::blue},
        StateCase{"latched_a_beats_pressed", false, true, false, true, true, true, Qt::cyan},
        StateCase{"latched_b_with_variant", false, true, true, false, false, false, Qt::magenta},
        StateCase{"disabled_beats_everything", true, true, true, true, true, true, Qt::gray},
        StateCase{"disabled_while_checked", true, false, false, false, false, true, Qt::gray}),
    [](const ::testing::TestParamInfo<StateCase>& param) { return std::string(param.param.name); });

TEST_F(PngButtonTest, CopiesItsPieceFromOnePixelUpAndLeftOfItsSkinPosition) {
    QImage map = Coordinates();
    SkinLayout skin(IniDocument("[BUTTONINFO]\nKEY=10,20,6,4\n"));
    PlaceSkinnedButton(*button_, skin, "KEY", ImageSet{map, map, map, map, map});
    EXPECT_EQ(button_->geometry(), QRect(10, 20, 6, 4));
    QImage shot = Shot(*button_);
    EXPECT_EQ(PixelAt(shot, 0, 0), QColor(9, 19, 77));
    EXPECT_EQ(PixelAt(shot, 5, 3), QColor(14, 22, 77));
}

TEST_F(PngButtonTest, AMissingSkinKeyLeavesADisabledOnePixelButtonThatIgnoresClicks) {
    SkinLayout skin(IniDocument("[BUTTONINFO]\nOTHER=10,20,30,40\n"));
    PlaceSkinnedButton(*button_, skin, "MISSING",
                       ImageSet{normal_, hover_, pressed_, disabled_, checked_});
    EXPECT_EQ(button_->geometry(), QRect(1, 1, 1, 1));
    EXPECT_FALSE(button_->isEnabled());
    QSignalSpy clicks(button_, &QAbstractButton::clicked);
    QTest::mouseClick(button_, Qt::LeftButton, {}, QPoint(0, 0));
    EXPECT_EQ(clicks.count(), 0);
}

TEST_F(PngButtonTest, MarkDrawsATwoPixelFrameInsideTheEdgeAndGoesAwayWhenCleared) {
    button_->SetMark(0x0000FF, 50, true);  // red in the low byte
    QImage marked = Shot(*button_);
    const QColor red(255, 0, 0);
    for (QPoint edge :
         {QPoint(0, 0), QPoint(1, 1), QPoint(9, 9), QPoint(8, 5), QPoint(5, 0), QPoint(0, 9)}) {
        EXPECT_EQ(PixelAt(marked, edge.x(), edge.y()), red) << edge.x() << "," << edge.y();
    }
    EXPECT_EQ(PixelAt(marked, 2, 2), QColor(Qt::white)) << "the frame is two pixels wide";
    EXPECT_EQ(button_->MarkValue(), 50);

    button_->SetMark(0x0000FF, 150, true);
    EXPECT_EQ(button_->MarkValue(), 100);

    button_->SetMark(0x0000FF, 50, false);
    EXPECT_EQ(PixelAt(Shot(*button_), 0, 0), QColor(Qt::white));
}

TEST_F(PngButtonTest, PaintHookHearsEveryPaintAndWhetherTheNormalPictureWasDrawn) {
    std::vector<std::pair<CPngButton*, bool>> calls;
    hooks_.Set(
        [&calls](CPngButton& button, bool drewNormal) { calls.emplace_back(&button, drewNormal); });
    Shot(*button_);
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.back(), std::make_pair(button_, true));

    button_->SetChecked(true, false);
    Shot(*button_);
    EXPECT_EQ(calls.back(), std::make_pair(button_, false));

    hooks_.Clear();
    calls.clear();
    Shot(*button_);
    EXPECT_TRUE(calls.empty());
}

TEST_F(PngButtonTest, ADoubleClickIsTwoClicks) {
    QSignalSpy clicks(button_, &QAbstractButton::clicked);
    SendMouse(*button_, QEvent::MouseButtonPress, QPoint(5, 5));
    SendMouse(*button_, QEvent::MouseButtonRelease, QPoint(5, 5));
    SendMouse(*button_, QEvent::MouseButtonDblClick, QPoint(5, 5));
    SendMouse(*button_, QEvent::MouseButtonRelease, QPoint(5, 5));
    EXPECT_EQ(clicks.count(), 2);
}

TEST_F(PngButtonTest, HoverStartsWithTheFirstMoveAndEndsWhenTheMouseLeaves) {
    EXPECT_FALSE(button_->IsHover());
    SendMouse(*button_, QEvent::MouseMove, QPoint(3, 3));
    EXPECT_TRUE(button_->IsHover());
    EXPECT_TRUE(button_->IsTracking());
    EXPECT_EQ(Centre(), QColor(Qt::yellow));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(button_, &leave);
    EXPECT_FALSE(button_->IsHover());
    EXPECT_FALSE(button_->IsTracking());
    EXPECT_EQ(Centre(), QColor(Qt::white));
}

TEST_F(PngButtonTest, NewPicturesClearHoverAndPressed) {
    SendMouse(*button_, QEvent::MouseMove, QPoint(3, 3));
    button_->setDown(true);
    button_->SetPicturesOnly(normal_, hover_, pressed_, disabled_, checked_);
    EXPECT_FALSE(button_->IsHover());
    EXPECT_FALSE(button_->IsTracking());
    EXPECT_FALSE(button_->isDown());
    EXPECT_EQ(Centre(), QColor(Qt::white));
}

TEST_F(PngButtonTest, TooltipShowsAfterItsDelayAndOnlyWhenActive) {
    button_->SetTooltip(QString(), true);
    EXPECT_TRUE(button_->TooltipText().isEmpty()) << "an empty text changes nothing";

    button_->SetTooltip(QStringLiteral("Close the window"), false);
    SendMouse(*button_, QEvent::MouseMove, QPoint(3, 3));
    EXPECT_FALSE(button_->TooltipPending()) << "an inactive tooltip stays silent";

    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(button_, &leave);
    button_->SetTooltip(QStringLiteral("Close the window"), true);
    SendMouse(*button_, QEvent::MouseMove, QPoint(3, 3));
    EXPECT_TRUE(button_->TooltipPending());
    EXPECT_FALSE(QToolTip::isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(QToolTip::isVisible(), 2000);
    EXPECT_EQ(QToolTip::text(), QStringLiteral("Close the window"));

    SendMouse(*button_, QEvent::MouseButtonPress, QPoint(3, 3));
    EXPECT_FALSE(QToolTip::isVisible()) << "a press hides the tooltip";
    SendMouse(*button_, QEvent::MouseButtonRelease, QPoint(3, 3));
}

bool IsRedInk(QColor c) {
    return c.red() > 200 && c.green() < 60 && c.blue() < 60;
}

// Centre of the red caption's pixels.
QPointF InkCentre(const QImage& image) {
    double sx = 0;
    double sy = 0;
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (IsRedInk(image.pixelColor(x, y))) {
                sx += x;
                sy += y;
                ++n;
            }
        }
    }
    return n == 0 ? QPointF(-1, -1) : QPointF(sx / n, sy / n);
}

TEST_F(PngButtonTest, CaptionTakesTheStateColourAndARotatedCaptionIsCentred) {
    button_->setGeometry(0, 0, 40, 120);
    button_->SetPictures(1, 1, normal_, hover_, pressed_, disabled_, checked_);
    button_->setText(QStringLiteral("CAPTION"));
    button_->SetCaptionStyle(true, 10, QStringLiteral("DejaVu Sans"), Qt::red, Qt::red, Qt::red,
                             Qt::red, Qt::red);
    QPointF flat = InkCentre(Shot(*button_));
    ASSERT_GE(flat.x(), 0) << "the caption is drawn";

    button_->SetCaptionAngle(900, true);
    QImage turned = Shot(*button_);
    QPointF centre = InkCentre(turned);
    ASSERT_GE(centre.x(), 0);
    EXPECT_NEAR(centre.x(), 20, 4);
    EXPECT_NEAR(centre.y(), 60, 6);
    // Turned upright, the caption is taller than it is wide.
    int top = 120;
    int bottom = 0;
    for (int y = 0; y < turned.height(); ++y) {
        for (int x = 0; x < turned.width(); ++x) {
            if (IsRedInk(turned.pixelColor(x, y))) {
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    EXPECT_GT(bottom - top, 30);
}

}  // namespace
}  // namespace q804
