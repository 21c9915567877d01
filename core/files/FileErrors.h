#pragma once

#include <QString>

// The messages that tell the user which file or folder a command could not use.
namespace FileErrors {

QString cannotOpen(const QString& path);
QString cannotRead(const QString& path);
QString cannotWrite(const QString& path);
QString missing(const QString& path);
QString missingFolder(const QString& folder);
QString relativeFolder(const QString& folder);
QString logFull(qint64 maxRecords);
QString isLink(const QString& path);
QString notRegular(const QString& path);
QString tooLong(const QString& path, qint64 maxRecords);
QString busy(const QString& path);
QString folderNameTooLong(qsizetype length);
QString systemFolder(const QString& folder, const QString& systemTop);
QString notOwnFile(const QString& path);
// Something that is not Tankr's stands at the name of a file Tankr makes for itself.
QString inTheWay(const QString& path);

} // namespace FileErrors
