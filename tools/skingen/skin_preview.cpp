#include "tools/skingen/skin_preview.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <cmath>
#include <string>
#include <vector>

#include "common/ini_file.h"
#include "tools/skingen/skin_table.h"
#include "ui/skin/bitmap_slider.h"
#include "ui/skin/color_static.h"
#include "ui/skin/layout/skin_keys.h"
#include "ui/skin/png_button.h"
#include "ui/skin/report_ctrl.h"
#include "ui/skin/skin_color_btn.h"
#include "ui/skin/skin_style.h"

namespace q804::skingen {
namespace {

const DialogLayout& LayoutOf(PreviewDialog dialog) {
    switch (dialog) {
        case PreviewDialog::kComposite:
            return CompositeLayout();
        case PreviewDialog::kProfile:
            return ProfileLayout();
        default:
            return MainLayout();
    }
}

class Captions {
  public:
    explicit Captions(const std::filesystem::path& file) {
        auto loaded = LoadIniForEditing(file);
        if (loaded) {
            document_ = std::move(loaded).value();
        }
    }

    QString Text(const std::string& caption, const std::string& link) const {
        if (caption.empty()) {
            return QString();
        }
        if (caption == "=LINK") {
            return QString::fromStdString(link);
        }
        if (caption.front() == '=') {
            return QString::fromStdString(caption.substr(1));
        }
        auto colon = caption.find(':');
        std::string section = caption.substr(0, colon);
        std::string key = caption.substr(colon + 1);
        return QString::fromStdString(document_.Get(section, key, key));
    }

    QString Mode(int code) const {
        return QString::fromStdString(document_.Get("MODE", std::to_string(code), "#Error"));
    }

  private:
    IniDocument document_;
};

std::vector<int> PanelGroupsOf(int effect) {
    std::vector<int> groups = {kPanelTitle, kPanelCommon, kPanelReport, kPanelRgb};
    auto add = [&groups](std::initializer_list<int> more) { groups.insert(groups.end(), more); };
    switch (effect) {
        case 1:
        case 2:
        case 3:
            add({kPanelSpeed, kPanelDirection2, kPanelColourA});
            break;
        case 4:
        case 11:
            add({kPanelSpeed});
            break;
        case 5:
        case 7:
        case 8:
        case 9:
        case 10:
        case 13:
        case 14:
        case 15:
            add({kPanelSpeed, kPanelColourA});
            break;
        case 6:
        case 16:
            add({kPanelColourB});
            break;
        case 12:
            add({kPanelSpeed, kPanelDirection3});
            break;
        case 17:
            add({kPanelChoice});
            break;
        case 18:
            add({kPanelDirection});
            break;
        case 20:
            add({kPanelPerKey});
            break;
        default:
            break;
    }
    return groups;
}

bool Contains(const std::vector<int>& groups, int group) {
    return std::find(groups.begin(), groups.end(), group) != groups.end();
}

QImage LoadBitmap(const std::filesystem::path& dir, const std::string& name) {
    auto picture = LoadSkinPicture(dir / name);
    return picture ? picture.value() : QImage();
}

void StyleCaption(CPngButton& button, int points = 9) {
    button.SetCaptionStyle(true, points, QStringLiteral("Arial Unicode MS"), Qt::white, Qt::white,
                           Qt::white, QColor(0x7F, 0x7F, 0x7F), Qt::white);
}

// A hue wheel colour for the lighting preview's marks.
std::uint32_t WheelColour(double turn) {
    QColor colour = QColor::fromHsvF(static_cast<float>(std::fmod(turn, 1.0)), 0.85f, 1.0f);
    return RefFromColour(colour);
}

void BuildMain(CBaseDialog& dialog, const DialogLayout& layout, const PreviewOptions& options,
               const Captions& captions, PaintHookRegistry& hooks) {
    const std::filesystem::path& dir = options.skinDir;
    ImageSet main = dialog.LoadImageSet(kMainImageSet);
    // Keys show their normal picture when disabled and the disabled picture when latched.
    ImageSet keys = main;
    keys.disabled = main.normal;
    keys.checked = main.disabled;
    QImage arrows = dialog.LoadStatePicture(kMainArrowPicture);
    std::vector<int> groups = options.lightingView ? PanelGroupsOf(options.effect)
                                                   : std::vector<int>{kPanelTitle, kPanelReport};
    for (const Element& e : layout.elements) {
        switch (e.kind) {
            case Kind::kKeyButton: {
                auto* key = new CPngButton(hooks, &dialog);
                dialog.PlaceSkinnedButton(*key, e.key, keys);
                if (e.face == Face::kGKey) {
                    int number = std::stoi(e.subLegend.substr(1));
                    key->setText(number <= 5 ? QStringLiteral("A%1").arg(number) : QString());
                    StyleCaption(*key, 9);
                }
                if (e.face == Face::kSmallKey) {
                    key->setEnabled(false);  // layout flip off: F1-F4 are the live keys
                }
                // A few assigned keys, as after the user gave them a macro.
                for (int id : {1045, 1058, 1059, 1060, 1000}) {
                    if (e.buttonId == id) {
                        key->SetChecked(true);
                    }
                }
                if (options.lightingView && options.effect != 0 && e.face != Face::kSmallKey) {
                    // The preview's wave: a frame in a hue that runs across the keyboard.
                    key->SetMark(WheelColour(e.rect.x / 1400.0), 50, true);
                }
                break;
            }
            case Kind::kImageButton:
            case Kind::kLinkButton: {
                if (e.group == kPanelHidden) {
                    break;
                }
                auto* button = new CPngButton(hooks, &dialog);
                dialog.PlaceSkinnedButton(*button, e.key, main);
                QString text = captions.Text(e.caption, layout.link);
                if (!text.isEmpty()) {
                    button->setText(text);
                    StyleCaption(*button, e.face == Face::kLink ? 9 : 10);
                    if (e.face == Face::kLink) {
                        button->SetCaptionStyle(true, 9, QStringLiteral("Arial Unicode MS"),
                                                QColor::fromRgb(style::kTextDim), Qt::white,
                                                QColor::fromRgb(style::kAccent), Qt::gray,
                                                Qt::white,
                                                caption::kVCentre | caption::kSingleLine);
                        button->SetCaptionInsets(6, 0, 0, 0);
                    }
                }
                if (e.key == "FUNC_PROFILE1" || e.key == "FUNC_REPORT4") {
                    button->SetChecked(true);
                }
                if (e.key == "ZELTRA_VER" || e.key == "CONTROL2_APPLY") {
                    button->setEnabled(false);
                }
                break;
            }
            case Kind::kArrow: {
                auto* arrow = new CPngButton(hooks, &dialog);
                bool right = e.key == "RIGHT_ARROW";
                dialog.PlacePicture(
                    *arrow, e.key,
                    ArrowPictureKey(right ? "DOWN_ARROW_RIGHT" : "DOWN_ARROW_LEFT", 1), arrows);
                break;
            }
            default: {
                if (!Contains(groups, e.group)) {
                    break;
                }
                QWidget* control = nullptr;
                if (e.kind == Kind::kCaption) {
                    auto* label = new ColorStatic(&dialog);
                    label->SetText(captions.Text(e.caption, layout.link));
                    label->SetFontFace(QStringLiteral("Arial Unicode MS"),
                                       e.group == kPanelTitle ? 11 : 9, e.group == kPanelTitle);
                    label->SetTextColour(e.group == kPanelTitle ? QColor::fromRgb(style::kText)
                                                                : QColor::fromRgb(style::kTextDim));
                    control = label;
                } else if (e.kind == Kind::kPicture) {
                    auto* picture = new ColorStatic(&dialog);
                    picture->SetPicture(LoadBitmap(dir, e.picture));
                    picture->SetClickable(true);
                    control = picture;
                } else if (e.kind == Kind::kCombo || e.kind == Kind::kEditableCombo) {
                    auto* list = new QComboBox(&dialog);
                    list->setEditable(e.kind == Kind::kEditableCombo);
                    if (e.key == "CONTROL_XGcombox") {
                        for (int code :
                             {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 20}) {
                            list->addItem(captions.Mode(code), code);
                        }
                        list->setCurrentIndex(list->findData(options.effect));
                    } else {
                        list->addItem(QStringLiteral("Ocean"));
                    }
                    control = list;
                } else if (e.kind == Kind::kSlider) {
                    bool speed = e.key == "CONTROL_SpeedSlider";
                    auto* slider = new CBitmapSlider(speed ? 1179 : 1178, &dialog);
                    std::vector<QImage> faces;
                    for (int k = 0; k <= 5; ++k) {
                        faces.push_back(LoadBitmap(
                            dir, SliderPictureName(
                                     (speed ? kSpeedFirstPicture : kBrightnessFirstPicture) + k)));
                    }
                    slider->SetFacePictures(std::move(faces));
                    slider->SetMargin(kSliderMargin);
                    slider->SetRange(0, 5);
                    slider->SetPosition(speed ? 3 : 4);
                    control = slider;
                } else if (e.kind == Kind::kColourPicker) {
                    auto* picker = new CSkinColorBtn(&dialog);
                    picker->SetColour(e.key == "CONTROL_USERjsButton" ? 0x301808 : 0xFFB41F);
                    picker->SetAutomaticEnabled(false);
                    control = picker;
                } else if (e.kind == Kind::kEdit) {
                    auto* edit = new QLineEdit(captions.Text(e.caption, layout.link), &dialog);
                    control = edit;
                }
                if (control != nullptr) {
                    dialog.PlaceFromSkin(*control, e.key);
                }
                break;
            }
        }
    }
}

void BuildComposite(CBaseDialog& dialog, const DialogLayout& layout, const PreviewOptions& options,
                    const Captions& captions, PaintHookRegistry& hooks) {
    ImageSet keySet = dialog.LoadImageSet(kKeyImageSet);
    keySet.checked = keySet.pressed;
    ImageSet macroSet = dialog.LoadImageSet(kMacroImageSet);
    macroSet.checked = macroSet.pressed;
    ImageSet pageSet = options.editorPage == kPageMacro   ? macroSet
                       : options.editorPage == kPageMedia ? dialog.LoadImageSet(kMediaImageSet)
                       : options.editorPage == kPageFunction
                           ? dialog.LoadImageSet(kFunctionImageSet)
                           : keySet;
    const std::pair<const char*, int> tabs[] = {{"CONTROL_KEY", kPageSingleKey},
                                                {"CONTROL_MACRO", kPageMacro},
                                                {"CONTROL_MEDIA", kPageMedia},
                                                {"CONTROL_FUNCTION", kPageFunction}};
    std::vector<Element> controls;
    for (const Element& e : layout.elements) {
        if (e.kind == Kind::kImageButton) {
            if (e.group != kEditorFrame && e.group != options.editorPage) {
                continue;
            }
            auto* button = new CPngButton(hooks, &dialog);
            bool isMask = e.face == Face::kPage;
            dialog.PlaceSkinnedButton(
                *button, e.key, isMask ? pageSet : (e.imageSet == kSetMacro ? macroSet : keySet));
            if (isMask) {
                button->setEnabled(false);
                button->lower();
            }
            QString text = captions.Text(e.caption, "");
            if (!text.isEmpty()) {
                button->setText(text);
                StyleCaption(*button, e.key == "FUNC_MACRO_RECORD" ? 8 : 9);
            }
            for (const auto& [key, page] : tabs) {
                if (e.key == key) {
                    button->SetChecked(page == options.editorPage);
                }
            }
        } else if (e.group == kEditorFrame || e.group == options.editorPage) {
            controls.push_back(e);
        }
    }
    for (const Element& e : controls) {
        QWidget* control = nullptr;
        if (e.kind == Kind::kCaption) {
            auto* label = new ColorStatic(&dialog);
            label->SetText(captions.Text(e.caption, ""));
            label->SetFontFace(QStringLiteral("Arial Unicode MS"), 10.8);
            label->SetTextColour(QColor(0xE4, 0xE4, 0xE4));
            control = label;
        } else if (e.kind == Kind::kEdit) {
            auto* edit = new QLineEdit(captions.Text(e.caption, ""), &dialog);
            if (e.key == "FUNC_KEY_INPUT") {
                QFont big(QStringLiteral("Arial Unicode MS"));
                big.setPixelSize(24);
                edit->setFont(big);
                edit->setAlignment(Qt::AlignCenter);
                edit->setReadOnly(true);
            }
            control = edit;
        } else if (e.kind == Kind::kCheck) {
            auto* check = new QCheckBox(&dialog);
            check->setChecked(e.caption == "=1");
            control = check;
        } else if (e.kind == Kind::kCombo || e.kind == Kind::kEditableCombo) {
            auto* list = new QComboBox(&dialog);
            list->setEditable(e.kind == Kind::kEditableCombo);
            QString first = captions.Text(e.caption, "");
            if (e.key == "FUNC_MEDIA_SELECT") {
                first = captions.Text("TEXT:MEDIA_PALYER_1", "");
            } else if (e.key == "FUNC_FUNCTION_SELECT") {
                first = captions.Text("TEXT:FUNC_KEY_DESC1", "");
            } else if (e.key == "FUNC_MACRO_LIST") {
                first = QStringLiteral("Macro 1");
            }
            list->addItem(first);
            control = list;
        } else if (e.kind == Kind::kList) {
            auto* list = new CReportCtrl(&dialog);
            list->InsertColumn(0, captions.Text("TEXT:MACRO_KEYS_TISHI", ""), Qt::AlignLeft, 62);
            list->InsertColumn(1, captions.Text("TEXT:MACRO_ACTION_TISHI", ""), Qt::AlignLeft, 50);
            list->InsertColumn(2, captions.Text("TEXT:MACRO_DELAY_MS", ""), Qt::AlignLeft, 74);
            list->SetGridLines(true);
            list->SetFullRowSelect(true);
            const char* rows[][3] = {{"Ctrl", "\u2193", "32"}, {"C", "\u2193", "48"},
                                     {"C", "  \u2191", "20"},  {"Ctrl", "  \u2191", "120"},
                                     {"Ctrl", "\u2193", "30"}, {"V", "\u2193", "52"},
                                     {"V", "  \u2191", "24"},  {"Ctrl", "  \u2191", "0"}};
            for (const auto& row : rows) {
                int at = list->AppendItem(QString::fromUtf8(row[0]));
                list->SetItemText(at, 1, QString::fromUtf8(row[1]));
                list->SetItemText(at, 2, QString::fromUtf8(row[2]));
            }
            list->SetColumnTextColour(0, QColor::fromRgb(style::kTextDim));
            list->SetColumnTextColour(1, QColor::fromRgb(style::kTextDim));
            list->SelectItem(5);
            control = list;
        }
        if (control != nullptr) {
            dialog.PlaceFromSkin(*control, e.key);
        }
    }
}

void BuildProfile(CBaseDialog& dialog, const DialogLayout& layout, PaintHookRegistry& hooks) {
    ImageSet set = dialog.LoadImageSet(kProfileImageSet);
    for (const Element& e : layout.elements) {
        if (e.kind == Kind::kImageButton) {
            auto* button = new CPngButton(hooks, &dialog);
            dialog.PlaceSkinnedButton(*button, e.key, set);
            if (e.key == "CONTROL2_APPLY") {
                button->setEnabled(false);
            }
        } else if (e.kind == Kind::kList) {
            auto* list = new CReportCtrl(&dialog);
            // The dialog's fixed headers; where no font shows them, their meaning.
            QFont font = list->font();
            bool cjk = QFontMetrics(font).inFontUcs4(0x6FC0);
            list->InsertColumn(0, cjk ? QStringLiteral("激活") : QStringLiteral("Active"),
                               Qt::AlignLeft, 60);
            list->InsertColumn(1, cjk ? QStringLiteral("名称") : QStringLiteral("Name"),
                               Qt::AlignLeft, 120);
            list->InsertColumn(2, cjk ? QStringLiteral("路径") : QStringLiteral("Path"),
                               Qt::AlignLeft, 230);
            list->SetGridLines(true);
            list->SetFullRowSelect(true);
            list->SetCheckboxes(true);
            list->SetSingleCheck(true);
            const char* names[] = {"Q804-Profile", "Q804-Profile", "Q804-Profile", "Gaming"};
            for (int i = 0; i < 4; ++i) {
                int row = list->AppendItem(QString());
                list->SetItemText(row, 1, QString::fromUtf8(names[i]));
                list->SetItemText(row, 2,
                                  QStringLiteral("/home/user/.local/share/Veltrano Q804 RGB/"));
            }
            list->SetItemChecked(0, true);
            list->SelectItem(3);
            dialog.PlaceFromSkin(*list, e.key);
        }
    }
}

}  // namespace

Result<std::unique_ptr<CBaseDialog>> BuildPreview(PreviewDialog which,
                                                  const PreviewOptions& options,
                                                  PaintHookRegistry& hooks) {
    const DialogLayout& layout = LayoutOf(which);
    auto dialog = std::make_unique<CBaseDialog>(options.skinDir, layout.file);
    Status skin = dialog->InitSkin();
    if (!skin) {
        return skin.error();
    }
    Captions captions(options.languageFile);
    switch (which) {
        case PreviewDialog::kMain:
            BuildMain(*dialog, layout, options, captions, hooks);
            break;
        case PreviewDialog::kComposite:
            BuildComposite(*dialog, layout, options, captions, hooks);
            break;
        case PreviewDialog::kProfile:
            BuildProfile(*dialog, layout, hooks);
            break;
    }
    return dialog;
}

QImage RenderPreview(CBaseDialog& dialog) {
    dialog.ensurePolished();
    QImage shot = dialog.grab().toImage().convertToFormat(QImage::Format_ARGB32);
    // Outside the window's shape the desktop shows through.
    QRegion shape = dialog.mask();
    if (!shape.isEmpty()) {
        QImage outside(shot.size(), QImage::Format_ARGB32);
        outside.fill(Qt::transparent);
        QPainter painter(&outside);
        painter.setClipRegion(shape);
        painter.drawImage(0, 0, shot);
        painter.end();
        shot = outside;
    }
    return shot;
}

}  // namespace q804::skingen
