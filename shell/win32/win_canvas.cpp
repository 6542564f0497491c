#include "shell/win32/win_canvas.h"

#include <algorithm>
#include <cwctype>
#include <vector>

#include "shell/win32/win_text.h"
#include "world/file_access.h"

GdiDrawing gdiDrawing;

namespace {

COLORREF Colour(Rgb c) { return RGB(c.r, c.g, c.b); }

const wchar_t MS_GOTHIC[] = L"\xFF2D\xFF33 \x30B4\x30B7\x30C3\x30AF";                 // ＭＳ ゴシック
const wchar_t MS_PGOTHIC[] = L"\xFF2D\xFF33 \xFF30\x30B4\x30B7\x30C3\x30AF";          // ＭＳ Ｐゴシック

int CALLBACK CollectFamily(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM param) {
    auto* names = reinterpret_cast<std::vector<std::wstring>*>(param);
    // Faces named with '@' are the vertical forms of the same family.
    if (font->lfFaceName[0] != L'@') names->push_back(font->lfFaceName);
    return 1;
}

// The families with Japanese glyphs (SHIFTJIS_CHARSET), or only those of
// one name when face is given.
std::vector<std::wstring> JapaneseFamilies(const wchar_t* face) {
    std::vector<std::wstring> names;
    LOGFONTW query = {};
    query.lfCharSet = SHIFTJIS_CHARSET;
    if (face) lstrcpynW(query.lfFaceName, face, LF_FACESIZE);
    HDC dc = GetDC(nullptr);
    EnumFontFamiliesExW(dc, &query, CollectFamily, reinterpret_cast<LPARAM>(&names), 0);
    ReleaseDC(nullptr, dc);
    return names;
}

bool Contains(const std::wstring& name, const wchar_t* piece) {
    std::wstring lower = name;
    for (wchar_t& c : lower) c = static_cast<wchar_t>(std::towlower(c));
    return lower.find(piece) != std::wstring::npos;
}

// The nearest Japanese Gothic face: the named ones in order of preference,
// then any Gothic, then any Japanese face at all; the proportional forms
// ("P" in the name) first when asked for.
std::wstring NearestGothic(const std::vector<std::wstring>& installed, bool proportional) {
    static const wchar_t* const FIXED[] = {MS_GOTHIC, L"MS Gothic", L"IPAGothic", L"IPAexGothic",
                                           L"Noto Sans Mono CJK JP", L"VL Gothic", L"Takao Gothic"};
    static const wchar_t* const PROPORTIONAL[] = {MS_PGOTHIC, L"MS PGothic", L"MS UI Gothic", L"IPAPGothic",
                                                  L"IPAexGothic", L"Noto Sans CJK JP", L"VL PGothic"};
    const auto has = [&](const std::wstring& name) {
        return std::find(installed.begin(), installed.end(), name) != installed.end();
    };
    for (const wchar_t* name : proportional ? PROPORTIONAL : FIXED)
        if (has(name)) return name;
    for (const wchar_t* name : proportional ? FIXED : PROPORTIONAL)
        if (has(name)) return name;
    for (const std::wstring& name : installed)
        if (Contains(name, L"gothic") || name.find(L"\x30B4\x30B7\x30C3\x30AF") != std::wstring::npos) return name;
    return installed.empty() ? std::wstring(proportional ? MS_PGOTHIC : MS_GOTHIC) : installed.front();
}

}  // namespace

bool HasJapaneseFace(const std::wstring& face) { return !JapaneseFamilies(face.c_str()).empty(); }

void GdiDrawing::Create() {
    // The game's face when it is there; otherwise the font mapper would pick a
    // face without kana and every text would show as boxes. The whole list of
    // faces is read only when one is missing.
    std::vector<std::wstring> installed;
    const auto nearest = [&](bool proportional) {
        if (installed.empty()) installed = JapaneseFamilies(nullptr);
        return NearestGothic(installed, proportional);
    };
    gothic = HasJapaneseFace(MS_GOTHIC) ? std::wstring(MS_GOTHIC) : nearest(false);
    proportionalGothic = HasJapaneseFace(MS_PGOTHIC) ? std::wstring(MS_PGOTHIC) : nearest(true);
    dialogFaces.clear();
    for (int p = 0; p < PEN_COUNT; ++p) {
        // Inside the frame: a rectangle's outline lies within its edges.
        pens[p] = CreatePen(PS_INSIDEFRAME, PEN_SPECS[p].width, Colour(PEN_SPECS[p].colour));
    }
    for (int b = 0; b < BRUSH_COUNT; ++b) brushes[b] = CreateSolidBrush(Colour(BRUSH_COLOURS[b]));
    for (int f = 0; f < FONT_COUNT; ++f) {
        LOGFONTW lf = {};
        lf.lfHeight = FONT_HEIGHTS[f];
        lf.lfWeight = 800;
        lf.lfCharSet = SHIFTJIS_CHARSET;
        lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
        lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
        lf.lfQuality = NONANTIALIASED_QUALITY;
        lf.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
        lstrcpynW(lf.lfFaceName, gothic.c_str(), LF_FACESIZE);
        fonts[f] = CreateFontIndirectW(&lf);
    }
    bitmapDc = CreateCompatibleDC(nullptr);
}

HBITMAP GdiDrawing::Bitmap(BitmapId b) {
    if (!bitmapTried[b]) {
        bitmapTried[b] = true;
        // Only a regular file is opened: a pipe or a device in its place
        // could hold the loader, and a missing file only loses its picture.
        const char* file = BITMAP_SPECS[b].file;
        if (KindOfPath(file) == PathKind::REGULAR) {
            bitmaps[b] = static_cast<HBITMAP>(LoadImageW(nullptr, FromCp932(file).c_str(), IMAGE_BITMAP, 0, 0,
                                                         LR_LOADFROMFILE | LR_CREATEDIBSECTION));
        }
    }
    return bitmaps[b];
}

std::wstring GdiDrawing::DialogFace(const std::wstring& wanted) {
    // Looked up once per face, not on every opening of a dialog.
    auto known = dialogFaces.find(wanted);
    if (known != dialogFaces.end()) return known->second;
    const bool proportional = wanted.empty() || wanted.find(L'\xFF30') != std::wstring::npos ||
                              wanted.find(L"PGothic") != std::wstring::npos;
    const std::wstring face = !wanted.empty() && HasJapaneseFace(wanted) ? wanted
                              : proportional                            ? proportionalGothic
                                                                        : gothic;
    return dialogFaces.emplace(wanted, face).first->second;
}

GdiSurface::GdiSurface(int width, int height, COLORREF background) : width_(width), height_(height) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;   // top-down, as the window's rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    dib_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!dib_) return;
    dc_ = CreateCompatibleDC(nullptr);
    if (!dc_) {
        DeleteObject(dib_);
        dib_ = nullptr;
        return;
    }
    oldBitmap_ = SelectObject(dc_, dib_);
    RECT all = {0, 0, width, height};
    HBRUSH fill = CreateSolidBrush(background);
    FillRect(dc_, &all, fill);
    DeleteObject(fill);
    oldPen_ = SelectObject(dc_, gdiDrawing.pens[PEN_BLACK1]);
    oldBrush_ = SelectObject(dc_, gdiDrawing.brushes[BRUSH_WHITE]);
    oldFont_ = SelectObject(dc_, gdiDrawing.fonts[FONT_20]);
    SetBkMode(dc_, TRANSPARENT);
    SetBkColor(dc_, RGB(255, 255, 255));
    SetTextAlign(dc_, TA_LEFT | TA_TOP | TA_NOUPDATECP);
}

GdiSurface::~GdiSurface() {
    if (dc_) {
        SelectObject(dc_, oldPen_);
        SelectObject(dc_, oldBrush_);
        SelectObject(dc_, oldFont_);
        SelectObject(dc_, oldBitmap_);
        DeleteDC(dc_);
    }
    if (dib_) DeleteObject(dib_);
}

void GdiSurface::CopyTo(HDC target) const {
    if (dc_) BitBlt(target, 0, 0, width_, height_, dc_, 0, 0, SRCCOPY);
}

void GdiSurface::SelectPen(PenId pen) {
    if (dc_) SelectObject(dc_, gdiDrawing.pens[pen]);
}
void GdiSurface::SelectBrush(BrushId brush) {
    if (dc_) SelectObject(dc_, gdiDrawing.brushes[brush]);
}
void GdiSurface::SelectFont(FontId font) {
    if (!dc_) return;
    SelectObject(dc_, gdiDrawing.fonts[font]);
    font_ = font;
}
void GdiSurface::SetTextColour(Rgb colour) {
    if (dc_) SetTextColor(dc_, Colour(colour));
}
// Opaque text fills its cell with the background colour, white.
void GdiSurface::SetOpaqueText(bool opaque) {
    if (!dc_) return;
    SetBkMode(dc_, opaque ? OPAQUE : TRANSPARENT);
    opaque_ = opaque;
}

void GdiSurface::Rectangle(int left, int top, int right, int bottom) {
    if (!dc_ || right <= left || bottom <= top) return;
    // Cut to just outside the surface: GDI's coordinates are narrower than int.
    const auto cut = [](int v, int size) { return std::clamp(v, -8, size + 8); };
    ::Rectangle(dc_, cut(left, width_), cut(top, height_), cut(right, width_), cut(bottom, height_));
}

void GdiSurface::MoveTo(int x, int y) {
    if (dc_) MoveToEx(dc_, x, y, nullptr);
}

void GdiSurface::LineTo(int x, int y) {
    if (dc_) ::LineTo(dc_, x, y);
}

void GdiSurface::TextOut(int x, int y, const char* text) {
    if (!dc_ || !text || !*text) return;
    const std::wstring wide = FromCp932(text);
    const int length = static_cast<int>(wide.size());
    if (opaque_) {
        // The cell is the game's font height whatever face stands in: the
        // introduction's blank lines wipe the title beneath them, and a face
        // whose cell comes out a pixel short would leave a row of it.
        SIZE extent = {};
        GetTextExtentPoint32W(dc_, wide.c_str(), length, &extent);
        const RECT cell = {x, y, x + extent.cx, y + std::max<int>(FONT_HEIGHTS[font_], extent.cy)};
        ExtTextOutW(dc_, x, y, ETO_OPAQUE, &cell, wide.c_str(), static_cast<UINT>(length), nullptr);
        return;
    }
    TextOutW(dc_, x, y, wide.c_str(), length);
}

void GdiSurface::DrawBitmap(BitmapId bitmap, int x, int y, RasterOp op) {
    if (!dc_ || bitmap < 0 || bitmap >= BMP_COUNT) return;
    HBITMAP picture = gdiDrawing.Bitmap(bitmap);
    if (!picture) return;
    BITMAP size = {};
    GetObjectW(picture, sizeof size, &size);
    const int w = std::min<int>(BITMAP_SPECS[bitmap].width, size.bmWidth);
    const int h = std::min<int>(BITMAP_SPECS[bitmap].height, size.bmHeight);
    const DWORD rop = op == ROP_OR ? SRCPAINT : op == ROP_AND ? SRCAND : SRCCOPY;
    HGDIOBJ old = SelectObject(gdiDrawing.bitmapDc, picture);
    BitBlt(dc_, x, y, w, h, gdiDrawing.bitmapDc, 0, 0, rop);
    SelectObject(gdiDrawing.bitmapDc, old);
}
