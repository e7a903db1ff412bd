// The assignment editor's window offscreen, against the simulated keyboard.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include "app/per_user.h"
#include "model/key_table_codec.h"
#include "model/profiles.h"
#include "model/upload.h"
#include "tests/editors_gui/editor_fixture.h"
#include "ui/skin/color_static.h"
#include "ui/skin/png_button.h"
#include "ui/skin/report_ctrl.h"

namespace q804 {
namespace {

namespace id = composite_id;
using model::editor::Page;
using testing::EditorFixture;

constexpr model::KeyButtonId kF1 = 1010;        // slot 0x3B
constexpr model::KeyButtonId kCapsLock = 1069;  // slot 0x3A
constexpr model::KeyButtonId kKeyA = 1058;      // slot 0x1E

class CompositeDialogTest : public EditorFixture {
  protected:
    QLineEdit* KeyField() { return Find<QLineEdit>(id::kKeyField); }
    void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus != nullptr ? focus : KeyField(), key, modifiers);
    }
    bool Shown(int controlId) { return Find<QWidget>(controlId)->isVisible(); }
};

TEST_F(CompositeDialogTest, AMediaKeyChosenInTheEditorReachesTheKeyboardsKeyTable) {
    ASSERT_EQ(model::ReadKeyboardBasics(*rig.engine, state).defaultMatrix, 1);

    // The main window's key button: a click runs the editor modally.
    QPushButton keyButton;
    int result = -99;
    QObject::connect(&keyButton, &QPushButton::clicked, [&] { result = Dialog().OpenForKey(kF1); });
    QTimer::singleShot(0, [&] {
        Click(id::kTabMedia);
        auto* list = Find<QComboBox>(id::kMediaList);
        ASSERT_TRUE(list->isVisible());
        QTest::keyClick(list, Qt::Key_Down);  // Play/Pause, the second entry
        Click(id::kOk);
    });
    QTest::mouseClick(&keyButton, Qt::LeftButton);
    ASSERT_EQ(result, Quorvane_DlgComposite::kResultOk);
    EXPECT_EQ(At(0, 0x3B), (model::AssignmentEntry{.type = 7, .value = 1}));
    EXPECT_GT(mainApplyEnabled, 0);
    EXPECT_EQ(highlights, (std::vector<std::pair<int, bool>>{{kF1, true}, {kF1, false}}));

    // The main window's Apply.
    ASSERT_EQ(model::ApplyToKeyboard(store, *rig.engine, state, false, nullptr), 1);
    const model::KeyTable matrix = state.defaultMatrix.Copy();
    int position = -1;
    for (int p = 0; p < model::kMatrixPositions; ++p) {
        if (model::PositionKey(matrix, p) == 0x03B) {
            position = p;
        }
    }
    ASSERT_GE(position, 0) << "F1 sits somewhere in the key table";
    const auto table = rig.keyboard->Memory().KeyTable(0);
    const auto at = static_cast<std::size_t>(position) * 3;
    EXPECT_EQ(table[at], 0x03);
    EXPECT_EQ(table[at + 1], 0xCD) << "consumer usage of Play/Pause, low byte";
    EXPECT_EQ(table[at + 2], 0x00);
}

TEST_F(CompositeDialogTest, ThreeRemapsAreReadBackFromTheKeyboardAfterARestart) {
    ASSERT_EQ(model::ReadKeyboardBasics(*rig.engine, state).defaultMatrix, 1);
    auto edit = [&](model::KeyButtonId button, const std::function<void()>& choose) {
        QTimer::singleShot(0, [&] {
            choose();
            Click(id::kOk);
        });
        EXPECT_EQ(Dialog().OpenForKey(button), Quorvane_DlgComposite::kResultOk) << button;
    };
    edit(kCapsLock, [&] { QTest::keyClick(KeyField(), Qt::Key_Super_R); });
    edit(1000, [&] {  // G1
        Click(id::kTabMedia);
        QTest::keyClick(Find<QComboBox>(id::kMediaList), Qt::Key_Down);
    });
    edit(kF1, [&] { Click(id::kChooseMouse); });  // the first mouse entry: left button
    ASSERT_EQ(model::ApplyToKeyboard(store, *rig.engine, state, false, nullptr), 1);

    // A new start: everything comes from the keyboard again.
    model::AssignmentStore restarted;
    model::DeviceState restartedState;
    model::ProfileContext context{
        .store = restarted,
        .engine = *rig.engine,
        .state = restartedState,
        .paths = ResolvePerUserPaths({dir / "data", dir / "config"}),
        .userModeTemplate = {},
        .unnamedMacroPrefix = u"Macro ",
        .show = nullptr,
    };
    ASSERT_EQ(model::ReadKeyboardBasics(*rig.engine, restartedState).defaultMatrix, 1);
    ASSERT_TRUE(model::ReloadFromKeyboard(context));
    const auto entry = [&](model::KeySlot slot) { return restarted.working.EntryAt(0, slot); };
    EXPECT_EQ(entry(0x3A).type, 2);
    EXPECT_EQ(entry(0x3A).value, 0x15Cu) << "Caps Lock as Right Win";
    EXPECT_EQ(entry(256).type, 7);
    EXPECT_EQ(entry(256).value, 1u) << "G1 as Play/Pause";
    EXPECT_EQ(entry(0x3B).type, 2);
    EXPECT_EQ(entry(0x3B).value, 0x171u) << "F1 as the left mouse button";
}

TEST_F(CompositeDialogTest, TheSingleKeyPageTakesKeysAndSwallowsThem) {
    ShowFor(kKeyA);
    ASSERT_TRUE(Dialog().CapturingKeys());
    struct Case {
        const char* what;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        model::KeyCode code;
    };
    const Case cases[] = {
        {"B", Qt::Key_B, Qt::NoModifier, 0x030},
        {"Insert", Qt::Key_Insert, Qt::NoModifier, 0x152},
        {"keypad 0, NumLock off", Qt::Key_Insert, Qt::KeypadModifier, 0x052},
        {"keypad 7, NumLock on", Qt::Key_7, Qt::KeypadModifier, 0x047},
        {"Escape does not close", Qt::Key_Escape, Qt::NoModifier, 0x001},
        {"Enter does not close", Qt::Key_Return, Qt::NoModifier, 0x01C},
        {"Tab does not move the focus", Qt::Key_Tab, Qt::NoModifier, 0x00F},
        {"F1 is a key here, not help", Qt::Key_F1, Qt::NoModifier, 0x03B},
        {"Menu", Qt::Key_Menu, Qt::NoModifier, 0x15D},
    };
    for (const auto& c : cases) {
        QWidget* focus = QApplication::focusWidget();
        Press(c.key, c.modifiers);
        EXPECT_EQ(Dialog().Editor().capturedCode(), c.code) << c.what;
        EXPECT_EQ(KeyField()->text(),
                  QString::fromStdString(model::KeyNameOfCode(*language, c.code)))
            << c.what;
        EXPECT_TRUE(Dialog().isVisible()) << c.what;
        EXPECT_EQ(QApplication::focusWidget(), focus) << c.what;
    }
    EXPECT_TRUE(openedUrls.empty());
    EXPECT_TRUE(Find<QPushButton>(id::kApply)->isEnabled());

    // Held keys repeat; only the first press counts.
    int captures = 0;
    QObject::connect(&Dialog(), &Quorvane_DlgComposite::keyCaptured, [&] { ++captures; });
    QKeyEvent repeat(QEvent::KeyPress, Qt::Key_C, Qt::NoModifier, QString("c"), true);
    QApplication::sendEvent(KeyField(), &repeat);
    EXPECT_EQ(captures, 0);
    EXPECT_EQ(Dialog().Editor().capturedCode(), 0x15D);
    // X11 repeats as a release and a press at the same moment, not always marked as such.
    auto send = [&](QEvent::Type type, quint64 time) {
        QKeyEvent event(type, Qt::Key_C, Qt::NoModifier, QString("c"));
        event.setTimestamp(time);
        QApplication::sendEvent(KeyField(), &event);
    };
    send(QEvent::KeyRelease, 5000);
    send(QEvent::KeyPress, 5000);
    EXPECT_EQ(captures, 0);
    send(QEvent::KeyRelease, 5040);
    send(QEvent::KeyPress, 5300);  // pressed again
    EXPECT_EQ(captures, 1);
    EXPECT_EQ(Dialog().Editor().capturedCode(), 0x02E);
}

TEST_F(CompositeDialogTest, WithTheMouseChosenKeysAreSwallowedButOnlyTheWindowsKeysCount) {
    ShowFor(kKeyA);
    Click(id::kChooseMouse);
    EXPECT_TRUE(Find<QComboBox>(id::kMouseList)->isEnabled());
    EXPECT_FALSE(KeyField()->isEnabled());
    Press(Qt::Key_B);
    EXPECT_EQ(KeyField()->text(), QString());
    Press(Qt::Key_Meta);
    EXPECT_EQ(KeyField()->text(), QString::fromStdString(model::KeyNameOfCode(*language, 0x15B)));
    EXPECT_TRUE(Find<QCheckBox>(id::kChooseKeyboard)->isChecked());
    Click(id::kOk);
    EXPECT_EQ(At(0, 0x1E), (model::AssignmentEntry{.type = 2, .value = 0x15B}));
}

TEST_F(CompositeDialogTest, OtherPagesLetKeysThroughAndF1OpensTheHelp) {
    Put(0, 0x1E, 8, 3);
    ShowFor(kKeyA);
    EXPECT_TRUE(Shown(id::kFunctionList));
    EXPECT_FALSE(Dialog().CapturingKeys());
    auto* list = Find<QComboBox>(id::kFunctionList);
    EXPECT_EQ(list->currentIndex(), 3);
    EXPECT_EQ(QApplication::focusWidget(), list);
    Press(Qt::Key_F1);
    ASSERT_EQ(openedUrls.size(), 1u);
    EXPECT_TRUE(openedUrls[0].toLocalFile().endsWith("Help/index.html"));
    Press(Qt::Key_Escape);
    Press(Qt::Key_Return);
    EXPECT_TRUE(Dialog().isVisible()) << "Enter and Escape do not close the editor";
    Press(Qt::Key_Down);
    EXPECT_EQ(list->currentIndex(), 4) << "the list takes its keys";
    Click(id::kOk);
    EXPECT_EQ(At(0, 0x1E).value, 4u);
}

TEST_F(CompositeDialogTest, EachPageShowsOnlyItsControls) {
    ShowFor(kKeyA);
    struct Case {
        int tab;
        std::vector<int> shown;
        std::vector<int> hidden;
    };
    const Case cases[] = {
        {id::kTabMedia,
         {id::kMediaList, id::kMediaHint},
         {id::kKeyField, id::kMouseList, id::kFunctionList, id::kMacroList, id::kLoopCount}},
        {id::kTabFunction,
         {id::kFunctionList, id::kFunctionHint},
         {id::kMediaList, id::kKeyField, id::kMacroNameLabel}},
        {id::kTabMacro,
         {id::kMacroList, id::kActionList, id::kLoopCount, id::kLoopCountLabel,
          id::kMacroNameLabel},
         {id::kSingleKeyHint, id::kKeyField, id::kMediaList, id::kFunctionList}},
        {id::kTabKey,
         {id::kSingleKeyHint, id::kKeyField, id::kChooseKeyboard, id::kChooseMouse, id::kMouseList,
          id::kKeyboardLabel, id::kMouseLabel},
         {id::kMacroList, id::kMediaList, id::kFunctionHint}},
    };
    for (const auto& c : cases) {
        Click(c.tab);
        for (int shown : c.shown) {
            EXPECT_TRUE(Shown(shown)) << "tab " << c.tab << " control " << shown;
        }
        for (int hidden : c.hidden) {
            EXPECT_FALSE(Shown(hidden)) << "tab " << c.tab << " control " << hidden;
        }
        for (int tab : {id::kTabKey, id::kTabMacro, id::kTabMedia, id::kTabFunction}) {
            EXPECT_EQ(Find<CPngButton>(tab)->IsCheckedLook(), tab == c.tab) << tab;
        }
        EXPECT_EQ(Dialog().CapturingKeys(), c.tab == id::kTabKey);
    }
}

TEST_F(CompositeDialogTest, TheMacroManagerIsCentredAndStoresTheMacroInG9) {
    AddMacro(3, u"Copy", 1);
    AddMacro(8, u"Paste", 5);
    bank = 1;
    onScreenKeyboard = "/usr/bin/onboard";
    ShowFor(1143);
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(Dialog().pos(), QPoint(screen.left() + (screen.width() - Dialog().width()) / 2,
                                     screen.top() + (screen.height() - Dialog().height()) / 2));
    for (int tab : {id::kTabKey, id::kTabMedia, id::kTabFunction, id::kClear}) {
        EXPECT_FALSE(Find<QWidget>(tab)->isEnabled()) << tab;
    }
    EXPECT_EQ(Find<CPngButton>(id::kTabKey)->text(), QString());
    EXPECT_EQ(Find<ColorStatic>(id::kHeading)->Text(),
              QString::fromStdString(language->LangText("MACRO_EDIT_TISHI")));
    auto* macros = Find<QComboBox>(id::kMacroList);
    ASSERT_EQ(macros->count(), 2);
    EXPECT_EQ(macros->itemText(1), QStringLiteral("Paste"));
    EXPECT_EQ(Find<CReportCtrl>(id::kActionList)->GetItemCount(), 4);

    macros->setCurrentIndex(1);
    emit macros->activated(1);
    EXPECT_EQ(Find<QLineEdit>(id::kLoopCount)->text(), QStringLiteral("5"));
    QTest::keyClicks(Find<QLineEdit>(id::kLoopCount), "0");
    EXPECT_EQ(Find<QLineEdit>(id::kLoopCount)->text(), QStringLiteral("50"));
    QTest::keyClicks(Find<QLineEdit>(id::kLoopCount), "0");
    EXPECT_EQ(Find<QLineEdit>(id::kLoopCount)->text(), QStringLiteral("255")) << "corrected";
    Click(id::kOk);
    EXPECT_EQ(At(0, 273), (model::AssignmentEntry{.type = 4, .extra = 255, .value = 8}));

    // The next ordinary opening has its tabs back.
    bank = 0;
    ShowFor(kKeyA);
    for (int tab :
         {id::kTabKey, id::kTabMedia, id::kTabFunction, id::kClear, id::kOnScreenKeyboard}) {
        EXPECT_TRUE(Find<QWidget>(tab)->isEnabled()) << tab;
    }
    EXPECT_EQ(Find<CPngButton>(id::kTabMedia)->text(),
              QString::fromStdString(language->LangText("MULTI_MEDIA")));
}

TEST_F(CompositeDialogTest, TheColourSelectViewFlipsTheFlagWithoutOpening) {
    colourMode = true;
    EXPECT_EQ(Dialog().OpenForKey(kKeyA), Quorvane_DlgComposite::kColourSelectionServed);
    EXPECT_FALSE(Dialog().isVisible());
    EXPECT_EQ(At(0, 0).colourSelected, 1u) << "A is row 0 of the key buttons";
    EXPECT_EQ(colourLooks, (std::vector<std::pair<int, bool>>{{kKeyA, true}}));
    EXPECT_EQ(mainApplyEnabled, 1);
    EXPECT_EQ(Dialog().OpenForKey(kKeyA), Quorvane_DlgComposite::kColourSelectionServed);
    EXPECT_EQ(At(0, 0).colourSelected, 0u);
    EXPECT_TRUE(highlights.empty());
}

TEST_F(CompositeDialogTest, NothingOpensForAnUnknownButtonOrWithoutAKeyboard) {
    EXPECT_EQ(Dialog().OpenForKey(1016), Quorvane_DlgComposite::kNotAKey);
    EXPECT_EQ(Dialog().OpenForKey(1174), Quorvane_DlgComposite::kNotAKey);
    EXPECT_TRUE(messages.empty());

    rig.keyboard->Unplug();
    state.currentProfile = -1;
    EXPECT_EQ(Dialog().OpenForKey(kKeyA), Quorvane_DlgComposite::kNotAKey);
    EXPECT_EQ(messages, std::vector<std::string>{"MAIN_NO_DEVICE_PROMPT"});
    EXPECT_FALSE(Dialog().isVisible());
    EXPECT_EQ(Dialog().OpenCount(), 0);
}

TEST_F(CompositeDialogTest, AnEntryWithoutAPageSurvivesOkAndCancel) {
    Put(0, 0x3A, 3, 0, u"/usr/bin/xterm");
    const model::AssignmentEntry before = At(0, 0x3A);
    for (int button : {id::kCancel, id::kOk}) {
        ShowFor(kCapsLock);
        EXPECT_EQ(KeyField()->text(), QString());
        Click(button);
        EXPECT_FALSE(Dialog().isVisible());
        EXPECT_EQ(At(0, 0x3A), before) << button;
        ASSERT_TRUE(store.working.TextAt(0x3A)) << button;
        EXPECT_EQ(*store.working.TextAt(0x3A), u"/usr/bin/xterm") << button;
    }
}

TEST_F(CompositeDialogTest, ClearOnTheMediaPageThenOkRestoresTheFactoryFunction) {
    Put(0, 0x3B, 7, 6);
    ShowFor(kF1);
    Click(id::kClear);
    EXPECT_TRUE(Shown(id::kKeyField));
    EXPECT_EQ(KeyField()->text(), QString());
    Click(id::kOk);
    EXPECT_EQ(At(0, 0x3B), model::AssignmentEntry{});
}

TEST_F(CompositeDialogTest, TheEditorsApplyStoresRefreshesTheKeysAndRunsTheMainApply) {
    ShowFor(kCapsLock);
    auto* apply = Find<QPushButton>(id::kApply);
    EXPECT_FALSE(apply->isEnabled());
    QTest::keyClick(KeyField(), Qt::Key_Meta);
    ASSERT_TRUE(apply->isEnabled());
    QTest::mouseClick(apply, Qt::LeftButton);
    EXPECT_EQ(At(0, 0x3A).value, 0x15Bu);
    EXPECT_EQ(mainApplyRuns, 1);
    EXPECT_FALSE(apply->isEnabled());
    EXPECT_TRUE(Dialog().isVisible()) << "Apply leaves the editor open";
    ASSERT_EQ(looks.size(), 115u);
    const auto caps = std::find_if(looks.begin(), looks.end(),
                                   [](const auto& look) { return look.button == kCapsLock; });
    ASSERT_NE(caps, looks.end());
    EXPECT_TRUE(caps->marked);
    EXPECT_EQ(caps->tooltip, language->LangText("IDS_KEYBOARD_CAPS") +
                                 language->LangText("KEY_PROMPT_SET") +
                                 language->LangText("KEY_PROMPT_SINGLE") +
                                 model::KeyNameOfCode(*language, 0x15B) + ")");
}

TEST_F(CompositeDialogTest, ClosingFromTheMainWindowCancelsAndLetsTheKeysGo) {
    ShowFor(kKeyA);
    ASSERT_TRUE(Dialog().CapturingKeys());
    QTest::keyClick(KeyField(), Qt::Key_B);
    EXPECT_EQ(Dialog().OpenCount(), 1);
    Dialog().CloseIfOpen();
    EXPECT_FALSE(Dialog().isVisible());
    EXPECT_EQ(Dialog().result(), Quorvane_DlgComposite::kResultCancel);
    EXPECT_EQ(Dialog().OpenCount(), 0);
    EXPECT_FALSE(Dialog().CapturingKeys());
    EXPECT_EQ(At(0, 0x1E).type, 0) << "nothing applied";
    EXPECT_EQ(highlights.back(), std::make_pair(int{kKeyA}, false));
}

TEST_F(CompositeDialogTest, PlacedBesideTheClickedKey) {
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    keyRect = QRect(screen.left() + 10, screen.top() + 10, 40, 30);
    ShowFor(kKeyA);
    EXPECT_EQ(Dialog().pos(), QPoint(screen.left() + 50, screen.top() + 40)) << "below-right";
    Dialog().CloseIfOpen();
    // At the bottom-right corner there is room only above-left.
    keyRect = QRect(screen.right() - 40, screen.bottom() - 30, 40, 30);
    ShowFor(kKeyA);
    EXPECT_EQ(Dialog().pos(),
              QPoint(keyRect->left() - Dialog().width(), keyRect->top() - Dialog().height()));
}

TEST_F(CompositeDialogTest, TheOnScreenKeyboardButtonStartsOneOnlyWhenInstalled) {
    ShowFor(kKeyA);
    EXPECT_FALSE(Find<QWidget>(id::kOnScreenKeyboard)->isEnabled());
    Dialog().CloseIfOpen();
    onScreenKeyboard = "/usr/bin/onboard";
    ShowFor(kKeyA);
    Click(id::kOnScreenKeyboard);
    EXPECT_EQ(startedPrograms, std::vector<QString>{"/usr/bin/onboard"});
}

TEST_F(CompositeDialogTest, KeyLooksAndFactoryDefaultsFollowTheBankShown) {
    Put(0, 258, 7, 1);  // G3, bank A
    Put(0, 267, 8, 2);  // G3, bank B
    bank = 1;
    Dialog().RefreshAllKeyTooltips();
    ASSERT_EQ(looks.size(), 115u);
    EXPECT_EQ(looks[2].button, 1002);
    EXPECT_TRUE(looks[2].tooltip.find(language->LangText("FUNC_KEY_DESC3")) != std::string::npos)
        << looks[2].tooltip;

    ShowFor(1002);
    EXPECT_EQ(Dialog().Editor().target().slot, 267);
    EXPECT_EQ(Find<QComboBox>(id::kFunctionList)->currentIndex(), 2);
    Click(id::kCancel);

    bank = 0;
    Dialog().ResetProfileKeys();
    EXPECT_EQ(At(0, 258).type, 0);
    EXPECT_EQ(At(0, 258).extra, model::GKeyFunctionCode(258));
    EXPECT_EQ(At(0, 267).type, 8) << "bank B untouched";
    EXPECT_FALSE(looks[2].marked);
    EXPECT_EQ(mainApplyEnabled, 1);
}

TEST_F(CompositeDialogTest, ASkinWithoutAButtonsPlaceOrPicturesStillWorks) {
    // A copy of the skin whose layout has no place for Clear and which lacks the media set.
    const std::filesystem::path skins = dir / "Skins";
    std::filesystem::copy(std::filesystem::path(Q804_RUNTIME_DIR) / "Skins", skins);
    std::string layout = testing::ReadText(skins / "Composite.ini");
    const auto line = layout.find("CONTROL_CLEAR=");
    ASSERT_NE(line, std::string::npos);
    layout.erase(line, layout.find('\n', line) - line + 1);
    dir.Write("Skins/Composite.ini", layout);
    for (const char* picture : {"media_normal.jpg", "media_over.jpg", "media_down.jpg"}) {
        std::filesystem::remove(skins / picture);
    }
    EditorServices services = Services();
    services.skinDir = skins;
    Quorvane_DlgComposite dialog(services);
    ASSERT_EQ(dialog.PrepareOpen(kF1), Quorvane_DlgComposite::kReady);
    dialog.show();
    auto* clear = static_cast<CPngButton*>(dialog.Control(id::kClear));
    EXPECT_FALSE(clear->isEnabled());
    EXPECT_EQ(clear->geometry(), QRect(1, 1, 1, 1));
    QTest::mouseClick(static_cast<CPngButton*>(dialog.Control(id::kTabMedia)), Qt::LeftButton);
    EXPECT_TRUE(dialog.Control(id::kMediaList)->isVisible());
    EXPECT_FALSE(clear->isEnabled()) << "a page change must not bring it back";
    dialog.CloseIfOpen();
}

TEST_F(CompositeDialogTest, RelabelsInTheLanguageItIsGiven) {
    ShowFor(kKeyA);
    for (int index : {0, 1}) {
        Dialog().Relabel(index);
        EXPECT_EQ(Find<CPngButton>(id::kTabMacro)->text(),
                  QString::fromStdString(language->LangText("MACRO_SETTING", index)));
        EXPECT_EQ(Find<CPngButton>(id::kOk)->text(),
                  QString::fromStdString(language->LangText("MACRO_OK", index)));
        EXPECT_EQ(Find<ColorStatic>(id::kSingleKeyHint)->Text(),
                  QString::fromStdString(language->LangText("SINGLE_STATIC", index)));
    }
    EXPECT_NE(language->LangText("MACRO_OK", 0), language->LangText("MACRO_OK", 1));
}

}  // namespace
}  // namespace q804
