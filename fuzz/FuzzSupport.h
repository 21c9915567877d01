#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

// A broken invariant is a finding: say which one and abort, so that libFuzzer saves the input.
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: invariant broken: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)

namespace FuzzSupport {

inline QByteArrayView bytes(const uint8_t* data, size_t size)
{
    return QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size));
}

// The input read as typed text (invalid sequences become U+FFFD, as pasted text would).
inline QString utf8Text(const uint8_t* data, size_t size)
{
    return QString::fromUtf8(bytes(data, size));
}

// The input read as raw UTF-16 code units, so that lone surrogates and any BMP character reach
// the code under test unchanged.
inline QString utf16Text(const uint8_t* data, size_t size)
{
    QString text;
    text.reserve(qsizetype(size / 2));
    for (size_t i = 0; i + 1 < size; i += 2)
        text.append(QChar(char16_t(data[i] | (data[i + 1] << 8))));
    return text;
}

// Shows the text in a failure report: its UTF-16 code units in hex.
inline void printText(const char* label, const QString& text)
{
    std::fprintf(stderr, "%s (%lld units):", label, static_cast<long long>(text.size()));
    for (const QChar c : text)
        std::fprintf(stderr, " %04X", unsigned(c.unicode()));
    std::fprintf(stderr, "\n");
}

inline void printBytes(const char* label, QByteArrayView bytes)
{
    std::fprintf(stderr, "%s (%lld bytes):", label, static_cast<long long>(bytes.size()));
    for (const char b : bytes)
        std::fprintf(stderr, " %02X", unsigned(quint8(b)));
    std::fprintf(stderr, "\n");
}

} // namespace FuzzSupport
