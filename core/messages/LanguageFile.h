#pragma once

#include <istream>
#include <string>
#include <unordered_map>

// Reads a language file: UTF-8 text, one "id<TAB>text" line per string. In the text "\n",
// "\t" and "\\" stand for a line break, a tab and a backslash. Blank lines, lines starting
// with '#', and lines whose id is not a positive whole number are skipped. A UTF-8 byte-order
// mark and CR line ends are allowed. A later line for the same id wins.
std::unordered_map<int, std::string> ReadLanguageFile(std::istream& in);
