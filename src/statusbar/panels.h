#pragma once

#include <array>

// What each panel of the status bar is, a row a panel in their order on the bar, panel 1
// ("Panel1") first. The main window builds the bar from it, the bar takes the key panels' texts
// from it, and the Customize Status Bar dialog and the panel mask take the panels that can be
// hidden: every one but the caption.
namespace Panels {

// The content a panel is added with, by the numbers the design gives them.
enum class Style { Text = 0, CapsLock = 1, NumLock = 2, ScrollLock = 4, Time = 5, Date = 6 };

struct Row
{
    Style style;
    // What the panel shows: the caption's text, or a key panel's label. The clock panels show
    // the time and the date in the system's short formats.
    const char *text;
    // A key panel's key, as a screen reader and the click's message name it.
    const char *keyName;
    // Also what a screen reader says about the panel.
    const char *toolTip;
    // In twips. The caption takes whatever width the others leave, and this at least.
    double width;
    // The dialog's check box for the panel: its design name and its caption.
    const char *boxDesignName;
    const char *boxCaption;
};

inline constexpr std::array<Row, 6> rows { {
    { Style::Text, "Status Bar :", nullptr, "Click to Customize Status Bar", 1000, nullptr,
        nullptr },
    { Style::NumLock, "NUM", "Num Lock", "Num Lock Status", 700, "Check1_0", "&Num Lock" },
    { Style::CapsLock, "CAPS", "Caps Lock", "Caps Lock Status", 700, "Check1_1", "C&aps Lock" },
    { Style::ScrollLock, "SCRL", "Scroll Lock", "Scroll Lock Status", 700, "Check1_2",
        "S&croll Lock" },
    { Style::Time, nullptr, nullptr, "Time", 1500, "Check1_3", "&Time" },
    { Style::Date, nullptr, nullptr, "Date", 1500, "Check1_4", "&Date" },
} };

inline constexpr int count = int(rows.size());
// The panels that can be hidden, from the first of them to the last.
inline constexpr int firstHideable = 2;
inline constexpr int hideableCount = count - firstHideable + 1;

// The row of the panel at a 1-based index.
constexpr const Row &at(int index)
{
    return rows[index - 1];
}

// The row of the panel with this style.
constexpr const Row &of(Style style)
{
    for (const Row &row : rows) {
        if (row.style == style)
            return row;
    }
    return rows.front();
}

} // namespace Panels
