// Arbitrary bytes decoded as code page 932 text fields, and arbitrary text (the input read as
// UTF-8 and as raw UTF-16) encoded into fields of the widths the records use. Checks that a field
// is always exactly its width, that whatever Tankr writes it can read back without a single
// undecodable byte, and that a field read and written back unchanged keeps its bytes.
#include "FuzzSupport.h"
#include "records/Cp932.h"

#include <QList>

#include <algorithm>
#include <initializer_list>
#include <iterator>

using namespace FuzzSupport;

namespace {

constexpr char16_t Replacement = 0xFFFD;
// The widths of the records' text fields, and the edges of the cut.
constexpr int WidestField = 40;
constexpr std::initializer_list<int> Widths = {0, 1, 2, 12, 16, 20, WidestField};

// Characters, a surrogate pair counting as one (a lone surrogate as one too).
qsizetype characterCount(const QString& text)
{
    return text.toUcs4().size();
}

bool isLeadByte(quint8 b)
{
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// Codes that decode to a character which has a preferred code elsewhere in code page 932, so
// writing the character back gives the other code: NEC's copies of JIS symbols, NEC's selection
// of the IBM extensions (rows ED and EE), and IBM's copies of NEC characters.
bool isDuplicateCode(quint8 lead, quint8 trail)
{
    static constexpr int Copies[] = {0x8790, 0x8791, 0x8792, 0x8795, 0x8796, 0x8797, 0x879A,
                                     0x879B, 0x879C, 0xFA58, 0xFA59, 0xFA5A, 0xFA5B};
    const int code = (lead << 8) | trail;
    return lead == 0xED || lead == 0xEE || (code >= 0xFA4A && code <= 0xFA54) ||
           std::find(std::begin(Copies), std::end(Copies), code) != std::end(Copies);
}

// Whether the bytes hold only codes that are the preferred code of their character. Assumes
// the bytes decode without U+FFFD, so every lead byte has its trail.
bool onlyPreferredCodes(QByteArrayView bytes)
{
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const quint8 b = quint8(bytes[i]);
        if (!isLeadByte(b))
            continue;
        if (isDuplicateCode(b, quint8(bytes[i + 1])))
            return false;
        ++i;
    }
    return true;
}

void checkDecode(QByteArrayView bytes, const QString& text)
{
    // One character per byte at most (a double-byte code gives one), at least one per two.
    FUZZ_CHECK(text.size() <= bytes.size());
    FUZZ_CHECK(text.size() >= (bytes.size() + 1) / 2);

    const QString field = Cp932::decodeField(bytes);
    const qsizetype nul = bytes.indexOf('\0');
    if (nul < 0)
        FUZZ_CHECK(field.size() == bytes.size()); // padded with blanks to the field's width
    else
        FUZZ_CHECK(field.size() <= nul); // the text ends at the NUL
}

// Characters the code page holds, read from real bytes: the text round-trips exactly.
void checkRoundTrip(QByteArrayView bytes, const QString& text)
{
    const QByteArray written = Cp932::encode(text);
    if (Cp932::decode(written) != text) {
        printBytes("read", bytes);
        printBytes("written", written);
    }
    FUZZ_CHECK(Cp932::decode(written) == text);
    if (onlyPreferredCodes(bytes)) {
        if (written != bytes) {
            printBytes("read", bytes);
            printBytes("written", written);
        }
        FUZZ_CHECK(written == bytes);
        // A field read and written back unchanged keeps its bytes.
        if (!bytes.contains('\0'))
            FUZZ_CHECK(Cp932::encodeField(Cp932::decodeField(bytes), int(bytes.size())) == bytes);
    }
}

// For text whose every character the code page holds: a field keeps the longest beginning of
// the text that fits in its bytes, then blanks.
void checkFieldKeepsText(const QString& text)
{
    QList<qsizetype> sizes; // the bytes of each character
    for (const QChar c : text.left(WidestField))
        sizes.append(Cp932::encode(QString(c)).size());
    for (const int width : Widths) {
        QString kept;
        qsizetype used = 0;
        for (qsizetype i = 0; i < qMin<qsizetype>(width, sizes.size()); ++i) {
            used += sizes.at(i);
            if (used > width)
                break;
            kept += text.at(i);
        }
        const QString expected = kept + QString(width - kept.size(), QLatin1Char(' '));
        const QString readBack = Cp932::decodeField(Cp932::encodeField(text, width));
        if (readBack != expected) {
            printText("text", text);
            printText("read back", readBack);
        }
        FUZZ_CHECK(readBack == expected);
    }
}

// Any text at all: fields are exactly their width, and every byte written decodes.
void checkEncode(const QString& text)
{
    const QByteArray bytes = Cp932::encode(text);
    const QString readBack = Cp932::decode(bytes);
    if (readBack.contains(QChar(Replacement))) {
        printText("text", text);
        printBytes("written", bytes);
    }
    // One code per character, never an undecodable byte ("?" for a character with no code).
    FUZZ_CHECK(readBack.size() == characterCount(text));
    FUZZ_CHECK(!readBack.contains(QChar(Replacement)));
    FUZZ_CHECK(bytes.size() <= 2 * characterCount(text));

    for (const int width : Widths) {
        const QByteArray field = Cp932::encodeField(text, width);
        FUZZ_CHECK(field.size() == width);
        const QString shown = Cp932::decodeField(field);
        // No double-byte character is split at the end of the field.
        FUZZ_CHECK(!shown.contains(QChar(Replacement)));
        if (!field.contains('\0'))
            FUZZ_CHECK(shown.size() == width);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayView input = bytes(data, size);
    const QString text = Cp932::decode(input);
    checkDecode(input, text);
    if (!text.contains(QChar(Replacement))) {
        checkRoundTrip(input, text);
        if (!text.contains(QChar(u'\0')))
            checkFieldKeepsText(text);
    }
    checkEncode(utf8Text(data, size));
    checkEncode(utf16Text(data, size));
    return 0;
}
