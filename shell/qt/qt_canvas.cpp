#include "shell/qt/qt_canvas.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

#include "display/line_walk.h"
#include "shell/qt/sjis.h"

SharedDrawing sharedDrawing;

namespace {
QColor ToQColor(Rgb c) { return QColor(c.r, c.g, c.b); }

// Japanese Gothic faces in order of preference; fontconfig takes the first
// one installed, without enumerating every font on the system.
QStringList GothicFamilies() {
    QStringList families;
    for (const char* name : {"IPAGothic", "IPAexGothic", "Noto Sans Mono CJK JP", "Noto Sans CJK JP", "VL Gothic",
                             "MS Gothic", "Hiragino Sans", "Monospace"}) {
        families << QString::fromLatin1(name);
    }
    return families;
}
}  // namespace

void SharedDrawing::Create() {
    const QStringList families = GothicFamilies();
    for (int f = 0; f < FONT_COUNT; ++f) {
        QFont font;
        font.setFamilies(families);
        font.setPixelSize(FONT_HEIGHTS[f]);
        font.setWeight(QFont::ExtraBold);
        font.setStyleStrategy(QFont::NoAntialias);
        fonts[f] = font;
        ascents[f] = -1;   // measured on first use: loading a face is slow
    }
    // The pictures are read on first use: none is needed for the title, and
    // reading them all first would keep the window blank for longer.
    for (bool& loaded : bitmapLoaded) loaded = false;
}

const QImage& SharedDrawing::Bitmap(BitmapId b) {
    if (!bitmapLoaded[b]) {
        bitmapLoaded[b] = true;
        // A missing file only loses its picture.
        QImage image(QString::fromLatin1(BITMAP_SPECS[b].file));
        if (!image.isNull()) {
            image = image.convertToFormat(QImage::Format_RGB32)
                        .copy(0, 0, BITMAP_SPECS[b].width, BITMAP_SPECS[b].height);
        }
        bitmaps[b] = image;
    }
    return bitmaps[b];
}

QPainter& QtCanvas::Painter() {
    if (!painter_) {
        painter_ = std::make_unique<QPainter>(image_);
        fontOnPainter_ = FONT_COUNT;
    }
    return *painter_;
}

void QtCanvas::Flush() { painter_.reset(); }

void QtCanvas::Rectangle(int left, int top, int right, int bottom) {
    if (right <= left || bottom <= top) return;
    // Cut to just outside the surface so that no size overflows.
    const auto cut = [](int v, int size) { return std::clamp(v, -8, size + 8); };
    const int l = cut(left, image_->width()), r = cut(right, image_->width());
    const int t = cut(top, image_->height()), b = cut(bottom, image_->height());
    QPainter& p = Painter();
    const PenSpec& pen = PEN_SPECS[pen_];
    p.fillRect(l, t, r - l, b - t, ToQColor(BRUSH_COLOURS[brush_]));
    // The outline lies inside the rectangle, one pen width thick; an edge
    // cut away above stays outside the surface.
    const QColor outline = ToQColor(pen.colour);
    const int w = pen.width;
    p.fillRect(l, t, r - l, std::min(w, b - t), outline);
    p.fillRect(l, std::max(t, b - w), r - l, std::min(w, b - t), outline);
    p.fillRect(l, t, std::min(w, r - l), b - t, outline);
    p.fillRect(std::max(l, r - w), t, std::min(w, r - l), b - t, outline);
}

void QtCanvas::LineTo(int x, int y) {
    Flush();   // the points go straight into the pixels
    const PenSpec& pen = PEN_SPECS[pen_];
    const QRgb colour = qRgb(pen.colour.r, pen.colour.g, pen.colour.b);
    const int w = pen.width;
    QImage* image = image_;
    // Points are stamped straight into the surface: a wide pen is a square
    // brush centred on the line.
    const int from = w <= 1 ? 0 : w / 2, size = w <= 1 ? 1 : w;
    const int iw = image->width(), ih = image->height();
    line_walk::Walk(x_, y_, x, y, w, iw, ih, [&](int64_t px, int64_t py) {
        const int64_t x0 = std::max<int64_t>(px - from, 0), x1 = std::min<int64_t>(px - from + size, iw);
        const int64_t y0 = std::max<int64_t>(py - from, 0), y1 = std::min<int64_t>(py - from + size, ih);
        for (int64_t yy = y0; yy < y1; ++yy) {
            QRgb* row = reinterpret_cast<QRgb*>(image->scanLine(static_cast<int>(yy)));
            for (int64_t xx = x0; xx < x1; ++xx) row[xx] = colour;
        }
    });
    x_ = x;
    y_ = y;
}

void QtCanvas::TextOut(int x, int y, const char* text) {
    if (!text || !*text) return;
    QPainter& p = Painter();
    const QFont& font = sharedDrawing.fonts[font_];
    if (fontOnPainter_ != font_) {
        p.setFont(font);
        fontOnPainter_ = font_;
    }
    QString s = FromSjis(text);
    if (opaque_) {
        p.fillRect(x, y, QFontMetrics(font).horizontalAdvance(s), FONT_HEIGHTS[font_], Qt::white);
    }
    p.setPen(ToQColor(textColour_));
    int& ascent = sharedDrawing.ascents[font_];
    if (ascent < 0) ascent = QFontMetrics(font).ascent();
    p.drawText(x, y + ascent, s);
}

void QtCanvas::DrawBitmap(BitmapId bitmap, int x, int y, RasterOp op) {
    if (bitmap < 0 || bitmap >= BMP_COUNT) return;
    const QImage& image = sharedDrawing.Bitmap(bitmap);
    if (image.isNull()) return;
    QPainter& p = Painter();
    if (op == ROP_OR) p.setCompositionMode(QPainter::RasterOp_SourceOrDestination);
    if (op == ROP_AND) p.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
    p.drawImage(x, y, image);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
}
