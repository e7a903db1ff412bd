// The skin painted by the build: every key the dialogs read is in its layout file, every
// picture they load is there, pictures fit the controls that show them, and the state
// pictures sit seamlessly on the backgrounds.

#include <gtest/gtest.h>

#include <QImage>
#include <array>
#include <filesystem>
#include <map>
#include <span>
#include <string>
#include <vector>

#include "tests/ui_skin/qt_test_app.h"
#include "tools/skingen/panel_bitmaps.h"
#include "tools/skingen/skin_preview.h"
#include "tools/skingen/skin_table.h"
#include "ui/skin/bitmap_slider.h"
#include "ui/skin/layout/skin_keys.h"
#include "ui/skin/layout/skin_layout.h"
#include "ui/skin/png_button.h"
#include "ui/skin/skin_image.h"

namespace q804 {
namespace {

const std::filesystem::path kSkinDir = std::filesystem::path(Q804_RUNTIME_DIR) / "Skins";

// The key codes of the 106 key buttons, in the order of the key-button table.
constexpr std::array<unsigned, 106> kKeyCodes = {
    0x01E, 0x030, 0x02E, 0x020, 0x012, 0x021, 0x022, 0x023, 0x017, 0x024, 0x025, 0x026,
    0x032, 0x031, 0x018, 0x019, 0x010, 0x013, 0x01F, 0x014, 0x016, 0x02F, 0x011, 0x02D,
    0x015, 0x02C, 0x002, 0x003, 0x004, 0x005, 0x006, 0x007, 0x008, 0x009, 0x00A, 0x00B,
    0x01C, 0x001, 0x00E, 0x00F, 0x039, 0x00C, 0x00D, 0x01A, 0x01B, 0x02B, 0x027, 0x028,
    0x029, 0x033, 0x034, 0x035, 0x03B, 0x03C, 0x03D, 0x03E, 0x03F, 0x040, 0x041, 0x042,
    0x043, 0x044, 0x057, 0x058, 0x137, 0x045, 0x152, 0x153, 0x147, 0x14F, 0x149, 0x151,
    0x148, 0x150, 0x14B, 0x14D, 0x046, 0x03A, 0x15D, 0x01D, 0x11D, 0x02A, 0x036, 0x038,
    0x138, 0x15B, 0x15C, 0x04F, 0x050, 0x051, 0x04B, 0x04C, 0x04D, 0x047, 0x048, 0x049,
    0x052, 0x145, 0x11C, 0x053, 0x135, 0x037, 0x04A, 0x04E, 0x056, 0x073,
};

unsigned SlotOf(unsigned code) {
    return code < 0x100 ? code : ((code - 0x80) & 0xFF);
}

QImage Load(const std::string& name) {
    auto picture = LoadSkinPicture(kSkinDir / name);
    return picture ? picture.value() : QImage();
}

class SkinFiles : public ::testing::Test {
  protected:
    void SetUp() override {
        for (std::string_view file : {kMainSkinFile, kCompositeSkinFile, kProfileSkinFile}) {
            auto layout = SkinLayout::Read(kSkinDir / std::string(file));
            ASSERT_TRUE(layout.ok()) << "run the build first: " << (kSkinDir / std::string(file));
            QImage background = Load(layout.value().BackgroundPicture());
            ASSERT_FALSE(background.isNull()) << file;
            sizes_[std::string(file)] = background.size();
            layouts_.emplace(std::string(file), std::move(layout).value());
        }
    }

    const SkinLayout& Main() { return layouts_.at(std::string(kMainSkinFile)); }

    // The key is present, not at the default place, and inside the window.
    void ExpectPlaced(std::string_view file, std::string_view key) {
        SkinRect r = layouts_.at(std::string(file)).Rect(key);
        QSize window = sizes_.at(std::string(file));
        EXPECT_FALSE(r.AtDefaultPosition()) << file << " " << key << " missing";
        EXPECT_TRUE(r.w > 0 && r.h > 0 && r.x >= 0 && r.y >= 0 && r.x + r.w <= window.width() &&
                    r.y + r.h <= window.height())
            << file << " " << key << " = " << FormatSkinRect(r);
    }

    QApplication& app_ = testing::TestApp();
    std::map<std::string, SkinLayout> layouts_;
    std::map<std::string, QSize> sizes_;
};

TEST_F(SkinFiles, EveryKeyTheDialogsReadIsPlacedInsideItsWindow) {
    for (unsigned code : kKeyCodes) {
        ExpectPlaced(kMainSkinFile, KeySkinKey(SlotOf(code)));
    }
    for (int g = 1; g <= kGKeyCount; ++g) {
        ExpectPlaced(kMainSkinFile, GKeySkinKey(g));
    }
    for (auto keys : {std::span<const std::string_view>(kMainImageButtonKeys),
                      std::span<const std::string_view>(kMainControlKeys),
                      std::span<const std::string_view>(kExtraKeySkinKeys)}) {
        for (std::string_view key : keys) {
            ExpectPlaced(kMainSkinFile, key);
        }
    }
    for (std::string_view key : kCompositeImageButtonKeys) {
        ExpectPlaced(kCompositeSkinFile, key);
    }
    for (std::string_view key : kCompositeControlKeys) {
        ExpectPlaced(kCompositeSkinFile, key);
    }
    for (std::string_view key : kProfileImageButtonKeys) {
        ExpectPlaced(kProfileSkinFile, key);
    }
    ExpectPlaced(kProfileSkinFile, "PROGRAM_LIST");
    EXPECT_FALSE(Main().Link("").empty());
}

TEST_F(SkinFiles, KeysOfTheDrawnKeyboardDoNotOverlap) {
    std::vector<std::pair<std::string, QRect>> keys;
    for (unsigned code : kKeyCodes) {
        keys.emplace_back(KeySkinKey(SlotOf(code)), QRect());
    }
    for (int g = 1; g <= kGKeyCount; ++g) {
        keys.emplace_back(GKeySkinKey(g), QRect());
    }
    keys.emplace_back("KEY_FN", QRect());
    for (std::string_view key : kExtraKeySkinKeys) {
        keys.emplace_back(std::string(key), QRect());
    }
    for (auto& [key, rect] : keys) {
        SkinRect r = Main().Rect(key);
        rect = QRect(r.x, r.y, r.w, r.h);
    }
    for (std::size_t i = 0; i < keys.size(); ++i) {
        for (std::size_t j = i + 1; j < keys.size(); ++j) {
            EXPECT_FALSE(keys[i].second.intersects(keys[j].second))
                << keys[i].first << " overlaps " << keys[j].first;
        }
    }
}

TEST_F(SkinFiles, ArrowPicturePositionsLieInTheArrowPicture) {
    QImage arrows = Load(std::string(kMainArrowPicture));
    ASSERT_FALSE(arrows.isNull());
    for (std::string_view prefix : kArrowPicturePrefixes) {
        for (int frame : {1, 2}) {
            std::string key = ArrowPictureKey(prefix, frame);
            SkinRect at = Main().PictureRect(key);
            SkinRect shown = Main().Rect(
                prefix.find("LEFT") != std::string_view::npos ? "LEFT_ARROW" : "RIGHT_ARROW");
            EXPECT_FALSE(at.AtDefaultPosition() && at.w == 1) << key;
            // The piece is copied from one pixel up and left of the position.
            EXPECT_TRUE(QRect(0, 0, arrows.width(), arrows.height())
                            .contains(QRect(at.x - 1, at.y - 1, shown.w, shown.h)))
                << key;
        }
    }
}

TEST_F(SkinFiles, EveryStatePictureIsThereAndAsLargeAsItsWindow) {
    struct Set {
        std::string_view file;
        ImageSetNames names;
    };
    const Set sets[] = {
        {kMainSkinFile, kMainImageSet},       {kCompositeSkinFile, kKeyImageSet},
        {kCompositeSkinFile, kMacroImageSet}, {kCompositeSkinFile, kMacro2ImageSet},
        {kCompositeSkinFile, kMediaImageSet}, {kCompositeSkinFile, kFunctionImageSet},
        {kProfileSkinFile, kProfileImageSet}};
    for (const Set& set : sets) {
        for (std::string_view name :
             {set.names.normal, set.names.hover, set.names.pressed, set.names.disabled}) {
            EXPECT_EQ(Load(std::string(name)).size(), sizes_.at(std::string(set.file))) << name;
        }
    }
    for (std::string_view name : {kMainColourUnselectedPicture, kMainColourSelectedPicture}) {
        EXPECT_EQ(Load(std::string(name)).size(), sizes_.at(std::string(kMainSkinFile))) << name;
    }
}

TEST_F(SkinFiles, PanelBitmapsFitTheControlsThatShowThem) {
    std::vector<std::pair<std::string, std::vector<std::string>>> shown = {
        {"CONTROL_DengStaPic", {std::string(kLightingOnPicture), std::string(kLightingOffPicture)}},
        {"CONTROL_Add", {std::string(kPlusPicture)}},
        {"CONTROL_Sub2", {std::string(kMinusPicture)}},
        {"CONTROL_HXsjsStaPic",
         {std::string(kColourfulOnPicture), std::string(kColourfulOffPicture)}},
        {"CONTROL_FYSJSStaPic", {std::string(kColourfulOnPicture)}},
        {"CONTROL_USERgjStaPic1", {std::string(kToolPictures[0]), std::string(kToolPictures[2])}},
        {"CONTROL_USERgjStaPic2", {std::string(kToolPictures[1]), std::string(kToolPictures[3])}},
    };
    for (const auto& layout : kDirectionLayouts) {
        for (const DirectionPictureNames& names :
             {kLeftRightPictures, kUpDownPictures, kOutwardInwardPictures}) {
            shown.push_back({std::string(layout.first),
                             {std::string(names.firstOnFirst), std::string(names.firstOnSecond)}});
            shown.push_back(
                {std::string(layout.second),
                 {std::string(names.secondOnFirst), std::string(names.secondOnSecond)}});
        }
    }
    const char* choice[] = {"CONTROL_HONGPIC", "CONTROL_HUANGPIC", "CONTROL_LVPIC",
                            "CONTROL_LANPIC"};
    for (std::size_t i = 0; i < 4; ++i) {
        shown.push_back(
            {choice[i],
             {std::string(kColourChoicePictures[i]), std::string(kColourChoiceChosenPictures[i])}});
    }
    for (int k = 0; k < 6; ++k) {
        shown.push_back({"CONTROL_LightSlider", {SliderPictureName(k)}});
        shown.push_back({"CONTROL_SpeedSlider", {SliderPictureName(6 + k)}});
    }
    for (int n = 1; n <= kSwatchPictureCount; ++n) {
        shown.push_back({"CONTROL_Color" + std::to_string(n), {SwatchPictureName(n)}});
    }
    for (int n = 1; n <= kBusyPictureCount; ++n) {
        shown.push_back({"CONTROL_JDTStatic", {BusyPictureName(n)}});
    }
    for (int n = 12; n < kSliderPictureCount; ++n) {
        EXPECT_FALSE(Load(SliderPictureName(n)).isNull()) << SliderPictureName(n);
    }
    for (const auto& [key, pictures] : shown) {
        SkinRect r = Main().Rect(key);
        for (const std::string& name : pictures) {
            QImage picture = Load(name);
            ASSERT_FALSE(picture.isNull()) << name;
            EXPECT_LE(picture.width(), r.w) << name << " in " << key;
            EXPECT_LE(picture.height(), r.h) << name << " in " << key;
        }
    }
}

// The slider pictures draw the thumb where the slider's own hit test puts each position, so
// a click on a drawn thumb lands on that position.
TEST(SliderPictures, AgreeWithTheSliderOnWhereEachPositionLies) {
    testing::TestApp();
    SkinRect r =
        SkinLayout::ReadOrEmpty(kSkinDir / std::string(kMainSkinFile)).Rect("CONTROL_LightSlider");
    CBitmapSlider slider(1178);
    slider.resize(r.w, r.h);
    slider.SetRange(0, 5);
    for (int k = 0; k <= 5; ++k) {
        double drawn =
            skingen::SliderThumbCentre(k, 5, skingen::kSliderWidth, skingen::kSliderMargin);
        EXPECT_DOUBLE_EQ(slider.ThumbCentre(k), drawn) << k;
        EXPECT_EQ(slider.PositionAt(static_cast<int>(drawn)), k);
    }
}

// State pictures are drawn one pixel up and left of the background, because buttons copy
// from (x - 1, y - 1): away from the buttons they must show the same ground. Compared
// without that offset, the edges of cards and lines give them away.
int DifferingPoints(const QImage& background, const QImage& state, const std::vector<QRect>& skip,
                    int offset) {
    int differing = 0;
    for (int y = 4; y < background.height() - 4; y += 2) {
        for (int x = 4; x < background.width() - 4; x += 2) {
            if (std::any_of(skip.begin(), skip.end(),
                            [x, y](const QRect& r) { return r.contains(x, y); })) {
                continue;
            }
            // Brightness only: JPEG keeps colour at half resolution, which blurs colour
            // edges differently in pictures one pixel apart.
            int a = qGray(background.pixel(x, y));
            int b = qGray(state.pixel(x - offset, y - offset));
            if (std::abs(a - b) > 12) {
                ++differing;
            }
        }
    }
    return differing;
}

TEST_F(SkinFiles, StatePicturesSitSeamlesslyOnTheBackground) {
    struct Pair {
        std::string_view file;
        std::string_view picture;
    };
    for (const Pair& pair :
         {Pair{kMainSkinFile, kMainImageSet.normal}, Pair{kCompositeSkinFile, kKeyImageSet.normal},
          Pair{kProfileSkinFile, kProfileImageSet.normal}}) {
        const SkinLayout& skin = layouts_.at(std::string(pair.file));
        QImage background = Load(skin.BackgroundPicture());
        QImage state = Load(std::string(pair.picture));
        std::vector<QRect> controls;
        for (const std::string& key : skin.document().Keys(kSkinButtonSection)) {
            SkinRect r = skin.Rect(key);
            controls.push_back(QRect(r.x, r.y, r.w, r.h).adjusted(-3, -3, 3, 3));
        }
        int aligned = DifferingPoints(background, state, controls, 1);
        int shifted = DifferingPoints(background, state, controls, 0);
        EXPECT_LT(aligned * 4, shifted) << pair.picture << ": " << aligned << " points differ, "
                                        << shifted << " without the offset";
    }
}

TEST_F(SkinFiles, ThePreviewShowsAWholeKeyboardWithEveryButtonLive) {
    PaintHookRegistry hooks;
    skingen::PreviewOptions options;
    options.skinDir = kSkinDir;
    auto dialog = skingen::BuildPreview(skingen::PreviewDialog::kMain, options, hooks);
    ASSERT_TRUE(dialog.ok()) << dialog.error().message;
    int placed = 0;
    for (CPngButton* button : dialog.value()->findChildren<CPngButton*>()) {
        EXPECT_NE(button->geometry().topLeft(), QPoint(1, 1)) << button->text().toStdString();
        ++placed;
    }
    // 106 keys, 9 G keys, Fn, 6 extra keys, 2 arrows and the frame's buttons.
    EXPECT_GE(placed, 106 + 9 + 1 + 6 + 2 + 27);
    QImage shot = skingen::RenderPreview(*dialog.value());
    EXPECT_EQ(shot.size(), sizes_.at(std::string(kMainSkinFile)));
    EXPECT_EQ(shot.pixelColor(0, 0).alpha(), 0) << "the rounded corner is outside the shape";
}

}  // namespace
}  // namespace q804
