// SetClipboardText: a global memory block of UTF-16 handed to the clipboard; it is freed here
// unless the clipboard took it. CopyToClipboard tells the user when that failed.
#include "toolkit/Clipboard.h"

#include <cstring>
#include <memory>

#include "shared/Utf16.h"
#include "toolkit/Dialogs.h"

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
    // Unicode text alone: Windows gives a program that asks for CF_TEXT its own conversion.
    const std::wstring wide = Utf16FromUtf8(text);
    GlobalBlock unicode = BlockWith(wide.c_str(), (wide.size() + 1) * sizeof(wchar_t));
    if (!unicode) return false;
    ScopedClipboard clipboard(window);
    if (!clipboard.Open() || !::EmptyClipboard()) return false;
    return Hand(CF_UNICODETEXT, std::move(unicode));
}

void CopyToClipboard(HWND window, const std::string& text) {
    if (!SetClipboardText(window, text)) MessageDlg("Couldn't put the text on the clipboard!", mtError, mbOK, 0);
}
