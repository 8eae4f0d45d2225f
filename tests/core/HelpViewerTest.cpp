// Help pages: every window's page ships in English and Japanese, and a request opens the page
// of the user's language, else the English one, else says why nothing opens.

#include "core/HelpViewer.h"
#include "core/HelpContext.h"
#include "core/messages/MessageCodes.h"
#include "models/PlotterTables.h"
#include "tests/core/messages/CRecordingMessageSink.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <functional>
#include <optional>

namespace {

// Every context a window can ask for: each topic, the blade pages of every family and of none.
QSet<int> RequestableContexts() {
    QSet<int> contexts;
    for (int topic = 0; topic <= helpcontext::kTopicBladeInformation; ++topic) {
        for (int family = -1; family < kFamilyCount; ++family) {
            contexts.insert(helpcontext::ForTopic(topic, family));
        }
    }
    return contexts;
}

// What a page must be to show on any machine: well-formed, in its language, and complete in
// itself (no scripts, only links to files beside it that exist).
void ExpectSelfContainedPage(const QString& path, const QString& language) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    const QByteArray text = file.readAll();
    EXPECT_TRUE(text.startsWith("<!DOCTYPE html>")) << path.toStdString();
    EXPECT_TRUE(text.contains("<meta charset=\"utf-8\"")) << path.toStdString();
    QXmlStreamReader xml(text);
    bool titled = false;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) {
            continue;
        }
        const QStringView name = xml.name();
        EXPECT_NE(name, u"script") << path.toStdString();
        if (name == u"html") {
            EXPECT_EQ(xml.attributes().value("lang"), language) << path.toStdString();
        }
        titled = titled || name == u"title";
        for (const char* link : {"href", "src"}) {
            const QString target = xml.attributes().value(link).toString().section('#', 0, 0);
            if (!target.isEmpty()) {
                EXPECT_TRUE(QFileInfo::exists(QFileInfo(path).dir().filePath(target)))
                    << path.toStdString() << " links " << target.toStdString();
            }
        }
    }
    EXPECT_FALSE(xml.hasError()) << path.toStdString() << ": " << xml.errorString().toStdString()
                                 << " at line " << xml.lineNumber();
    EXPECT_TRUE(titled) << path.toStdString();
}

TEST(HelpPages, EveryRequestableContextHasItsEnglishAndJapanesePage) {
    const QSet<int> contexts = RequestableContexts();
    for (const auto& [folder, language] : {std::pair{"ENG", "en"}, std::pair{"JPN", "ja"}}) {
        for (const int context : contexts) {
            ExpectSelfContainedPage(QStringLiteral(QUIRN_RUNTIME_DIR "/help/%1/%2.html")
                                        .arg(QLatin1String(folder))
                                        .arg(context),
                                    QLatin1String(language));
        }
    }
}

TEST(HelpViewer, OpensTheUsersPageElseTheEnglishPageElseSaysWhy) {
    enum class Page { Own, English, None };
    struct Row {
        std::uint16_t langId;
        bool ownPage;
        bool englishPage;
        bool opens;
        Page opened;
        int code;
    };
    const Row rows[] = {
        {1041, true, true, true, Page::Own, msg::kOk},
        {1041, false, true, true, Page::English, msg::kOk},
        {1049, false, true, true, Page::English, msg::kOk}, // no Russian pages at all
        {1033, true, true, true, Page::Own, msg::kOk},
        {1041, false, false, true, Page::None, msg::kHelpPageMissing},
        {1033, false, false, true, Page::None, msg::kHelpPageMissing},
        {1041, true, true, false, Page::Own, msg::kHelpNotOpened},
        {1041, false, true, false, Page::English, msg::kHelpNotOpened},
    };
    // The blade page of the third family: the topic and family reach the file name.
    const int context = helpcontext::ForTopic(helpcontext::kTopicBladeInformation, 2);
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.langId << " own " << row.ownPage << " English "
                                        << row.englishPage << " opens " << row.opens);
        const CLanguageSet language(row.langId);
        QTemporaryDir program;
        const QString own = program.path() + '/' + QString::fromStdString(language.GetHelpFolder());
        const QString english = program.path() + "/help/ENG";
        for (const auto& [folder, present] :
             {std::pair{own, row.ownPage}, std::pair{english, row.englishPage}}) {
            QDir().mkpath(folder);
            QFile page(platform::HelpPagePath(folder, context));
            ASSERT_TRUE(!present || page.open(QIODevice::WriteOnly));
        }
        QList<QUrl> asked;
        const CHelpViewer viewer(program.path() + '/', language,
                                 [&](const QUrl& url, const std::function<void()>& failed) {
                                     asked.append(url);
                                     if (!row.opens) {
                                         failed();
                                     }
                                 });
        CScopedRecordingSink messages;

        EXPECT_EQ(viewer.Show(helpcontext::kTopicBladeInformation, 2),
                  row.code == msg::kHelpPageMissing ? row.code : msg::kOk);

        const std::optional<QString> expected =
            row.opened == Page::None  ? std::nullopt
            : row.opened == Page::Own ? std::optional(platform::HelpPagePath(own, context))
                                      : std::optional(platform::HelpPagePath(english, context));
        EXPECT_EQ(asked, expected ? QList<QUrl>{QUrl::fromLocalFile(*expected)} : QList<QUrl>{});
        if (row.code == msg::kOk) {
            EXPECT_TRUE(messages.Sink().m_vecShown.empty());
        } else {
            ASSERT_EQ(messages.Sink().m_vecShown.size(), 1u);
            EXPECT_EQ(messages.Sink().m_vecShown[0].icon, MessageIcon::Warning);
            const std::string& text = messages.Sink().m_vecShown[0].text;
            EXPECT_TRUE(text.ends_with("[code = " + std::to_string(row.code) + "]")) << text;
            // A page that exists but did not open is named, so it can be opened by hand.
            const bool named = expected && text.find(expected->toStdString()) != std::string::npos;
            EXPECT_EQ(named, row.code == msg::kHelpNotOpened) << text;
        }
    }
}

} // namespace
