#include "ui/skin/skin_menu.h"

#include <QAction>

#include "ui/skin/skin_style.h"

namespace q804 {
namespace {

constexpr const char* kCommandProperty = "q804CommandId";

template <typename Visit>
void ForEachItem(const QMenu& menu, const Visit& visit) {
    for (QAction* action : menu.actions()) {
        visit(action);
        if (QMenu* sub = action->menu()) {
            ForEachItem(*sub, visit);
        }
    }
}

}  // namespace

QAction* AddMenuCommand(QMenu& menu, int commandId, const QString& text) {
    QAction* action = menu.addAction(text);
    action->setProperty(kCommandProperty, commandId);
    return action;
}

int MenuCommandId(const QAction* action) {
    if (action == nullptr) {
        return -1;
    }
    QVariant id = action->property(kCommandProperty);
    return id.isValid() ? id.toInt() : -1;
}

QAction* FindMenuCommand(const QMenu& menu, int commandId) {
    QAction* found = nullptr;
    ForEachItem(menu, [&](QAction* action) {
        if (found == nullptr && MenuCommandId(action) == commandId) {
            found = action;
        }
    });
    return found;
}

int FirstMenuCommand(const QMenu& menu) {
    int first = -1;
    ForEachItem(menu, [&](QAction* action) {
        if (first < 0) {
            first = MenuCommandId(action);
        }
    });
    return first;
}

void RelabelMenu(QMenu& menu, const std::function<std::optional<QString>(int commandId)>& label) {
    ForEachItem(menu, [&](QAction* action) {
        int id = MenuCommandId(action);
        if (id < 0) {
            return;
        }
        if (std::optional<QString> text = label(id)) {
            action->setText(*text);
        }
    });
}

void SetDefaultMenuItem(QMenu& menu, int commandId) {
    QAction* chosen = nullptr;
    for (QAction* action : menu.actions()) {
        QFont font = action->font();
        bool isDefault = MenuCommandId(action) == commandId;
        font.setBold(isDefault);
        action->setFont(font);
        if (isDefault) {
            chosen = action;
        }
    }
    menu.setDefaultAction(chosen);
}

int DefaultMenuCommand(const QMenu& menu) {
    return MenuCommandId(menu.defaultAction());
}

void ConnectMenuCommands(QMenu& menu, std::function<void(int commandId)> handler) {
    QObject::connect(&menu, &QMenu::triggered, &menu,
                     [handler = std::move(handler)](QAction* action) {
                         int id = MenuCommandId(action);
                         if (id >= 0 && handler) {
                             handler(id);
                         }
                     });
}

void StyleMenu(QMenu& menu) {
    menu.setStyleSheet(style::DarkControlStyleSheet());
}

}  // namespace q804
