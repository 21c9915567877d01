#pragma once

#include <QString>

// The captions of the entry boxes, as the windows' labels show them; messages about a box name
// it by its caption.
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

namespace VehicleBoxCaptions {
inline const QString Name = QStringLiteral("名称");
inline const QString StartDate = QStringLiteral("使用開始年月日");
inline const QString StartOdometer = QStringLiteral("使用開始時メーター距離");
inline const QString PlateNumber = QStringLiteral("標識番号");
inline const QString ChassisNumber = QStringLiteral("車台番号");
inline const QString InsuranceExpiry = QStringLiteral("自賠責保険有効期限");
inline const QString OilRemaining = QStringLiteral("オイルの残り走行可能距離");
} // namespace VehicleBoxCaptions

namespace PrintRangeCaptions {
inline const QString Start = QStringLiteral("開始番号");
inline const QString End = QStringLiteral("終了番号");
} // namespace PrintRangeCaptions

namespace TripCaptions {
inline const QString Distance = QStringLiteral("走る距離");
inline const QString UnitPrice = QStringLiteral("単価");
inline const QString TankSize = QStringLiteral("タンク容量");
} // namespace TripCaptions

// The example texts the entry boxes open with. A brand or memo box still holding its example
// was not filled in, and is written as blank.
namespace BoxExamples {
inline const QString FirstDate = QStringLiteral("2002/5/6(この形式で)");
inline const QString Date = QStringLiteral("2003/5/6(この形式で)");
inline const QString Brand = QStringLiteral("半角12文字、全角6文字以内");
inline const QString Memo = QStringLiteral("半角40文字以内全角20文字以内");

// The text itself, or blank for the example text.
inline QString typed(const QString& text, const QString& example)
{
    return text == example ? QString() : text;
}
} // namespace BoxExamples

// The texts the registration boxes open with. A name, plate or chassis number still holding its
// example was not filled in, and is written as blank.
namespace VehicleBoxExamples {
inline const QString Name = QStringLiteral("CB50S(半角16字全角8字まで)");
inline const QString StartDate = BoxExamples::FirstDate;
inline const QString StartOdometer = QStringLiteral("0");
// A full-width space after the prefecture, a half-width one before the digits.
inline const QString PlateNumber = QStringLiteral("和歌山　あ 1111(半角16字全角8字まで)");
inline const QString ChassisNumber = QStringLiteral("312432ABC(半角20字以内)");
inline const QString InsuranceExpiry = BoxExamples::Date;
inline const QString OilRemaining = QStringLiteral("1000");
} // namespace VehicleBoxExamples
