#include "ui/main/lighting_panel.h"

#include <QLineEdit>
#include <string>

#include "lang/language.h"
#include "ui/skin/bitmap_slider.h"
#include "ui/skin/layout/skin_keys.h"
#include "ui/skin/skin_color_btn.h"
#include "ui/skin/skin_dialog.h"
#include "ui/skin/skin_style.h"

namespace q804 {

namespace {

enum class Kind { kCaption, kPicture, kCombo, kEditableCombo, kSlider, kPicker, kEdit };

struct PanelControl {
    int id;
    std::string_view key;
    Kind kind;
    std::string_view lightKey;  // caption from the LIGHT section
    std::string_view picture;   // bitmap of a picture control
    bool shown;                 // shown whatever the effect
};

// Slider faces: one picture per position, brightness from "0.bmp", speed from "6.bmp".
constexpr int kBrightnessFirstPicture = 0;
constexpr int kSpeedFirstPicture = 6;
constexpr int kSliderPositions = 6;
constexpr int kSliderMargin = 12;

constexpr PanelControl kControls[] = {
    {1171, "CONTROL_DengStatic", Kind::kCaption, "Deng", "", true},
    {1167, "CONTROL_DengStaPic", Kind::kPicture, "", kLightingOffPicture, true},
    {1146, "CONTROL_XGcombox", Kind::kCombo, "", "", true},
    {1172, "CONTROL_LightStatic", Kind::kCaption, "Light", "", true},
    {1178, "CONTROL_LightSlider", Kind::kSlider, "", "", true},
    {1222, "CONTROL_Add", Kind::kPicture, "", kPlusPicture, true},
    {1223, "CONTROL_Sub", Kind::kPicture, "", kMinusPicture, true},
    {1166, "CONTROL_SpeedStatic", Kind::kCaption, "Speed", "", false},
    {1179, "CONTROL_SpeedSlider", Kind::kSlider, "", "", false},
    {1224, "CONTROL_Add2", Kind::kPicture, "", kPlusPicture, false},
    {1225, "CONTROL_Sub2", Kind::kPicture, "", kMinusPicture, false},
    {1148, "CONTROL_BLFXStatic", Kind::kCaption, "FX", "", false},
    {1149, "CONTROL_BLFXLStaPic", Kind::kPicture, "", "", false},
    {1150, "CONTROL_BLFXRStaPic", Kind::kPicture, "", "", false},
    {1154, "CONTROL_HXysStatic", Kind::kCaption, "Color", "", false},
    {1155, "CONTROL_HXysButton", Kind::kPicker, "", "", false},
    {1173, "CONTROL_HXsjsStatic", Kind::kCaption, "DC", "", false},
    {1156, "CONTROL_HXsjsStaPic", Kind::kPicture, "", kColourfulOffPicture, false},
    {1151, "CONTROL_FYYSStatic", Kind::kCaption, "Color", "", false},
    {1152, "CONTROL_FYYSButton", Kind::kPicker, "", "", false},
    {1176, "CONTROL_FYSJSStatic", Kind::kCaption, "DC", "", false},
    {1175, "CONTROL_FYSJSStaPic", Kind::kPicture, "", kColourfulOffPicture, false},
    {1194, "CONTROL_HONGPIC", Kind::kPicture, "", "hong.bmp", false},
    {1195, "CONTROL_HUANGPIC", Kind::kPicture, "", "huang.bmp", false},
    {1196, "CONTROL_LVPIC", Kind::kPicture, "", "lv.bmp", false},
    {1197, "CONTROL_LANPIC", Kind::kPicture, "", "lan.bmp", false},
    {1159, "CONTROL_USERysStatic", Kind::kCaption, "Color", "", false},
    {1160, "CONTROL_USERysButton", Kind::kPicker, "", "", false},
    {1161, "CONTROL_USERjsStatic", Kind::kCaption, "JColor", "", false},
    {1162, "CONTROL_USERjsButton", Kind::kPicker, "", "", false},
    {1163, "CONTROL_USERgjStatic", Kind::kCaption, "Tool", "", false},
    {1164, "CONTROL_USERgjStaPic1", Kind::kPicture, "", "", false},
    {1165, "CONTROL_USERgjStaPic2", Kind::kPicture, "", "", false},
    {1198, "CONTROL_umCombo", Kind::kEditableCombo, "", "", false},
    {1157, "CONTROL_JTysStatic", Kind::kCaption, "", "", false},
    {1158, "CONTROL_JTysButton", Kind::kPicker, "", "", false},
    {1204, "CONTROL_UsbStatic", Kind::kCaption, "Usb", "", true},
    {1207, "CONTROL_RGBStatic", Kind::kCaption, "", "", true},
    {1208, "COLOR_R", Kind::kEdit, "", "", true},
    {1209, "COLOR_G", Kind::kEdit, "", "", true},
    {1210, "COLOR_B", Kind::kEdit, "", "", true},
};

}  // namespace

LightingPanel::LightingPanel(CBaseDialog& dialog) : QObject(&dialog) {
    const std::filesystem::path& dir = dialog.SkinDir();
    auto bitmap = [&dir](std::string_view name) {
        auto picture = LoadSkinPicture(dir / std::string(name));
        return picture ? picture.value() : QImage();
    };
    for (const PanelControl& c : kControls) {
        QWidget* control = nullptr;
        switch (c.kind) {
            case Kind::kCaption: {
                auto* caption = new ColorStatic(&dialog);
                caption->SetFontFace(QStringLiteral("Arial Unicode MS"), c.id == 1171 ? 11 : 9,
                                     c.id == 1171);
                caption->SetTextColour(
                    QColor::fromRgb(c.id == 1171 ? style::kText : style::kTextDim));
                control = caption;
                break;
            }
            case Kind::kPicture: {
                auto* picture = new ColorStatic(&dialog);
                if (!c.picture.empty()) {
                    picture->SetPicture(bitmap(c.picture));
                }
                control = picture;
                break;
            }
            case Kind::kCombo:
            case Kind::kEditableCombo: {
                auto* list = new QComboBox(&dialog);
                list->setEditable(c.kind == Kind::kEditableCombo);
                if (c.id == kIdEffectList) {
                    effects_ = list;
                }
                control = list;
                break;
            }
            case Kind::kSlider: {
                auto* slider = new CBitmapSlider(c.id, &dialog);
                const int first = c.id == 1179 ? kSpeedFirstPicture : kBrightnessFirstPicture;
                std::vector<QImage> faces;
                for (int k = 0; k < kSliderPositions; ++k) {
                    faces.push_back(bitmap(SliderPictureName(first + k)));
                }
                slider->SetFacePictures(std::move(faces));
                slider->SetMargin(kSliderMargin);
                slider->SetRange(0, kSliderPositions - 1);
                control = slider;
                break;
            }
            case Kind::kPicker: {
                auto* picker = new CSkinColorBtn(&dialog);
                picker->SetAutomaticEnabled(false);
                control = picker;
                break;
            }
            case Kind::kEdit:
                control = new QLineEdit(QStringLiteral("255"), &dialog);
                break;
        }
        dialog.PlaceFromSkin(*control, c.key);
        control->setVisible(c.shown);
        controls_[c.id] = control;
        if (!c.lightKey.empty()) {
            captionKeys_[c.id] = c.lightKey;
        }
    }
}

QWidget* LightingPanel::Control(int id) const {
    auto it = controls_.find(id);
    return it == controls_.end() ? nullptr : it->second;
}

void LightingPanel::Relabel(LanguageTables& language, int languageIndex) {
    for (const auto& [id, key] : captionKeys_) {
        static_cast<ColorStatic*>(controls_.at(id))
            ->SetText(QString::fromStdString(language.LangLightText(key, languageIndex)));
    }
    static_cast<ColorStatic*>(controls_.at(kIdRgbCaption))->SetText(QStringLiteral("RGB"));
}

void LightingPanel::ShowEffects(LanguageTables& language, const std::vector<int>& codes) {
    effects_->clear();
    for (int code : codes) {
        effects_->addItem(QString::fromStdString(language.LangModeText(std::to_string(code))),
                          code);
    }
}

}  // namespace q804
