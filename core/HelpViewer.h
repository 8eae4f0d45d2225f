#pragma once

#include "core/LanguageSet.h"
#include "platform/HelpPages.h"

#include <QString>

// Opens the help page of a window: the page in the user's language when there is one, else the
// English page. Help is always asked for by the user (F1, Help..., About the Blades...), so a
// request that cannot be met says why instead of doing nothing.
class CHelpViewer {
public:
    // programFolder ends in '/'; open hands the chosen page to the browser.
    CHelpViewer(const QString& programFolder, const CLanguageSet& language,
                platform::PageOpener open);

    // The page of a window's help topic (helpcontext) for the connected plotter family (-1:
    // none yet). 0 when the page was handed on, kHelpPageMissing (shown) when there is none.
    // A page that nothing shows is reported with kHelpNotOpened and the page's file, so the
    // user can open it by hand.
    [[nodiscard]] int Show(int topic, int family) const;

private:
    QStringList m_folders;
    platform::PageOpener m_fnOpen;
};
