#include "FileErrors.h"

#include <QDir>

namespace {
QString shown(const QString& path)
{
    return QDir::toNativeSeparators(path);
}
} // namespace

namespace FileErrors {

QString cannotOpen(const QString& path)
{
    return QStringLiteral("ファイル「%"
                          "1」を開けません。データの保管場所と、そのフォルダに書き込めるかを確認し"
                          "てください。")
        .arg(shown(path));
}

QString cannotRead(const QString& path)
{
    return QStringLiteral("ファイル「%1」を読み込めません。").arg(shown(path));
}

QString cannotWrite(const QString& path)
{
    return QStringLiteral(
               "ファイル「%"
               "1」に書き込めません。ディスクの空き容量と書き込みの権限を確認してください。")
        .arg(shown(path));
}

QString missing(const QString& path)
{
    return QStringLiteral("ファイル「%1」が見つかりません。").arg(shown(path));
}

QString missingFolder(const QString& folder)
{
    return QStringLiteral("データの保管場所「%1」が見つかりません。「ファイル」-"
                          "「データの保管場所指定」で保管場所を指定し直してください。")
        .arg(shown(folder));
}

QString logFull(qint64 maxRecords)
{
    return QStringLiteral("燃費データが上限の%1件に達しているため、これ以上記録できません。")
        .arg(maxRecords);
}

} // namespace FileErrors
