#include "widgets/DirectoryList.h"

#include "files/FolderChoice.h"

#include <QDir>
#include <QFileInfo>
#include <QStyle>

namespace {
QString displayName(const QString& path)
{
    const QString name = QFileInfo(path).fileName();
    return name.isEmpty() ? QDir::toNativeSeparators(path) : name;
}
} // namespace

DirectoryList::DirectoryList(QWidget* parent) : QListWidget(parent)
{
    connect(this, &QListWidget::itemDoubleClicked, this, &DirectoryList::onItemDoubleClicked);
}

bool DirectoryList::setPath(const QString& path, QString* error)
{
    const std::optional<FolderChoice::Listing> listing = FolderChoice::list(path, error);
    if (!listing)
        return false;
    clear();
    const QIcon openIcon = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closedIcon = style()->standardIcon(QStyle::SP_DirIcon);
    int depth = 0;
    auto addEntry = [&](const QString& entry, const QIcon& icon, int indent) {
        auto* item = new QListWidgetItem(
            icon, QString(indent * 2, QLatin1Char(' ')) + displayName(entry), this);
        item->setData(Qt::UserRole, entry);
        return item;
    };
    QListWidgetItem* openItem = nullptr;
    for (const QString& ancestor : listing->ancestors)
        openItem = addEntry(ancestor, openIcon, depth++);
    for (const QString& sub : listing->subdirectories)
        addEntry(sub, closedIcon, depth);
    m_path = listing->ancestors.last();
    setCurrentItem(openItem);
    return true;
}

void DirectoryList::onItemDoubleClicked(QListWidgetItem* item)
{
    QString error;
    if (!setPath(item->data(Qt::UserRole).toString(), &error))
        emit openFailed(error);
}
