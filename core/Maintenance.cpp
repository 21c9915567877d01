#include "Maintenance.h"

#include "DataFolder.h"
#include "FileErrors.h"
#include "FuelRecord.h"
#include "RecordFile.h"
#include "SettingsStore.h"
#include "VehicleRecord.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <optional>

namespace {

// The two files that export and import carry, with what it takes to read them as records.
struct DataFile
{
    QString name;
    int recordLength;
    QString kind;
    qint64 maxRecords;
};

QList<DataFile> carriedFiles()
{
    return {{DataFiles::FuelLog, FuelRecord::Size, QStringLiteral("燃費データ"),
             RecordFile::MaxRecords},
            {DataFiles::Vehicle, VehicleRecord::Size, QStringLiteral("車両データ"),
             RecordFile::MaxRecords}};
}

struct Copy
{
    QString from;
    QString to;
};

const QString StagedSuffix = QStringLiteral(".tankr-new");
const QString KeptSuffix = QStringLiteral(".tankr-old");

QString shown(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

Message initialisedMessage()
{
    return Message{QStringLiteral("初期化完了しました。"), QStringLiteral("初期化完了")};
}

QString noFolderTyped()
{
    return QStringLiteral("フォルダ名が入力されていません。");
}

QString notAnAbsolutePath(const QString& typed)
{
    return QStringLiteral("「%1」はフォルダの場所として使えません。「/」から始まるフォルダ名（例: "
                          "/media/usb/backup/）を入力してください。")
        .arg(typed);
}

QString folderNotFound(const QString& folder)
{
    return QStringLiteral("フォルダ「%1」が見つかりません。").arg(shown(folder));
}

QString notWholeRecords(const QString& path, const DataFile& file)
{
    return QStringLiteral("ファイル「%1」は%2のファイルとして読み込めません。大きさが1件の長さ（%"
                          "3バイト）の倍数になっていません。")
        .arg(shown(path), file.kind)
        .arg(file.recordLength);
}

QString tooManyRecords(const QString& path, const DataFile& file)
{
    return QStringLiteral("ファイル「%1」の%2は上限の%3件を超えているため、読み込めません。")
        .arg(shown(path), file.kind)
        .arg(file.maxRecords);
}

// The folder that the typed text names, ending with "/". The text is taken as a folder whether
// or not it ends with a separator; a backslash counts as one, and "~" stands for the home
// folder. A relative path is refused: it would name a folder under whatever directory the
// program happened to start in.
std::optional<QString> typedFolderPath(const QString& typed, QString* error)
{
    QString path = typed.trimmed();
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (path.isEmpty()) {
        *error = noFolderTyped();
        return std::nullopt;
    }
    if (path == QLatin1String("~") || path.startsWith(QLatin1String("~/")))
        path = QDir::homePath() + path.mid(1);
    if (QDir::isRelativePath(path)) {
        *error = notAnAbsolutePath(typed.trimmed());
        return std::nullopt;
    }
    if (!QFileInfo(path).isDir()) {
        *error = folderNotFound(path);
        return std::nullopt;
    }
    path = QDir::cleanPath(path);
    return path.endsWith(QLatin1Char('/')) ? path : path + QLatin1Char('/');
}

bool sameFolder(const QString& a, const QString& b)
{
    const QString canonicalA = QFileInfo(a).canonicalFilePath();
    return !canonicalA.isEmpty() && canonicalA == QFileInfo(b).canonicalFilePath();
}

bool checkReadable(const QString& path, QString* error)
{
    QFile file(path);
    if (!file.exists()) {
        *error = FileErrors::missing(path);
        return false;
    }
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) {
        *error = FileErrors::cannotRead(path);
        return false;
    }
    return true;
}

bool checkWholeRecords(const QString& path, const DataFile& file, QString* error)
{
    const qint64 size = QFileInfo(path).size();
    if (size % file.recordLength != 0) {
        *error = notWholeRecords(path, file);
        return false;
    }
    if (size / file.recordLength > file.maxRecords) {
        *error = tooManyRecords(path, file);
        return false;
    }
    return true;
}

// A file can be emptied when it is a writable file, or missing from a writable folder.
bool canBeEmptied(const QString& path)
{
    const QFileInfo info(path);
    if (info.exists())
        return info.isFile() && info.isWritable();
    return QFileInfo(info.absolutePath()).isWritable();
}

void removeAll(const QStringList& paths)
{
    for (const QString& path : paths) {
        if (!path.isEmpty())
            QFile::remove(path);
    }
}

// Copies every file into a staged name beside its target first, so that a failing copy (a
// full disk, a missing source) leaves every target as it was.
std::optional<QStringList> stage(const QList<Copy>& copies, QString* error)
{
    QStringList staged;
    for (const Copy& copy : copies) {
        const QString path = copy.to + StagedSuffix;
        if (!FileOps::copyReplacing(copy.from, path, error)) {
            // The staged name means nothing to the user; the target does.
            if (QFileInfo(copy.from).isReadable())
                *error = FileErrors::cannotWrite(copy.to);
            removeAll(staged);
            return std::nullopt;
        }
        staged.append(path);
    }
    return staged;
}

// Keeps a copy of every existing target file, so that the targets already replaced can be put
// back when a later one cannot be. Empty text stands for a target that is no file: nothing to
// put back there, as nothing can replace it.
std::optional<QStringList> keep(const QList<Copy>& copies, QString* error)
{
    QStringList kept;
    for (const Copy& copy : copies) {
        if (!QFileInfo(copy.to).isFile()) {
            kept.append(QString());
            continue;
        }
        const QString path = copy.to + KeptSuffix;
        if (!FileOps::copyReplacing(copy.to, path, error)) {
            removeAll(kept);
            return std::nullopt;
        }
        kept.append(path);
    }
    return kept;
}

void putBack(const QList<Copy>& copies, const QStringList& kept, qsizetype replacedCount)
{
    QString ignored;
    for (qsizetype i = 0; i < replacedCount; ++i) {
        if (kept.at(i).isEmpty())
            QFile::remove(copies.at(i).to);
        else
            FileOps::replace(kept.at(i), copies.at(i).to, &ignored);
    }
}

// Puts every copy in place, or none: the files of the pair belong together, and a vehicle file
// next to the fuel log of another vehicle would be worse than either old pair.
bool copyAllOrNothing(const QList<Copy>& copies, QString* error)
{
    const std::optional<QStringList> staged = stage(copies, error);
    if (!staged)
        return false;
    const std::optional<QStringList> kept = keep(copies, error);
    if (!kept) {
        removeAll(*staged);
        return false;
    }
    for (qsizetype i = 0; i < copies.size(); ++i) {
        if (!FileOps::replace(staged->at(i), copies.at(i).to, error)) {
            putBack(copies, *kept, i);
            removeAll(*staged);
            removeAll(*kept);
            return false;
        }
    }
    removeAll(*kept);
    return true;
}

Outcome initialise(SettingsStore& settings, const QStringList& fileNames)
{
    const DataFolder folder(settings);
    QString error;
    if (!folder.ensureExists(&error))
        return Outcome::failure(error);
    // Checked first, so that a file that cannot be emptied stops the command before any is.
    for (const QString& name : fileNames) {
        if (!canBeEmptied(folder.filePath(name)))
            return Outcome::failure(FileErrors::cannotWrite(folder.filePath(name)));
    }
    for (const QString& name : fileNames) {
        if (!FileOps::truncate(folder.filePath(name), &error))
            return Outcome::failure(error);
    }
    settings.setValue(Settings::Hyouji, Settings::Hyouji, Settings::NotStarted);
    return Outcome::success(initialisedMessage());
}

// The data folder and the other folder for export and import, or the message why not.
struct Folders
{
    QString data;
    QString other;
};

std::optional<Folders> resolveFolders(const SettingsStore& settings, const QString& typed,
                                      const QString& sameFolderMessage, QString* error)
{
    const std::optional<QString> other = typedFolderPath(typed, error);
    if (!other)
        return std::nullopt;
    const DataFolder data(settings);
    if (!data.ensureExists(error))
        return std::nullopt;
    if (sameFolder(data.path(), *other)) {
        *error = sameFolderMessage;
        return std::nullopt;
    }
    return Folders{data.path(), *other};
}

QList<Copy> copiesBetween(const QString& fromFolder, const QString& toFolder)
{
    QList<Copy> copies;
    for (const DataFile& file : carriedFiles())
        copies.append({fromFolder + file.name, toFolder + file.name});
    return copies;
}

// The folders of an import once the source folder holds two files that read as whole records.
std::optional<Folders> importFolders(const SettingsStore& settings, const QString& typed,
                                     QString* error)
{
    const std::optional<Folders> folders = resolveFolders(
        settings, typed,
        QStringLiteral(
            "読み込む先がデータの保管場所と同じフォルダです。別のフォルダを指定してください。"),
        error);
    if (!folders)
        return std::nullopt;
    for (const DataFile& file : carriedFiles()) {
        const QString path = folders->other + file.name;
        if (!checkReadable(path, error) || !checkWholeRecords(path, file, error))
            return std::nullopt;
    }
    return folders;
}

} // namespace

namespace Maintenance {

Message initialiseAllQuestion()
{
    return Message{QStringLiteral("燃費情報の初期化を行います。この操作をするとすべての燃費・車種等"
                                  "のデータがなくなります。よろしいですか？"),
                   QStringLiteral("警告")};
}

Outcome initialiseAll(SettingsStore& settings)
{
    return initialise(settings,
                      {DataFiles::FuelLog, DataFiles::Temp1, DataFiles::Temp2, DataFiles::Vehicle});
}

Message initialiseFuelQuestion()
{
    return Message{QStringLiteral("燃費情報の初期化を行います。この操作をするとすべての燃費のデータ"
                                  "がなくなり、車両情報は残ります。よろしいですか？"),
                   QStringLiteral("警告")};
}

Outcome initialiseFuel(SettingsStore& settings)
{
    return initialise(settings, {DataFiles::FuelLog, DataFiles::Temp1, DataFiles::Temp2});
}

Message exportPrompt()
{
    return Message{
        QStringLiteral("データファイルを書き出す先のパス名を、末尾の「\\」まで含めて記入してくださ"
                       "い。なお、車両情報および燃費情報に関するウインドウはすべて閉じてください。"
                       "また、書き出し先に以前書き出したファイルがないようにしてください。"),
        QStringLiteral("書き出し先指定")};
}

Outcome exportTo(const SettingsStore& settings, const QString& typedFolder)
{
    QString error;
    const std::optional<Folders> folders = resolveFolders(
        settings, typedFolder,
        QStringLiteral(
            "書き出し先がデータの保管場所と同じフォルダです。別のフォルダを指定してください。"),
        &error);
    if (!folders)
        return Outcome::failure(error);
    const QList<Copy> copies = copiesBetween(folders->data, folders->other);
    for (const Copy& copy : copies) {
        if (!checkReadable(copy.from, &error))
            return Outcome::failure(error);
    }
    if (!copyAllOrNothing(copies, &error))
        return Outcome::failure(error);
    return Outcome::success(
        Message{QStringLiteral("書き出し完了"), QStringLiteral("書き出し完了")});
}

Message importPrompt()
{
    return Message{
        QStringLiteral(
            "読み込む先のフォルダ名を末尾の「\\」も含めて記入してください。なお、現在登録されている"
            "フォルダ内にある車種情報および燃費情報はすべてこれから読み込むファイルによって置き換え"
            "られます。また、燃費・車種に関するウィンドウはすべて閉じてください。"),
        QStringLiteral("読み込み")};
}

Outcome checkImportSource(const SettingsStore& settings, const QString& typedFolder)
{
    QString error;
    if (!importFolders(settings, typedFolder, &error))
        return Outcome::failure(error);
    return Outcome{true, std::nullopt, {}};
}

Message importQuestion()
{
    return Message{QStringLiteral("よろしいですか。現在登録されているデータは置き換えられます。"),
                   QStringLiteral("確認")};
}

Outcome importFrom(const SettingsStore& settings, const QString& typedFolder)
{
    QString error;
    const std::optional<Folders> folders = importFolders(settings, typedFolder, &error);
    if (!folders)
        return Outcome::failure(error);
    if (!copyAllOrNothing(copiesBetween(folders->other, folders->data), &error))
        return Outcome::failure(error);
    return Outcome::success(Message{QStringLiteral("読み込み完了"), QString()});
}

} // namespace Maintenance
