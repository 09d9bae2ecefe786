#pragma once

#include <QChar>

// Windows code page 1252, the code page the report files declare and the one Spanish
// word processors write their \'hh fallbacks in.
namespace Cp1252 {

// The character of a byte; U+FFFD for the five bytes the code page leaves undefined.
char16_t toUnicode(unsigned char byte);
// The byte of a character, or 0 when the code page has none for it.
unsigned char fromUnicode(char16_t ch);

} // namespace Cp1252
