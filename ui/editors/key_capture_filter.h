#pragma once

// Key events of one window, taken before any of its widgets sees them. Linux has no hook
// that sees every key of the desktop on every desktop (X11 grabs and Wayland compositors
// differ), so the editor takes keys only while it has the keyboard focus: the desktop's own
// shortcuts (a Super key that opens an overview, Print Screen taken by a screenshot tool)
// may act before the editor sees them.

#include <QEvent>
#include <QObject>
#include <QPointer>
#include <functional>
#include <optional>

#include "model/editor/evdev_keys.h"
#include "model/editor/key_capture.h"

class QKeyEvent;
class QWidget;

namespace q804 {

// The words a Windows key message would carry for a Qt key event. The native scan code
// (the kernel's key code + 8 on X11 and Wayland) decides when it can be trusted; otherwise
// the Qt key stands in, which cannot tell the right Shift, Ctrl or Win from the left ones.
// Nothing for keys the editor cannot name.
std::optional<model::editor::WindowsKey> WindowsKeyOfQtEvent(const QKeyEvent& event,
                                                             bool trustNativeScanCode);

// Whether the running platform reports kernel key codes + 8 as native scan codes.
bool PlatformReportsKernelKeyCodes();

class KeyCaptureFilter : public QObject {
    Q_OBJECT

  public:
    // Returns whether the event goes no further.
    using Handler = std::function<bool(const model::editor::KeyEventWords&)>;

    KeyCaptureFilter(QWidget& window, Handler handler);
    ~KeyCaptureFilter() override;

    void Install();
    void Remove();
    bool IsInstalled() const { return installed_; }
    void SetTrustNativeScanCodes(bool trust) { trustNative_ = trust; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool IsRepeat(const QKeyEvent& event);

    struct KeyMoment {
        quint32 key = 0;
        quint64 time = 0;
    };
    QPointer<QWidget> window_;
    std::optional<KeyMoment> lastRelease_;
    Handler handler_;
    bool installed_ = false;
    bool trustNative_;
};

}  // namespace q804
