#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// One refuelling as the fuel log holds it: 82 bytes, little-endian, no padding.
// The two text fields keep their code page 932 bytes, so that a record read and written back
// is unchanged byte for byte.
struct FuelRecord
{
    static constexpr int Size = 82;
    static constexpr int BrandWidth = 12;
    static constexpr int MemoWidth = 40;

    double date = 0; // days since 1899-12-30
    float odometer = 0;
    float tripDistance = 0;
    QByteArray brand = QByteArray(BrandWidth, '\0');
    float fuelAmount = 0;
    float unitPrice = 0;
    float economy = 0;
    qint16 payment = 0;
    QByteArray memo = QByteArray(MemoWidth, '\0');

    QString brandText() const;
    QString memoText() const;
    void setBrandText(const QString& text);
    void setMemoText(const QString& text);

    QByteArray encode() const;
    // Bytes missing at the end read as zero, so a short read gives the all-zero record.
    static FuelRecord decode(QByteArrayView bytes);
};
