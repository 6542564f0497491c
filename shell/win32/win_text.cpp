#include "shell/win32/win_text.h"

#include "shell/win32/win_api.h"

namespace {
constexpr UINT CP_SJIS = 932;
}

std::wstring FromCp932(const std::string& bytes) {
    if (bytes.empty()) return std::wstring();
    const int n = MultiByteToWideChar(CP_SJIS, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    if (n <= 0) return std::wstring();
    std::wstring out(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_SJIS, 0, bytes.data(), static_cast<int>(bytes.size()), out.data(), n);
    return out;
}

std::wstring FromCp932(const char* bytes) { return FromCp932(std::string(bytes ? bytes : "")); }

std::string ToCp932(const std::wstring& text, bool* ok) {
    if (ok) *ok = true;
    if (text.empty()) return std::string();
    BOOL usedDefault = FALSE;
    const int n = WideCharToMultiByte(CP_SJIS, WC_NO_BEST_FIT_CHARS, text.data(), static_cast<int>(text.size()),
                                      nullptr, 0, nullptr, &usedDefault);
    if (n <= 0) {
        if (ok) *ok = false;
        return std::string();
    }
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_SJIS, WC_NO_BEST_FIT_CHARS, text.data(), static_cast<int>(text.size()), out.data(), n,
                        nullptr, &usedDefault);
    // A substitute may slip through without being reported: the way back tells.
    if (ok) *ok = !usedDefault && FromCp932(out) == text;
    return out;
}
