#include "imports/KnownFormats.h"

namespace KnownFormats {

Units Units::of(bool miles, bool usGallons)
{
    Units units;
    if (miles) {
        units.kmPer = KmPerMile;
        units.distance = QStringLiteral("マイル");
    }
    if (usGallons) {
        units.litresPer = LitresPerUsGallon;
        units.volume = QStringLiteral("米ガロン");
    }
    return units;
}

QString Units::text() const
{
    const QString km = QStringLiteral("km");
    const QString litres = QStringLiteral("リットル");
    return QStringLiteral("距離：%1、給油量：%2")
        .arg(distance == km ? km : distance + u'→' + km,
             volume == litres ? litres : volume + u'→' + litres);
}

QString noRowsMessage()
{
    return QStringLiteral("見出しの行しかありません。取り込む記録がありません。");
}

} // namespace KnownFormats
