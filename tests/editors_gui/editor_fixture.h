#pragma once

// The assignment editor as the main window wires it, against the simulated keyboard, with
// the skin and language files the build puts beside the programs. Every call the editor
// makes to the main window or the desktop is recorded instead of acted on.

#include <gtest/gtest.h>

#include <QRect>
#include <QString>
#include <QUrl>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/settings.h"
#include "lang/language.h"
#include "model/assignment_store.h"
#include "model/device_state.h"
#include "model/editor/key_looks.h"
#include "tests/support/keyboard_rig.h"
#include "tests/support/temp_dir.h"
#include "ui/editors/composite_dialog.h"
#include "ui/skin/paint_hook.h"

namespace q804::testing {

class EditorFixture : public ::testing::Test {
  protected:
    EditorFixture();
    ~EditorFixture() override;

    EditorServices Services();
    // The dialog; made on first use so a test can change the wiring before.
    Quorvane_DlgComposite& Dialog();
    // PrepareOpen and a plain show, so the test can act on the open dialog.
    void ShowFor(model::KeyButtonId button);

    template <typename T>
    T* Find(int controlId) {
        return static_cast<T*>(Dialog().Control(controlId));
    }
    void Click(int controlId);
    model::AssignmentEntry At(int profile, model::KeySlot slot) const {
        return store.working.EntryAt(profile, slot);
    }
    void Put(int profile, model::KeySlot slot, std::uint16_t type, std::uint32_t value,
             std::u16string text = {});
    void AddMacro(std::uint16_t id, std::u16string name, std::uint8_t loops);

    TempDir dir;
    SettingsKey settings;
    std::optional<LanguageTables> language;
    KeyboardRig rig;
    model::DeviceState state;
    model::AssignmentStore store;
    PaintHookRegistry hooks;

    // What the main window and the desktop were asked.
    int mainApplyEnabled = 0;
    int mainApplyRuns = 0;
    std::vector<model::editor::KeyLook> looks;
    std::vector<std::pair<int, bool>> highlights;
    std::vector<std::pair<int, bool>> colourLooks;
    std::vector<std::string> messages;
    std::vector<QUrl> openedUrls;
    std::vector<QString> startedPrograms;

    // The main window's state as the editor sees it.
    int bank = 0;
    bool colourMode = false;
    std::optional<QRect> keyRect;
    QString onScreenKeyboard;

  private:
    std::unique_ptr<Quorvane_DlgComposite> dialog_;
};

}  // namespace q804::testing
