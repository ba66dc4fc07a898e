#pragma once

#include <QChar>

namespace orvenly {

// Kinds of characters that a word of Japanese text is made of; a word is a run of one kind.
enum class CharacterClass { Space, Break, Kanji, Hiragana, Katakana, Letter, Other };

CharacterClass characterClass(QChar c);

} // namespace orvenly
