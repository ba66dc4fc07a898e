#include "CharacterClass.h"

namespace orvenly {

CharacterClass characterClass(QChar c) {
    const char16_t u = c.unicode();
    if (u == u'\n')
        return CharacterClass::Break;
    if (c.isSpace())
        return CharacterClass::Space;
    // The iteration marks and the ideographs beyond the basic plane go with the kanji.
    if ((u >= 0x4E00 && u <= 0x9FFF) || (u >= 0x3400 && u <= 0x4DBF) ||
        (u >= 0xF900 && u <= 0xFAFF) || u == 0x3005 || u == 0x3006 || u == 0x3007 ||
        c.isSurrogate())
        return CharacterClass::Kanji;
    if ((u >= 0x3041 && u <= 0x309F))
        return CharacterClass::Hiragana;
    // The prolonged sound mark goes with katakana, half-width katakana too.
    if ((u >= 0x30A0 && u <= 0x30FF) || (u >= 0x31F0 && u <= 0x31FF) ||
        (u >= 0xFF66 && u <= 0xFF9F))
        return CharacterClass::Katakana;
    if (c.isLetterOrNumber() || u == u'_')
        return CharacterClass::Letter;
    return CharacterClass::Other;
}

} // namespace orvenly
