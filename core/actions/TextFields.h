#pragma once

#include <QString>

#include <optional>

// The text boxes that fill the fixed-width text fields of the records: the brand and memo of a
// refuelling, the name, plate and chassis number of the vehicle.
namespace TextFields {

// When a field of `width` bytes cannot hold the whole of the typed text, the line that tells the
// user so before the write, naming the box by its caption and what the field keeps (`stored`,
// the field's text); none when the text fits. Blanks at its end are not missed.
std::optional<QString> cutNote(const QString& caption, const QString& typed, const QString& stored,
                               int width);

} // namespace TextFields
