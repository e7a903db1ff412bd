#include "tests/editors_gui/editor_fixture.h"

#include <QAbstractButton>
#include <QTest>

#include "tests/ui_skin/qt_test_app.h"

namespace q804::testing {

EditorFixture::EditorFixture() : settings(SettingsKey::Open(dir / "config")) {
    TestApp();
    // English texts, so that the assertions read plainly.
    language.emplace(Q804_RUNTIME_DIR, settings, 0x0409);
    store.InstallNewDefaultStore();
}

EditorFixture::~EditorFixture() {
    if (dialog_) {
        dialog_->CloseIfOpen();
    }
}

EditorServices EditorFixture::Services() {
    EditorServices services{
        .store = store,
        .deviceState = state,
        .engine = *rig.engine,
        .language = *language,
        .paintHooks = hooks,
        .skinDir = std::filesystem::path(Q804_RUNTIME_DIR) / "Skins",
        .helpDir = std::filesystem::path(Q804_RUNTIME_DIR) / "Help",
    };
    services.gBank = [this] { return bank; };
    services.colourSelectMode = [this] { return colourMode; };
    services.keyScreenRect = [this](model::KeyButtonId) { return keyRect; };
    services.enableMainApply = [this] { ++mainApplyEnabled; };
    services.runMainApply = [this] { ++mainApplyRuns; };
    services.showKeyLooks = [this](std::span<const model::editor::KeyLook> shown) {
        looks.assign(shown.begin(), shown.end());
    };
    services.highlightKey = [this](model::KeyButtonId button, bool on) {
        highlights.emplace_back(button, on);
    };
    services.showColourSelection = [this](model::KeyButtonId button, bool selected) {
        colourLooks.emplace_back(button, selected);
    };
    services.showMessage = [this](std::string_view key) { messages.emplace_back(key); };
    services.openUrl = [this](const QUrl& url) {
        openedUrls.push_back(url);
        return true;
    };
    services.startDetached = [this](const QString& program) {
        startedPrograms.push_back(program);
        return true;
    };
    services.findOnScreenKeyboard = [this] { return onScreenKeyboard; };
    return services;
}

Quorvane_DlgComposite& EditorFixture::Dialog() {
    if (!dialog_) {
        dialog_ = std::make_unique<Quorvane_DlgComposite>(Services());
    }
    return *dialog_;
}

void EditorFixture::ShowFor(model::KeyButtonId button) {
    ASSERT_EQ(Dialog().PrepareOpen(button), Quorvane_DlgComposite::kReady);
    Dialog().show();
    Dialog().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Dialog()));
}

void EditorFixture::Click(int controlId) {
    auto* button = Find<QAbstractButton>(controlId);
    ASSERT_NE(button, nullptr) << controlId;
    ASSERT_TRUE(button->isVisible() && button->isEnabled()) << "control " << controlId;
    QTest::mouseClick(button, Qt::LeftButton);
}

void EditorFixture::Put(int profile, model::KeySlot slot, std::uint16_t type, std::uint32_t value,
                        std::u16string text) {
    model::AssignmentEntry entry = store.working.EntryAt(profile, slot);
    entry.type = type;
    entry.value = value;
    store.working.SetEntry(profile, slot, entry, text);
}

void EditorFixture::AddMacro(std::uint16_t id, std::u16string name, std::uint8_t loops) {
    model::MacroRecord macro;
    macro.setId(id);
    macro.setName(name);
    macro.setLoopCount(loops);
    model::MacroAction actions[] = {{32, 0x01D, 0}, {48, 0x02E, 0}, {20, 0x02E, 1}, {0, 0x01D, 1}};
    macro.setActions(actions);
    store.working.macros().push_back(macro);
}

}  // namespace q804::testing
