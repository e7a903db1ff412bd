#pragma once

// Everything the assignment editor needs from the application and the main window. The
// main window fills one of these when it makes its editor and keeps the objects it names
// alive for as long as the editor lives.

#include <QRect>
#include <QString>
#include <QUrl>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string_view>

#include "device/transfer_engine.h"
#include "lang/language.h"
#include "model/assignment_store.h"
#include "model/device_state.h"
#include "model/editor/key_looks.h"
#include "ui/skin/paint_hook.h"

namespace q804 {

struct EditorServices {
    model::AssignmentStore& store;
    model::DeviceState& deviceState;
    device::TransferEngine& engine;
    LanguageTables& language;
    PaintHookRegistry& paintHooks;
    std::filesystem::path skinDir = {};  // Composite.ini and its pictures
    std::filesystem::path helpDir = {};  // index.html

    // --- The main window's state
    // The G bank shown: 0 bank A, 1 bank B. Missing: bank A.
    std::function<int()> gBank = nullptr;
    // The colour-select view is on: a key click flips the key's flag instead of opening.
    std::function<bool()> colourSelectMode = nullptr;
    // The key button's place on screen, for putting the editor beside it.
    std::function<std::optional<QRect>(model::KeyButtonId)> keyScreenRect = nullptr;

    // --- What the editor asks of the main window
    // Something changed that the keyboard does not have yet: enable the main Apply.
    std::function<void()> enableMainApply = nullptr;
    // The editor's own Apply button, after storing the edit: run the main window's Apply
    // (write to the keyboard). Missing: the edit waits for the main Apply.
    std::function<void()> runMainApply = nullptr;
    // Marks and tooltips of the G keys and the 106 keys, in that order (the main window then
    // reapplies its layout flip and redraws the keyboard).
    std::function<void(std::span<const model::editor::KeyLook>)> showKeyLooks = nullptr;
    // The edited key's highlight while the editor is open.
    std::function<void(model::KeyButtonId, bool highlighted)> highlightKey = nullptr;
    // The colour-select look of a key after its flag was flipped.
    std::function<void(model::KeyButtonId, bool selected)> showColourSelection = nullptr;
    // A message box with a language key's text ("MAIN_NO_DEVICE_PROMPT").
    std::function<void(std::string_view languageKey)> showMessage = nullptr;

    // --- The desktop (tests replace these; missing ones use the desktop's own)
    std::function<bool(const QUrl&)> openUrl = nullptr;
    std::function<bool(const QString& program)> startDetached = nullptr;
    // Full path of an installed on-screen keyboard, or an empty text.
    std::function<QString()> findOnScreenKeyboard = nullptr;
};

}  // namespace q804
