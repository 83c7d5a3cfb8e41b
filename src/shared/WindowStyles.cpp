// The style names and masks of the window page's 22 boxes (WS_GROUP and WS_MINIMIZEBOX share
// a bit, as do WS_TABSTOP and WS_MAXIMIZEBOX), and those of the extended style bits.
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

namespace {

std::vector<std::string> NamesShown(const std::vector<TStyleName>& names, std::uint32_t style) {
    std::vector<std::string> shown;
    for (const TStyleName& name : names)
        if (StyleShows(name, style)) shown.push_back(name.name);
    return shown;
}

}  // namespace

std::vector<std::string> StyleNamesOf(std::uint32_t style) { return NamesShown(WindowStyleNames(), style); }

// The names of value 0 (WS_EX_LEFT, WS_EX_LTRREADING, WS_EX_RIGHTSCROLLBAR) are the absence of
// a bit and are not shown.
const std::vector<TStyleName>& ExStyleNames() {
    static const std::vector<TStyleName> names = {
        {"WS_EX_DLGMODALFRAME", 0x00000001}, {"WS_EX_NOPARENTNOTIFY", 0x00000004}, {"WS_EX_TOPMOST", 0x00000008},
        {"WS_EX_ACCEPTFILES", 0x00000010},   {"WS_EX_TRANSPARENT", 0x00000020},    {"WS_EX_MDICHILD", 0x00000040},
        {"WS_EX_TOOLWINDOW", 0x00000080},    {"WS_EX_WINDOWEDGE", 0x00000100},     {"WS_EX_CLIENTEDGE", 0x00000200},
        {"WS_EX_CONTEXTHELP", 0x00000400},   {"WS_EX_RIGHT", 0x00001000},          {"WS_EX_RTLREADING", 0x00002000},
        {"WS_EX_LEFTSCROLLBAR", 0x00004000}, {"WS_EX_CONTROLPARENT", 0x00010000},  {"WS_EX_STATICEDGE", 0x00020000},
        {"WS_EX_APPWINDOW", 0x00040000},     {"WS_EX_LAYERED", 0x00080000},        {"WS_EX_NOINHERITLAYOUT", 0x00100000},
        {"WS_EX_NOREDIRECTIONBITMAP", 0x00200000}, {"WS_EX_LAYOUTRTL", 0x00400000}, {"WS_EX_COMPOSITED", 0x02000000},
        {"WS_EX_NOACTIVATE", 0x08000000},    {"WS_EX_OVERLAPPEDWINDOW", 0x00000300}, {"WS_EX_PALETTEWINDOW", 0x00000188},
    };
    return names;
}

std::vector<std::string> ExStyleNamesOf(std::uint32_t exStyle) { return NamesShown(ExStyleNames(), exStyle); }
