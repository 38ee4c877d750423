#pragma once

#include <QString>
#include <string>
#include <string_view>

// Pinyin initials of GBK text (拼音助记符): one lower-case letter for each
// Chinese character; digits, Latin letters and some ASCII punctuation are
// copied; everything else is dropped. Pure table look-up, no state.

// The reading of one character given as its first byte and the number of
// bytes (1 or 2) that belong to it; empty when it has none.
std::string PinyinOfChar(const char *p, int count);
// The first byte of the reading, or empty.
std::string InitialOfChar(const char *p, int count);
// True for 0x81 and above: the byte starts a two-byte character.
bool IsGbkLeadByte(unsigned char b);
// The initials of a whole GBK text.
std::string PinyinInitials(std::string_view gbkText);
// The initials of a text, taken through GBK; a character without a GBK code
// contributes nothing.
QString PinyinInitials(const QString &text);
