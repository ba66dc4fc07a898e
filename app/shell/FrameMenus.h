#pragma once

namespace penlark {

// The menus of the frame's menu bar. Each is an array of items addressed by a fixed index;
// gaps in the numbering are separators and items that do not exist.
enum class FrameMenu { File, Edit, View, Window, Tool, Help };

// The items of each menu; a value is the item's index, the number its click handler gets.
// Reopen is the program's own, shown after SaveAs.
enum class FileCmd {
    New = 0,
    Open = 2,
    Close = 3,
    Save = 5,
    SaveAs = 6,
    SaveAll = 7,
    // The submenu of recent files.
    RecentFiles = 9,
    Exit = 11,
    Reopen = 12,
};
enum class EditCmd {
    Undo = 0,
    Redo = 1,
    Cut = 3,
    Copy = 4,
    Paste = 5,
    SelectAll = 7,
    Find = 9,
    FindNext = 10,
    Replace = 11,
    DateAndTime = 14,
    Properties = 22,
};
enum class ViewCmd { Toolbar = 0 };
enum class WindowCmd {
    Cascade = 0,
    TileSideBySide = 1,
    TileOneAboveTheOther = 2,
    ArrangeIcons = 3,
    Next = 5,
    Previous = 6,
    CloseAll = 8,
};
enum class ToolCmd { Preferences = 0, Converter = 2 };
enum class HelpCmd { SearchTopics = 0, Contents = 1, About = 3 };

constexpr FrameMenu menuOf(FileCmd) {
    return FrameMenu::File;
}
constexpr FrameMenu menuOf(EditCmd) {
    return FrameMenu::Edit;
}
constexpr FrameMenu menuOf(ViewCmd) {
    return FrameMenu::View;
}
constexpr FrameMenu menuOf(WindowCmd) {
    return FrameMenu::Window;
}
constexpr FrameMenu menuOf(ToolCmd) {
    return FrameMenu::Tool;
}
constexpr FrameMenu menuOf(HelpCmd) {
    return FrameMenu::Help;
}

} // namespace penlark
