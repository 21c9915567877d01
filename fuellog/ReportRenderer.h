#pragma once

#include "actions/Actions.h"

class QWidget;

// The report of the whole fuel log as a PDF: the vehicle, the totals, the years and brands, the
// two charts and every refuelling, on A4 portrait pages. The contents come worked out; this only
// lays their texts out.
namespace ReportRenderer {

// Writes the report as a PDF at `path`, showing progress over `parent` with a Cancel button; the
// message that says whether it was saved. The file appears only once complete; a cancelled or
// failed report leaves no file (not even a temporary one) and any file it would replace as it was.
Result<> saveAsPdf(const Actions::ReportContents& report, const QString& path, QWidget* parent);

} // namespace ReportRenderer
