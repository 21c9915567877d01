#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QtEndian>

#include <cstring>

// Little-endian field access for the record encoders.
namespace RecordBytes {

template <typename T> void put(QByteArray& bytes, int offset, T value)
{
    qToLittleEndian(value, bytes.data() + offset);
}

template <typename T> T get(QByteArrayView bytes, int offset)
{
    return qFromLittleEndian<T>(bytes.data() + offset);
}

inline void putBytes(QByteArray& bytes, int offset, const QByteArray& field, int width)
{
    std::memcpy(bytes.data() + offset, field.constData(), size_t(qMin<qsizetype>(field.size(), width)));
}

// The record padded with zero bytes (or cut) to its full size.
inline QByteArray whole(QByteArrayView bytes, int size)
{
    QByteArray padded = bytes.first(qMin<qsizetype>(bytes.size(), size)).toByteArray();
    padded.append(QByteArray(size - padded.size(), '\0'));
    return padded;
}

} // namespace RecordBytes
