#include "actions/Actions.h"
#include "files/Backups.h"
#include "files/FileErrors.h"
#include "files/RecordReader.h"
#include "files/RecordWriter.h"
#include "settings/SettingsStore.h"
#include "settings/UnsavedSettings.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

#include <optional>

// The commands that work on the data files as a whole: emptying them, and copying the fuel log,
// its flags and the vehicle file out to another folder and back.

namespace {

QString shown(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

QString notAnAbsolutePath(const QString& typed)
{
    return QStringLiteral("「%1」はフォルダの場所として使えません。「/」から始まるフォルダ名（例: "
                          "/media/usb/backup/）を入力してください。")
        .arg(typed);
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
        *error = QStringLiteral("フォルダ名が入力されていません。");
        return std::nullopt;
    }
    if (path == QLatin1String("~") || path.startsWith(QLatin1String("~/")))
        path = QDir::homePath() + path.mid(1);
    if (QDir::isRelativePath(path)) {
        *error = notAnAbsolutePath(typed.trimmed());
        return std::nullopt;
    }
    if (!QFileInfo(path).isDir()) {
        *error = QStringLiteral("フォルダ「%1」が見つかりません。").arg(shown(path));
        return std::nullopt;
    }
    if (const std::optional<QString> problem = DataFolder::systemFolderProblem(path)) {
        *error = *problem;
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

// What an earlier export left in the folder, as the restore list describes a backup.
std::optional<Message> exportQuestion(const QString& folder)
{
    if (!DataFiles::anyIn(folder))
        return std::nullopt;
    const Backups::Entry there = Backups::entryAt(folder);
    const QString what =
        there.usable
            ? QStringLiteral("燃費データ%1件、車両「%2」").arg(there.records).arg(there.vehicleName)
            : QStringLiteral("読み取れないデータファイル");
    return Message{QStringLiteral("書き出し先「%1」には、すでにデータファイルがあります（%2）。"
                                  "書き出すと、このデータは置き換えられます。よろしいですか。")
                       .arg(QDir::toNativeSeparators(folder), what),
                   QStringLiteral("確認"), true};
}

// What a copy of a data file puts at `to`: its records; a flags file that holds none goes
// instead, as it exists only while some refuelling was not a plain full fill, and what stood
// there belongs to the data being replaced.
RecordWriter::Replacement carriedTo(const DataFiles::Carried& file,
                                    const RecordReader::Whole& whole, const QString& to)
{
    if (file.optional && whole.records.isEmpty())
        return RecordWriter::removal(to);
    return {whole.records, to};
}

// The log is emptied, so its flags go too, all in one set: a folder or a FIFO at the flags
// file's name stops the command before any file is emptied.
Result<> initialise(SettingsStore& settings, const QStringList& fileNames)
{
    const DataFolder folder(settings);
    QString error;
    if (!folder.ensureReady(&error))
        return Result<>::failure(error);
    // Checked first, so that a file that cannot be emptied stops the command before any is.
    for (const QString& name : fileNames) {
        if (!RecordWriter::canEmpty(folder.filePath(name)))
            return Result<>::failure(FileErrors::cannotWrite(folder.filePath(name)));
    }
    if (!settings.canSave())
        return Result<>::failure(UnsavedSettings::refusal(
            settings, {UnsavedSettings::logEmptied(), UnsavedSettings::oilUndoCleared()}));
    std::optional<Backups::Taken> backup =
        Backups::take(folder, settings, QStringLiteral("初期化"), &error);
    if (!backup)
        return Result<>::failure(error);
    QList<RecordWriter::Replacement> emptied{
        RecordWriter::removal(folder.filePath(DataFiles::Fills))};
    for (const QString& name : fileNames)
        emptied.append({QByteArray(), folder.filePath(name)});
    if (!RecordWriter::replaceSet(folder, emptied, &error))
        return Result<>::failure(error);
    backup->keep();
    QList<UnsavedSettings::Setting> notSaved;
    if (!settings.setLogStarted(false))
        notSaved.append(UnsavedSettings::logEmptied());
    if (!settings.clearOilUndo())
        notSaved.append(UnsavedSettings::oilUndoCleared());
    return Result<>::done(UnsavedSettings::afterWriting(
        {QStringLiteral("初期化完了しました。"), QStringLiteral("初期化完了")}, settings,
        notSaved));
}

// A replaced log no longer holds the refuelling whose oil change a delete would take back.
Result<> doneReplacing(SettingsStore& settings, const Message& done)
{
    QList<UnsavedSettings::Setting> notSaved;
    if (!settings.clearOilUndo())
        notSaved.append(UnsavedSettings::oilUndoCleared());
    return Result<>::done(UnsavedSettings::afterWriting(done, settings, notSaved));
}

// Only an oil change on record to take back needs the settings file when the data is replaced;
// without one, nothing is saved and a settings file that cannot be written stops nothing.
bool oilUndoStuck(const SettingsStore& settings)
{
    return settings.oilUndo() && !settings.canSave();
}

QString oilUndoRefusal(const SettingsStore& settings)
{
    return UnsavedSettings::refusal(settings, {UnsavedSettings::oilUndoCleared()});
}

Message initialiseQuestion(const QString& whatGoes)
{
    return {QStringLiteral("燃費情報の初期化を行います。この操作をすると") + whatGoes +
                QStringLiteral("よろしいですか？"),
            QStringLiteral("警告"), true};
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
    if (!data.ensureReady(error))
        return std::nullopt;
    if (sameFolder(data.path(), *other)) {
        *error = sameFolderMessage;
        return std::nullopt;
    }
    return Folders{data.path(), *other};
}

// What an import takes of the source folder: the whole records of each file. A partial record
// at the end of a file is left out, as every reader leaves it out.
struct ImportSource
{
    Folders folders;
    QList<RecordWriter::Replacement> replacements;
    QStringList partialTails; // the files whose partial last record is left out
    qint64 fuelRecords = 0;
};

std::optional<ImportSource> importSource(const SettingsStore& settings, const QString& typed,
                                         QString* error)
{
    const std::optional<Folders> folders = resolveFolders(
        settings, typed,
        QStringLiteral(
            "読み込む先がデータの保管場所と同じフォルダです。別のフォルダを指定してください。"),
        error);
    if (!folders)
        return std::nullopt;
    ImportSource source{*folders, {}, {}, 0};
    for (const DataFiles::Carried& file : DataFiles::carried()) {
        const QString path = folders->other + file.name;
        const std::optional<RecordReader::Whole> whole =
            RecordReader::readWhole(path, file.recordLength, file.maxRecords, error);
        if (!whole)
            return std::nullopt;
        if (!whole->exists && !file.optional) {
            *error = FileErrors::missing(path);
            return std::nullopt;
        }
        if (whole->partialTail)
            source.partialTails.append(file.kind);
        if (file.name == DataFiles::FuelLog)
            source.fuelRecords = whole->records.size() / file.recordLength;
        source.replacements.append(carriedTo(file, *whole, folders->data + file.name));
    }
    return source;
}

Message imported(const ImportSource& source)
{
    QString text = QStringLiteral("読み込み完了");
    if (!source.partialTails.isEmpty())
        text += QStringLiteral("\n燃費データを%1件読み込みました。%2の最後にあった不完全な記録は"
                               "読み込みませんでした。")
                    .arg(source.fuelRecords)
                    .arg(source.partialTails.join(QStringLiteral("と")));
    return {text, QString()};
}

} // namespace

namespace Actions {

Result<> initialiseAll(SettingsStore& settings, Confirmed confirmed)
{
    if (confirmed == Confirmed::No)
        return Result<>::asking(
            initialiseQuestion(QStringLiteral("すべての燃費・車種等のデータがなくなります。")));
    return initialise(settings,
                      {DataFiles::FuelLog, DataFiles::Temp1, DataFiles::Temp2, DataFiles::Vehicle});
}

Result<> initialiseFuel(SettingsStore& settings, Confirmed confirmed)
{
    if (confirmed == Confirmed::No)
        return Result<>::asking(initialiseQuestion(
            QStringLiteral("すべての燃費のデータがなくなり、車両情報は残ります。")));
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

// A folder where no vehicle has been registered holds no vehicle file; the export then writes
// an empty one, which is what such a folder means, and which an import takes back.
// A folder that already holds data files is only written over once the user, told what is
// there, says so; No is the default answer.
Result<> exportTo(const SettingsStore& settings, const QString& typedFolder, Confirmed confirmed)
{
    QString error;
    const std::optional<Folders> folders = resolveFolders(
        settings, typedFolder,
        QStringLiteral(
            "書き出し先がデータの保管場所と同じフォルダです。別のフォルダを指定してください。"),
        &error);
    if (!folders)
        return Result<>::failure(error);
    QList<RecordWriter::Replacement> replacements;
    bool vehicleRegistered = true;
    for (const DataFiles::Carried& file : DataFiles::carried()) {
        const QString from = folders->data + file.name;
        const std::optional<RecordReader::Whole> whole =
            RecordReader::readWhole(from, file.recordLength, file.maxRecords, &error);
        if (!whole)
            return Result<>::failure(error);
        if (!whole->exists && file.name == DataFiles::FuelLog)
            return Result<>::failure(FileErrors::missing(from));
        vehicleRegistered = vehicleRegistered && (whole->exists || file.name != DataFiles::Vehicle);
        replacements.append(carriedTo(file, *whole, folders->other + file.name));
    }
    if (confirmed == Confirmed::No) {
        if (const std::optional<Message> question = exportQuestion(folders->other))
            return Result<>::asking(*question);
    }
    if (!RecordWriter::replaceAll(replacements, &error))
        return Result<>::failure(error);
    QString text = QStringLiteral("書き出し完了");
    if (!vehicleRegistered)
        text += QStringLiteral(
            "\n車両情報が登録されていないため、車両データは空のファイルとして書き出しました。燃費デ"
            "ータを残したまま車両を登録するには「ファイル」-「車両情報の登録(訂正)」を使ってくださ"
            "い。");
    return Result<>::done({text, QStringLiteral("書き出し完了")});
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

// The source is checked before the question, so that nobody confirms a replacement that
// cannot happen, and again once confirmed, as it may have changed while the question was open.
Result<> importFrom(SettingsStore& settings, const QString& typedFolder, Confirmed confirmed)
{
    QString error;
    const std::optional<ImportSource> source = importSource(settings, typedFolder, &error);
    if (!source)
        return Result<>::failure(error);
    if (oilUndoStuck(settings))
        return Result<>::failure(oilUndoRefusal(settings));
    if (confirmed == Confirmed::No)
        return Result<>::asking(
            {QStringLiteral("よろしいですか。現在登録されているデータは置き換えられます。"),
             QStringLiteral("確認"), true});
    std::optional<Backups::Taken> backup =
        Backups::take(DataFolder(settings), settings, QStringLiteral("読み込み"), &error);
    if (!backup || !RecordWriter::replaceSet(DataFolder(settings), source->replacements, &error))
        return Result<>::failure(error);
    backup->keep();
    return doneReplacing(settings, imported(*source));
}

Result<QList<Backups::Entry>> listBackups(const SettingsStore& settings)
{
    return Result<QList<Backups::Entry>>::showing(Backups::listOf(DataFolder(settings).path()));
}

// The chosen copy is read whole before anything is written, and replaces the data files
// all-or-nothing, as an import does, after a backup of what it replaces; a file the copy did not
// hold (no vehicle registered then) comes back empty, and without flags (an older Tankr's copy)
// every fill is a full one again. The chosen backup stays, however old. Another vehicle's
// backup never replaces the data of the vehicle in force.
Result<> restoreBackup(SettingsStore& settings, const QString& backup, Confirmed confirmed)
{
    const Backups::Entry entry = Backups::entryAt(backup);
    if (!entry.usable)
        return Result<>::failure(
            QStringLiteral("このバックアップは壊れているか空のため、復元できません。"));
    if (!Backups::belongsTo(entry, DataFolder(settings).path()))
        return Result<>::failure(
            QStringLiteral("このバックアップは別のデータの保管場所「%1」のものです。その車両に"
                           "切り替えてから復元してください。")
                .arg(shown(*entry.context->folder)));
    // The oil counters come back with the log they count on.
    if (entry.context && !settings.canSave())
        return Result<>::failure(
            UnsavedSettings::refusal(settings, {UnsavedSettings::oilCountersRestored()}));
    if (oilUndoStuck(settings))
        return Result<>::failure(oilUndoRefusal(settings));
    const QString when = entry.time.isValid()
                             ? entry.time.toString(QStringLiteral("yyyy/MM/dd HH:mm:ss"))
                             : QDir::toNativeSeparators(entry.path);
    if (confirmed == Confirmed::No)
        return Result<>::asking({QStringLiteral("%1のバックアップ（燃費データ%2件）で現在のデータを"
                                                "置き換えます。よろしいですか。")
                                     .arg(when)
                                     .arg(entry.records),
                                 QStringLiteral("確認"), true});
    const DataFolder folder(settings);
    QString error;
    if (!folder.ensureReady(&error))
        return Result<>::failure(error);
    QList<RecordWriter::Replacement> replacements;
    for (const DataFiles::Carried& file : DataFiles::carried()) {
        const std::optional<RecordReader::Whole> whole = RecordReader::readWhole(
            entry.path + file.name, file.recordLength, file.maxRecords, &error);
        if (!whole)
            return Result<>::failure(error);
        replacements.append(carriedTo(file, *whole, folder.filePath(file.name)));
    }
    std::optional<Backups::Taken> taken =
        Backups::take(folder, settings, QStringLiteral("復元"), &error);
    if (!taken || !RecordWriter::replaceSet(folder, replacements, &error))
        return Result<>::failure(error);
    taken->keep(entry.path);
    const Message done{QStringLiteral("%1のバックアップから復元しました。").arg(when),
                       QStringLiteral("完了")};
    if (!entry.context)
        return doneReplacing(settings, done);
    QList<UnsavedSettings::Setting> notSaved;
    if (!settings.setOilCounters(entry.context->oil, entry.context->oilUndo))
        notSaved.append(UnsavedSettings::oilCountersRestored());
    return Result<>::done(UnsavedSettings::afterWriting(done, settings, notSaved));
}

} // namespace Actions
