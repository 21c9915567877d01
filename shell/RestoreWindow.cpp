#include "shell/RestoreWindow.h"

#include "actions/Actions.h"
#include "settings/SettingsStore.h"
#include "widgets/FitToText.h"
#include "widgets/PlacedControls.h"
#include "widgets/Twips.h"

#include <QListWidget>
#include <QPushButton>

using PlacedControls::Kind;

RestoreWindow::RestoreWindow()
    : ChildWindow(Window::Restore, QStringLiteral("バックアップから復元"), Frame::Fixed)
{
    PlacedControls::place(
        this, {{Kind::WrappedLabel,
                "Label1",
                QStringLiteral(
                    "初期化・新規登録・読み込み・削除・復元の前のデータです。復元するものを選ん"
                    "で「復元」を押してください。"),
                {120, 120, 5400, 480}},
               {Kind::List, "backupList", QString(), {120, 660, 5400, 2400}},
               {Kind::Button, "restoreButton", QStringLiteral("復元"), {120, 3180, 1500, 375}},
               {Kind::Button, "closeButton", QStringLiteral("閉じる"), {4020, 3180, 1500, 375}}});
    m_list = PlacedControls::find<QListWidget>(this, "backupList");
    setFixedSize(FitToText::grow(this, Twips::size(5640, 3675)));
    showBackups();
    connect(PlacedControls::find<QPushButton>(this, "restoreButton"), &QPushButton::clicked, this,
            &RestoreWindow::onRestoreClicked);
    connect(PlacedControls::find<QPushButton>(this, "closeButton"), &QPushButton::clicked, this,
            &RestoreWindow::closeThisWindow);
}

void RestoreWindow::showBackups()
{
    m_list->clear();
    for (const Backups::Entry& backup : Actions::listBackups(SettingsStore()).shown) {
        QString when = backup.time.toString(QStringLiteral("yyyy/MM/dd HH:mm:ss"));
        if (backup.context && !backup.context->command.isEmpty())
            when += QStringLiteral("　%1の前").arg(backup.context->command);
        const QString what =
            backup.usable
                ? QStringLiteral("燃費データ%1件　%2").arg(backup.records).arg(backup.vehicleName)
                : QStringLiteral("使用できません（壊れているか空です）");
        auto* item = new QListWidgetItem(when + QStringLiteral("　") + what, m_list);
        item->setData(Qt::UserRole, backup.path);
    }
    // Nothing is chosen for the user: a restore replaces the data in force.
    m_list->setCurrentRow(-1);
}

// The backup the user chose stays chosen while it is listed.
void RestoreWindow::refreshData()
{
    const QList<QListWidgetItem*> selected = m_list->selectedItems();
    const QVariant chosen = selected.isEmpty() ? QVariant() : selected.first()->data(Qt::UserRole);
    showBackups();
    for (int row = 0; chosen.isValid() && row < m_list->count(); ++row) {
        if (m_list->item(row)->data(Qt::UserRole) == chosen)
            m_list->setCurrentRow(row);
    }
}

void RestoreWindow::onRestoreClicked()
{
    // Chosen means selected: the focus alone makes the first row current.
    const QList<QListWidgetItem*> selected = m_list->selectedItems();
    const QListWidgetItem* chosen = selected.isEmpty() ? nullptr : selected.first();
    if (!chosen) {
        Dialogs::inform(
            this, {QStringLiteral("復元するバックアップを一覧から選んでください。"), QString()});
        return;
    }
    const QString backup = chosen->data(Qt::UserRole).toString();
    SettingsStore settings;
    if (run([&](Confirmed yes) { return Actions::restoreBackup(settings, backup, yes); }).succeeded)
        showBackups();
}
