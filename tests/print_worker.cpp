// Saves the fuel log's printout or the report as a PDF, as the print window and the menu do:
// "print_worker pdf|report PATH LAST" prints records 1 to LAST, or reports the whole log, to
// PATH. Like the kill worker, it announces the start and, once the file is saved, the end on
// standard output, each in one write, so that a record of its calls shows where it succeeded.

#include "actions/Actions.h"
#include "fuellog/PrintRenderer.h"
#include "fuellog/ReportRenderer.h"
#include "settings/SettingsStore.h"

#include <QApplication>

#include <unistd.h>

namespace {

bool announce(const char* line)
{
    const ssize_t length = ssize_t(qstrlen(line));
    return ::write(STDOUT_FILENO, line, size_t(length)) == length;
}

Result<> save(const QByteArray& what, const QString& path, const QString& last)
{
    if (what == "pdf") {
        const Result<PrintJob> job =
            Actions::printRange(SettingsStore(), {QStringLiteral("1"), last});
        return job.succeeded ? PrintRenderer::saveAsPdf(job.shown, path, nullptr)
                             : Result<>::failure(job);
    }
    const Result<Actions::ReportContents> report = Actions::makeReport(SettingsStore());
    return report.succeeded ? ReportRenderer::saveAsPdf(report.shown, path, nullptr)
                            : Result<>::failure(report);
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (argc != 4 || !announce("0 0\n"))
        return 2;
    const Result<> saved =
        save(argv[1], QString::fromLocal8Bit(argv[2]), QString::fromLatin1(argv[3]));
    if (!saved.succeeded) {
        qCritical("%s", qUtf8Printable(saved.message->text));
        return 1;
    }
    return announce("1 0\n") ? 0 : 2;
}
