#pragma once

#include <QString>

// The captions of the fuel entry boxes, as the windows' labels show them; messages about a box
// name it by its caption.
namespace FuelBoxCaptions {
inline const QString Date = QStringLiteral("年月日");
inline const QString Odometer = QStringLiteral("総走行距離計指示距離");
inline const QString TripDistance = QStringLiteral("今回走行距離");
inline const QString Brand = QStringLiteral("銘柄");
inline const QString FuelAmount = QStringLiteral("給油量");
inline const QString UnitPrice = QStringLiteral("単価");
inline const QString Economy = QStringLiteral("燃費");
inline const QString Payment = QStringLiteral("支払額");
inline const QString Memo = QStringLiteral("備考");
} // namespace FuelBoxCaptions
