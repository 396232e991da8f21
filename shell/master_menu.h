#pragma once

#include <QKeySequence>
#include <QString>

#include <vector>

namespace vask {

// One row of the main menu: its component name, caption, tag and shortcut. The order is the
// menu's order; an empty name is a separator, a caption with no tag (-1) opens a submenu and
// the rows up to the matching endSubmenu belong to it.
struct MenuRow {
    enum Kind { Item, Separator, Submenu, EndSubmenu, TopMenu };
    Kind kind = Item;
    const char* name = "";
    const char* caption = "";
    int tag = -1;
    QKeySequence shortcut;
};

const std::vector<MenuRow>& mainMenuRows();

// The tool palette's buttons from left to right: name, hint, tag and whether the mouse
// function handler (true) or the command handler serves it.
struct PaletteButtonRow {
    const char* name;
    const char* hint;
    int tag;
    bool mouseFunction;
};

const std::vector<PaletteButtonRow>& paletteButtonRows();

} // namespace vask
