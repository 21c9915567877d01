#include "actions/Actions.h"
#include "files/DataFolder.h"
#include "files/RecordReader.h"
#include "records/FuelRecord.h"
#include "settings/SettingsStore.h"
#include "settings/UnsavedSettings.h"

#include <QDir>
#include <QFileInfo>

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
Result<> chooseDataFolder(SettingsStore& settings, const QString& openDirectory)
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
    if (!settings.setDataFolder(folder))
        return Result<>::failure(
            UnsavedSettings::notSaved(settings, {UnsavedSettings::dataFolder(folder, inForce)}));
    return Result<>::done({QStringLiteral("登録完了しました。"), QStringLiteral("完了")},
                          {{WindowStep::Close, Window::Form3}});
}

} // namespace Actions
