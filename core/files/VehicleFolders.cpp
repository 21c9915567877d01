#include "files/VehicleFolders.h"
#include "files/RegularFile.h"

#include "files/DataFolder.h"
#include "files/RecordReader.h"
#include "records/VehicleRecord.h"
#include "settings/SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace VehicleFolders {

namespace {

// Far more vehicles than anyone keeps; the numbers tried before giving up.
constexpr int LastNumber = 100'000;

QString withSeparator(const QString& folder)
{
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

// A folder a data folder can be: an absolute path the system takes, outside its own folders,
// naming a folder that is there.
bool usable(const QString& folder)
{
    return !QDir::isRelativePath(folder) && QFile::encodeName(folder).size() < PATH_MAX &&
           !DataFolder::systemFolderProblem(folder) && QFileInfo(folder).isDir();
}

// Why nothing could be made in the folder, in the user's terms.
QString why(int error)
{
    switch (error) {
    case ENOSPC:
    case EDQUOT:
        return QStringLiteral("ディスクに空きがありません");
    case EROFS:
    case EACCES:
    case EPERM:
        return QStringLiteral("書き込みが許可されていません");
    case ENOTDIR:
    case ELOOP:
        return QStringLiteral("フォルダではありません");
    default:
        return QString::fromLocal8Bit(::strerror(error));
    }
}

QString cannotMake(const QString& folder, int error)
{
    return QStringLiteral("フォルダ「%1」の中に新しい車両のフォルダを作れないため、車両を追加でき"
                          "ませんでした（%2）。データの保管場所も設定も変えていません。")
        .arg(QDir::toNativeSeparators(folder), why(error));
}

// A descriptor, closed when it goes.
struct Descriptor
{
    int value;
    ~Descriptor()
    {
        if (value >= 0)
            ::close(value);
    }
};

} // namespace

bool same(const QString& a, const QString& b)
{
    if (withSeparator(a) == withSeparator(b))
        return true;
    const QString canonical = QFileInfo(a).canonicalFilePath();
    return !canonical.isEmpty() && canonical == QFileInfo(b).canonicalFilePath();
}

QStringList joined(QStringList folders, const QString& folder)
{
    for (const QString& listed : std::as_const(folders)) {
        if (same(listed, folder))
            return folders;
    }
    folders.append(withSeparator(folder));
    return folders;
}

QStringList without(QStringList folders, const QString& folder)
{
    folders.removeIf([&folder](const QString& listed) { return same(listed, folder); });
    return folders;
}

// A stored folder the system cannot take is no folder of the list; a stored data folder of
// that kind is named by every command, and is left out here.
QStringList known(const SettingsStore& settings)
{
    QStringList folders;
    for (const QString& folder : settings.vehicleFolders())
        folders = joined(folders, folder);
    const DataFolder inForce(settings);
    return inForce.storedProblem() ? folders : joined(folders, inForce.path());
}

QString Vehicle::caption() const
{
    return name.isEmpty() ? QStringLiteral("(未登録) %1").arg(QDir(folder).dirName()) : name;
}

QList<Vehicle> listed(const SettingsStore& settings)
{
    const QString inForce = DataFolder(settings).path();
    QList<Vehicle> vehicles;
    for (const QString& folder : known(settings)) {
        const bool current = same(folder, inForce);
        if (current || usable(folder))
            vehicles.append({folder, nameIn(folder), current});
    }
    return vehicles;
}

QString nameIn(const QString& folder)
{
    RecordReader file(withSeparator(folder) + DataFiles::Vehicle, VehicleRecord::Size, 1);
    QString ignored;
    if (!file.open(&ignored) || file.count() == 0)
        return QString();
    return VehicleRecord::decode(file.record(1)).nameText().trimmed();
}

QString root()
{
    return DataFolder::defaultPath() + QStringLiteral("vehicles/");
}

// The vehicles folder may be a link the user made to keep them on another disk, as the backups
// folder may; inside it, each number is made with mkdir, which fails on anything that stands
// there, a link included, and follows nothing.
std::optional<QString> makeNew(QString* error)
{
    if (!DataFolder::ensureDefaultExists(error))
        return std::nullopt;
    const QByteArray folder = QFile::encodeName(root());
    const bool made = ::mkdir(folder.constData(), 0777) == 0;
    if ((!made && errno != EEXIST) ||
        (made && !RegularFile::syncFolder(DataFolder::defaultPath()))) {
        *error = cannotMake(DataFolder::defaultPath(), errno);
        return std::nullopt;
    }
    const Descriptor vehicles{
        ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_NONBLOCK | O_CLOEXEC)};
    if (vehicles.value < 0) {
        *error = cannotMake(root(), errno);
        return std::nullopt;
    }
    for (int number = 2; number <= LastNumber; ++number) {
        if (::mkdirat(vehicles.value, QByteArray::number(number).constData(), 0777) == 0) {
            if (::fsync(vehicles.value) != 0) {
                *error = cannotMake(root(), errno);
                return std::nullopt;
            }
            return QFileInfo(root()).canonicalFilePath() + QStringLiteral("/%1/").arg(number);
        }
        if (errno != EEXIST) {
            *error = cannotMake(root(), errno);
            return std::nullopt;
        }
    }
    *error = cannotMake(root(), EEXIST);
    return std::nullopt;
}

void unmake(const QString& folder)
{
    ::rmdir(QFile::encodeName(folder).constData());
}

} // namespace VehicleFolders
