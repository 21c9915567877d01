#include "records/VehicleRecord.h"

#include "records/Cp932.h"
#include "records/RecordBytes.h"

using namespace RecordBytes;

QString VehicleRecord::nameText() const
{
    return Cp932::decodeField(name);
}
QString VehicleRecord::plateNumberText() const
{
    return Cp932::decodeField(plateNumber);
}
QString VehicleRecord::chassisNumberText() const
{
    return Cp932::decodeField(chassisNumber);
}
void VehicleRecord::setNameText(const QString& text)
{
    name = Cp932::encodeField(text, NameWidth);
}
void VehicleRecord::setPlateNumberText(const QString& text)
{
    plateNumber = Cp932::encodeField(text, PlateWidth);
}
void VehicleRecord::setChassisNumberText(const QString& text)
{
    chassisNumber = Cp932::encodeField(text, ChassisWidth);
}

QByteArray VehicleRecord::encode() const
{
    QByteArray bytes(Size, '\0');
    putBytes(bytes, 0, name, NameWidth);
    put(bytes, 16, startDate);
    put(bytes, 24, startOdometer);
    putBytes(bytes, 28, plateNumber, PlateWidth);
    putBytes(bytes, 44, chassisNumber, ChassisWidth);
    put(bytes, 64, insuranceExpiry);
    put(bytes, 72, oilRemaining);
    return bytes;
}

VehicleRecord VehicleRecord::decode(QByteArrayView bytes)
{
    const Whole<Size> b(bytes);
    VehicleRecord r;
    b.getBytes(r.name, 0, NameWidth);
    r.startDate = b.get<double>(16);
    r.startOdometer = b.get<float>(24);
    b.getBytes(r.plateNumber, 28, PlateWidth);
    b.getBytes(r.chassisNumber, 44, ChassisWidth);
    r.insuranceExpiry = b.get<double>(64);
    r.oilRemaining = b.get<qint16>(72);
    return r;
}
