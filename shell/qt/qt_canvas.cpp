#include "shell/qt/qt_canvas.h"

#include <QFontMetrics>
#include <QPainter>
#include <QTransform>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "display/line_walk.h"
#include "shell/qt/sjis.h"
#include "world/file_access.h"

SharedDrawing sharedDrawing;

namespace {
// The largest picture file read; the game's own are far smaller.
constexpr size_t MAX_BITMAP_BYTES = 16u << 20;

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
        // A missing, unreadable or damaged file only loses its picture; only a
        // regular file is read, so a pipe in its place cannot hold the game.
        QImage image;
        std::string bytes;
        if (ReadRegularFile(BITMAP_SPECS[b].file, MAX_BITMAP_BYTES, bytes) == FileRead::OK) {
            image.loadFromData(reinterpret_cast<const uchar*>(bytes.data()), static_cast<int>(bytes.size()), "BMP");
        }
        if (!image.isNull()) {
            image = image.convertToFormat(QImage::Format_RGB32)
                        .copy(0, 0, BITMAP_SPECS[b].width, BITMAP_SPECS[b].height);
        }
        bitmaps[b] = image;
    }
    return bitmaps[b];
}

namespace {
inline int64_t DeviceEdge(int64_t logical, double ratio) {
    if (ratio == 1.0) return logical;
    return static_cast<int64_t>(std::floor(static_cast<double>(logical) * ratio + 0.5));
}
}  // namespace

qreal SurfaceRatio(qreal screenRatio) { return screenRatio > 1.0 ? screenRatio : 1.0; }

QImage NewSurface(int width, int height, qreal ratio, const QColor& background) {
    QImage image(static_cast<int>(DeviceEdge(width, ratio)), static_cast<int>(DeviceEdge(height, ratio)),
                 QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(background);
    return image;
}

QImage RescaledSurface(const QImage& old, int width, int height, qreal ratio, const QColor& background) {
    QImage image = NewSurface(width, height, ratio, background);
    if (!old.isNull()) {
        // Without smooth transformation the painter picks the nearest pixel.
        QPainter p(&image);
        p.drawImage(QRectF(0, 0, width, height), old, QRectF(old.rect()));
    }
    return image;
}

QPainter& QtCanvas::Painter(Space space) {
    if (!painter_) {
        painter_ = std::make_unique<QPainter>(image_);
        fontOnPainter_ = FONT_COUNT;
        space_ = Space::LOGICAL;
    }
    const qreal ratio = image_->devicePixelRatio();
    if (space != space_ && ratio != 1.0) {
        painter_->setWorldTransform(space == Space::DEVICE ? QTransform::fromScale(1.0 / ratio, 1.0 / ratio)
                                                           : QTransform());
        space_ = space;
    }
    return *painter_;
}

void QtCanvas::Flush() { painter_.reset(); }

int QtCanvas::LogicalSize(int devicePixels) const {
    const qreal ratio = image_->devicePixelRatio();
    if (ratio == 1.0) return devicePixels;
    // Exact for the sizes NewSurface makes, as the ratio is at least 1.
    return static_cast<int>(std::lround(devicePixels / ratio));
}

int64_t QtCanvas::Device(int64_t logical) const { return DeviceEdge(logical, image_->devicePixelRatio()); }

void QtCanvas::Fill(int64_t left, int64_t top, int64_t right, int64_t bottom, const QColor& colour) {
    // Cut to just outside the surface so that no size overflows; the painter
    // cuts the rest.
    const int64_t iw = image_->width(), ih = image_->height();
    const int64_t l = std::clamp<int64_t>(Device(left), -1, iw + 1), r = std::clamp<int64_t>(Device(right), -1, iw + 1);
    const int64_t t = std::clamp<int64_t>(Device(top), -1, ih + 1), b = std::clamp<int64_t>(Device(bottom), -1, ih + 1);
    if (r <= l || b <= t) return;
    Painter(Space::DEVICE).fillRect(QRect(static_cast<int>(l), static_cast<int>(t), static_cast<int>(r - l),
                                          static_cast<int>(b - t)),
                                    colour);
}

template <bool COPY, class Op>
void QtCanvas::Combine(const QImage& picture, int x, int y, Op op) {
    Flush();   // the pixels are combined in place, as the software canvas does
    const double ratio = image_->devicePixelRatio();
    const int64_t iw = image_->width(), ih = image_->height();
    const int pw = picture.width(), ph = picture.height();
    // Each picture pixel covers the device pixels of its logical square, and
    // is combined with each of them; the surface stays opaque.
    std::vector<int64_t> columns(static_cast<size_t>(pw) + 1);
    for (int col = 0; col <= pw; ++col) {
        columns[static_cast<size_t>(col)] = std::clamp<int64_t>(DeviceEdge(int64_t{x} + col, ratio), 0, iw);
    }
    const int64_t* edge = columns.data();
    uchar* const bits = image_->bits();
    const int64_t stride = image_->bytesPerLine();
    for (int row = 0; row < ph; ++row) {
        const int64_t y0 = std::max<int64_t>(DeviceEdge(int64_t{y} + row, ratio), 0);
        const int64_t y1 = std::min<int64_t>(DeviceEdge(int64_t{y} + row + 1, ratio), ih);
        if (y0 >= y1) continue;
        const QRgb* source = reinterpret_cast<const QRgb*>(picture.constScanLine(row));
        if constexpr (COPY) {
            // A copy is the same on every device row of a picture row: made
            // once, then repeated.
            QRgb* first = reinterpret_cast<QRgb*>(bits + y0 * stride);
            const size_t bytes = static_cast<size_t>(edge[pw] - edge[0]) * sizeof(QRgb);
            if (bytes == 0) continue;
            if (ratio == 1.0) {
                std::memcpy(first + edge[0], source + (edge[0] - x), bytes);
            } else {
                for (int col = 0; col < pw; ++col) {
                    for (int64_t xx = edge[col]; xx < edge[col + 1]; ++xx) first[xx] = source[col] | 0xFF000000u;
                }
            }
            for (int64_t yy = y0 + 1; yy < y1; ++yy) {
                std::memcpy(reinterpret_cast<QRgb*>(bits + yy * stride) + edge[0], first + edge[0], bytes);
            }
        } else {
            for (int64_t yy = y0; yy < y1; ++yy) {
                QRgb* target = reinterpret_cast<QRgb*>(bits + yy * stride);
                for (int col = 0; col < pw; ++col) {
                    const QRgb s = source[col];
                    for (int64_t xx = edge[col]; xx < edge[col + 1]; ++xx) {
                        target[xx] = op(target[xx], s) | 0xFF000000u;
                    }
                }
            }
        }
    }
}

void QtCanvas::Rectangle(int left, int top, int right, int bottom) {
    if (right <= left || bottom <= top) return;
    // Cut to just outside the surface so that no size overflows.
    const auto cut = [](int v, int size) { return std::clamp(v, -8, size + 8); };
    const int64_t l = cut(left, Width()), r = cut(right, Width());
    const int64_t t = cut(top, Height()), b = cut(bottom, Height());
    const PenSpec& pen = PEN_SPECS[pen_];
    Fill(l, t, r, b, ToQColor(BRUSH_COLOURS[brush_]));
    // The outline lies inside the rectangle, one pen width thick; an edge
    // cut away above stays outside the surface.
    const QColor outline = ToQColor(pen.colour);
    const int64_t w = pen.width;
    Fill(l, t, r, std::min(t + w, b), outline);
    Fill(l, std::max(t, b - w), r, b, outline);
    Fill(l, t, std::min(l + w, r), b, outline);
    Fill(std::max(l, r - w), t, r, b, outline);
}

void QtCanvas::LineTo(int x, int y) {
    Flush();   // the points go straight into the pixels
    const PenSpec& pen = PEN_SPECS[pen_];
    const QRgb colour = qRgb(pen.colour.r, pen.colour.g, pen.colour.b);
    const int w = pen.width;
    QImage* image = image_;
    // Points are stamped straight into the surface: a wide pen is a square
    // brush centred on the line, a logical pixel a square of device pixels.
    const int from = w <= 1 ? 0 : w / 2, size = w <= 1 ? 1 : w;
    const int64_t iw = image->width(), ih = image->height();
    const double ratio = image->devicePixelRatio();
    // One look-up of the pixels for the whole line, not one per point.
    uchar* const bits = image->bits();
    const int64_t stride = image->bytesPerLine();
    line_walk::Walk(x_, y_, x, y, w, Width(), Height(), [&](int64_t px, int64_t py) {
        const int64_t x0 = std::max<int64_t>(DeviceEdge(px - from, ratio), 0);
        const int64_t x1 = std::min<int64_t>(DeviceEdge(px - from + size, ratio), iw);
        const int64_t y0 = std::max<int64_t>(DeviceEdge(py - from, ratio), 0);
        const int64_t y1 = std::min<int64_t>(DeviceEdge(py - from + size, ratio), ih);
        for (int64_t yy = y0; yy < y1; ++yy) {
            QRgb* row = reinterpret_cast<QRgb*>(bits + yy * stride);
            for (int64_t xx = x0; xx < x1; ++xx) row[xx] = colour;
        }
    });
    x_ = x;
    y_ = y;
}

void QtCanvas::TextOut(int x, int y, const char* text) {
    if (!text || !*text) return;
    const QFont& font = sharedDrawing.fonts[font_];
    QString s = FromSjis(text);
    if (opaque_) {
        const int advance = QFontMetrics(font).horizontalAdvance(s);
        Fill(x, y, int64_t{x} + advance, int64_t{y} + FONT_HEIGHTS[font_], Qt::white);
    }
    QPainter& p = Painter(Space::LOGICAL);
    if (fontOnPainter_ != font_) {
        p.setFont(font);
        fontOnPainter_ = font_;
    }
    p.setPen(ToQColor(textColour_));
    int& ascent = sharedDrawing.ascents[font_];
    if (ascent < 0) ascent = QFontMetrics(font).ascent();
    p.drawText(x, y + ascent, s);
}

void QtCanvas::DrawBitmap(BitmapId bitmap, int x, int y, RasterOp op) {
    if (bitmap < 0 || bitmap >= BMP_COUNT) return;
    const QImage& loaded = sharedDrawing.Bitmap(bitmap);
    if (loaded.isNull()) return;
    // Pictures are read as 32-bit pixels; one set some other way is converted.
    const QImage picture =
        loaded.format() == QImage::Format_RGB32 ? loaded : loaded.convertToFormat(QImage::Format_RGB32);
    switch (op) {
        case ROP_OR: Combine<false>(picture, x, y, [](QRgb d, QRgb s) { return d | s; }); break;
        case ROP_AND: Combine<false>(picture, x, y, [](QRgb d, QRgb s) { return d & s; }); break;
        case ROP_COPY: Combine<true>(picture, x, y, [](QRgb, QRgb s) { return s; }); break;
    }
}
