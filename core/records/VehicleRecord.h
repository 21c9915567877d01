#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// The registered vehicle as the vehicle file holds it: 74 bytes, little-endian, no padding.
struct VehicleRecord
{
    static constexpr int Size = 74;
    static constexpr int NameWidth = 16;
    static constexpr int PlateWidth = 16;
    static constexpr int ChassisWidth = 20;

    QByteArray name = QByteArray(NameWidth, '\0');
    double startDate = 0; // days since 1899-12-30
    float startOdometer = 0;
    QByteArray plateNumber = QByteArray(PlateWidth, '\0');
    QByteArray chassisNumber = QByteArray(ChassisWidth, '\0');
    double insuranceExpiry = 0;
    qint16 oilRemaining = 0;

    QString nameText() const;
    QString plateNumberText() const;
    QString chassisNumberText() const;
    void setNameText(const QString& text);
    void setPlateNumberText(const QString& text);
    void setChassisNumberText(const QString& text);

    QByteArray encode() const;
    static VehicleRecord decode(QByteArrayView bytes);
};
