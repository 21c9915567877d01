#include "ShellCommands.h"

#include "DataFolder.h"
#include "SettingsStore.h"

namespace ShellCommands {

Message dataFolderMessage(const SettingsStore& settings)
{
    return Message{DataFolder(settings).path(), QString()};
}

QString vehicleWindow(const SettingsStore& settings)
{
    const bool started = settings.value(Settings::Hyouji, Settings::Hyouji) == Settings::Started;
    return started ? QStringLiteral("Form4") : QStringLiteral("Form9");
}

Message exitQuestion()
{
    return Message{QStringLiteral("終了します。保存していないデータはすべて失われます。よろしいですか。"),
                   QStringLiteral("終了処理")};
}

} // namespace ShellCommands
