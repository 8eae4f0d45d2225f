#include "core/HelpViewer.h"

#include "core/HelpContext.h"
#include "core/messages/CMessageService.h"
#include "core/messages/MessageCodes.h"

#include <QDir>

#include <utility>

namespace {

constexpr char kEnglishHelpFolder[] = "help/ENG";

} // namespace

CHelpViewer::CHelpViewer(const QString& programFolder, const CLanguageSet& language,
                         platform::PageOpener open)
    : m_fnOpen(std::move(open)) {
    m_folders << programFolder + QString::fromStdString(language.GetHelpFolder());
    if (language.GetHelpFolder() != kEnglishHelpFolder) {
        m_folders << programFolder + kEnglishHelpFolder;
    }
}

int CHelpViewer::Show(int topic, int family) const {
    const QString page = platform::FindHelpPage(m_folders, helpcontext::ForTopic(topic, family));
    if (page.isEmpty()) {
        ShowMessage(msg::kHelpPageMissing);
        return msg::kHelpPageMissing;
    }
    m_fnOpen(QUrl::fromLocalFile(page), [page] {
        CMessageService::Instance().ShowMessage(msg::kHelpNotOpened,
                                                QDir::toNativeSeparators(page).toStdString());
    });
    return msg::kOk;
}
