#pragma once

#include <QChar>

// Single-byte code pages of Rich Text files. The report files declare code page 1252
// (what Spanish word processors write their \'hh fallbacks in); files from elsewhere
// name another in \ansicpg, or give a font a character set that implies one.
namespace Cp1252 {

// The character of a byte; U+FFFD for the five bytes the code page leaves undefined.
char16_t toUnicode(unsigned char byte);
// The byte of a character, or 0 when the code page has none for it.
unsigned char fromUnicode(char16_t ch);

} // namespace Cp1252

namespace CodePage {

// The characters of the 256 bytes of one code page; U+FFFD where it defines none.
struct Table
{
    char16_t chars[256];
    char16_t toUnicode(unsigned char byte) const { return chars[byte]; }
};

// The table of a Windows or DOS code page number (1250-1258, 437, 850, 10000 for Mac
// Roman), or nullptr for a code page this reader does not decode. Tables are built
// once per run from the C library's converters and live as long as the program.
const Table *table(int codePage);

// The code page an RTF \fcharset implies, or 0 when it implies none (ANSI, symbol,
// default) and the document's code page applies.
int forCharset(int charset);

} // namespace CodePage
