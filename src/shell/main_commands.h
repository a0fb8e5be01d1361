// The commands of the main window, each described once: its menu item and where it goes, its
// toolbar button and hint, and what it runs. The window builds its menus and toolbar from this
// table and takes the texts from it in retranslateUi().
#pragma once

#include <span>

class CommandContext;
class QAction;
class QMenu;
class TQueryFrm1;

struct MainCommand {
    // The window's member that also holds the menu item, when other code needs it by member
    // (TQueryFrm1::CommandAction(name) finds every item); may be null.
    QAction* TQueryFrm1::*item;
    // The menu item's object name; null for a toolbar button that runs nothing.
    const char* name;
    // The menu the item goes into, after a separator when separatorBefore; null when the window
    // places it itself (the menu bar).
    QMenu* TQueryFrm1::*menu;
    bool separatorBefore;
    const char* text; // translated in the window's context
    // Toolbar button SpeedButton<button> at toolbarSlot (left to right); 0: no button.
    int button;
    int toolbarSlot;
    const char* hint;
    // What the item runs: a handler of the window, or a command of a subsystem that runs unless
    // another command is running. An item with neither stays disabled.
    void (TQueryFrm1::*slot)();
    void (*command)(CommandContext&);
    // The item carries a check mark that its handler sets itself.
    bool checkable;
};

std::span<const MainCommand> MainCommands();
