#pragma once

// Quorvane_DlgComposite: the one dialog in which a key of the current profile gets its new
// meaning: another key or a mouse action, a macro, a multimedia function or a keyboard
// function; Clear returns it to its factory function. It writes into the working store
// only; the main window's Apply sends the result to the keyboard.
//
// One instance lives as long as the main window and is reused for every opening. What the
// main window calls:
//   OpenForKey(button)        on every click on a key button (1143 from the macro-edit
//                             button opens the macro manager); runs the dialog modally
//   CloseIfOpen()             when the keyboard is removed and at quit
//   IsOpen()                  while it is open, profile switches are refused
//   Relabel(languageIndex)    whenever the main window relabels itself
//   RefreshAllKeyTooltips()   after anything changed the store (profile switch, restore)
//   ResetProfileKeys()        the factory-defaults command, after its confirmation
// What it needs from the main window is listed in EditorServices.

#include <QPointer>
#include <QString>
#include <map>
#include <memory>
#include <optional>
#include <set>

#include "model/editor/composite_editor.h"
#include "ui/editors/editor_services.h"
#include "ui/skin/skin_dialog.h"
#include "ui/skin/skin_image.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace q804 {

class CPngButton;
class CReportCtrl;
class ColorStatic;
class KeyCaptureFilter;

// Control identifiers of the dialog.
namespace composite_id {
inline constexpr int kOk = 1;
inline constexpr int kCancel = 2;
inline constexpr int kApply = 1015;
inline constexpr int kTabKey = 1028;
inline constexpr int kTabMacro = 1029;
inline constexpr int kTabMedia = 1030;
inline constexpr int kTabFunction = 1031;
inline constexpr int kClear = 1032;
inline constexpr int kKindPicture = 1033;
inline constexpr int kTitle = 1131;
inline constexpr int kOnScreenKeyboard = 1132;
inline constexpr int kHeading = 1199;
inline constexpr int kSingleKeyHint = 1201;
inline constexpr int kKeyField = 1127;
inline constexpr int kChooseKeyboard = 1185;
inline constexpr int kKeyboardLabel = 1134;
inline constexpr int kChooseMouse = 1186;
inline constexpr int kMouseLabel = 1135;
inline constexpr int kMouseList = 1187;
inline constexpr int kMediaHint = 1202;
inline constexpr int kMediaList = 1128;
inline constexpr int kFunctionHint = 1203;
inline constexpr int kFunctionList = 1129;
inline constexpr int kMacroNameLabel = 1200;
inline constexpr int kMacroList = 1126;
inline constexpr int kMacroAdd = 1017;
inline constexpr int kMacroDelete = 1018;
inline constexpr int kActionList = 1019;
inline constexpr int kRecord = 1020;
inline constexpr int kDeleteAction = 1021;
inline constexpr int kClearActions = 1022;
inline constexpr int kMoveTop = 1023;
inline constexpr int kMoveUp = 1024;
inline constexpr int kMoveDown = 1025;
inline constexpr int kMoveBottom = 1026;
inline constexpr int kRecordDelay = 1027;
inline constexpr int kLoopCount = 1125;
inline constexpr int kLoopCountLabel = 1130;
inline constexpr int kRecordDelayLabel = 1133;
}  // namespace composite_id

class Quorvane_DlgComposite : public CBaseDialog {
    Q_OBJECT

  public:
    // What OpenForKey and PrepareOpen return besides the dialog's own result.
    static constexpr int kNotAKey = -1;
    static constexpr int kColourSelectionServed = 0;
    static constexpr int kReady = 1;
    // Dialog results.
    static constexpr int kResultOk = composite_id::kOk;
    static constexpr int kResultCancel = composite_id::kCancel;

    explicit Quorvane_DlgComposite(EditorServices services, QWidget* parent = nullptr);
    ~Quorvane_DlgComposite() override;

    // -1 for a button that is no key (or when no profile is known), 0 when the colour-select
    // view flipped the key's flag, otherwise the dialog's result (1 OK, 2 Cancel).
    int OpenForKey(model::KeyButtonId button);
    // OpenForKey's work up to showing: kReady when the dialog is initialised and may be shown
    // (modally by OpenForKey, by a plain show() in tests).
    int PrepareOpen(model::KeyButtonId button);
    void CloseIfOpen();
    bool IsOpen() const { return editor_.isOpen(); }
    int OpenCount() const { return editor_.openCount(); }

    void Relabel(int languageIndex);
    void RefreshAllKeyTooltips();
    void ResetProfileKeys();
    // Puts the dialog beside a key button's rectangle (screen coordinates).
    void PlaceNextToKey(const QRect& keyRect);

    // The state behind the window, and its controls by identifier (for the tests).
    const model::editor::CompositeEditor& Editor() const { return editor_; }
    QWidget* Control(int id) const;
    bool CapturingKeys() const;

  signals:
    // A key event named the key to assign (the tests count captures with it).
    void keyCaptured(int code);

  protected:
    void done(int result) override;
    void reject() override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

  private:
    void BuildControls();
    Status Initialise(const model::editor::EditTarget& target, int profile);
    void LoadImageSets();
    void PlaceControls();
    void FillLists();
    void FillMacroList();
    void ApplyFonts();
    void SyncView();
    void ShowKindPicture();
    void ShowActions();
    void ApplyEdit();
    void OpenHelp();
    void StartOnScreenKeyboard();
    bool OnCapturedKey(const model::editor::KeyEventWords& words);
    int Bank() const;
    int CurrentProfile() const;
    QString Text(std::string_view key, int languageIndex) const;

    CPngButton* NewImageButton(int id);
    template <typename Widget>
    Widget* Register(int id, Widget* control);

    EditorServices services_;
    model::editor::CompositeEditor editor_;
    std::unique_ptr<KeyCaptureFilter> captureFilter_;
    std::map<int, QWidget*> controls_;

    bool imagesLoaded_ = false;
    ImageSet keyImages_;
    ImageSet macroImages_;
    ImageSet macro2Images_;
    ImageSet mediaImages_;
    ImageSet functionImages_;

    // Image buttons whose layout key is missing: they stay disabled whatever the page.
    std::set<const QWidget*> placedAtDefault_;
    std::optional<model::editor::Page> pageShown_;
    int actionsShownFor_ = -2;
    QString onScreenKeyboard_;
    bool syncing_ = false;

    CPngButton* tabKey_ = nullptr;
    CPngButton* tabMacro_ = nullptr;
    CPngButton* tabMedia_ = nullptr;
    CPngButton* tabFunction_ = nullptr;
    CPngButton* clear_ = nullptr;
    CPngButton* kindPicture_ = nullptr;
    CPngButton* title_ = nullptr;
    CPngButton* osk_ = nullptr;
    CPngButton* ok_ = nullptr;
    CPngButton* cancel_ = nullptr;
    QPushButton* apply_ = nullptr;
    ColorStatic* heading_ = nullptr;
    ColorStatic* singleKeyHint_ = nullptr;
    QLineEdit* keyField_ = nullptr;
    QCheckBox* chooseKeyboard_ = nullptr;
    ColorStatic* keyboardLabel_ = nullptr;
    QCheckBox* chooseMouse_ = nullptr;
    ColorStatic* mouseLabel_ = nullptr;
    QComboBox* mouseList_ = nullptr;
    ColorStatic* mediaHint_ = nullptr;
    QComboBox* mediaList_ = nullptr;
    ColorStatic* functionHint_ = nullptr;
    QComboBox* functionList_ = nullptr;
    ColorStatic* macroNameLabel_ = nullptr;
    QComboBox* macroList_ = nullptr;
    CReportCtrl* actionList_ = nullptr;
    QLineEdit* loopCount_ = nullptr;
    ColorStatic* loopCountLabel_ = nullptr;
    QCheckBox* recordDelay_ = nullptr;
    ColorStatic* recordDelayLabel_ = nullptr;
    std::map<int, CPngButton*> macroButtons_;
};

}  // namespace q804
