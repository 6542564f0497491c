// Code page 932 <-> QString through Qt's ICU-backed codecs.
#pragma once

#include <QString>
#include <string>

QString FromSjis(const std::string& bytes);
QString FromSjis(const char* bytes);
// ok is false when a character has no code page 932 form.
std::string ToSjis(const QString& text, bool* ok = nullptr);
