#pragma once

// The main window's notification-area icon, behind an interface so that tests can run the
// window without a desktop: the icon by its id (128, 141, 142) and the tray menu.

#include <QString>
#include <functional>
#include <memory>

#include "ui/skin/tray_icon.h"

namespace q804 {

class TrayHost {
  public:
    virtual ~TrayHost() = default;

    // False when the desktop has no notification area to show the icon in.
    virtual bool Create(int iconId, const QString& tooltip) = 0;
    virtual void SetIcon(int iconId) = 0;
    virtual void Remove() = 0;
    virtual bool IsShown() const = 0;
    // The menu is built afresh before it shows (so it speaks the current language); chosen
    // items and the double-click report their command ids.
    virtual void SetMenu(CTrayIcon::MenuBuilder builder, CTrayIcon::CommandHandler handler,
                         std::function<void()> beforeMenu) = 0;
};

// The desktop's notification area.
std::unique_ptr<TrayHost> MakeSystemTray();

}  // namespace q804
