#pragma once

#include <thread>

// Work the main window needs a few milliseconds later, started on a thread of its own so
// that it runs on a second core while the main thread reads the language, takes the
// single-instance lock and builds the window: the font database (fontconfig reads its whole
// configuration on the first text laid out) and the spooler library (needed when the port
// opens). The main thread finds both done, or waits only for the rest.
//
// Made after the QApplication and destroyed before it: the thread uses Qt's font database,
// so it is joined before the application goes, also when a second instance ends at once.
class CStartupWarmUp {
public:
    CStartupWarmUp();
    ~CStartupWarmUp();
    CStartupWarmUp(const CStartupWarmUp&) = delete;
    CStartupWarmUp& operator=(const CStartupWarmUp&) = delete;

private:
    std::thread m_thread;
};
