#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>
#include <utility>

// A change to several places of the data files made all-or-nothing, without rewriting whole
// files: the change is written in full to a journal beside them and synced before any data file
// is touched; each file is then changed in place and synced, and the journal goes. A journal
// found when the data folder is next used (a crash stopped the change half way) is carried out
// again from the start: it puts bytes at offsets and sets lengths, which gives the same files
// however often it runs. So the files hold all of the change or, when the crash came before the
// journal was whole, none of it.
namespace Journal {

// In the data folder, beside the data files.
inline const QString FileName = QStringLiteral("tankr-journal");

// What the change does to one of the data files.
struct FileChange
{
    QString fileName;                            // one of the data files, by its name alone
    QList<std::pair<qint64, QByteArray>> writes; // bytes put at byte offsets
    std::optional<qint64> length;                // the file's length afterwards, when it changes
    bool remove = false;                         // the file goes
};

// Makes every change or none. The caller holds the fuel log's lock (has its RecordWriter open),
// so that no other Tankr changes the files meanwhile. A change that the disk refuses half way
// (a full disk) is undone before this returns.
bool commit(const QString& folder, const QList<FileChange>& changes, QString* error);

// Carries out a journal that a crash left in the folder, under the fuel log's lock. True when
// there was none, or it was carried out; a journal this program did not write (it does not
// read as one) is left alone.
bool finishInterrupted(const QString& folder, QString* error);

} // namespace Journal
