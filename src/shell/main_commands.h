// The commands of the main window, each described once: its menu item and where it goes, its
// toolbar button and hint, and what it runs. The window builds its menus and toolbar from this
// table and takes the texts from it in retranslateUi(). Rows are written with designated
// initialisers: every value stands beside the name of what it is, and a field left out keeps its
// default (no menu member, no button, runs nothing).
#pragma once

#include <span>

class CommandContext;
class QAction;
class QMenu;
class TQueryFrm1;

// A button of the main window's toolbar.
struct ToolbarButton {
    // The button is SpeedButton<number> and shows glyph <number> (toolbar_glyphs.cpp); 0: the
    // command has no button.
    int number = 0;
    // Its place on the toolbar, counted from 0 at the left.
    int place = 0;
    const char* hint = nullptr; // tool tip and accessible name, translated in the window's context
    // A raised button (Clear, Exit); the others are flat until the mouse is over them.
    bool raised = false;
    // A toggle button of the run/close group (Run query, Close query): one of them stays down,
    // or neither.
    bool grouped = false;
};

struct MainCommand {
    // The menu item's object name; null for a toolbar button that runs nothing.
    const char* name = nullptr;
    const char* text = nullptr; // the item's text, translated in the window's context
    // The menu the item goes into, after a separator when separatorBefore; null when the window
    // places it itself (the menu bar).
    QMenu* TQueryFrm1::*menu = nullptr;
    bool separatorBefore = false;
    // The window's member that also holds the menu item, when other code needs it by member
    // (TQueryFrm1::CommandAction(name) finds every item); may be null.
    QAction* TQueryFrm1::*item = nullptr;
    ToolbarButton button = {};
    // What the item runs: a command that runs unless another command is running, or a handler of
    // the window for what needs more of the window than a command sees. An item with neither
    // stays disabled.
    void (*command)(CommandContext&) = nullptr;
    void (TQueryFrm1::*handler)() = nullptr;
    // The item carries a check mark that its handler sets itself.
    bool checkable = false;
};

std::span<const MainCommand> MainCommands();
