#pragma once

#include "orvenly/Variant.h"

#include <QString>
#include <cstdint>
#include <initializer_list>

namespace penlark {

// The entry of the program's string table with that number; empty when there is none.
QString LoadResString(int32_t id);

// Fills "%1" to "%9" of string-table entry id with the arguments (the first is argument 1).
// An Integer, Long or Byte argument inserts the string-table entry with that number, any
// other argument its string form; a missing argument inserts nothing. The result is cut at
// 1024 characters. Never fails.
QString FormatResString(int32_t id, std::initializer_list<orvenly::Variant> args = {});

// Fills "%1" to "%9" of templ with the string forms of the arguments; "%n" gives CR LF and
// "%%" one percent sign. Any other character after "%" is kept together with the "%".
// The result is cut at 1024 characters. Never fails.
QString FormatString(const QString& templ, std::initializer_list<orvenly::Variant> args = {});

} // namespace penlark
