#include "records/Cp932.h"

#include <QHash>
#include <QStringDecoder>
#include <QStringEncoder>

#include <array>
#include <limits>
#include <optional>

namespace {

constexpr char16_t Replacement = 0xFFFD;
constexpr const char* CodecName = "windows-31j";

bool isLeadByte(quint8 b)
{
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}
bool isTrailByte(quint8 b)
{
    return b >= 0x40 && b <= 0xFC && b != 0x7F;
}
bool isHalfWidthKatakana(quint8 b)
{
    return b >= 0xA1 && b <= 0xDF;
}

// Every double-byte code decoded once, so that decoding a whole log stays a table lookup.
// The converter reports undefined codes as U+FFFD or U+001A; both become U+FFFD here.
class DoubleByteTable
{
public:
    DoubleByteTable()
    {
        QStringDecoder decoder(CodecName);
        for (int lead = 0x81; lead <= 0xFC; ++lead) {
            if (!isLeadByte(quint8(lead)))
                continue;
            for (int trail = 0x40; trail <= 0xFC; ++trail) {
                const char pair[2] = {char(lead), char(trail)};
                const QString decoded = decoder.decode(QByteArrayView(pair, 2));
                const bool valid = decoded.size() == 1 && decoded.at(0) != QChar(0x1A) &&
                                   decoded.at(0) != QChar(Replacement);
                m_chars[index(quint8(lead), quint8(trail))] =
                    valid ? decoded.at(0).unicode() : Replacement;
            }
        }
    }

    char16_t at(quint8 lead, quint8 trail) const { return m_chars[index(lead, trail)]; }

private:
    static int index(quint8 lead, quint8 trail) { return (lead << 8) | trail; }
    std::array<char16_t, 65536> m_chars{};
};

const DoubleByteTable& doubleByteTable()
{
    static const DoubleByteTable table;
    return table;
}

// Characters that other Japanese code pages give other code points; Windows writes them as the
// look-alikes of code page 932 instead of "?".
QByteArray lookAlike(char32_t c)
{
    switch (c) {
    case 0x301C: // WAVE DASH, as FULLWIDTH TILDE
        return QByteArray("\x81\x60", 2);
    case 0x2212: // MINUS SIGN, as FULLWIDTH HYPHEN-MINUS
        return QByteArray("\x81\x7C", 2);
    case 0x2016: // DOUBLE VERTICAL LINE, as PARALLEL TO
        return QByteArray("\x81\x61", 2);
    case 0x2014: // EM DASH, as HORIZONTAL BAR
        return QByteArray("\x81\x5C", 2);
    case 0x00A2:
        return QByteArray("\x81\x91", 2);
    case 0x00A3:
        return QByteArray("\x81\x92", 2);
    case 0x00AC:
        return QByteArray("\x81\xCA", 2);
    case 0x00A5: // YEN SIGN, as the byte that shows as a yen sign on Japanese Windows
        return QByteArray("\x5C", 1);
    default:
        return {};
    }
}

// A character beyond ASCII; those of ASCII are their own byte.
QByteArray encodeCharacter(std::optional<QStringEncoder>& encoder, QStringView character,
                           char32_t codePoint)
{
    QByteArray mapped = lookAlike(codePoint);
    if (!mapped.isEmpty())
        return mapped;
    // Made in place, never moved: a moved ICU encoder loses track of its errors.
    if (!encoder)
        encoder.emplace(CodecName);
    QByteArray bytes = encoder->encode(character);
    if (encoder->hasError() || bytes.isEmpty()) {
        encoder.reset(); // the error state would stick to later characters
        return QByteArray(1, '?');
    }
    return bytes;
}

// Appends the text's bytes, each whole character (a surrogate pair counting as one) at most
// `maxCharacters` of them, until the next would not fit in `maxBytes`. Names, brands and memos
// are mostly ASCII, which takes no converter.
void appendEncoded(QByteArray& bytes, QStringView text, qsizetype maxCharacters, qsizetype maxBytes)
{
    std::optional<QStringEncoder> encoder;
    qsizetype characters = 0;
    for (qsizetype i = 0; i < text.size() && characters < maxCharacters; ++i, ++characters) {
        const bool pair =
            text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate();
        const QStringView character = text.sliced(i, pair ? 2 : 1);
        const char32_t codePoint =
            pair ? QChar::surrogateToUcs4(text.at(i), text.at(i + 1)) : text.at(i).unicode();
        if (pair)
            ++i;
        if (codePoint < 0x80) {
            if (bytes.size() + 1 > maxBytes)
                return;
            bytes.append(char(codePoint));
            continue;
        }
        const QByteArray encoded = encodeCharacter(encoder, character, codePoint);
        if (bytes.size() + encoded.size() > maxBytes)
            return;
        bytes += encoded;
    }
}

} // namespace

namespace Cp932 {

QByteArray encode(const QString& text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    appendEncoded(bytes, text, text.size(), std::numeric_limits<qsizetype>::max());
    return bytes;
}

QString decode(QByteArrayView bytes)
{
    const DoubleByteTable& table = doubleByteTable();
    QString text;
    text.reserve(bytes.size());
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const quint8 b = quint8(bytes[i]);
        if (b < 0x80) {
            text.append(QLatin1Char(char(b)));
        } else if (isHalfWidthKatakana(b)) {
            text.append(QChar(char16_t(0xFF61 + (b - 0xA1))));
        } else if (isLeadByte(b) && i + 1 < bytes.size() && isTrailByte(quint8(bytes[i + 1]))) {
            text.append(QChar(table.at(b, quint8(bytes[i + 1]))));
            ++i;
        } else {
            text.append(QChar(Replacement)); // the next byte, if any, is read on its own
        }
    }
    return text;
}

// Cut to `width` characters first, then to the whole characters that fit in `width` bytes; the
// rest is blanks.
QByteArray encodeField(const QString& text, int width)
{
    QByteArray bytes;
    bytes.reserve(width);
    appendEncoded(bytes, text, width, width);
    return bytes + QByteArray(width - bytes.size(), ' ');
}

QString decodeField(QByteArrayView bytes)
{
    const qsizetype end = bytes.indexOf('\0');
    if (end >= 0)
        return decode(bytes.first(end));
    const QString text = decode(bytes);
    return text + QString(qMax<qsizetype>(0, bytes.size() - text.size()), QLatin1Char(' '));
}

} // namespace Cp932
