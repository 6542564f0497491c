#include "shell/qt/sjis.h"

#include <QStringDecoder>
#include <QStringEncoder>

QString FromSjis(const std::string& bytes) {
    // Opening the converter costs more than converting a short text, and
    // the painters convert every text they draw.
    static QStringDecoder decoder("windows-31j");
    decoder.resetState();
    return decoder(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

QString FromSjis(const char* bytes) { return FromSjis(std::string(bytes ? bytes : "")); }

std::string ToSjis(const QString& text, bool* ok) {
    QStringEncoder encoder("windows-31j", QStringConverter::Flag::Stateless);
    QByteArray out = encoder(text);
    bool good = !encoder.hasError();
    // ICU may substitute instead of reporting: a round trip tells for sure.
    if (good) {
        QStringDecoder decoder("windows-31j");
        good = QString(decoder(out)) == text;
    }
    if (ok) *ok = good;
    return std::string(out.constData(), static_cast<size_t>(out.size()));
}
