#include "tools/headless/recode.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>
#endif

bool RecodeText(const std::string& in, bool toCp932, std::string& out) {
    out.clear();
    if (in.empty()) return true;
#ifdef _WIN32
    const UINT from = toCp932 ? CP_UTF8 : 932, to = toCp932 ? 932 : CP_UTF8;
    const int wide = MultiByteToWideChar(from, MB_ERR_INVALID_CHARS, in.data(), static_cast<int>(in.size()), nullptr, 0);
    if (wide == 0) return false;
    std::wstring w(static_cast<size_t>(wide), L'\0');
    MultiByteToWideChar(from, 0, in.data(), static_cast<int>(in.size()), w.data(), wide);
    BOOL lossy = FALSE;
    const int n = WideCharToMultiByte(to, 0, w.data(), wide, nullptr, 0, nullptr, toCp932 ? &lossy : nullptr);
    if (n == 0 || lossy) return false;
    out.assign(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(to, 0, w.data(), wide, out.data(), n, nullptr, nullptr);
    return true;
#else
    iconv_t cd = toCp932 ? iconv_open("CP932", "UTF-8") : iconv_open("UTF-8", "CP932");
    if (cd == reinterpret_cast<iconv_t>(-1)) return false;
    std::string copy = in;
    out.assign(in.size() * 4 + 8, '\0');
    char *src = copy.data(), *dst = out.data();
    size_t srcLeft = copy.size(), dstLeft = out.size();
    const size_t rc = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    iconv_close(cd);
    if (rc == static_cast<size_t>(-1)) {
        out.clear();
        return false;
    }
    out.resize(out.size() - dstLeft);
    return true;
#endif
}
