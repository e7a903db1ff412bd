#pragma once

// CTrayIcon: the program's icon in the desktop's notification area. A right click shows
// its menu, built afresh each time (so it is relabelled in the current language) with the
// first item as default; a double click runs the default item's command; a single click
// does nothing.
//
// Linux desktops do not all have a notification area. Where there is none the icon cannot
// be shown, and a window that would hide in it must stay on screen instead, or the user
// could never reach the program again: Create reports whether the icon is shown.

#include <QIcon>
#include <QMenu>
#include <QObject>
#include <QString>
#include <QSystemTrayIcon>
#include <functional>
#include <memory>

namespace q804 {

class CTrayIcon : public QObject {
    Q_OBJECT

  public:
    // Fills the (empty) menu before it is shown: the items with their command ids.
    using MenuBuilder = std::function<void(QMenu& menu)>;
    using CommandHandler = std::function<void(int commandId)>;

    explicit CTrayIcon(QObject* parent = nullptr);
    ~CTrayIcon() override;

    // Shows the icon; false when the desktop has no notification area (the icon then
    // stays hidden and the caller keeps its window shown).
    bool Create(const QIcon& icon, const QString& tooltip);
    void Remove();
    bool IsShown() const;
    static bool NotificationAreaAvailable();

    void SetIcon(const QIcon& icon);
    void SetTooltip(const QString& tooltip);
    void SetMenuBuilder(MenuBuilder builder) { builder_ = std::move(builder); }
    void SetCommandHandler(CommandHandler handler) { handler_ = std::move(handler); }
    // Called before the menu shows: the window is brought to the front there.
    void SetBeforeMenu(std::function<void()> beforeMenu) { beforeMenu_ = std::move(beforeMenu); }

    // Rebuilds the menu (builder, default item) and returns it.
    QMenu& BuildMenu();
    QMenu& Menu() { return *menu_; }
    // What the icon does on the desktop's activation of each kind.
    void HandleActivation(QSystemTrayIcon::ActivationReason reason);

  private:
    std::unique_ptr<QMenu> menu_;
    std::unique_ptr<QSystemTrayIcon> icon_;
    MenuBuilder builder_;
    CommandHandler handler_;
    std::function<void()> beforeMenu_;
};

}  // namespace q804
