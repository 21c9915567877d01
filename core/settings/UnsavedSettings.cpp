#include "settings/UnsavedSettings.h"

#include "settings/SettingsStore.h"

#include <QDir>

namespace UnsavedSettings {

Setting dataFolder(const QString& chosen, const QString& inForce)
{
    return {QStringLiteral("データの保管場所「%1」").arg(QDir::toNativeSeparators(chosen)),
            QStringLiteral("保管場所は「%1」のままで、次回の起動時も変わりません。")
                .arg(QDir::toNativeSeparators(inForce))};
}

Setting logStarted()
{
    return {QStringLiteral("燃費の記録を始めたこと"),
            QStringLiteral("「車両情報の表示」は燃費データの記録を見て画面を選ぶため、このままでも"
                           "使えます。")};
}

Setting logEmptied()
{
    return {QStringLiteral("燃費の記録が空になったこと"),
            QStringLiteral("「車両情報の表示」では、給油を記録する前でもオイル交換の目安の欄がある"
                           "画面が開きます。")};
}

Setting oilChange()
{
    return {
        QStringLiteral("この給油でのオイル交換"),
        QStringLiteral("車両データは元のままで、オイル交換の目安は前回のオイル交換から数えたまま"
                       "です。設定ファイルに書き込めるようにしてから「記録訂正」でオイル交換を"
                       "付けて書き込み直すと、記録できます。")};
}

Setting oilChangeTakenBack()
{
    return {QStringLiteral("削除した給油でのオイル交換の取り消し"),
            QStringLiteral("車両データは元のままで、オイル交換の目安は削除した給油でオイルを交換し"
                           "たものとして数えたままです。")};
}

Setting oilCountersOfNewVehicle()
{
    return {QStringLiteral("オイル交換の目安の基準(開始時の走行距離とオイル交換までの距離)"),
            QStringLiteral("オイル交換の目安は以前の基準のまま数えられます。設定ファイルに書き込め"
                           "るようにしてから、もう一度新規登録してください。")};
}

Setting oilUndoCleared()
{
    return {QStringLiteral("以前のデータのオイル交換を取り消すための記録の消去"),
            QStringLiteral("今のデータで最新の給油記録を削除したとき、オイル交換の目安が以前のデー"
                           "タのものに戻ることがあります。")};
}

Setting oilCountersRestored()
{
    return {QStringLiteral("バックアップの時点のオイル交換の目安の基準"),
            QStringLiteral("オイル交換の目安は復元の前の基準のまま数えられます。")};
}

Setting oilCountersOfCorrection()
{
    return {QStringLiteral("オイル交換の目安の基準(最新の走行距離とオイル交換までの距離)"),
            QStringLiteral("オイル交換の目安は表示されないままです。設定ファイルに書き込めるように"
                           "してから、もう一度訂正してください。")};
}

Setting windowPlace()
{
    return {QStringLiteral("メインウインドウの位置と大きさ"),
            QStringLiteral("次回の起動時は、前回保存された位置と大きさで開きます。")};
}

namespace {
// What keeps every write from the file, when Tankr knows it.
QString why(const SettingsStore& store)
{
    const std::optional<QString> blocked = store.blocked();
    return blocked ? QLatin1Char('\n') + *blocked : QString();
}
} // namespace

QString refusal(const SettingsStore& store, const QList<Setting>& settings)
{
    QStringList whats;
    for (const Setting& setting : settings)
        whats.append(setting.what);
    return QStringLiteral("設定ファイル「%1」に書き込めないため、%2を保存できません。何も変更して"
                          "いません。設定ファイルとそのフォルダに書き込めるかを確認してください。")
               .arg(QDir::toNativeSeparators(store.fileName()), whats.join(QStringLiteral("と"))) +
           why(store);
}

QString notSaved(const SettingsStore& store, const QList<Setting>& settings)
{
    QString text = QStringLiteral("設定ファイル「%1」に次の設定を保存できませんでした。ディスクの"
                                  "空き容量と書き込みの権限を確認してください。")
                       .arg(QDir::toNativeSeparators(store.fileName())) +
                   why(store);
    for (const Setting& setting : settings)
        text += QStringLiteral("\n・") + setting.what + QStringLiteral("：") + setting.meaning;
    return text;
}

Message afterWriting(const Message& done, const SettingsStore& store,
                     const QList<Setting>& settings)
{
    if (settings.isEmpty())
        return done;
    return {done.text + QLatin1Char('\n') + notSaved(store, settings), errorTitle()};
}

} // namespace UnsavedSettings
