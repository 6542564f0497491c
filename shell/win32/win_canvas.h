// The Canvas of the rules on GDI: each window keeps one surface, a DIB
// section selected into a memory DC, drawn with the shared pens, brushes and
// fonts made once at start-up; WM_PAINT only copies it to the screen.
#pragma once

#include <map>
#include <string>

#include "display/canvas.h"
#include "shell/win32/win_api.h"

struct GdiDrawing {
    HPEN pens[PEN_COUNT] = {};
    HBRUSH brushes[BRUSH_COUNT] = {};
    HFONT fonts[FONT_COUNT] = {};
    HBITMAP bitmaps[BMP_COUNT] = {};
    bool bitmapTried[BMP_COUNT] = {};
    HDC bitmapDc = nullptr;   // holds one picture at a time for BitBlt
    // The Japanese Gothic faces the fonts and the dialogs use.
    std::wstring gothic, proportionalGothic;

    // Finds the faces and creates the pens, brushes and fonts; the pictures
    // are read from the working directory when first drawn.
    void Create();
    // A picture, or null when its file is missing or not a picture.
    HBITMAP Bitmap(BitmapId b);
    // The face a dialog template asks for, or the nearest installed one.
    std::wstring DialogFace(const std::wstring& wanted);
    std::map<std::wstring, std::wstring> dialogFaces;   // what DialogFace found, by the face asked for
};
extern GdiDrawing gdiDrawing;

// True when a family of that name with Japanese glyphs is installed.
bool HasJapaneseFace(const std::wstring& face);

class GdiSurface : public Canvas {
public:
    GdiSurface(int width, int height, COLORREF background);
    ~GdiSurface() override;
    GdiSurface(const GdiSurface&) = delete;
    GdiSurface& operator=(const GdiSurface&) = delete;
    bool ok() const { return dc_ != nullptr; }
    // Copies the surface to the window's device context at (0, 0).
    void CopyTo(HDC target) const;

    int Width() const override { return width_; }
    int Height() const override { return height_; }
    void SelectPen(PenId pen) override;
    void SelectBrush(BrushId brush) override;
    void SelectFont(FontId font) override;
    void SetTextColour(Rgb colour) override;
    void SetOpaqueText(bool opaque) override;
    void Rectangle(int left, int top, int right, int bottom) override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void TextOut(int x, int y, const char* text) override;
    void DrawBitmap(BitmapId bitmap, int x, int y, RasterOp op) override;

private:
    int width_, height_;
    HDC dc_ = nullptr;
    HBITMAP dib_ = nullptr;
    HGDIOBJ oldBitmap_ = nullptr, oldPen_ = nullptr, oldBrush_ = nullptr, oldFont_ = nullptr;
    FontId font_ = FONT_20;
    bool opaque_ = false;
};
