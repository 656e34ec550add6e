#pragma once

// The main window's toolbar entries by their 1-based place on the bar. Separators and
// placeholders take places too, so the numbers are the layout's and must not be reordered.
enum class ToolbarEntry {
    Dinning = 1,
    Search,
    Add,
    Internet,
    Refresh,
    Update,
    Delete,
    Back,
    Forward,
    DeleteCategory,
    Separator1,
    Separator2,
    Separator3,
    Separator4,
    Placeholder,
    WidePlaceholder, // a fixed gap before Exit
    Exit,
};
