// The Windows side of the port, under Wine on a virtual display: code page
// 932 text both ways, every dialog template opened with its controls at
// their pixels, and the GDI surface keeping the canvas's rules.
#include <gtest/gtest.h>

#include <functional>

#include "resources/dialog_templates.h"
#include "shell/win32/win_dialog.h"
#include "shell/win32/win_shell.h"
#include "shell/win32/win_text.h"
#include "tests/test_support.h"

namespace {

std::wstring Wide(const char* utf8) {
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
    std::wstring w(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8, -1, w.data(), n);
    w.resize(static_cast<size_t>(n > 0 ? n - 1 : 0));
    return w;
}

TEST(WinText, CodePage932RoundTripsAndRefusesWhatItLacks) {
    // Expected bytes, or null for a text the game must refuse; the look-alikes
    // are what a best-fit conversion would quietly substitute.
    const std::pair<const char*, const char*> rows[] = {
        {"太郎", "\x91\xBE\x98\x59"}, {"ﾊﾞ", "\xCA\xDE"}, {"①", "\x87\x40"}, {"abc 1", "abc 1"},
        {"\xF0\x9F\x98\x80", nullptr}, {"𠮷", nullptr}, {"한", nullptr}, {"ä", nullptr}, {"〜", nullptr}};
    for (const auto& [utf8, bytes] : rows) {
        bool ok = bytes == nullptr;   // the conversion must set it either way
        const std::string out = ToCp932(Wide(utf8), &ok);
        EXPECT_EQ(ok, bytes != nullptr) << utf8;
        if (bytes) {
            EXPECT_EQ(out, bytes) << utf8;
            EXPECT_EQ(FromCp932(out), Wide(utf8)) << utf8;
        }
    }
}

class WinHost : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        gdiDrawing.Create();
        ASSERT_TRUE(RegisterWindowClasses(GetModuleHandleW(nullptr)));
    }
};

TEST_F(WinHost, WindowClassesComeWithTheirNamesAndBackgrounds) {
    // The main window's class is named by the string table; the panels each have their own.
    const std::pair<const wchar_t*, HBRUSH> classes[] = {
        {L"ORCHIDIAWND", reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1))},
        {L"state1", static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))},
        {L"state6", static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))}};
    for (const auto& [name, brush] : classes) {
        WNDCLASSEXW wc = {};
        wc.cbSize = sizeof wc;
        ASSERT_TRUE(GetClassInfoExW(GetModuleHandleW(nullptr), name, &wc));
        EXPECT_EQ(wc.hbrBackground, brush);
        EXPECT_EQ(wc.hCursor, LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW)));
    }
}

TEST_F(WinHost, EveryDialogOpensWithItsControlsAtTheirPixels) {
    for (const DialogTemplate& t : AllDialogTemplates()) {
        WinDialog dialog(t, [](DialogHost&, DialogEvent, int) {});
        TemplateWriter memory;
        dialog.Build(memory);
        HWND hwnd = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), memory.data(), nullptr, WinDialog::Proc,
                                               reinterpret_cast<LPARAM>(&dialog));
        ASSERT_NE(hwnd, nullptr) << t.id;
        RECT client;
        GetClientRect(hwnd, &client);
        EXPECT_EQ(client.right, t.width) << t.id;
        EXPECT_EQ(client.bottom, t.height) << t.id;
        bool hasCanvas = false;
        for (const ControlTemplate& c : t.controls) {
            hasCanvas = hasCanvas || c.kind == CTL_CANVAS;
            if (c.id < 0 && c.kind != CTL_CANVAS) continue;
            HWND item = GetDlgItem(hwnd, c.kind == CTL_CANVAS && c.id < 0 ? CANVAS_ITEM_ID : c.id);
            ASSERT_NE(item, nullptr) << t.id << " control " << c.id;
            RECT r;
            GetWindowRect(item, &r);
            MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&r), 2);
            EXPECT_EQ(r.left, c.x) << t.id << " control " << c.id;
            EXPECT_EQ(r.top, c.y) << t.id << " control " << c.id;
            EXPECT_EQ(r.right - r.left, c.width) << t.id << " control " << c.id;
            EXPECT_EQ(r.bottom - r.top, c.height) << t.id << " control " << c.id;
            if (c.kind == CTL_EDIT) {
                // The input method hands over what was composed as WM_IME_CHAR,
                // posted on as WM_CHAR, at the caret, which setting the text
                // leaves at its start.
                dialog.SetItemText(c.id, Sjis("の会社").c_str());
                for (wchar_t ch : Wide("太郎")) SendMessageW(item, WM_IME_CHAR, ch, 0);
                for (MSG m; PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE);) DispatchMessageW(&m);
                EXPECT_EQ(dialog.ItemText(c.id), Sjis("太郎の会社")) << t.id << " control " << c.id;
            }
        }
        EXPECT_EQ(dialog.GetCanvas() != nullptr, hasCanvas) << t.id;
        DestroyWindow(hwnd);
    }
}

// What a surface shows at one pixel after some drawing on white.
Rgb PixelAfter(const std::function<void(Canvas&)>& draw, int x, int y) {
    GdiSurface surface(64, 64, RGB(255, 255, 255));
    draw(surface);
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 64, 64);
    HGDIOBJ old = SelectObject(dc, bitmap);
    surface.CopyTo(dc);
    const COLORREF c = GetPixel(dc, x, y);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return Rgb{GetRValue(c), GetGValue(c), GetBValue(c)};
}

TEST_F(WinHost, SurfaceKeepsTheCanvasRules) {
    const Rgb white{255, 255, 255}, black{0, 0, 0}, yellow{255, 255, 0}, red{255, 0, 0};
    const auto box = [](Canvas& c) {
        c.SelectPen(PEN_BLACK2);
        c.SelectBrush(BRUSH_YELLOW);
        c.Rectangle(10, 10, 20, 20);
    };
    const auto line = [](Canvas& c) {
        c.SelectPen(PEN_RED1);
        c.Line(0, 30, 10, 30);
    };
    const auto textOnRed = [](bool opaque) {
        return [opaque](Canvas& c) {
            c.SelectPen(PEN_RED1);
            c.SelectBrush(BRUSH_RED);
            c.Rectangle(30, 30, 60, 60);
            c.SelectFont(FONT_20);
            c.SetOpaqueText(opaque);
            c.TextOut(32, 32, " ");
        };
    };
    const struct {
        const char* what;
        std::function<void(Canvas&)> draw;
        int x, y;
        Rgb expected;
    } rows[] = {
        {"outline on the left and top edges", box, 10, 10, black},
        {"a two-pixel outline inside the frame", box, 11, 11, black},
        {"the fill inside the outline", box, 12, 12, yellow},
        {"outline on the last pixel in", box, 19, 19, black},
        {"right and bottom edges excluded", box, 20, 20, white},
        {"a line up to its end", line, 9, 30, red},
        {"a line without its end point", line, 10, 30, white},
        {"opaque text fills its cell with white", textOnRed(true), 34, 40, white},
        {"transparent text leaves the ground", textOnRed(false), 34, 40, red},
    };
    for (const auto& row : rows) EXPECT_EQ(PixelAfter(row.draw, row.x, row.y), row.expected) << row.what;
}

}  // namespace
