#pragma once

#include <cstdint>

namespace penlark {

// The numbers of the program's string-table entries (resources/strings.ja.txt).
namespace strings {

inline constexpr int32_t Unreadable = 250;
inline constexpr int32_t TooLarge = 251;
inline constexpr int32_t Unwritable = 252;
inline constexpr int32_t Unmappable = 260;
inline constexpr int32_t Changed = 261;
inline constexpr int32_t ChangedWhileEdited = 262;
inline constexpr int32_t OverwriteChanged = 263;
inline constexpr int32_t ReopenEdited = 264;
inline constexpr int32_t LostReplaced = 265;
inline constexpr int32_t MixedBreaks = 266;
inline constexpr int32_t WidenKana = 267;
inline constexpr int32_t RecoverPrompt = 280;
inline constexpr int32_t Untitled = 281;
inline constexpr int32_t ChangeSize = 282;
inline constexpr int32_t RecoverSkipped = 283;
inline constexpr int32_t RecoverPartial = 284;
inline constexpr int32_t JournalCorrupt = 285;
inline constexpr int32_t JournalNewer = 286;
inline constexpr int32_t JournalUnreadable = 287;
inline constexpr int32_t SaveChanges = 1000;
inline constexpr int32_t FilterRecognise = 5000;
inline constexpr int32_t FilterCurrent = 5001;
inline constexpr int32_t FilterText = 5002;

} // namespace strings
} // namespace penlark
