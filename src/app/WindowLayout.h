#pragma once

#include <array>
#include <cstddef>
#include <string_view>

// The layout of both windows, in twips (1/1440 inch), for every front end to lay out from: at
// 96 dots per inch 15 twips make one pixel.
namespace zelk::layout {

inline constexpr int kTwipsPerInch = 1440;

// Twips as the logical pixels a toolkit scales to the screen, 96 to the inch.
constexpr int logicalPixels(int twips) {
    return twips * 96 / kTwipsPerInch;
}

// The position of the entry of that name in one of the tables below, or -1 when it has none.
template <typename Table>
constexpr int indexIn(const Table& table, std::string_view name) {
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (name == table[i].name) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

struct TwipsSize {
    int width;
    int height;
};

struct TwipsRect {
    int left;
    int top;
    int width;
    int height;
};

struct FontStyle {
    const char* family;
    double points;
    bool bold;
};

// The windows' default font, and the About window's title and version fonts.
inline constexpr FontStyle kWindowFont{"MS Sans Serif", 8, false};
inline constexpr FontStyle kTitleFont{"Comic Sans MS", 20.25, true};
inline constexpr FontStyle kVersionFont{"MS Sans Serif", 12, true};

// ---- The main window, frmZelk ----

inline constexpr TwipsSize kMainClient{4575, 3195};

enum class ControlKind { Button, Label, ProgressBar, StatusBar };

struct ControlLayout {
    const char* name;
    ControlKind kind;
    const char* text;  // the initial text; none for bars
    TwipsRect box;
};

// In tab order; only the buttons take the focus (Scan, Zelk, About).
inline constexpr std::array<ControlLayout, 8> kMainControls{{
    {"Command1", ControlKind::Button, "Scan", {120, 2400, 1215, 375}},
    {"Label1", ControlKind::Label, "Searching panels...", {120, 360, 2655, 255}},
    {"Label2", ControlKind::Label, "Removing gauges...", {120, 1320, 2775, 255}},
    {"Command2", ControlKind::Button, "Zelk", {1680, 2400, 1215, 375}},
    {"ProgressBar1", ControlKind::ProgressBar, nullptr, {120, 720, 4335, 255}},
    {"ProgressBar2", ControlKind::ProgressBar, nullptr, {120, 1680, 4335, 255}},
    {"StatusBar1", ControlKind::StatusBar, nullptr, {0, 2820, 4575, 375}},
    {"Command3", ControlKind::Button, "About", {3240, 2400, 1215, 375}},
}};

struct PanelLayout {
    const char* text;  // the initial text
    int width;         // in twips; the first takes what the other two leave
};

inline constexpr std::array<PanelLayout, 3> kStatusPanels{{
    {"Panels:", 1635},
    {"Gauges:", 1440},
    {"Zelk:", 1440},
}};

// The control of that name; the table holds every name the front ends ask for.
constexpr const ControlLayout& mainControl(const char* name) {
    const int index = indexIn(kMainControls, name);
    return kMainControls[index < 0 ? 0 : static_cast<std::size_t>(index)];
}

// ---- The About window, frmAbout ----

inline constexpr TwipsSize kAboutClient{3990, 2775};

enum class AboutFont { Title, Default, Version };

struct LabelLayout {
    const char* name;
    TwipsRect box;
    AboutFont font;
};

// Every label centres its text; the copyright and e-mail texts are fixed, the description
// and the version are set each time the window is loaded.
inline constexpr std::array<LabelLayout, 5> kAboutLabels{{
    {"lblTitle", {120, 240, 3735, 615}, AboutFont::Title},
    {"lblDescription", {120, 840, 3735, 375}, AboutFont::Default},
    {"lblCopyright", {1080, 1560, 1815, 255}, AboutFont::Default},
    {"lblEmail", {960, 1920, 2055, 255}, AboutFont::Default},
    {"lblVersion", {1080, 2280, 1815, 255}, AboutFont::Version},
}};

// ---- The window "Files to remove", frmFilesToRemove ----

// Its client area when it opens; the user may make it larger, or smaller down to the minimum.
inline constexpr TwipsSize kFilesClient{6300, 4800};
inline constexpr TwipsSize kFilesMinimumClient{3000, 2400};
// Round the controls and between them.
inline constexpr int kFilesMargin = 120;
// Copy and Close, side by side at the bottom right: the main window's buttons' size.
inline constexpr TwipsSize kFilesButton{1215, 375};
// The foot between the list and the buttons: room for two lines.
inline constexpr int kFilesFootHeight = 480;
// The list's second column, the sizes; the names take the rest of its width.
inline constexpr int kFilesSizeColumn = 1800;

}  // namespace zelk::layout
