#pragma once

// The lighting panel's controls on the main window: placed from the main skin and labelled
// from the LIGHT section, showing the controls common to every effect. They do nothing yet:
// reading and writing the keyboard's lighting records comes with the lighting work, which
// takes these controls over.

#include <QComboBox>
#include <QObject>
#include <map>
#include <string_view>
#include <vector>

#include "ui/skin/color_static.h"

namespace q804 {

class CBaseDialog;
class LanguageTables;

class LightingPanel : public QObject {
    Q_OBJECT

  public:
    static constexpr int kIdEffectList = 1146;
    static constexpr int kIdRgbCaption = 1207;

    explicit LightingPanel(CBaseDialog& dialog);

    // The control of an id, or nullptr.
    QWidget* Control(int id) const;
    QComboBox& EffectList() { return *effects_; }

    // Captions from the LIGHT section in the language at the given position; "RGB" stays.
    void Relabel(LanguageTables& language, int languageIndex);
    // The effects the keyboard lists, by their MODE names.
    void ShowEffects(LanguageTables& language, const std::vector<int>& codes);

  private:
    std::map<int, QWidget*> controls_;
    std::map<int, std::string_view> captionKeys_;
    QComboBox* effects_ = nullptr;
};

}  // namespace q804
