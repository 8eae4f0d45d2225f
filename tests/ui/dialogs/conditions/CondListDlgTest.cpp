// The condition list window, driven offscreen by control id; the edit windows it opens are
// answered as they show.
#include "ConditionRig.h"
#include "tests/ui/main/ModalAnswer.h"

#include "core/messages/MessageCodes.h"
#include "skin/SkinCombo.h"
#include "ui/dialogs/conditions/CondEditDlg.h"
#include "ui/dialogs/conditions/CondListDlg.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <memory>

namespace {

using List = CCondListDlg;
using Edit = CCondEditDlg;
namespace fs = std::filesystem;

const CuttingCondition kVinyl{"Vinyl", "KR16U", 14, 40, 2, 1};
const CuttingCondition kPaper{"Paper", "KR10A (1)", 10, 20, 3, -2};
const CuttingCondition kBanana{"banana", "Other", 5, 10, 1, 45};

std::unique_ptr<List> Open(ConditionRig& rig) {
    auto dlg = std::make_unique<List>(rig.Links());
    EXPECT_EQ(dlg->OnInitDialog(), msg::kOk);
    dlg->show();
    QApplication::setActiveWindow(dlg.get());
    EXPECT_TRUE(QTest::qWaitForWindowActive(dlg.get()));
    return dlg;
}

QTableWidget* Table(List& dlg) {
    return static_cast<QTableWidget*>(dlg.Control(List::kIdList));
}

std::vector<std::string> Names(List& dlg) {
    std::vector<std::string> names;
    for (int row = 0; row < Table(dlg)->rowCount(); ++row) {
        names.push_back(Table(dlg)->item(row, 0)->text().toStdString());
    }
    return names;
}

void Select(List& dlg, const std::string& name) {
    const auto found = Table(dlg)->findItems(QString::fromStdString(name), Qt::MatchExactly);
    ASSERT_FALSE(found.isEmpty()) << name;
    Table(dlg)->selectRow(found.front()->row());
}

// Clicks `button` of the list and answers the edit window that opens with `act`.
void EditWith(List& dlg, int button, const std::function<void(Edit&)>& act) {
    const ModalAnswer answer(&dlg, [&](QWidget* window) { act(*static_cast<Edit*>(window)); });
    Click(dlg, button);
    EXPECT_TRUE(answer.Seen());
}

void Rename(Edit& edit, const char* name) {
    static_cast<QLineEdit*>(edit.Control(Edit::kIdName))->setText(name);
}

class CondList : public ::testing::Test {
protected:
    void SetUp() override { m_rig.Load({kVinyl, kPaper, kBanana}, "Vinyl"); }
    ConditionRig m_rig;
};

// Six columns, the first two as wide as the language says, the levels as wide as their
// headers; one row per list in the store's order.
TEST(CondListColumns, HeadersWidthsAndRows) {
    const struct {
        std::uint16_t langId;
        int nameWidth;
    } languages[] = {{1033, 188}, {1031, 165}, {2052, 237}, {1041, 188}};
    for (const auto& language : languages) {
        ConditionRig rig("RX3600-60", language.langId);
        rig.Load({{"Vinyl", "KR16U", 14, 30, 2, -1}, {"Card", "KR10A", 20, 10, 1, 0}}, "Vinyl");
        const auto dlg = Open(rig);
        QHeaderView* header = Table(*dlg)->horizontalHeader();
        const QStringList headers{"Media Name", "Pen Type", "Force", "Speed", "Quality", "Offset"};
        ASSERT_EQ(Table(*dlg)->columnCount(), 6);
        for (int column = 0; column < 6; ++column) {
            EXPECT_EQ(Table(*dlg)->horizontalHeaderItem(column)->text(), headers[column]);
        }
        EXPECT_EQ(header->sectionSize(0), language.nameWidth) << language.langId;
        EXPECT_EQ(header->sectionSize(1), 100) << language.langId;
        for (int column = 2; column < 6; ++column) {
            const int text = header->fontMetrics().horizontalAdvance(headers[column]);
            EXPECT_GE(header->sectionSize(column), text) << headers[column].toStdString();
            EXPECT_LT(header->sectionSize(column), 100) << headers[column].toStdString();
        }
        ASSERT_EQ(Table(*dlg)->rowCount(), 2);
        for (int row = 0; row < 2; ++row) {
            const CuttingCondition c = rig.store.GetConditionAt(row);
            const QStringList cells{
                QString::fromStdString(c.m_strName), QString::fromStdString(c.m_strBlade),
                QString::number(c.m_nForce),         QString::number(c.m_nSpeed),
                QString::number(c.m_nQuality),       QString::number(c.m_nOffset)};
            for (int column = 0; column < 6; ++column) {
                EXPECT_EQ(Table(*dlg)->item(row, column)->text(), cells[column]);
            }
        }
        EXPECT_FALSE(header->sectionsClickable());
    }
}

TEST_F(CondList, EditCopyAndDeleteNeedARow) {
    const auto dlg = Open(m_rig);
    for (const int button : {List::kIdEdit, List::kIdCopy, List::kIdDelete}) {
        m_rig.recording.Sink().m_vecShown.clear();
        Click(*dlg, button);
        EXPECT_EQ(m_rig.ShownCodes(), std::vector<int>{msg::kSelectList}) << button;
    }
    EXPECT_EQ(m_rig.Files(), (std::vector<std::string>{"Paper.kcd", "Vinyl.kcd", "banana.kcd"}));
    QTest::keyClick(Table(*dlg), Qt::Key_F1);
    EXPECT_EQ(m_rig.helpTopics, std::vector<int>{1});
}

// The list in use is never deleted; any other one after 1809, unless its file cannot go.
TEST(CondListDelete, OnlyConfirmedListsNotInUseGo) {
    const struct {
        const char* what;
        std::string name;
        bool answer;
        bool writeProtected;
        std::vector<int> codes;
        bool gone;
    } cases[] = {
        {"in use", "Vinyl", true, false, {msg::kListInUse}, false},
        {"declined", "Paper", false, false, {msg::kConfirmDeleteList}, false},
        {"confirmed", "Paper", true, false, {msg::kConfirmDeleteList}, true},
        {"write-protected",
         "Paper",
         true,
         true,
         {msg::kConfirmDeleteList, msg::kCannotDeleteList},
         false},
    };
    for (const auto& c : cases) {
        ConditionRig rig;
        rig.Load({kVinyl, kPaper, kBanana}, "Vinyl");
        if (c.writeProtected) {
            ASSERT_EQ(::chmod(rig.File(c.name).c_str(), 0444), 0);
        }
        const auto dlg = Open(rig);
        const std::vector<std::string> before = Names(*dlg);
        Select(*dlg, c.name);
        rig.Answer(c.answer);
        Click(*dlg, List::kIdDelete);

        EXPECT_EQ(rig.ShownCodes(), c.codes) << c.what;
        if (c.codes.front() == msg::kConfirmDeleteList) {
            EXPECT_EQ(rig.recording.Sink().m_vecShown.front().text,
                      "Do you want to delete the list \"" + c.name + "\"?")
                << c.what;
        }
        EXPECT_EQ(fs::exists(rig.File(c.name)), !c.gone) << c.what;
        std::vector<std::string> after = before;
        if (c.gone) {
            std::erase(after, c.name);
        }
        EXPECT_EQ(Names(*dlg), after) << c.what;
    }
}

// New opens the edit window with the defaults; OK writes the file as the format has it and
// the rows come back sorted regardless of letter case.
TEST_F(CondList, NewWritesTheFileAndSortsTheRows) {
    const auto dlg = Open(m_rig);
    EditWith(*dlg, List::kIdNew, [](Edit& edit) {
        EXPECT_EQ(edit.windowTitle(), "Create new cutting conditions");
        EXPECT_EQ(static_cast<QLineEdit*>(edit.Control(Edit::kIdName))->text(), "New Media");
        EXPECT_EQ(static_cast<CSkinCombo*>(edit.Control(Edit::kIdBlade))->currentText(),
                  "KR10A (1)");
        for (const int id : {Edit::kIdForceValue, Edit::kIdSpeedValue, Edit::kIdQualityValue}) {
            EXPECT_EQ(static_cast<QLabel*>(edit.Control(id))->text(), " 1");
        }
        EXPECT_EQ(static_cast<QLabel*>(edit.Control(Edit::kIdOffsetValue))->text(), " 0");
        Rename(edit, "apple");
        Click(edit, Edit::kIdOk);
    });
    EXPECT_EQ(ReadText(m_rig.File("apple")), "[Generic]\r\n"
                                             "Product=Vireclip Ver1\r\n"
                                             "Type=WX8800-60\r\n"
                                             "[Setting]\r\n"
                                             "Cutter=KR10A (1)\r\n"
                                             "Force=1\r\n"
                                             "Speed=1\r\n"
                                             "Quality=1\r\n"
                                             "Offset=0\r\n");
    EXPECT_EQ(Names(*dlg), (std::vector<std::string>{"apple", "banana", "Paper", "Vinyl"}));
    EXPECT_TRUE(m_rig.ShownCodes().empty());
}

// The lists come loaded in name order; one added since stays last until an edit window's OK
// sorts them again, which its Cancel does not.
TEST_F(CondList, EditAndCopySortOnlyAfterOk) {
    ASSERT_EQ(m_rig.store.AddCondition({"aaa", "KR16U", 3, 3, 3, 3}), msg::kOk);
    const auto dlg = Open(m_rig);
    const std::vector<std::string> unsorted = Names(*dlg);
    ASSERT_EQ(unsorted, (std::vector<std::string>{"banana", "Paper", "Vinyl", "aaa"}));

    Select(*dlg, "Paper");
    EditWith(*dlg, List::kIdEdit, [](Edit& edit) { Click(edit, Edit::kIdCancel); });
    EXPECT_EQ(Names(*dlg), unsorted);

    Select(*dlg, "Paper");
    EditWith(*dlg, List::kIdCopy, [](Edit& edit) {
        EXPECT_EQ(edit.windowTitle(), "Copy cutting conditions");
        Rename(edit, "Paper 2");
        Click(edit, Edit::kIdOk);
    });
    EXPECT_EQ(Names(*dlg),
              (std::vector<std::string>{"aaa", "banana", "Paper", "Paper 2", "Vinyl"}));
    CuttingCondition copy = kPaper;
    copy.m_strName = "Paper 2";
    EXPECT_EQ(m_rig.store.FindCondition("Paper 2"), copy);
    EXPECT_EQ(m_rig.store.FindCondition("Paper"), kPaper);
    EXPECT_EQ(m_rig.TakeWire(), "");
}

// The media list folder made read-only; as root, whom permissions do not stop, the effective
// user is "nobody" meanwhile.
class ReadOnlyFolder {
public:
    ReadOnlyFolder(const fs::path& root, const fs::path& folder) : m_folder(folder) {
        ::chmod(root.c_str(), 0755); // so that only the folder's own mode stops a write
        ::chmod(folder.c_str(), 0555);
        m_bRoot = ::geteuid() == 0;
        if (m_bRoot && ::seteuid(65534) != 0) {
            ADD_FAILURE() << "cannot act as nobody";
        }
    }
    ~ReadOnlyFolder() {
        if (m_bRoot && ::seteuid(0) != 0) {
            ADD_FAILURE() << "cannot act as root again";
        }
        ::chmod(m_folder.c_str(), 0755);
    }
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

private:
    fs::path m_folder;
    bool m_bRoot = false;
};

// A list that cannot be written is shown as 1305; the edit window stays with the user's values,
// and the files and the rows stay as they were.
TEST_F(CondList, ReadOnlyFolderChangesNothing) {
    const auto dlg = Open(m_rig);
    const std::vector<std::string> rows = Names(*dlg);
    const std::string paperFile = ReadText(m_rig.File("Paper"));
    Select(*dlg, "Paper");
    EditWith(*dlg, List::kIdCopy, [&](Edit& edit) {
        Rename(edit, "Card");
        {
            const ReadOnlyFolder readOnly(m_rig.folder.Path(), m_rig.store.Folder());
            Click(edit, Edit::kIdOk);
        }
        EXPECT_EQ(m_rig.ShownCodes(), std::vector<int>{msg::kMediaListEditFailed});
        EXPECT_TRUE(edit.isVisible());
        EXPECT_EQ(static_cast<QLineEdit*>(edit.Control(Edit::kIdName))->text(), "Card");
        Click(edit, Edit::kIdCancel);
    });
    EXPECT_EQ(m_rig.Files(), (std::vector<std::string>{"Paper.kcd", "Vinyl.kcd", "banana.kcd"}));
    EXPECT_EQ(ReadText(m_rig.File("Paper")), paperFile);
    EXPECT_EQ(Names(*dlg), rows);
    EXPECT_EQ(m_rig.store.GetCount(), 3);
}

// A skin file missing: the window shows 1015 and ends with it before it appears.
TEST(CondWindowsSkin, MissingSkinFileEndsTheWindowWith1015) {
    const struct {
        const char* missing;
        std::function<int(const ConditionDialogLinks&)> run;
    } cases[] = {
        {"SCRL_KNOB.BMP", [](const ConditionDialogLinks& l) { return Edit(l).exec(); }},
        {"BUTTON_1_UP.BMP", [](const ConditionDialogLinks& l) { return List(l).exec(); }},
    };
    for (const auto& c : cases) {
        ConditionRig rig;
        rig.Load({kVinyl}, "Vinyl");
        CTempFolder program;
        fs::copy(fs::path(QUIRN_RUNTIME_DIR) / "BMP", program.Path() / "BMP",
                 fs::copy_options::recursive);
        fs::remove(program.Path() / "BMP" / "CMN" / c.missing);
        rig.programFolder = program.Path().string() + "/";
        EXPECT_EQ(c.run(rig.Links()), msg::kControlPicturesFailed) << c.missing;
        EXPECT_EQ(rig.ShownCodes(), std::vector<int>{msg::kControlPicturesFailed}) << c.missing;
    }
}

} // namespace
