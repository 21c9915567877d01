#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// The text fields of the record files hold Windows code page 932 (Shift-JIS) bytes: a half-width
// character takes one byte, a full-width character two.
namespace Cp932 {

// The bytes of a field of the given width: the text is made exactly `width` characters long
// (cut or padded with blanks), encoded, and the bytes cut or padded with 0x20 to `width`.
// A double-byte character that would straddle the last byte is left out. A character with no
// code becomes "?", as Windows writes it.
QByteArray encodeField(const QString& text, int width);

// The text of a field: the bytes decoded and padded with blanks to the field's width in
// characters. A NUL byte ends the text and nothing after it shows (an all-zero field is empty).
// A byte that is no code, or a lead byte without its trail, decodes to U+FFFD; no byte is lost.
QString decodeField(QByteArrayView bytes);

// The plain conversions underneath, without any field width.
QByteArray encode(const QString& text);
QString decode(QByteArrayView bytes);

} // namespace Cp932
