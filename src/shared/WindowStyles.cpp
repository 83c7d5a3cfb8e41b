// The style names and masks of the window page's 22 boxes (WS_GROUP and WS_MINIMIZEBOX share
// a bit, as do WS_TABSTOP and WS_MAXIMIZEBOX).
#include "shared/WindowStyles.h"

const std::vector<TStyleName>& WindowStyleNames() {
    static const std::vector<TStyleName> names = {
        {"WS_OVERLAPPED", 0},           {"WS_POPUP", 0x80000000},       {"WS_CHILD", 0x40000000},
        {"WS_MINIMIZE", 0x20000000},    {"WS_VISIBLE", 0x10000000},     {"WS_DISABLED", 0x08000000},
        {"WS_CLIPSIBLINGS", 0x04000000}, {"WS_CLIPCHILDREN", 0x02000000}, {"WS_MAXIMIZE", 0x01000000},
        {"WS_CAPTION", 0x00C00000},     {"WS_BORDER", 0x00800000},      {"WS_DLGFRAME", 0x00400000},
        {"WS_VSCROLL", 0x00200000},     {"WS_HSCROLL", 0x00100000},     {"WS_SYSMENU", 0x00080000},
        {"WS_THICKFRAME", 0x00040000},  {"WS_GROUP", 0x00020000},       {"WS_TABSTOP", 0x00010000},
        {"WS_MINIMIZEBOX", 0x00020000}, {"WS_MAXIMIZEBOX", 0x00010000}, {"WS_TILEDWINDOW", 0x00CF0000},
        {"WS_POPUPWINDOW", 0x80880000},
    };
    return names;
}

bool StyleShows(const TStyleName& name, std::uint32_t style) {
    return name.mask == 0 ? style != 0 : (style & name.mask) == name.mask;
}

std::vector<std::string> StyleNamesOf(std::uint32_t style) {
    std::vector<std::string> shown;
    for (const TStyleName& name : WindowStyleNames())
        if (StyleShows(name, style)) shown.push_back(name.name);
    return shown;
}
