#pragma once
// Windows-1252 on disk, UTF-8 in memory: client files travel between this program and Windows
// machines. A client file can keep only the characters Windows-1252 has; FitsCp1252 and
// UnencodableCharacters tell which characters of a text it would lose, so that entry can refuse
// or name them before they reach a file.

#include <string>

namespace quorvan {

// Every byte decodes: the five bytes Windows leaves undefined become the C1 controls of the
// same number, so any file reads and writes back byte for byte.
std::string Cp1252ToUtf8(const std::string& bytes);

// A character Windows-1252 lacks is written as the nearest character it has, for the Latin
// letters of Central and Eastern Europe ("Łódź" as "Lódz", "Győr" as "Györ"), and as "?" for
// any other (a malformed UTF-8 byte included). Callers that must not lose text check
// FitsCp1252 first.
std::string Utf8ToCp1252(const std::string& text);

// True when Utf8ToCp1252 keeps every character of `utf8`, so it reads back unchanged.
bool FitsCp1252(const std::string& utf8);

// True when `bytes` are well-formed UTF-8 and hold at least one character beyond ASCII: text
// another program wrote as UTF-8, which read as Windows-1252 would turn "é" into "Ã©". (Text
// written in Windows-1252 with letters beyond ASCII is almost never well-formed UTF-8.)
bool IsUtf8BeyondAscii(const std::string& bytes);

// True when `bytes` hold at least one well-formed UTF-8 sequence beyond ASCII, malformed bytes
// or not: a UTF-8 file with a damaged byte, which read as Windows-1252 would garble every other
// letter beyond ASCII.
bool HoldsUtf8Sequence(const std::string& bytes);

// `bytes` read as UTF-8 where they are well formed; each malformed byte is taken for the
// Windows-1252 character it is (a letter typed in another encoding). `repaired` tells whether
// one was.
std::string RepairedUtf8(const std::string& bytes, bool& repaired);

// The characters of `utf8` that Windows-1252 cannot keep, each once, in order of first
// appearance, as UTF-8 ("Łódź" gives "Łź"; a malformed byte gives U+FFFD). Empty when it fits.
std::string UnencodableCharacters(const std::string& utf8);

}  // namespace quorvan
