#include "FolderChoice.h"

#include "Actions.h"
#include "DataFolder.h"
#include "SettingsStore.h"
#include "UnsavedSettings.h"

#include <QCollator>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>

#include <algorithm>

namespace FolderChoice {

QStringList volumes()
{
    QStringList roots;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (volume.isValid() && volume.isReady())
            roots.append(volume.rootPath());
    }
    roots.removeDuplicates();
    std::sort(roots.begin(), roots.end());
    return roots;
}

QString volumeOf(const QString& path)
{
    return QStorageInfo(path).rootPath();
}

std::optional<Listing> list(const QString& directory, QString* error)
{
    const QDir dir(directory);
    if (!dir.exists() || !dir.isReadable()) {
        *error =
            QStringLiteral("「%1」を読み取れません。").arg(QDir::toNativeSeparators(directory));
        return std::nullopt;
    }
    Listing listing;
    for (QDir up(dir.absolutePath());;) {
        listing.ancestors.prepend(up.absolutePath());
        if (!up.cdUp())
            break;
    }
    const QStringList names = dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    QCollator collator;
    collator.setNumericMode(true);
    QStringList sorted = names;
    std::sort(sorted.begin(), sorted.end(), collator);
    for (const QString& name : sorted)
        listing.subdirectories.append(dir.absoluteFilePath(name));
    return listing;
}

} // namespace FolderChoice

namespace Actions {

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
