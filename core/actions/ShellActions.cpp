#include "actions/Actions.h"
#include "files/DataFolder.h"
#include "files/RecordReader.h"
#include "files/RecordWriter.h"
#include "records/FuelRecord.h"
#include "settings/SettingsStore.h"
#include "settings/UnsavedSettings.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace {

bool holdsRecords(const QString& folder)
{
    const QList<DataFiles::Carried>& files = DataFiles::carried();
    return std::any_of(files.begin(), files.end(), [&folder](const DataFiles::Carried& file) {
        RecordReader stored(folder + file.name, file.recordLength, file.maxRecords);
        QString ignored;
        return stored.open(&ignored) && stored.count() > 0;
    });
}

// Each data file read whole first, then all written in place together, as an export does. The
// new folder holds none of them; a file that is not there is not made, nor a flags file that
// holds no flag.
bool copyDataFiles(const QString& from, const QString& to, QString* error)
{
    QList<RecordWriter::Replacement> copies;
    for (const DataFiles::Carried& file : DataFiles::carried()) {
        const std::optional<RecordReader::Whole> whole =
            RecordReader::readWhole(from + file.name, file.recordLength, file.maxRecords, error);
        if (!whole)
            return false;
        if (!whole->records.isEmpty() || (whole->exists && !file.optional))
            copies.append({whole->records, to + file.name});
    }
    return RecordWriter::replaceAll(copies, error);
}

} // namespace

// The main window's actions that only show something or open a window.
namespace Actions {

Message showDataFolder(const SettingsStore& settings)
{
    const DataFolder folder(settings);
    return Message{folder.storedProblem().value_or(folder.path()), QString()};
}

// A log that arrived by an import, or in a folder chosen on a new machine, has records while
// the setting still says the log was never started; its window with the oil reminder must
// still be reachable.
Window vehicleWindow(const SettingsStore& settings)
{
    if (settings.logStarted())
        return Window::Form4;
    RecordView<FuelRecord> log(DataFolder(settings), DataFiles::FuelLog);
    QString ignored;
    return log.open(&ignored) && log.count() > 0 ? Window::Form4 : Window::Form9;
}

Result<> quit(Confirmed confirmed)
{
    if (confirmed == Confirmed::No)
        return Result<>::asking(
            {QStringLiteral("終了します。保存していないデータはすべて失われます。よろしいですか。"),
             QStringLiteral("終了処理")});
    return Result<>();
}

// Stored with exactly one trailing separator, once the folder is known to be one Tankr can
// use: a directory opened in the list may have gone since, or never have been readable, and the
// system's own folders hold no files of the user's.
Result<> chooseDataFolder(SettingsStore& settings, const QString& openDirectory, DataInForce data)
{
    if (openDirectory.isEmpty())
        return Result<>::failure(
            QStringLiteral("フォルダが選ばれていません。保管場所にするフォルダを"
                           "ダブルクリックで開いてから登録してください。"));
    // A name that is not valid UTF-8 comes back from the system with replacement characters,
    // and would be stored as the name of another folder.
    if (openDirectory.contains(QChar::ReplacementCharacter) ||
        QFile::decodeName(QFile::encodeName(openDirectory)) != openDirectory)
        return Result<>::failure(
            QStringLiteral("フォルダ名「%1」には使えない文字が含まれているため、保管場所にできませ"
                           "ん。別のフォルダを選んでください。")
                .arg(QDir::toNativeSeparators(openDirectory)));
    const QDir dir(openDirectory);
    if (QDir::isRelativePath(openDirectory) || !dir.exists() || !dir.isReadable())
        return Result<>::failure(
            QStringLiteral("フォルダ「%1」を開けないため、保管場所にできません。別のフォルダを選ん"
                           "でください。")
                .arg(QDir::toNativeSeparators(openDirectory)));
    // Stored with every link resolved, so that the data stays in the folder chosen, whatever the
    // link is later pointed at (/proc/self/cwd names whatever folder Tankr was started in).
    if (const std::optional<QString> problem = DataFolder::systemFolderProblem(openDirectory))
        return Result<>::failure(*problem);
    QString folder = QFileInfo(openDirectory).canonicalFilePath();
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    const QString inForce = DataFolder(settings).path();
    Message done{QStringLiteral("登録完了しました。"), QStringLiteral("完了")};
    if (folder != inForce && !DataFiles::anyIn(folder) && holdsRecords(inForce)) {
        if (data == DataInForce::Ask)
            return Result<>::asking(
                {QStringLiteral("新しい保管場所「%1」にはデータがありません。現在の保管場所「%2」の"
                                "データをコピーしますか。\n「いいえ」を選ぶと、新しい保管場所は空"
                                "のデータから始まります。")
                     .arg(QDir::toNativeSeparators(folder), QDir::toNativeSeparators(inForce)),
                 QStringLiteral("確認")});
        QString error;
        if (data == DataInForce::Copy && !copyDataFiles(inForce, folder, &error))
            return Result<>::failure(error);
        done.text += data == DataInForce::Copy
                         ? QStringLiteral("データを新しい保管場所にコピーしました。")
                         : QStringLiteral("新しい保管場所は空のデータから始まります。これまでのデー"
                                          "タは「%1」に残っています。")
                               .arg(QDir::toNativeSeparators(inForce));
    }
    if (!settings.setDataFolder(folder))
        return Result<>::failure(
            UnsavedSettings::notSaved(settings, {UnsavedSettings::dataFolder(folder, inForce)}));
    return Result<>::done(done, {{WindowStep::Close, Window::Form3}});
}

} // namespace Actions
