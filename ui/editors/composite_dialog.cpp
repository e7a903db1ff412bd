// The editor's window: its controls and what they are connected to, and the keys and
// desktop programs it handles itself. Opening and closing are in composite_opening.cpp, what
// each page shows in composite_pages.cpp.

#include "ui/editors/composite_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QKeyEvent>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <utility>

#include "model/current_profile.h"
#include "ui/editors/composite_layout.h"
#include "ui/editors/key_capture_filter.h"
#include "ui/skin/color_static.h"
#include "ui/skin/layout/skin_keys.h"
#include "ui/skin/png_button.h"
#include "ui/skin/report_ctrl.h"
#include "ui/skin/skin_style.h"

namespace q804 {

using namespace composite_layout;
using model::editor::Page;

Quorvane_DlgComposite::Quorvane_DlgComposite(EditorServices services, QWidget* parent)
    : CBaseDialog(services.skinDir, std::string(kCompositeSkinFile), parent),
      services_(std::move(services)) {
    setModal(true);
    captureFilter_ = std::make_unique<KeyCaptureFilter>(
        *this, [this](const model::editor::KeyEventWords& words) { return OnCapturedKey(words); });
    BuildControls();
}

Quorvane_DlgComposite::~Quorvane_DlgComposite() {
    captureFilter_->Remove();
}

template <typename Widget>
Widget* Quorvane_DlgComposite::Register(int controlId, Widget* control) {
    controls_[controlId] = control;
    return control;
}

CPngButton* Quorvane_DlgComposite::NewImageButton(int controlId) {
    return Register(controlId, new CPngButton(services_.paintHooks, this));
}

QWidget* Quorvane_DlgComposite::Control(int controlId) const {
    auto found = controls_.find(controlId);
    return found == controls_.end() ? nullptr : found->second;
}

void Quorvane_DlgComposite::BuildControls() {
    // The kind picture lies under every page control.
    kindPicture_ = NewImageButton(id::kKindPicture);
    kindPicture_->setEnabled(false);
    kindPicture_->setFocusPolicy(Qt::NoFocus);

    title_ = NewImageButton(id::kTitle);
    title_->setFocusPolicy(Qt::NoFocus);
    tabKey_ = NewImageButton(id::kTabKey);
    tabMacro_ = NewImageButton(id::kTabMacro);
    tabMedia_ = NewImageButton(id::kTabMedia);
    tabFunction_ = NewImageButton(id::kTabFunction);
    clear_ = NewImageButton(id::kClear);
    osk_ = NewImageButton(id::kOnScreenKeyboard);
    ok_ = NewImageButton(id::kOk);
    cancel_ = NewImageButton(id::kCancel);
    for (CPngButton* button :
         {tabKey_, tabMacro_, tabMedia_, tabFunction_, clear_, osk_, ok_, cancel_}) {
        button->setFocusPolicy(Qt::NoFocus);
    }
    apply_ = Register(id::kApply, new QPushButton(this));
    apply_->setAutoDefault(false);
    apply_->setDefault(false);
    apply_->setFocusPolicy(Qt::NoFocus);
    // Drawn in the skin's colours: the layout has no picture for it.
    apply_->setStyleSheet(
        QStringLiteral("QPushButton { background: #%1; color: #%2; border: 1px solid #%3;"
                       " border-radius: 6px; }"
                       "QPushButton:hover { border-color: #%4; }"
                       "QPushButton:disabled { background: #%5; color: #%6; border-color: #%7; }")
            .arg(style::kCapBottom, 6, 16, QChar('0'))
            .arg(style::kText, 6, 16, QChar('0'))
            .arg(style::kCapBorder, 6, 16, QChar('0'))
            .arg(style::kAccent, 6, 16, QChar('0'))
            .arg(style::kCard, 6, 16, QChar('0'))
            .arg(style::kTextDisabled, 6, 16, QChar('0'))
            .arg(style::kCardBorder, 6, 16, QChar('0')));

    auto newStatic = [this](int controlId) {
        auto* label = Register(controlId, new ColorStatic(this));
        label->SetTextColour(kStaticColour);
        return label;
    };
    heading_ = newStatic(id::kHeading);
    singleKeyHint_ = newStatic(id::kSingleKeyHint);
    keyboardLabel_ = newStatic(id::kKeyboardLabel);
    mouseLabel_ = newStatic(id::kMouseLabel);
    mediaHint_ = newStatic(id::kMediaHint);
    functionHint_ = newStatic(id::kFunctionHint);
    macroNameLabel_ = newStatic(id::kMacroNameLabel);
    loopCountLabel_ = newStatic(id::kLoopCountLabel);
    recordDelayLabel_ = newStatic(id::kRecordDelayLabel);

    keyField_ = Register(id::kKeyField, new QLineEdit(this));
    keyField_->setReadOnly(true);
    keyField_->setAlignment(Qt::AlignCenter);
    keyField_->setContextMenuPolicy(Qt::NoContextMenu);
    // The field only shows a key's name; focus must not highlight it as if to be typed over.
    connect(keyField_, &QLineEdit::selectionChanged, this, [this] {
        if (keyField_->hasSelectedText()) {
            keyField_->deselect();
        }
    });
    chooseKeyboard_ = Register(id::kChooseKeyboard, new QCheckBox(this));
    chooseMouse_ = Register(id::kChooseMouse, new QCheckBox(this));
    mouseList_ = Register(id::kMouseList, new QComboBox(this));
    mediaList_ = Register(id::kMediaList, new QComboBox(this));
    functionList_ = Register(id::kFunctionList, new QComboBox(this));

    // The macro page shows the macros; making and editing them comes with the macro manager.
    macroList_ = Register(id::kMacroList, new QComboBox(this));
    for (const Placement& place : kMacroButtonPlaces) {
        macroButtons_[place.control] = NewImageButton(place.control);
        macroButtons_[place.control]->setEnabled(false);
        macroButtons_[place.control]->setFocusPolicy(Qt::NoFocus);
    }
    actionList_ = Register(id::kActionList, new CReportCtrl(this));
    actionList_->SetGridLines(true);
    actionList_->SetFullRowSelect(true);
    actionList_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    loopCount_ = Register(id::kLoopCount, new QLineEdit(this));
    loopCount_->setMaxLength(8);
    recordDelay_ = Register(id::kRecordDelay, new QCheckBox(this));
    recordDelay_->setEnabled(false);

    ApplyFonts();

    connect(tabKey_, &QAbstractButton::clicked, this, [this] {
        editor_.ClickTab(Page::kSingleKey);
        SyncView();
    });
    connect(tabMacro_, &QAbstractButton::clicked, this, [this] {
        editor_.ClickTab(Page::kMacro);
        SyncView();
    });
    connect(tabMedia_, &QAbstractButton::clicked, this, [this] {
        editor_.ClickTab(Page::kMedia);
        SyncView();
    });
    connect(tabFunction_, &QAbstractButton::clicked, this, [this] {
        editor_.ClickTab(Page::kFunction);
        SyncView();
    });
    connect(clear_, &QAbstractButton::clicked, this, [this] {
        editor_.ClickClear();
        SyncView();
    });
    connect(chooseKeyboard_, &QAbstractButton::clicked, this, [this] {
        editor_.ChooseKeyboard();
        SyncView();
    });
    connect(chooseMouse_, &QAbstractButton::clicked, this, [this] {
        editor_.ChooseMouse();
        SyncView();
    });
    connect(mouseList_, &QComboBox::activated, this,
            [this](int index) { editor_.SelectMouseEntry(index); });
    connect(mediaList_, &QComboBox::activated, this,
            [this](int index) { editor_.SelectMediaEntry(index); });
    connect(functionList_, &QComboBox::activated, this,
            [this](int index) { editor_.SelectFunctionEntry(index); });
    connect(macroList_, &QComboBox::activated, this, [this](int index) {
        editor_.SelectMacro(index);
        SyncView();
    });
    connect(loopCount_, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (auto corrected = editor_.SetLoopCountText(text.toStdString())) {
            loopCount_->setText(QString::fromStdString(*corrected));
        }
        SyncView();
    });
    connect(ok_, &QAbstractButton::clicked, this, [this] {
        ApplyEdit();
        done(kResultOk);
    });
    connect(cancel_, &QAbstractButton::clicked, this, [this] { done(kResultCancel); });
    connect(apply_, &QPushButton::clicked, this, [this] {
        ApplyEdit();
        if (services_.runMainApply) {
            services_.runMainApply();
        }
    });
    connect(osk_, &QAbstractButton::clicked, this, [this] { StartOnScreenKeyboard(); });
}

void Quorvane_DlgComposite::ApplyFonts() {
    keyField_->setFont(FontOfPoints(kKeyFieldPoints));
    for (QWidget* list :
         {static_cast<QWidget*>(mouseList_), static_cast<QWidget*>(mediaList_),
          static_cast<QWidget*>(functionList_), static_cast<QWidget*>(macroList_)}) {
        list->setFont(FontOfPoints(kListPoints));
    }
    actionList_->setFont(FontOfPoints(kActionListPoints));
    for (ColorStatic* label :
         {heading_, singleKeyHint_, keyboardLabel_, mouseLabel_, mediaHint_, functionHint_,
          macroNameLabel_, loopCountLabel_, recordDelayLabel_}) {
        label->SetFontFace(kFontFace, kStaticPoints);
    }
}

int Quorvane_DlgComposite::Bank() const {
    return services_.gBank ? (services_.gBank() == 0 ? 0 : 1) : 0;
}

int Quorvane_DlgComposite::CurrentProfile() const {
    return model::CurrentProfile(services_.engine, services_.deviceState.currentProfile);
}

QString Quorvane_DlgComposite::Text(std::string_view key, int languageIndex) const {
    return QString::fromStdString(services_.language.LangText(key, languageIndex));
}

void Quorvane_DlgComposite::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Escape:
            // Neither closes the editor: OK and Cancel are buttons to be clicked.
            event->accept();
            return;
        case Qt::Key_F1:
            OpenHelp();
            event->accept();
            return;
        default:
            CBaseDialog::keyPressEvent(event);
    }
}

void Quorvane_DlgComposite::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter ||
        event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    CBaseDialog::keyReleaseEvent(event);
}

void Quorvane_DlgComposite::OpenHelp() {
    const QUrl page =
        QUrl::fromLocalFile(QString::fromStdString((services_.helpDir / "index.html").string()));
    if (services_.openUrl) {
        services_.openUrl(page);
    } else {
        QDesktopServices::openUrl(page);
    }
}

void Quorvane_DlgComposite::StartOnScreenKeyboard() {
    if (onScreenKeyboard_.isEmpty()) {
        return;
    }
    if (services_.startDetached) {
        services_.startDetached(onScreenKeyboard_);
    } else {
        QProcess::startDetached(onScreenKeyboard_, {});
    }
}

}  // namespace q804
