#pragma once

#include "orvenly/Variant.h"

#include <QString>
#include <optional>

// Dates written and read in the default, host-neutral form "yyyy/MM/dd hh:mm:ss" rather than
// the host's short date format, so stored values read back the same everywhere.
namespace orvenly::date_text {

// Days from 100/01/01 to 9999/12/31, the range of the automation Date.
bool inRange(double days);

// The date alone when the time is midnight, the time alone ("hh:mm:ss") on day 0.
// Precondition: inRange(value.days).
QString format(Date value);

// "yyyy/M/d" or "yyyy-M-d", optionally followed by "h:mm[:ss]", or the time alone.
std::optional<Date> parse(const QString& text);

} // namespace orvenly::date_text
