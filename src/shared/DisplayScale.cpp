// Scaling of designed sizes to the screen's dots per inch.
#include "shared/DisplayScale.h"

#include <cstdint>

int Scale(int value, int dpi) {
    if (dpi == kDesignDpi) return value;
    const std::int64_t product = static_cast<std::int64_t>(value) * dpi;
    const std::int64_t half = kDesignDpi / 2;
    return static_cast<int>((product >= 0 ? product + half : product - half) / kDesignDpi);
}

int WholeLinesHeight(int clientHeight, int lineHeight) {
    if (lineHeight <= 0 || clientHeight <= lineHeight) return clientHeight;
    return clientHeight - clientHeight % lineHeight;
}
