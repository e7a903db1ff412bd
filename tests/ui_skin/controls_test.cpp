#include <gtest/gtest.h>

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>
#include <vector>

#include "tests/ui_skin/qt_test_app.h"
#include "ui/skin/bitmap_slider.h"
#include "ui/skin/color_static.h"
#include "ui/skin/hyperlink.h"
#include "ui/skin/png_button.h"
#include "ui/skin/report_ctrl.h"
#include "ui/skin/skin_color_btn.h"
#include "ui/skin/skin_menu.h"
#include "ui/skin/tray_icon.h"

namespace q804 {
namespace {

using testing::PixelAt;
using testing::Shot;

void Mouse(QWidget& widget, QEvent::Type type, int x, Qt::MouseButtons held = Qt::LeftButton) {
    QPointF at(x, widget.height() / 2.0);
    QMouseEvent event(type, at, widget.mapToGlobal(at),
                      type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, held,
                      Qt::NoModifier);
    QApplication::sendEvent(&widget, &event);
}

void Key(QWidget& widget, int key) {
    QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(&widget, &event);
}

void Wheel(QWidget& widget, int delta) {
    QPointF at(widget.width() / 2.0, widget.height() / 2.0);
    QWheelEvent event(at, widget.mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&widget, &event);
}

// ---------------------------------------------------------------- bitmap slider

class SliderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        window_.resize(300, 100);
        slider_ = new CBitmapSlider(1178, &window_);
        // Positions 0-5 at x = 12, 42, 72, 102, 132, 162.
        slider_->setGeometry(10, 10, 174, 24);
        slider_->SetMargin(12);
        slider_->SetRange(0, 5);
        window_.show();
        QObject::connect(slider_, &CBitmapSlider::sliderNotified, [this](int id, int position) {
            EXPECT_EQ(id, 1178);
            notified_.push_back(position);
        });
    }

    int XOf(int position) { return static_cast<int>(slider_->ThumbCentre(position)); }

    QApplication& app_ = testing::TestApp();
    QWidget window_;
    CBitmapSlider* slider_ = nullptr;
    std::vector<int> notified_;
};

TEST_F(SliderTest, DraggingAcrossTheRangeReportsEveryPositionOnTheWay) {
    Mouse(*slider_, QEvent::MouseButtonPress, XOf(0));
    for (int x = XOf(0); x <= XOf(5) + 40; x += 3) {
        Mouse(*slider_, QEvent::MouseMove, x);
    }
    Mouse(*slider_, QEvent::MouseButtonRelease, XOf(5) + 40, Qt::NoButton);
    EXPECT_EQ(notified_, (std::vector<int>{0, 1, 2, 3, 4, 5, 5}))
        << "press, each change while dragging (clamped at the end), release";
    EXPECT_EQ(slider_->Position(), 5);
}

TEST_F(SliderTest, KeysMoveByOneOrAPageAndAreClamped) {
    slider_->SetPageSize(2);
    struct Step {
        int key;
        int expected;
    };
    const Step steps[] = {{Qt::Key_Left, 0},     {Qt::Key_Right, 1},    {Qt::Key_Down, 2},
                          {Qt::Key_PageDown, 4}, {Qt::Key_PageDown, 5}, {Qt::Key_Up, 4},
                          {Qt::Key_Home, 0},     {Qt::Key_End, 5},      {Qt::Key_PageUp, 3}};
    std::vector<int> expected;
    for (const Step& step : steps) {
        Key(*slider_, step.key);
        expected.push_back(step.expected);
    }
    EXPECT_EQ(notified_, expected);
}

TEST_F(SliderTest, TheWheelCountsOnlyAfterAClickGaveTheFocus) {
    slider_->SetPosition(2);
    Wheel(*slider_, -120);
    EXPECT_TRUE(notified_.empty());
    window_.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));
    QTest::mouseClick(slider_, Qt::LeftButton, {}, QPoint(XOf(2), 12));
    ASSERT_TRUE(slider_->hasFocus());
    notified_.clear();
    Wheel(*slider_, -120);  // towards the user
    Wheel(*slider_, 60);    // half a notch: nothing yet
    Wheel(*slider_, 60);
    Wheel(*slider_, 240);
    EXPECT_EQ(notified_, (std::vector<int>{3, 2, 1, 0}));
}

TEST_F(SliderTest, ShowsThePictureOfItsPosition) {
    std::vector<QImage> faces;
    for (int k = 0; k <= 5; ++k) {
        QImage face(174, 24, QImage::Format_ARGB32_Premultiplied);
        face.fill(QColor(40 * k, 0, 0));
        faces.push_back(face);
    }
    slider_->SetFacePictures(faces);
    slider_->SetPosition(4);
    EXPECT_EQ(PixelAt(Shot(*slider_), 5, 5), QColor(160, 0, 0));
    slider_->SetPosition(9);
    EXPECT_EQ(slider_->Position(), 5);
    EXPECT_EQ(PixelAt(Shot(*slider_), 5, 5), QColor(200, 0, 0));
}

// ---------------------------------------------------------------- colour picker

class ColourButtonTest : public ::testing::Test {
  protected:
    QApplication& app_ = testing::TestApp();
    CSkinColorBtn picker_;
};

TEST_F(ColourButtonTest, ASwatchIsPickedAndShown) {
    QSignalSpy picked(&picker_, &CSkinColorBtn::colourPicked);
    ColourPopup* popup = picker_.OpenPopup();
    ASSERT_NE(popup, nullptr);
    const std::uint32_t red = 0x0000FF;  // red in the low byte
    const auto& swatches = CSkinColorBtn::Swatches();
    auto index = static_cast<std::size_t>(std::find(swatches.begin(), swatches.end(), red) -
                                          swatches.begin());
    ASSERT_LT(index, swatches.size());
    popup->SwatchEntries()[index]->click();
    ASSERT_EQ(picked.count(), 1);
    EXPECT_EQ(picked.at(0).at(0).value<std::uint32_t>(), red);
    EXPECT_EQ(picker_.Colour(), red);
}

TEST_F(ColourButtonTest, OtherAsksTheColourDialogAndACancelChangesNothing) {
    std::optional<QColor> answer = QColor(10, 20, 30);
    QColor offered;
    picker_.SetColour(0x112233);
    picker_.SetColourDialog([&](const QColor& initial, QWidget*) {
        offered = initial;
        return answer;
    });
    QSignalSpy picked(&picker_, &CSkinColorBtn::colourPicked);
    picker_.OpenPopup()->OtherEntry()->click();
    EXPECT_EQ(offered, QColor(0x33, 0x22, 0x11)) << "the dialog starts at the current colour";
    EXPECT_EQ(picker_.Colour(), 0x1E140Au);
    answer.reset();
    picker_.OpenPopup()->OtherEntry()->click();
    EXPECT_EQ(picked.count(), 1);
    EXPECT_EQ(picker_.Colour(), 0x1E140Au);
}

TEST_F(ColourButtonTest, AutomaticCanBeDisabledAndOtherwiseReportsTheAutomaticColour) {
    picker_.SetAutomaticEnabled(false);
    EXPECT_FALSE(picker_.OpenPopup()->AutomaticEntry()->isEnabled());
    EXPECT_TRUE(picker_.Popup()->OtherEntry()->isEnabled());
    picker_.SetAutomaticEnabled(true);
    picker_.SetAutomaticColour(0xFFFFFF);
    QSignalSpy picked(&picker_, &CSkinColorBtn::colourPicked);
    picker_.OpenPopup()->AutomaticEntry()->click();
    ASSERT_EQ(picked.count(), 1);
    EXPECT_EQ(picked.at(0).at(0).value<std::uint32_t>(), 0xFFFFFFu);
}

// ---------------------------------------------------------------- statics and links

TEST(ColorStatic, DrawsItsTextWithoutABackgroundOfItsOwn) {
    testing::TestApp();
    QWidget window;
    window.resize(200, 40);
    window.setAutoFillBackground(true);
    QPalette palette;
    palette.setColor(QPalette::Window, Qt::darkRed);
    window.setPalette(palette);
    ColorStatic caption(&window);
    caption.setGeometry(0, 0, 200, 40);
    caption.SetText(QStringLiteral("WWWW"));
    caption.SetTextColour(Qt::green);
    caption.SetFontFace(QStringLiteral("DejaVu Sans"), 20, true);
    QImage shot = Shot(window);
    EXPECT_EQ(PixelAt(shot, 199, 39), QColor(Qt::darkRed)) << "the dialog shows around the text";
    bool ink = false;
    for (int x = 0; x < 100 && !ink; ++x) {
        for (int y = 0; y < 40 && !ink; ++y) {
            ink = PixelAt(shot, x, y) == QColor(Qt::green);
        }
    }
    EXPECT_TRUE(ink);
    EXPECT_TRUE(caption.testAttribute(Qt::WA_TransparentForMouseEvents))
        << "a caption lets presses through to the dialog";
    caption.SetClickable(true);
    EXPECT_FALSE(caption.testAttribute(Qt::WA_TransparentForMouseEvents));
}

TEST(HyperLink, AClickOpensTheAddress) {
    testing::TestApp();
    CHyperLink link;
    link.resize(200, 20);
    QStringList opened;
    link.SetOpener([&opened](const QString& url) { opened << url; });
    link.SetUrl(QStringLiteral("https://example.org/q804"));
    EXPECT_EQ(link.ShownText(), QStringLiteral("https://example.org/q804"));
    Mouse(link, QEvent::MouseButtonPress, 10);
    Mouse(link, QEvent::MouseButtonRelease, 10, Qt::NoButton);
    EXPECT_EQ(opened, QStringList{QStringLiteral("https://example.org/q804")});
    EXPECT_TRUE(link.Visited());
}

// ---------------------------------------------------------------- report list

class ReportTest : public ::testing::Test {
  protected:
    void SetUp() override {
        list_.resize(400, 200);
        list_.InsertColumn(0, QStringLiteral("A"), Qt::AlignLeft, 60);
        list_.InsertColumn(1, QStringLiteral("B"), Qt::AlignLeft, 120);
        list_.InsertColumn(2, QStringLiteral("C"), Qt::AlignLeft, 100);
        list_.show();
    }

    QApplication& app_ = testing::TestApp();
    CReportCtrl list_;
};

TEST_F(ReportTest, SingleCheckModeKeepsOneRowCheckedAndReportsEveryChange) {
    list_.SetCheckboxes(true);
    list_.SetSingleCheck(true);
    for (int i = 0; i < 4; ++i) {
        list_.AppendItem(QString());
    }
    std::vector<std::pair<int, bool>> changes;
    list_.SetCheckChangedCallback(
        [&](int row, bool checked) { changes.emplace_back(row, checked); });
    list_.SetItemChecked(0, true);
    list_.SetItemChecked(2, true);
    EXPECT_FALSE(list_.IsItemChecked(0));
    EXPECT_TRUE(list_.IsItemChecked(2));
    EXPECT_EQ(list_.GetFirstCheckedItem(), 2);
    EXPECT_EQ(changes, (std::vector<std::pair<int, bool>>{{0, true}, {0, false}, {2, true}}));
    changes.clear();
    list_.SetItemText(2, 0, QStringLiteral("renamed"));
    list_.SetItemData(2, 7);
    EXPECT_TRUE(changes.empty()) << "text and data are not check changes";
}

TEST_F(ReportTest, MovedRowsTakeTheirTextsDataAndCheckWithThem) {
    list_.SetCheckboxes(true);
    for (int i = 0; i < 3; ++i) {
        int row = list_.AppendItem(QString::number(i));
        list_.SetItemText(row, 2, QStringLiteral("delay %1").arg(i));
        list_.SetItemData(row, i * 10);
    }
    list_.SetItemChecked(0, true);
    ASSERT_TRUE(list_.MoveItem(0, 9));  // beyond the end: to the last row
    EXPECT_EQ(list_.GetItemText(2, 0), QStringLiteral("0"));
    EXPECT_EQ(list_.GetItemText(2, 2), QStringLiteral("delay 0"));
    EXPECT_EQ(list_.GetItemData(2).toInt(), 0);
    EXPECT_TRUE(list_.IsItemChecked(2));
    EXPECT_EQ(list_.GetFirstSelectedItem(), 2);
    EXPECT_EQ(list_.GetItemText(0, 0), QStringLiteral("1"));
    EXPECT_FALSE(list_.MoveItem(5, 0));
    EXPECT_FALSE(list_.DeleteItem(-1));
    EXPECT_TRUE(list_.DeleteItem(0));
    EXPECT_EQ(list_.GetItemCount(), 2);
}

TEST_F(ReportTest, NumberEditTakesDigitsOnlyAndReportsTheTextOnEnter) {
    int row = list_.AppendItem(QStringLiteral("A"));
    list_.SetItemText(row, 2, QStringLiteral("120"));
    std::vector<QString> accepted;
    list_.SetEditAcceptedCallback([&](int r, int column, const QString& text, int index) {
        EXPECT_EQ(r, row);
        EXPECT_EQ(column, 2);
        EXPECT_EQ(index, -1);
        accepted.push_back(text);
    });
    QLineEdit* edit = list_.StartNumberEdit(row, 2);
    ASSERT_NE(edit, nullptr);
    EXPECT_TRUE(list_.IsEditing());
    edit->clear();
    QTest::keyClicks(edit, QStringLiteral("1-2a34"));
    EXPECT_EQ(edit->text(), QStringLiteral("1234"));
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_FALSE(list_.IsEditing());
    EXPECT_EQ(accepted, std::vector<QString>{QStringLiteral("1234")});
    EXPECT_EQ(list_.GetItemText(row, 2), QStringLiteral("120")) << "the owner decides the cell";

    edit = list_.StartNumberEdit(row, 2);
    QTest::keyClicks(edit, QStringLiteral("5"));
    QTest::keyClick(edit, Qt::Key_Escape);
    EXPECT_FALSE(list_.IsEditing());
    EXPECT_EQ(accepted.size(), 1u) << "Esc cancels";
}

TEST_F(ReportTest, ListEditPreselectsAndReportsTheChosenPosition) {
    int row = list_.AppendItem(QStringLiteral("A"));
    int chosen = -2;
    list_.SetEditAcceptedCallback([&](int, int, const QString&, int index) { chosen = index; });
    QComboBox* choice =
        list_.StartListEdit(row, 1, {QStringLiteral("\u2193"), QStringLiteral("  \u2191")}, 1, 6);
    ASSERT_NE(choice, nullptr);
    EXPECT_EQ(choice->currentIndex(), 1);
    EXPECT_EQ(choice->maxVisibleItems(), 6);
    choice->setCurrentIndex(0);
    list_.EndEdit(true);
    EXPECT_EQ(chosen, 0);
}

TEST_F(ReportTest, ADoubleClickAsksTheOwnerToEdit) {
    int row = list_.AppendItem(QStringLiteral("A"));
    std::pair<int, int> asked{-1, -1};
    list_.SetEditRequestCallback([&](int r, int column) { asked = {r, column}; });
    QRect cell = list_.visualRect(list_.model()->index(row, 2));
    // The events of a real double-click: press, release, double-click, release.
    QTest::mousePress(list_.viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseRelease(list_.viewport(), Qt::LeftButton, {}, cell.center());
    QMouseEvent twice(QEvent::MouseButtonDblClick, QPointF(cell.center()),
                      list_.viewport()->mapToGlobal(QPointF(cell.center())), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(list_.viewport(), &twice);
    QTest::mouseRelease(list_.viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_EQ(asked, std::make_pair(row, 2));
}

// ---------------------------------------------------------------- menus and tray

TEST(SkinMenu, RelabelsItemsByCommandIdAndMarksTheDefault) {
    testing::TestApp();
    QMenu menu;
    AddMenuCommand(menu, 32771, QStringLiteral("open"));
    menu.addSeparator();
    QMenu* sub = menu.addMenu(QStringLiteral("more"));
    AddMenuCommand(*sub, 32776, QStringLiteral("restore"));
    AddMenuCommand(menu, 32774, QStringLiteral("exit"));
    RelabelMenu(menu, [](int id) -> std::optional<QString> {
        if (id == 32771) {
            return QStringLiteral("Open");
        }
        if (id == 32776) {
            return QStringLiteral("Restore");
        }
        return std::nullopt;
    });
    EXPECT_EQ(FindMenuCommand(menu, 32771)->text(), QStringLiteral("Open"));
    EXPECT_EQ(FindMenuCommand(menu, 32776)->text(), QStringLiteral("Restore"));
    EXPECT_EQ(FindMenuCommand(menu, 32774)->text(), QStringLiteral("exit"));
    EXPECT_EQ(FindMenuCommand(menu, 1), nullptr);
    SetDefaultMenuItem(menu, 32774);
    EXPECT_EQ(DefaultMenuCommand(menu), 32774);
    EXPECT_TRUE(FindMenuCommand(menu, 32774)->font().bold());
    SetDefaultMenuItem(menu, 32771);
    EXPECT_FALSE(FindMenuCommand(menu, 32774)->font().bold());

    std::vector<int> chosen;
    ConnectMenuCommands(menu, [&chosen](int id) { chosen.push_back(id); });
    FindMenuCommand(menu, 32774)->trigger();
    EXPECT_EQ(chosen, std::vector<int>{32774});
}

TEST(TrayIcon, DoubleClickRunsTheFirstItemAndASingleClickNothing) {
    testing::TestApp();
    CTrayIcon tray;
    int builds = 0;
    tray.SetMenuBuilder([&builds](QMenu& menu) {
        ++builds;
        AddMenuCommand(menu, 32771, QStringLiteral("Open %1").arg(builds));
        AddMenuCommand(menu, 32773, QStringLiteral("About"));
        AddMenuCommand(menu, 32774, QStringLiteral("Exit"));
    });
    std::vector<int> commands;
    tray.SetCommandHandler([&commands](int id) { commands.push_back(id); });
    // The offscreen test platform has no notification area: the icon is not shown and the
    // owner must keep its window on screen.
    EXPECT_EQ(tray.Create(QIcon(), QStringLiteral("Q804")), CTrayIcon::NotificationAreaAvailable());
    EXPECT_EQ(DefaultMenuCommand(tray.Menu()), 32771);
    tray.HandleActivation(QSystemTrayIcon::Trigger);
    EXPECT_TRUE(commands.empty());
    tray.HandleActivation(QSystemTrayIcon::DoubleClick);
    EXPECT_EQ(commands, std::vector<int>{32771});
    int before = builds;
    tray.BuildMenu();
    EXPECT_EQ(builds, before + 1) << "the menu is built afresh, in the current language";
    EXPECT_EQ(tray.Menu().actions().size(), 3);
}

}  // namespace
}  // namespace q804
