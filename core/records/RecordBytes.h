#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QtEndian>

#include <array>
#include <cstring>

// Little-endian field access for the record encoders and decoders.
namespace RecordBytes {

template <typename T> void put(QByteArray& bytes, int offset, T value)
{
    qToLittleEndian(value, bytes.data() + offset);
}

inline void putBytes(QByteArray& bytes, int offset, const QByteArray& field, int width)
{
    std::memcpy(bytes.data() + offset, field.constData(),
                size_t(qMin<qsizetype>(field.size(), width)));
}

// A record's bytes padded with zero bytes (or cut) to the record's full size. They are held
// in place rather than copied to the heap, since a long log decodes tens of thousands of them.
template <int Size> class Whole
{
public:
    explicit Whole(QByteArrayView bytes)
    {
        if (!bytes.isEmpty())
            std::memcpy(m_bytes.data(), bytes.data(), size_t(qMin<qsizetype>(bytes.size(), Size)));
    }

    template <typename T> T get(int offset) const
    {
        return qFromLittleEndian<T>(m_bytes.data() + offset);
    }

    // A text field, copied into `field`; a field already of its width keeps its storage.
    void getBytes(QByteArray& field, int offset, int width) const
    {
        field.resize(width);
        std::memcpy(field.data(), m_bytes.data() + offset, size_t(width));
    }

private:
    std::array<char, Size> m_bytes{};
};

} // namespace RecordBytes
