#pragma once

#include "core/messages/CMessageBoxSink.h"
#include "core/messages/CStringTable.h"

#include <QString>

#include <string>

// The one way the program shows messages: texts from the active language, the program title
// as caption, and a replaceable sink that puts the boxes on screen (or records them in tests).
// Used from the GUI thread only.
class CMessageService {
public:
    CMessageService();
    CMessageService(const CMessageService&) = delete;
    CMessageService& operator=(const CMessageService&) = delete;

    // The program's service; the application object sets its language once at start-up.
    static CMessageService& Instance();

    // Loads the language file for `resourceName` (see CStringTable) and takes the title from
    // string 2000 of the then active texts. Returns whether the language file was loaded.
    bool LoadLanguage(const std::string& programFolder, const std::string& resourceName);

    const CStringTable& Strings() const { return m_strings; }
    const std::string& Title() const { return m_strTitle; }

    // Routes every later box to `sink` (nullptr: back to the screen); returns the sink that
    // was active before, nullptr for the screen.
    CMessageSink* SetSink(CMessageSink* sink);

    // Errors and warnings: the code's text, then " [code = <code>]". Codes outside the error
    // and warning groups show nothing.
    void ShowMessage(int code);
    // The same with a detail on a line of its own before the code (a file the user may open
    // by hand).
    void ShowMessage(int code, const std::string& detail);
    // Out-of-range values 1200..1222: the code's text with the two limits put in.
    void ShowRangeMessage(int code, const char* low, const char* high);
    // Confirmations 1800..1811: OK/Cancel, question icon, no code; `subject` (the list asked
    // about) stands for the text's "%s". True when OK was chosen; any other code shows nothing
    // and gives false.
    bool ConfirmMessage(int code, const std::string& subject = {});

    // Any box: the given text under the program title. True when closed with OK.
    bool Show(MessageIcon icon, MessageButtons buttons, const std::string& text);

private:
    CStringTable m_strings;
    std::string m_strTitle;
    CMessageBoxSink m_screenSink;
    CMessageSink* m_pSink = nullptr;
};

// The texts as they are shown. `format` gets `low` for its first "%s" and `high` for its
// second; "%%" becomes "%"; every other character, a further "%s" included, stays as it is, so
// a translated text can never make formatting read beyond the two limits. A null limit is
// taken as empty.
std::string FormatRangeText(const std::string& format, const char* low, const char* high);
std::string WithCodeSuffix(const std::string& text, int code);

// A text of the program's active language, for a window.
QString WindowText(int id);

// The program's reporting functions, shown through CMessageService::Instance().
void ShowMessage(int code);
void ShowRangeMessage(int code, const char* low, const char* high);
bool ConfirmMessage(int code, const std::string& subject = {});
