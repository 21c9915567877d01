// Appends refuellings to the data folder of the settings, each with a memo naming this worker
// and its count, while another worker does the same; exits non-zero on any refused write.

#include "Actions.h"
#include "SettingsStore.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QString worker = app.arguments().value(1);
    const int count = app.arguments().value(2).toInt();
    SettingsStore settings;
    for (int n = 1; n <= count; ++n) {
        FuelEntryBoxes boxes{QStringLiteral("2003/5/6"),
                             QStringLiteral("16000"),
                             QStringLiteral("300"),
                             QStringLiteral("出光"),
                             QStringLiteral("20"),
                             QStringLiteral("105"),
                             QStringLiteral("15"),
                             QStringLiteral("2100"),
                             worker + QLatin1Char('-') + QString::number(n),
                             false};
        const Result<> written = Actions::writeRefuelling(settings, boxes, {});
        if (!written.succeeded) {
            std::fprintf(stderr, "%s\n", qPrintable(written.message->text));
            return 1;
        }
    }
    return 0;
}
