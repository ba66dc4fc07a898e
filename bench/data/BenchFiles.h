#pragma once

#include <QString>

// The large files the benchmarks and scripts/compare-open read. Each is made once into the
// user's cache folder (~/.cache/penlark-bench) and kept: the bytes are the same on every
// machine and every run, so the first run pays for making them and later runs do not.
namespace benchfiles {

// About 50 MB of Japanese prose and ASCII in Shift_JIS with CR LF breaks.
QString largeTextFile();

// About 500 MB of a business system's CSV export in Shift_JIS with CR LF breaks: orders with
// numbers, dates, Japanese names (half-width kana readings), addresses and phone numbers,
// about 100 bytes a row.
QString largeCsvFile();

} // namespace benchfiles
