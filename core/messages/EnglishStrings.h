#pragma once

#include <span>

// The program's own (English) texts, compiled in. Every string id the program shows has its
// text here; language files override them by id.
struct StringEntry {
    int id;
    const char* text;
};

// All entries, sorted by id without duplicates.
std::span<const StringEntry> EnglishStrings();
