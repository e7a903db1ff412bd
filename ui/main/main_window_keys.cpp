// The main window's keyboard view: the assignment editor behind the key buttons, restore
// defaults, the layout flip, the colour-select view and the report rate.

#include <array>
#include <cstdint>

#include "app/context/shell_messages.h"
#include "model/profiles.h"
#include "ui/editors/composite_dialog.h"
#include "ui/main/keyboard_view.h"
#include "ui/main/main_window.h"
#include "ui/skin/layout/skin_keys.h"

namespace q804 {

namespace {

// The report rate is byte 15 of a profile's 42-byte lighting record.
constexpr int kLightingRecordSize = 42;
constexpr int kReportRateOffset = 15;

}  // namespace

void CQuorvaneDlg::CreateEditor() {
    EditorServices services{
        .store = context_.store,
        .deviceState = context_.deviceState,
        .engine = context_.engine(),
        .language = context_.language,
        .paintHooks = paintHooks_,
        .skinDir = context_.paths.skinDir,
        .helpDir = context_.paths.helpDir,
    };
    services.gBank = [this] { return static_cast<int>(keyboard_->ShownBank()); };
    services.colourSelectMode = [this] { return colourSelectMode_; };
    services.keyScreenRect = [this](model::KeyButtonId id) -> std::optional<QRect> {
        CPngButton* key = keyboard_->Button(id);
        if (key == nullptr || !key->isVisible()) {
            return std::nullopt;
        }
        return QRect(key->mapToGlobal(QPoint(0, 0)), key->size());
    };
    services.enableMainApply = [this] { MarkChanged(); };
    services.runMainApply = [this] { Apply(); };
    services.showKeyLooks = [this](std::span<const model::editor::KeyLook> looks) {
        keyboard_->ShowLooks(looks);
        keyboard_->ApplyFlip(FlipFlag());
    };
    services.highlightKey = [this](model::KeyButtonId id, bool on) {
        keyboard_->HighlightKey(id, on);
    };
    services.showColourSelection = [this](model::KeyButtonId id, bool selected) {
        keyboard_->ShowColourSelection(id, selected);
    };
    services.showMessage = [this](std::string_view key) { ShowText(key); };
    services.openUrl = [this](const QUrl& url) {
        options_.hooks.openUrl(url);
        return true;
    };
    services.startDetached = [this](const QString& program) {
        return options_.hooks.startDetached(program, {}, QString());
    };
    editor_ = new Quorvane_DlgComposite(std::move(services), this);
    RegisterEditor(editor_);
    connect(this, &CQuorvaneDlg::relabelled, editor_,
            [this](int languageIndex) { editor_->Relabel(languageIndex); });

    keyboard_->SetColourPictures(LoadStatePicture(kMainColourUnselectedPicture),
                                 LoadStatePicture(kMainColourSelectedPicture));
    keyboard_->onKeyClicked = [this](int id) {
        const int result = editor_->OpenForKey(id);
        Log("editor " + std::to_string(id) + " " + std::to_string(result));
    };
    keyboard_->onProfileClicked = [this](int profile) { OnProfileClicked(profile); };
    keyboard_->onCommand = [this](int id) { OnViewCommand(id); };
}

void CQuorvaneDlg::RefreshKeyLooks() {
    if (editor_ != nullptr) {
        editor_->RefreshAllKeyTooltips();
    }
    if (colourSelectMode_) {
        keyboard_->RedrawAllKeys(context_.store.working, context_.deviceState.currentProfile.load(),
                                 keyboard_->ShownBank(), true);
    }
}

void CQuorvaneDlg::OnProfileClicked(int profile) {
    // The lighting panel follows the button in any case.
    reloadTimer_.start(0);
    if (profile == context_.deviceState.currentProfile.load()) {
        // Selecting the current profile again would only rewrite what the keyboard holds.
        keyboard_->UpdateProfileButtons(profile);
        return;
    }
    SelectProfile(profile);
    if (context_.deviceState.currentProfile.load() != profile) {
        return;  // refused: the buttons stay as they were
    }
    keyboard_->UpdateProfileButtons(profile);
    colourSelectMode_ = false;
    LabelViewSwitch();
    keyboard_->RedrawAllKeys(context_.store.working, profile, keyboard_->ShownBank(), false);
}

void CQuorvaneDlg::OnViewCommand(int id) {
    if (id == KeyboardView::kIdDefaults) {
        RestoreDefaults();
    } else if (id == KeyboardView::kIdFlipLeft || id == KeyboardView::kIdFlipRight) {
        ToggleFlip();
    } else if (id == KeyboardView::kIdViewSwitch) {
        ToggleViewSwitch();
    } else if (std::optional<int> rate = KeyboardView::ReportRateIndex(id)) {
        SetReportRate(*rate);
    }
}

void CQuorvaneDlg::RestoreDefaults() {
    if (!prompter_->YesNo(QString::fromStdString(context_.Text("MAIN_PROMPT_DEFAULT")))) {
        return;
    }
    // The editor resets the profile's keys (the G keys of the bank shown only), redraws the
    // marks and tooltips and enables Apply.
    editor_->ResetProfileKeys();
    MarkChanged();
    Log("restore-defaults");
    Apply();
}

bool CQuorvaneDlg::FlipFlag() const {
    return context_.appProfile.GetAppProfileString("PROFILES", "Flip", "0") != "0";
}

void CQuorvaneDlg::ToggleFlip() {
    const bool flipped = !FlipFlag();
    if (Status written =
            context_.appProfile.WriteAppProfileString("PROFILES", "Flip", flipped ? "1" : "0");
        !written) {
        // The view still follows the click; the setting is retried with the next one.
        Log("flip: " + written.error().message);
    }
    keyboard_->ApplyFlip(flipped);
}

void CQuorvaneDlg::LabelViewSwitch() {
    if (CPngButton* viewSwitch = keyboard_->Button(KeyboardView::kIdViewSwitch)) {
        viewSwitch->setText(QString::fromStdString(context_.Text(
            colourSelectMode_ ? "MAIN_SWITCH_COLOR_TEXT" : "MAIN_SWITCH_FUNCTION_TEXT")));
        viewSwitch->SetCaptionStyle(true, 9, QStringLiteral("Arial Unicode MS"), Qt::white,
                                    Qt::white, Qt::white, QColor(0x7F, 0x7F, 0x7F), Qt::white);
    }
}

void CQuorvaneDlg::ToggleViewSwitch() {
    colourSelectMode_ = !colourSelectMode_;
    LabelViewSwitch();
    keyboard_->RedrawAllKeys(context_.store.working, context_.deviceState.currentProfile.load(),
                             keyboard_->ShownBank(), colourSelectMode_);
}

void CQuorvaneDlg::SetReportRate(int index) {
    keyboard_->UpdateReportRate(index);
    const int profile = context_.deviceState.currentProfile.load();
    if (profile < 0 || profile > 2) {
        return;  // no keyboard profile to write to
    }
    device::TransferEngine& engine = context_.engine();
    const std::array<std::uint8_t, 1> rate = {static_cast<std::uint8_t>(index)};
    const auto address =
        static_cast<std::uint16_t>(profile * kLightingRecordSize + kReportRateOffset);
    int result = engine.BeginDeviceAccess();
    if (result == device::kResultSuccess) {
        result = engine.WriteDeviceMemory(rate, 1, address);
        const int ended = engine.EndDeviceAccess();
        if (result == device::kResultSuccess) {
            result = ended;
        }
    }
    // The user is not troubled with a failed write; the button stays latched.
    Log("report-rate " + std::to_string(index) + " " +
        (result == device::kResultSuccess ? std::string("ok")
                                          : std::string(device::DescribeResult(result))));
}

}  // namespace q804
