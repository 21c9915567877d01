#pragma once

#include <QProgressDialog>

#include <functional>

class QString;
class QWidget;

// The progress dialog of a long job over `parent`: it appears once the job has run about half a
// second, keeps the windows painted while it shows, and its Cancel button stops the job at the
// next page.
class JobProgress
{
public:
    // How far the job has come, in steps of all its steps; false when the user asked to stop.
    using Report = std::function<bool(qint64 done, qint64 count)>;

    JobProgress(QWidget* parent, const QString& label, qint64 count);

    Report report();

private:
    QProgressDialog m_dialog;
};
