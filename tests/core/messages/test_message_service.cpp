#include "core/messages/CMessageService.h"
#include "core/messages/MessageCodes.h"
#include "tests/core/messages/CRecordingMessageSink.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <filesystem>
#include <fstream>
#include <optional>

#include <gtest/gtest.h>

namespace {

const std::string kTitle = "Morvalin Vireclip";

// A service of its own per test, recording what it shows.
class MessageService : public ::testing::Test {
protected:
    void SetUp() override { m_service.SetSink(&m_sink); }

    CMessageService m_service;
    CRecordingMessageSink m_sink;
};

} // namespace

TEST_F(MessageService, ErrorShowsItsTextWithCodeUnderTheTitle) {
    m_service.ShowMessage(msg::kNoPlotter);
    ASSERT_EQ(m_sink.m_vecShown.size(), 1u);
    const MessageBoxRequest& box = m_sink.m_vecShown[0];
    EXPECT_EQ(box.icon, MessageIcon::Error);
    EXPECT_EQ(box.buttons, MessageButtons::Ok);
    EXPECT_EQ(box.caption, kTitle);
    EXPECT_EQ(box.text, "Cannot communicate with the plotter.\nCheck that the USB cable is "
                        "connected correctly,\nand then confirm that the plotter is turned on. "
                        "[code = 1004]");
}

TEST_F(MessageService, EachCodeShowsWithItsGroupsIconOrNotAtAll) {
    const std::pair<int, std::optional<MessageIcon>> cases[] = {
        {0, std::nullopt},
        {-1, std::nullopt},
        {999, std::nullopt},
        {1000, MessageIcon::Error},
        {1010, MessageIcon::Error},
        {1011, std::nullopt},
        {1012, MessageIcon::Error},
        {1015, MessageIcon::Error},
        {1016, std::nullopt},
        {1099, std::nullopt},
        {1100, MessageIcon::Error},
        {1102, MessageIcon::Error},
        {1103, std::nullopt},
        {1200, std::nullopt},
        {1222, std::nullopt},
        {1299, std::nullopt},
        {1300, MessageIcon::Warning},
        {1306, MessageIcon::Warning},
        {1307, std::nullopt},
        {1399, std::nullopt},
        {1400, MessageIcon::Warning},
        {1407, MessageIcon::Warning},
        {1408, std::nullopt},
        {1499, std::nullopt},
        {1500, MessageIcon::Warning},
        {1501, MessageIcon::Warning},
        {1502, std::nullopt},
        {1800, std::nullopt},
        {1811, std::nullopt},
    };
    for (const auto& [code, icon] : cases) {
        m_sink.m_vecShown.clear();
        m_service.ShowMessage(code);
        if (!icon) {
            EXPECT_TRUE(m_sink.m_vecShown.empty()) << "code " << code;
            continue;
        }
        ASSERT_EQ(m_sink.m_vecShown.size(), 1u) << "code " << code;
        EXPECT_EQ(m_sink.m_vecShown[0].icon, *icon) << "code " << code;
        EXPECT_EQ(m_sink.m_vecShown[0].text,
                  m_service.Strings().LoadString(code) + " [code = " + std::to_string(code) + "]");
    }
}

TEST_F(MessageService, RangeMessagePutsInTheLimits) {
    m_service.ShowRangeMessage(msg::kRangeMarkDistXMm, "0.0", "582.0");
    m_service.ShowRangeMessage(msg::kRangeDistanceAdjustL, "-2.00", "2.00");
    m_service.ShowRangeMessage(msg::kRangeFeedLengthFeet, "3", "164");
    ASSERT_EQ(m_sink.m_vecShown.size(), 3u);
    for (const MessageBoxRequest& box : m_sink.m_vecShown) {
        EXPECT_EQ(box.icon, MessageIcon::Warning);
        EXPECT_EQ(box.buttons, MessageButtons::Ok);
        EXPECT_EQ(box.caption, kTitle);
    }
    EXPECT_EQ(m_sink.m_vecShown[0].text,
              "The value specified for the X axis distance between the registration marks "
              "exceeds the allowable range. \nPlease specify a distance in the range 0.0 to "
              "582.0 mm. [code = 1200]");
    EXPECT_TRUE(m_sink.m_vecShown[1].text.ends_with("range -2.00 to 2.00 %. [code = 1217]"));
    EXPECT_TRUE(m_sink.m_vecShown[2].text.ends_with("range  3 to 164 feet. [code = 1216]"));
}

TEST_F(MessageService, RangeMessageShowsNothingOutsideTheRangeCodes) {
    for (int code : {0, 1004, 1199, 1223, 1300, 1801}) {
        m_service.ShowRangeMessage(code, "1", "2");
    }
    EXPECT_TRUE(m_sink.m_vecShown.empty());
}

TEST(FormatRangeText, PutsInTwoLimitsAndNothingElse) {
    const struct {
        const char* format;
        const char* low;
        const char* high;
        const char* expected;
    } cases[] = {
        {"in %s to %s mm.", "1", "2", "in 1 to 2 mm."},
        {"%s to %s %%.", "-2.00", "2.00", "-2.00 to 2.00 %."},
        {"%s %s %s", "a", "b", "a b %s"},
        {"%d %n %s %x", "a", "b", "%d %n a %x"},
        {"%s to %s", nullptr, nullptr, " to "},
        {"trailing %", "a", "b", "trailing %"},
        {"%%s %s", "a", "b", "%s a"},
        {"no limits", "a", "b", "no limits"},
        {"%s%s", "%s", "%%", "%s%%"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatRangeText(c.format, c.low, c.high), c.expected) << c.format;
    }
}

TEST_F(MessageService, ConfirmationsAskOkCancelWithoutCode) {
    m_sink.AnswerNext(true);
    m_sink.AnswerNext(false);
    // The list's name goes in as it is, even one that looks like a conversion.
    EXPECT_TRUE(m_service.ConfirmMessage(msg::kConfirmDeleteList, "Vinyl 5%s"));
    EXPECT_FALSE(m_service.ConfirmMessage(msg::kConfirmOverwriteList));
    // No answer scripted: the box counts as cancelled.
    EXPECT_FALSE(m_service.ConfirmMessage(msg::kConfirmChangeConditions));
    ASSERT_EQ(m_sink.m_vecShown.size(), 3u);
    const char* texts[] = {"Do you want to delete the list \"Vinyl 5%s\"?",
                           "The Media List will be overwritten.\nOK?",
                           "The cutting conditions will be changed.\nOK?"};
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(m_sink.m_vecShown[i].icon, MessageIcon::Question);
        EXPECT_EQ(m_sink.m_vecShown[i].buttons, MessageButtons::OkCancel);
        EXPECT_EQ(m_sink.m_vecShown[i].caption, kTitle);
        EXPECT_EQ(m_sink.m_vecShown[i].text, texts[i]);
    }
}

TEST_F(MessageService, ConfirmationOfAnotherCodeAsksNothing) {
    m_sink.AnswerNext(true);
    for (int code : {0, 1004, 1200, 1799, 1812}) {
        EXPECT_FALSE(m_service.ConfirmMessage(code)) << code;
    }
    EXPECT_TRUE(m_sink.m_vecShown.empty());
}

TEST_F(MessageService, LanguageFileGivesTextsAndTitleWithTheSameSuffix) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::filesystem::path folder = dir.path().toStdString();
    std::filesystem::create_directories(folder / "lang");
    std::ofstream(folder / "lang" / "Vireclip_JPN.txt", std::ios::binary)
        << "2000\t\xE3\x83\x93\xE3\x83\xAC\n"
           "1004\t\xE9\x80\x9A\xE4\xBF\xA1\\n\xE7\xA2\xBA\xE8\xAA\x8D\n"
           "1200\tX %s - %s mm\n"
           "1809\t\xE5\x89\x8A\xE9\x99\xA4 %s?\n";
    ASSERT_TRUE(m_service.LoadLanguage(folder.string(), "Vireclip_JPN.dll"));
    EXPECT_EQ(m_service.Title(), "\xE3\x83\x93\xE3\x83\xAC");

    m_service.ShowMessage(msg::kNoPlotter);
    m_service.ShowRangeMessage(msg::kRangeMarkDistXMm, "0.0", "582.0");
    m_service.ConfirmMessage(msg::kConfirmDeleteList, "Vinyl");
    m_service.ShowMessage(msg::kPortBusy); // not translated: English
    ASSERT_EQ(m_sink.m_vecShown.size(), 4u);
    for (const MessageBoxRequest& box : m_sink.m_vecShown) {
        EXPECT_EQ(box.caption, "\xE3\x83\x93\xE3\x83\xAC");
    }
    EXPECT_EQ(m_sink.m_vecShown[0].text,
              "\xE9\x80\x9A\xE4\xBF\xA1\n\xE7\xA2\xBA\xE8\xAA\x8D [code = 1004]");
    EXPECT_EQ(m_sink.m_vecShown[1].text, "X 0.0 - 582.0 mm [code = 1200]");
    EXPECT_EQ(m_sink.m_vecShown[2].text, "\xE5\x89\x8A\xE9\x99\xA4 Vinyl?");
    EXPECT_EQ(m_sink.m_vecShown[3].text,
              CStringTable().LoadString(msg::kPortBusy) + " [code = 1005]");
}

TEST_F(MessageService, MissingLanguageKeepsTheEnglishTitle) {
    EXPECT_FALSE(m_service.LoadLanguage("/nonexistent-folder", "Vireclip_GER.dll"));
    EXPECT_EQ(m_service.Title(), kTitle);
}

TEST(MessageReporting, ProgramFunctionsGoThroughTheInstalledSink) {
    CMessageSink* before = CMessageService::Instance().SetSink(nullptr);
    CMessageService::Instance().SetSink(before);
    {
        CScopedRecordingSink scoped;
        scoped.Sink().AnswerNext(true);
        ShowMessage(msg::kSelectList);
        ShowRangeMessage(msg::kRangeOffsetAngle, "0", "90");
        EXPECT_TRUE(ConfirmMessage(msg::kConfirmCrossCut));
        ASSERT_EQ(scoped.Sink().m_vecShown.size(), 3u);
        EXPECT_EQ(scoped.Sink().m_vecShown[0].text, "Please select a List. [code = 1300]");
        EXPECT_TRUE(scoped.Sink().m_vecShown[1].text.ends_with("0 to 90 degrees. [code = 1212]"));
        EXPECT_EQ(scoped.Sink().m_vecShown[2].text,
                  "The plotter will now perform cross cutting.\nOK?");
    }
    EXPECT_EQ(CMessageService::Instance().SetSink(before), before);
}

namespace {

// Answers the next message box on screen with `button` and records what it showed.
struct ScreenAnswer {
    explicit ScreenAnswer(QMessageBox::StandardButton answerWith) : button(answerWith) {}

    QMessageBox::StandardButton button;
    bool seen = false;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString title;
    QString text;
    Qt::TextFormat format = Qt::AutoText;
    bool hasCancel = false;
    QStringList buttons;
};

void AnswerOnScreen(ScreenAnswer& answer) {
    auto* timer = new QTimer(qApp);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, &answer] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) {
            return;
        }
        answer.seen = true;
        answer.icon = box->icon();
        answer.title = box->windowTitle();
        answer.text = box->text();
        answer.format = box->textFormat();
        answer.hasCancel = box->button(QMessageBox::Cancel) != nullptr;
        for (QAbstractButton* shown : box->buttons()) {
            answer.buttons << shown->text();
        }
        box->button(answer.button)->click();
        timer->deleteLater();
    });
    timer->start(10);
}

} // namespace

TEST(ScreenSink, ShowsAModalMessageBox) {
    CMessageService service;
    ScreenAnswer answer{QMessageBox::Ok};
    AnswerOnScreen(answer);
    service.ShowMessage(msg::kListInUse);
    ASSERT_TRUE(answer.seen);
    EXPECT_EQ(answer.icon, QMessageBox::Warning);
    EXPECT_EQ(answer.title, QString::fromStdString(kTitle));
    EXPECT_EQ(answer.text,
              QString::fromUtf8(service.Strings().LoadString(msg::kListInUse) + " [code = 1301]"));
    EXPECT_EQ(answer.format, Qt::PlainText);
    EXPECT_FALSE(answer.hasCancel);
}

TEST(ScreenSink, ConfirmationReportsTheButtonChosen) {
    CMessageService service;
    for (const auto& [button, expected] :
         {std::pair{QMessageBox::Ok, true}, std::pair{QMessageBox::Cancel, false}}) {
        ScreenAnswer answer{button};
        AnswerOnScreen(answer);
        EXPECT_EQ(service.ConfirmMessage(msg::kConfirmTestCut), expected);
        ASSERT_TRUE(answer.seen);
        EXPECT_EQ(answer.icon, QMessageBox::Question);
        EXPECT_TRUE(answer.hasCancel);
        EXPECT_EQ(answer.text, "The plotter will now cut the test pattern.\nOK?");
    }
}

TEST(ScreenSink, ShowsUtf8TextsAsUnicode) {
    CMessageService service;
    ScreenAnswer answer{QMessageBox::Ok};
    AnswerOnScreen(answer);
    service.Show(MessageIcon::Error, MessageButtons::Ok,
                 "Gr\xC3\xB6\xC3\x9F"
                 "e <b>");
    ASSERT_TRUE(answer.seen);
    EXPECT_EQ(answer.icon, QMessageBox::Critical);
    EXPECT_EQ(answer.text, QString::fromUtf16(u"Gr\u00F6\u00DFe <b>"));
}

TEST(ScreenSink, ButtonsSpeakTheLanguageOfTheTexts) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::filesystem::path folder = dir.path().toStdString();
    std::filesystem::create_directories(folder / "lang");
    std::ofstream(folder / "lang" / "Vireclip_GER.txt", std::ios::binary) << "2101\tJa\n"
                                                                             "2014\tNein\n";
    CMessageService service;
    ASSERT_TRUE(service.LoadLanguage(folder.string(), "Vireclip_GER.dll"));
    ScreenAnswer answer{QMessageBox::Cancel};
    AnswerOnScreen(answer);
    EXPECT_FALSE(service.ConfirmMessage(msg::kConfirmTestCut));
    ASSERT_TRUE(answer.seen);
    answer.buttons.sort();
    EXPECT_EQ(answer.buttons, QStringList({"Ja", "Nein"}));
}
