// The 22 window style names of the window page's style boxes, with the bits each stands for,
// the names of the extended style bits, and the rule by which a style word shows a name.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct TStyleName {
    const char* name;
    std::uint32_t mask;  // WS_OVERLAPPED is 0: it stands for any style word that is not 0
};

// In the order of the boxes cb1 to cb22.
const std::vector<TStyleName>& WindowStyleNames();

// Whether style shows name: every bit of its mask set; WS_OVERLAPPED for any word but 0.
bool StyleShows(const TStyleName& name, std::uint32_t style);
// The names that style shows, in box order.
std::vector<std::string> StyleNamesOf(std::uint32_t style);

// The extended style bits by name, in bit order, then the two names of several bits.
const std::vector<TStyleName>& ExStyleNames();
// The extended style names that exStyle shows, in table order.
std::vector<std::string> ExStyleNamesOf(std::uint32_t exStyle);
