#include "files/StagedFile.h"

#include "files/DataFolder.h"
#include "files/FileErrors.h"
#include "files/RegularFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Marks the names of staged files; six letters or digits follow it.
const QString StagedMark = QStringLiteral(".tankr-staged-");

QString randomSuffix()
{
    static const char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    QString suffix;
    for (int i = 0; i < 6; ++i)
        suffix += QLatin1Char(letters[QRandomGenerator::global()->bounded(62)]);
    return suffix;
}

QByteArray encoded(const QString& path)
{
    return QFile::encodeName(path);
}

} // namespace

StagedFile::StagedFile(const QString& target, Target kind) : m_target(target), m_kind(kind) {}

StagedFile::~StagedFile()
{
    if (m_descriptor >= 0)
        ::close(m_descriptor);
    if (!m_path.isEmpty() && !m_placed)
        ::unlink(encoded(m_path).constData());
}

// A file the user chose is never one of the data files, and what stands in its place must be a
// file that the new one may replace: a link's target or a folder is no file of theirs to lose.
bool StagedFile::refused(QString* error) const
{
    if (m_kind != Target::UserFile)
        return false;
    if (DataFiles::isDataFileName(QFileInfo(m_target).fileName())) {
        *error = FileErrors::notOwnFile(m_target);
        return true;
    }
    struct stat status;
    if (::lstat(encoded(m_target).constData(), &status) != 0)
        return false;
    if (S_ISLNK(status.st_mode))
        *error = FileErrors::isLink(m_target);
    else if (!S_ISREG(status.st_mode))
        *error = FileErrors::notRegular(m_target);
    return !S_ISREG(status.st_mode);
}

// A file the user chose has no lock to stage under; the single Tankr that runs clears what a
// killed one left beside it.
bool StagedFile::create(QString* error)
{
    if (refused(error))
        return false;
    if (m_kind == Target::UserFile)
        removeLeftovers(m_target);
    struct stat target;
    const bool replacesFile =
        ::lstat(encoded(m_target).constData(), &target) == 0 && S_ISREG(target.st_mode);
    for (int attempt = 0; attempt < 100 && m_descriptor < 0; ++attempt) {
        const QString path = m_target + StagedMark + randomSuffix();
        m_descriptor = ::open(encoded(path).constData(),
                              O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (m_descriptor >= 0)
            m_path = path;
        else if (errno != EEXIST)
            break;
    }
    if (m_descriptor < 0 || (replacesFile && ::fchmod(m_descriptor, target.st_mode & 07777) != 0)) {
        *error = FileErrors::cannotWrite(m_target);
        return false;
    }
    return QIODevice::open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

qint64 StagedFile::writeData(const char* data, qint64 length)
{
    qint64 done = 0;
    while (!m_failed && done < length) {
        const ssize_t written = ::write(m_descriptor, data + done, size_t(length - done));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            m_failed = true;
        else
            done += written;
    }
    m_written += done;
    return m_failed ? -1 : done;
}

bool StagedFile::finish(QString* error, const QByteArray* expected)
{
    struct stat status;
    bool whole = !m_failed && m_descriptor >= 0 && ::fdatasync(m_descriptor) == 0 &&
                 ::fstat(m_descriptor, &status) == 0 && status.st_size == m_written;
    if (whole && expected) {
        QByteArray back(expected->size(), Qt::Uninitialized);
        whole = expected->size() == m_written &&
                ::pread(m_descriptor, back.data(), size_t(back.size()), 0) == back.size() &&
                back == *expected;
    }
    if (!whole)
        *error = FileErrors::cannotWrite(m_target);
    return whole;
}

bool StagedFile::replaceTarget(QString* error)
{
    if (m_path.isEmpty() ||
        std::rename(encoded(m_path).constData(), encoded(m_target).constData()) != 0) {
        *error = FileErrors::cannotWrite(m_target);
        return false;
    }
    m_placed = true;
    // The new name survives a power cut only once the folder is on the disk too.
    if (!RegularFile::syncFolder(QFileInfo(m_target).path())) {
        *error = FileErrors::cannotWrite(m_target);
        return false;
    }
    return true;
}

// Only files of the staged files' names; a folder of such a name is left alone.
void StagedFile::removeLeftovers(const QString& target)
{
    const QFileInfo info(target);
    const QDir folder = info.dir();
    for (const QString& name :
         folder.entryList({info.fileName() + StagedMark + QStringLiteral("??????")},
                          QDir::Files | QDir::Hidden | QDir::System))
        ::unlink(encoded(folder.filePath(name)).constData());
}
