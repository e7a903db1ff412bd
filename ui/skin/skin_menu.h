#pragma once

// Menus of the skinned windows: items carry the command id they stand for, so that a menu
// can be relabelled from the language file by command id, and one item can be marked as
// the default (drawn bold, chosen by a double-click on the tray icon).

#include <QMenu>
#include <QString>
#include <functional>
#include <optional>

namespace q804 {

QAction* AddMenuCommand(QMenu& menu, int commandId, const QString& text);
// The command id of an item, or -1 for separators and items without one.
int MenuCommandId(const QAction* action);
// The first item (submenus included) with the command id, or nullptr.
QAction* FindMenuCommand(const QMenu& menu, int commandId);
// The command id of the first item that has one, or -1.
int FirstMenuCommand(const QMenu& menu);

// Gives every item with a command id the text `label` returns for it; items for which it
// returns nothing keep their text. Submenus are relabelled too.
void RelabelMenu(QMenu& menu, const std::function<std::optional<QString>(int commandId)>& label);

// Marks the item as the menu's default; any other default loses its mark.
void SetDefaultMenuItem(QMenu& menu, int commandId);
int DefaultMenuCommand(const QMenu& menu);

// Calls `handler` with the command id of every item chosen in the menu.
void ConnectMenuCommands(QMenu& menu, std::function<void(int commandId)> handler);

// Menus without a skinned dialog as parent (the tray menu) take the skin's look here.
void StyleMenu(QMenu& menu);

}  // namespace q804
