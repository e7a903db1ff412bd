#include "ui/editors/key_capture_filter.h"

#include <linux/input-event-codes.h>

#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QWidget>
#include <array>

namespace q804 {
namespace {

using model::editor::EvdevKeyInfo;
using model::editor::IsNumLockDependent;
using model::editor::WindowsKey;
using model::editor::WindowsKeyOfEvdev;

struct QtKeyToKernel {
    int qtKey;
    unsigned kernel;
};

// Keys of the main block by the Qt key they produce, shifted symbols included.
constexpr QtKeyToKernel kMainKeys[] = {
    {Qt::Key_Escape, KEY_ESC},
    {Qt::Key_Tab, KEY_TAB},
    {Qt::Key_Backtab, KEY_TAB},
    {Qt::Key_Backspace, KEY_BACKSPACE},
    {Qt::Key_Return, KEY_ENTER},
    {Qt::Key_Enter, KEY_KPENTER},
    {Qt::Key_Insert, KEY_INSERT},
    {Qt::Key_Delete, KEY_DELETE},
    {Qt::Key_Pause, KEY_PAUSE},
    {Qt::Key_Print, KEY_SYSRQ},
    {Qt::Key_SysReq, KEY_SYSRQ},
    {Qt::Key_Home, KEY_HOME},
    {Qt::Key_End, KEY_END},
    {Qt::Key_Left, KEY_LEFT},
    {Qt::Key_Up, KEY_UP},
    {Qt::Key_Right, KEY_RIGHT},
    {Qt::Key_Down, KEY_DOWN},
    {Qt::Key_PageUp, KEY_PAGEUP},
    {Qt::Key_PageDown, KEY_PAGEDOWN},
    {Qt::Key_Shift, KEY_LEFTSHIFT},
    {Qt::Key_Control, KEY_LEFTCTRL},
    {Qt::Key_Meta, KEY_LEFTMETA},
    {Qt::Key_Super_L, KEY_LEFTMETA},
    {Qt::Key_Super_R, KEY_RIGHTMETA},
    {Qt::Key_Alt, KEY_LEFTALT},
    {Qt::Key_AltGr, KEY_RIGHTALT},
    {Qt::Key_CapsLock, KEY_CAPSLOCK},
    {Qt::Key_NumLock, KEY_NUMLOCK},
    {Qt::Key_ScrollLock, KEY_SCROLLLOCK},
    {Qt::Key_Menu, KEY_COMPOSE},
    {Qt::Key_Space, KEY_SPACE},
    {Qt::Key_Minus, KEY_MINUS},
    {Qt::Key_Underscore, KEY_MINUS},
    {Qt::Key_Equal, KEY_EQUAL},
    {Qt::Key_Plus, KEY_EQUAL},
    {Qt::Key_BracketLeft, KEY_LEFTBRACE},
    {Qt::Key_BraceLeft, KEY_LEFTBRACE},
    {Qt::Key_BracketRight, KEY_RIGHTBRACE},
    {Qt::Key_BraceRight, KEY_RIGHTBRACE},
    {Qt::Key_Semicolon, KEY_SEMICOLON},
    {Qt::Key_Colon, KEY_SEMICOLON},
    {Qt::Key_Apostrophe, KEY_APOSTROPHE},
    {Qt::Key_QuoteDbl, KEY_APOSTROPHE},
    {Qt::Key_QuoteLeft, KEY_GRAVE},
    {Qt::Key_AsciiTilde, KEY_GRAVE},
    {Qt::Key_Backslash, KEY_BACKSLASH},
    {Qt::Key_Bar, KEY_BACKSLASH},
    {Qt::Key_Comma, KEY_COMMA},
    {Qt::Key_Less, KEY_COMMA},
    {Qt::Key_Period, KEY_DOT},
    {Qt::Key_Greater, KEY_DOT},
    {Qt::Key_Slash, KEY_SLASH},
    {Qt::Key_Question, KEY_SLASH},
    {Qt::Key_Exclam, KEY_1},
    {Qt::Key_At, KEY_2},
    {Qt::Key_NumberSign, KEY_3},
    {Qt::Key_Dollar, KEY_4},
    {Qt::Key_Percent, KEY_5},
    {Qt::Key_AsciiCircum, KEY_6},
    {Qt::Key_Ampersand, KEY_7},
    {Qt::Key_Asterisk, KEY_8},
    {Qt::Key_ParenLeft, KEY_9},
    {Qt::Key_ParenRight, KEY_0},
};

// Keys that Qt reports with the keypad modifier.
constexpr QtKeyToKernel kKeypadKeys[] = {
    {Qt::Key_Insert, KEY_KP0},     {Qt::Key_End, KEY_KP1},
    {Qt::Key_Down, KEY_KP2},       {Qt::Key_PageDown, KEY_KP3},
    {Qt::Key_Left, KEY_KP4},       {Qt::Key_Clear, KEY_KP5},
    {Qt::Key_Right, KEY_KP6},      {Qt::Key_Home, KEY_KP7},
    {Qt::Key_Up, KEY_KP8},         {Qt::Key_PageUp, KEY_KP9},
    {Qt::Key_Delete, KEY_KPDOT},   {Qt::Key_Period, KEY_KPDOT},
    {Qt::Key_Comma, KEY_KPDOT},    {Qt::Key_Asterisk, KEY_KPASTERISK},
    {Qt::Key_Minus, KEY_KPMINUS},  {Qt::Key_Plus, KEY_KPPLUS},
    {Qt::Key_Slash, KEY_KPSLASH},  {Qt::Key_Enter, KEY_KPENTER},
    {Qt::Key_Return, KEY_KPENTER},
};

constexpr std::array<unsigned, 26> kLetterKeys = {
    KEY_A, KEY_B, KEY_C, KEY_D, KEY_E, KEY_F, KEY_G, KEY_H, KEY_I, KEY_J, KEY_K, KEY_L, KEY_M,
    KEY_N, KEY_O, KEY_P, KEY_Q, KEY_R, KEY_S, KEY_T, KEY_U, KEY_V, KEY_W, KEY_X, KEY_Y, KEY_Z,
};
constexpr std::array<unsigned, 10> kDigitKeys = {KEY_0, KEY_1, KEY_2, KEY_3, KEY_4,
                                                 KEY_5, KEY_6, KEY_7, KEY_8, KEY_9};
constexpr std::array<unsigned, 10> kKeypadDigitKeys = {KEY_KP0, KEY_KP1, KEY_KP2, KEY_KP3, KEY_KP4,
                                                       KEY_KP5, KEY_KP6, KEY_KP7, KEY_KP8, KEY_KP9};
constexpr std::array<unsigned, 12> kFunctionKeys = {KEY_F1, KEY_F2,  KEY_F3,  KEY_F4,
                                                    KEY_F5, KEY_F6,  KEY_F7,  KEY_F8,
                                                    KEY_F9, KEY_F10, KEY_F11, KEY_F12};

std::optional<unsigned> KernelKeyOfQtKey(int key, bool keypad) {
    if (key >= Qt::Key_0 && key <= Qt::Key_9) {
        const auto digit = static_cast<std::size_t>(key - Qt::Key_0);
        return keypad ? kKeypadDigitKeys[digit] : kDigitKeys[digit];
    }
    if (keypad) {
        for (const auto& entry : kKeypadKeys) {
            if (entry.qtKey == key) {
                return entry.kernel;
            }
        }
    }
    if (key >= Qt::Key_A && key <= Qt::Key_Z) {
        return kLetterKeys[static_cast<std::size_t>(key - Qt::Key_A)];
    }
    if (key >= Qt::Key_F1 && key <= Qt::Key_F12) {
        return kFunctionKeys[static_cast<std::size_t>(key - Qt::Key_F1)];
    }
    if (key >= Qt::Key_F13 && key <= Qt::Key_F24) {
        return KEY_F13 + static_cast<unsigned>(key - Qt::Key_F13);
    }
    for (const auto& entry : kMainKeys) {
        if (entry.qtKey == key) {
            return entry.kernel;
        }
    }
    return std::nullopt;
}

// A keypad digit key that Qt reports as a digit or the decimal sign means NumLock is on;
// reported as a navigation key it carries its NumLock-off virtual key, as on Windows.
bool NavigationMeaning(const QKeyEvent& event) {
    const int key = event.key();
    const bool digitLike =
        (key >= Qt::Key_0 && key <= Qt::Key_9) || key == Qt::Key_Period || key == Qt::Key_Comma;
    return !digitLike;
}

}  // namespace

std::optional<WindowsKey> WindowsKeyOfQtEvent(const QKeyEvent& event, bool trustNativeScanCode) {
    const quint32 native = event.nativeScanCode();
    if (trustNativeScanCode && native >= model::editor::kXkbKeycodeOffset) {
        const quint32 kernel = native - model::editor::kXkbKeycodeOffset;
        if (EvdevKeyInfo(kernel)) {
            return WindowsKeyOfEvdev(kernel,
                                     IsNumLockDependent(kernel) && NavigationMeaning(event));
        }
    }
    const bool keypad = event.modifiers().testFlag(Qt::KeypadModifier);
    std::optional<unsigned> kernel = KernelKeyOfQtKey(event.key(), keypad);
    if (!kernel) {
        return std::nullopt;
    }
    return WindowsKeyOfEvdev(*kernel, IsNumLockDependent(*kernel) && NavigationMeaning(event));
}

bool PlatformReportsKernelKeyCodes() {
    const QString platform = QGuiApplication::platformName();
    return platform == QLatin1String("xcb") || platform.startsWith(QLatin1String("wayland"));
}

KeyCaptureFilter::KeyCaptureFilter(QWidget& window, Handler handler)
    : window_(&window),
      handler_(std::move(handler)),
      trustNative_(PlatformReportsKernelKeyCodes()) {}

bool KeyCaptureFilter::IsRepeat(const QKeyEvent& event) {
    // On X11 a held key repeats as a release and a press with the same time; the toolkit
    // recognises the pair only when the press has already arrived as it handles the release,
    // so a pair split across two reads of the connection looks like a new press.
    const quint32 key =
        event.nativeScanCode() != 0 ? event.nativeScanCode() : static_cast<quint32>(event.key());
    const quint64 time = event.timestamp();
    if (event.type() == QEvent::KeyRelease) {
        lastRelease_ = KeyMoment{key, time};
        return event.isAutoRepeat();
    }
    return event.isAutoRepeat() ||
           (time != 0 && lastRelease_ && lastRelease_->key == key && lastRelease_->time == time);
}

KeyCaptureFilter::~KeyCaptureFilter() {
    Remove();
}

void KeyCaptureFilter::Install() {
    if (!installed_ && QCoreApplication::instance() != nullptr) {
        QCoreApplication::instance()->installEventFilter(this);
        installed_ = true;
    }
}

void KeyCaptureFilter::Remove() {
    if (installed_ && QCoreApplication::instance() != nullptr) {
        QCoreApplication::instance()->removeEventFilter(this);
    }
    installed_ = false;
}

bool KeyCaptureFilter::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease &&
        type != QEvent::ShortcutOverride) {
        return false;
    }
    // Key events reach the window first and then its focus widget; taking them at the widget
    // sees each once, also those sent straight to a widget.
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr || window_.isNull() || widget->window() != window_.data()) {
        return false;
    }
    auto* keyEvent = static_cast<QKeyEvent*>(event);
    std::optional<WindowsKey> words = WindowsKeyOfQtEvent(*keyEvent, trustNative_);
    if (!words) {
        return false;
    }
    if (type == QEvent::ShortcutOverride) {
        // No shortcut may take a key the page might capture; the key event itself follows.
        event->accept();
        return true;
    }
    const bool swallow =
        handler_({words->vk, words->keyData, type == QEvent::KeyPress, IsRepeat(*keyEvent)});
    if (swallow) {
        event->accept();
    }
    return swallow;
}

}  // namespace q804
