#include "actions/TextFields.h"

#include "records/Cp932.h"
#include "text/TextConversions.h"

namespace TextFields {

// A field is cut to its width in characters, then in bytes; a full-width character takes two.
std::optional<QString> cutNote(const QString& caption, const QString& typed, const QString& stored,
                               int width)
{
    const QString text = TextConversions::withoutTrailingBlanks(typed);
    if (text.size() <= width && Cp932::encode(text).size() <= width)
        return std::nullopt;
    return QStringLiteral("「%1」は半角%2文字（全角%3文字）までのため、「%4」として書き込みます。")
        .arg(caption, QString::number(width), QString::number(width / 2),
             TextConversions::withoutTrailingBlanks(stored));
}

} // namespace TextFields
