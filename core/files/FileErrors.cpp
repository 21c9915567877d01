#include "files/FileErrors.h"

#include <QDir>
#include <QLocale>

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

QString relativeFolder(const QString& folder)
{
    return QStringLiteral(
               "データの保管場所「%1」は「/」から始まるフォルダ名ではないため使えません。「ファ"
               "イル」-「データの保管場所指定」で保管場所を指定し直してください。")
        .arg(shown(folder));
}

QString logFull(qint64 maxRecords)
{
    return QStringLiteral("燃費データが上限の%1件に達しているため、これ以上記録できません。")
        .arg(maxRecords);
}

QString isLink(const QString& path)
{
    return QStringLiteral(
               "「%1」はリンク(シンボリックリンク)のため使えません。通常のファイルにしてく"
               "ださい。")
        .arg(shown(path));
}

QString notRegular(const QString& path)
{
    return QStringLiteral("「%1」は通常のファイルではないため使えません。").arg(shown(path));
}

QString tooLong(const QString& path, qint64 maxRecords)
{
    return QStringLiteral("%1 は Tankr が扱える件数(%2件)を超えています。")
        .arg(shown(path), QLocale(QLocale::English).toString(maxRecords));
}

QString busy(const QString& path)
{
    return QStringLiteral("ファイル「%1」は、ほかの Tankr が書き込み中です。しばらくしてからもう一"
                          "度実行してください。")
        .arg(shown(path));
}

QString folderNameTooLong(qsizetype length)
{
    return QStringLiteral(
               "データの保管場所として記録されているフォルダ名は%1文字あり、長すぎるため使"
               "えません。「ファイル」-「データの保管場所指定」で保管場所を指定し直してく"
               "ださい。")
        .arg(length);
}

QString systemFolder(const QString& folder, const QString& systemTop)
{
    return QStringLiteral(
               "「%1」はシステムが使う「%2」の中のフォルダのため、データの保管や書き出し"
               "には使えません。ホームフォルダの中など、別のフォルダを指定してください。")
        .arg(shown(folder), systemTop);
}

QString notOwnFile(const QString& path)
{
    return QStringLiteral(
               "「%1」はTankrのデータファイルの名前です。データファイルを書き換えないよう"
               "、別の名前を指定してください。")
        .arg(shown(path));
}

QString inTheWay(const QString& path)
{
    return QStringLiteral(
               "「%1」にTankrが作ったのではないものがあるため、書き込めません。移動してか"
               "ら、もう一度実行してください。")
        .arg(shown(path));
}

} // namespace FileErrors
