// SetClipboardText: global memory blocks handed to the clipboard; each block is freed here
// unless the clipboard took it.
#include "toolkit/Clipboard.h"

#include <cstring>
#include <memory>

#include "shared/Windows1252.h"

namespace {

// Opens the clipboard; another program may hold it for a moment, so it is tried a few times.
class ScopedClipboard {
public:
    explicit ScopedClipboard(HWND window) {
        for (int attempt = 0; attempt < 10 && !open_; ++attempt) {
            open_ = ::OpenClipboard(window) != FALSE;
            if (!open_) ::Sleep(10);
        }
    }
    ~ScopedClipboard() {
        if (open_) ::CloseClipboard();
    }
    ScopedClipboard(const ScopedClipboard&) = delete;
    ScopedClipboard& operator=(const ScopedClipboard&) = delete;
    bool Open() const { return open_; }

private:
    bool open_ = false;
};

struct GlobalFreer {
    void operator()(void* memory) const { ::GlobalFree(memory); }
};
using GlobalBlock = std::unique_ptr<void, GlobalFreer>;

GlobalBlock BlockWith(const void* data, std::size_t size) {
    GlobalBlock block(::GlobalAlloc(GMEM_MOVEABLE, size));
    if (!block) return block;
    void* place = ::GlobalLock(block.get());
    if (!place) return nullptr;
    std::memcpy(place, data, size);
    ::GlobalUnlock(block.get());
    return block;
}

// The clipboard owns a block it accepted.
bool Hand(UINT format, GlobalBlock block) {
    if (!block || !::SetClipboardData(format, block.get())) return false;
    block.release();
    return true;
}

}  // namespace

bool SetClipboardText(HWND window, const std::string& text) {
    if (!window) return false;
    const std::u16string wide = Utf16From1252(text);
    GlobalBlock ansi = BlockWith(text.c_str(), text.size() + 1);
    GlobalBlock unicode = BlockWith(wide.c_str(), (wide.size() + 1) * sizeof(char16_t));
    if (!ansi || !unicode) return false;
    ScopedClipboard clipboard(window);
    if (!clipboard.Open() || !::EmptyClipboard()) return false;
    const bool unicodeHanded = Hand(CF_UNICODETEXT, std::move(unicode));
    return Hand(CF_TEXT, std::move(ansi)) && unicodeHanded;
}
