#include "records/FuelRecord.h"

#include "records/Cp932.h"
#include "records/RecordBytes.h"

using namespace RecordBytes;

QString FuelRecord::brandText() const
{
    return Cp932::decodeField(brand);
}
QString FuelRecord::memoText() const
{
    return Cp932::decodeField(memo);
}
void FuelRecord::setBrandText(const QString& text)
{
    brand = Cp932::encodeField(text, BrandWidth);
}
void FuelRecord::setMemoText(const QString& text)
{
    memo = Cp932::encodeField(text, MemoWidth);
}

QByteArray FuelRecord::encode() const
{
    QByteArray bytes(Size, '\0');
    put(bytes, 0, date);
    put(bytes, 8, odometer);
    put(bytes, 12, tripDistance);
    putBytes(bytes, 16, brand, BrandWidth);
    put(bytes, 28, fuelAmount);
    put(bytes, 32, unitPrice);
    put(bytes, 36, economy);
    put(bytes, 40, payment);
    putBytes(bytes, 42, memo, MemoWidth);
    return bytes;
}

FuelRecord FuelRecord::decode(QByteArrayView bytes)
{
    const Whole<Size> b(bytes);
    FuelRecord r;
    r.date = b.get<double>(0);
    r.odometer = b.get<float>(8);
    r.tripDistance = b.get<float>(12);
    b.getBytes(r.brand, 16, BrandWidth);
    r.fuelAmount = b.get<float>(28);
    r.unitPrice = b.get<float>(32);
    r.economy = b.get<float>(36);
    r.payment = b.get<qint16>(40);
    b.getBytes(r.memo, 42, MemoWidth);
    return r;
}
