#pragma once
// Windows-1252 on disk, UTF-8 in memory: the program's files travel between this program and
// Windows machines. Characters that Windows-1252 lacks are written as "?".

#include <string>

namespace quorvan {

std::string Cp1252ToUtf8(const std::string& bytes);
std::string Utf8ToCp1252(const std::string& text);

}  // namespace quorvan
