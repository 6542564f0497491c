#include "shell/qt/qt_canvas.h"

#include <QFontMetrics>
#include <QPainter>

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
    }
    for (int b = 0; b < BMP_COUNT; ++b) {
        QImage image(QString::fromLatin1(BITMAP_SPECS[b].file));
        if (!image.isNull()) {
            image = image.convertToFormat(QImage::Format_RGB32)
                        .copy(0, 0, BITMAP_SPECS[b].width, BITMAP_SPECS[b].height);
        }
        bitmaps[b] = image;
    }
}

void QtCanvas::Rectangle(int left, int top, int right, int bottom) {
    if (right <= left || bottom <= top) return;
    QPainter p(image_);
    const PenSpec& pen = PEN_SPECS[pen_];
    p.fillRect(left, top, right - left, bottom - top, ToQColor(BRUSH_COLOURS[brush_]));
    // The outline lies inside the rectangle, one pen width thick.
    QColor outline = ToQColor(pen.colour);
    int w = pen.width;
    p.fillRect(left, top, right - left, std::min(w, bottom - top), outline);
    p.fillRect(left, std::max(top, bottom - w), right - left, std::min(w, bottom - top), outline);
    p.fillRect(left, top, std::min(w, right - left), bottom - top, outline);
    p.fillRect(std::max(left, right - w), top, std::min(w, right - left), bottom - top, outline);
}

void QtCanvas::LineTo(int x, int y) {
    const PenSpec& pen = PEN_SPECS[pen_];
    const QRgb colour = qRgb(pen.colour.r, pen.colour.g, pen.colour.b);
    const QColor qcolour(colour);
    const int w = pen.width;
    QImage* image = image_;
    if (w <= 1) {
        line_walk::Walk(x_, y_, x, y, 1, image->width(), image->height(), [image, colour](int64_t px, int64_t py) {
            if (px >= 0 && py >= 0 && px < image->width() && py < image->height())
                image->setPixel(static_cast<int>(px), static_cast<int>(py), colour);
        });
    } else {
        // A wide pen is a square brush centred on the line.
        QPainter p(image_);
        line_walk::Walk(x_, y_, x, y, w, image->width(), image->height(), [&p, &qcolour, w](int64_t px, int64_t py) {
            p.fillRect(static_cast<int>(px) - w / 2, static_cast<int>(py) - w / 2, w, w, qcolour);
        });
    }
    x_ = x;
    y_ = y;
}

void QtCanvas::TextOut(int x, int y, const char* text) {
    QPainter p(image_);
    const QFont& font = sharedDrawing.fonts[font_];
    p.setFont(font);
    QFontMetrics metrics(font);
    QString s = FromSjis(text);
    if (opaque_) {
        p.fillRect(x, y, metrics.horizontalAdvance(s), FONT_HEIGHTS[font_], Qt::white);
    }
    p.setPen(ToQColor(textColour_));
    p.drawText(x, y + metrics.ascent(), s);
}

void QtCanvas::DrawBitmap(BitmapId bitmap, int x, int y, RasterOp op) {
    if (bitmap < 0 || bitmap >= BMP_COUNT) return;
    const QImage& image = sharedDrawing.bitmaps[bitmap];
    if (image.isNull()) return;
    QPainter p(image_);
    if (op == ROP_OR) p.setCompositionMode(QPainter::RasterOp_SourceOrDestination);
    if (op == ROP_AND) p.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
    p.drawImage(x, y, image);
}
