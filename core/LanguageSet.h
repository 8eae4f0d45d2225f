#pragma once

#include <cstdint>
#include <string>

// The user interface language, chosen once from the user's language identifier, and the
// resource, media list and bitmap names and text metrics that go with it.
class CLanguageSet {
public:
    enum Index { English, Japanese, Russian, Spanish, German, French, Chinese };

    // The user's own language.
    CLanguageSet();
    explicit CLanguageSet(std::uint16_t langId);

    static Index IndexFor(std::uint16_t langId);

    std::uint16_t GetLangId() const { return m_nLangId; }
    Index GetIndex() const { return m_nIndex; }

    // Empty for English: the program's own strings are used.
    std::string GetResourceDll() const;
    // Relative to the program folder; the media list folder ends in '/'.
    std::string GetMediaListFolder() const;
    std::string GetBitmapFolder() const;
    // The language's help pages, relative to the program folder; English is "help/ENG".
    std::string GetHelpFolder() const;

    int GetTextHeight() const;
    int GetWidthA() const;
    int GetWidthB() const;
    int GetWidthC() const;
    int GetWidthD() const;
    int GetWidthE() const;

private:
    std::uint16_t m_nLangId;
    Index m_nIndex;
};
