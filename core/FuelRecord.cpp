#include "FuelRecord.h"

#include "Cp932.h"
#include "RecordBytes.h"

using namespace RecordBytes;

QString FuelRecord::brandText() const { return Cp932::decodeField(brand); }
QString FuelRecord::memoText() const { return Cp932::decodeField(memo); }
void FuelRecord::setBrandText(const QString& text) { brand = Cp932::encodeField(text, BrandWidth); }
void FuelRecord::setMemoText(const QString& text) { memo = Cp932::encodeField(text, MemoWidth); }

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
    const QByteArray b = whole(bytes, Size);
    FuelRecord r;
    r.date = get<double>(b, 0);
    r.odometer = get<float>(b, 8);
    r.tripDistance = get<float>(b, 12);
    r.brand = b.mid(16, BrandWidth);
    r.fuelAmount = get<float>(b, 28);
    r.unitPrice = get<float>(b, 32);
    r.economy = get<float>(b, 36);
    r.payment = get<qint16>(b, 40);
    r.memo = b.mid(42, MemoWidth);
    return r;
}
