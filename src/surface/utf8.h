#pragma once
// UTF-8 text as the code points the text renderer looks up in a font.
#include <string>

// The code points of utf8 in order; any input decodes. A sequence cut short (a lead byte and
// fewer continuation bytes than it announces) becomes one U+FFFD; so does every byte of a
// sequence that cannot be a character (stray continuation bytes, overlong forms, surrogates,
// values above U+10FFFF), decoding going on with the next byte.
std::u32string DecodeUtf8(const std::string& utf8);
