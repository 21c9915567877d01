#include "fuellog/JobProgress.h"

JobProgress::JobProgress(QWidget* parent, const QString& label, qint64 count)
    : m_dialog(label, QStringLiteral("キャンセル"), 0, int(count), parent)
{
    m_dialog.setObjectName(QStringLiteral("printProgress"));
    m_dialog.setWindowTitle(QStringLiteral("印刷処理"));
    m_dialog.setWindowModality(Qt::WindowModal);
    m_dialog.setMinimumDuration(500);
    m_dialog.setAutoReset(false);
}

JobProgress::Report JobProgress::report()
{
    return [this](qint64 done, qint64) {
        m_dialog.setValue(int(done));
        return !m_dialog.wasCanceled();
    };
}
