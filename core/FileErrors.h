#pragma once

#include <QString>

// The messages that tell the user which file or folder a command could not use.
namespace FileErrors {

QString cannotOpen(const QString& path);
QString cannotRead(const QString& path);
QString cannotWrite(const QString& path);
QString missing(const QString& path);
QString missingFolder(const QString& folder);
QString logFull(qint64 maxRecords);

} // namespace FileErrors
