#pragma once

#include <QListWidget>

// A directory list: the open directory with the path above it and its subdirectories below.
// A double-click opens a directory; a single click only highlights it.
class DirectoryList : public QListWidget
{
    Q_OBJECT
public:
    explicit DirectoryList(QWidget* parent = nullptr);

    QString path() const { return m_path; }
    // Opens the directory; false (and the list unchanged) when it cannot be read.
    bool setPath(const QString& path, QString* error);

signals:
    void openFailed(const QString& message);

private:
    void onItemDoubleClicked(QListWidgetItem* item);

    QString m_path;
};
