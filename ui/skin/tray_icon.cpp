#include "ui/skin/tray_icon.h"

#include "ui/skin/skin_menu.h"

namespace q804 {

CTrayIcon::CTrayIcon(QObject* parent)
    : QObject(parent),
      menu_(std::make_unique<QMenu>()),
      icon_(std::make_unique<QSystemTrayIcon>()) {
    StyleMenu(*menu_);
    // The desktop shows the context menu on a right click; it is built afresh just before,
    // so that it speaks the current language.
    connect(menu_.get(), &QMenu::aboutToShow, this, [this] {
        BuildMenu();
        if (beforeMenu_) {
            beforeMenu_();
        }
    });
    ConnectMenuCommands(*menu_, [this](int id) {
        if (handler_) {
            handler_(id);
        }
    });
    connect(icon_.get(), &QSystemTrayIcon::activated, this, &CTrayIcon::HandleActivation);
}

CTrayIcon::~CTrayIcon() {
    Remove();
}

bool CTrayIcon::NotificationAreaAvailable() {
    return QSystemTrayIcon::isSystemTrayAvailable();
}

bool CTrayIcon::Create(const QIcon& icon, const QString& tooltip) {
    icon_->setIcon(icon);
    icon_->setToolTip(tooltip);
    BuildMenu();
    icon_->setContextMenu(menu_.get());
    if (!NotificationAreaAvailable()) {
        return false;
    }
    icon_->show();
    return icon_->isVisible();
}

void CTrayIcon::Remove() {
    if (icon_) {
        icon_->hide();
    }
}

bool CTrayIcon::IsShown() const {
    return icon_ && icon_->isVisible();
}

void CTrayIcon::SetIcon(const QIcon& icon) {
    icon_->setIcon(icon);
}

void CTrayIcon::SetTooltip(const QString& tooltip) {
    icon_->setToolTip(tooltip);
}

QMenu& CTrayIcon::BuildMenu() {
    menu_->clear();
    if (builder_) {
        builder_(*menu_);
    }
    SetDefaultMenuItem(*menu_, FirstMenuCommand(*menu_));
    return *menu_;
}

void CTrayIcon::HandleActivation(QSystemTrayIcon::ActivationReason reason) {
    switch (reason) {
        case QSystemTrayIcon::Context:
            break;  // the desktop shows the context menu itself (see aboutToShow)
        case QSystemTrayIcon::DoubleClick: {
            BuildMenu();
            int command = DefaultMenuCommand(*menu_);
            if (command >= 0 && handler_) {
                handler_(command);
            }
            break;
        }
        default:
            break;  // a single click does nothing
    }
}

}  // namespace q804
