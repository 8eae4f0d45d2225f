#include "conditions/MediaList.h"
#include "conditions/MediaListFile.h"
#include "core/messages/MessageCodes.h"
#include "models/PlotterModel.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <atomic>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr const char* kType = "RX3600-60";

std::string Kcd(const std::string& cutter, int force, const std::string& type = kType) {
    return "[Generic]\nProduct=Vireclip Ver1\nType=" + type + "\n[Setting]\nCutter=" + cutter +
           "\nForce=" + std::to_string(force) + "\nSpeed=30\nQuality=2\nOffset=1\n";
}

// A store for an identified RX3600-60 whose folder lies in a fresh temporary folder.
class MediaListTest : public ::testing::Test {
protected:
    MediaListTest() {
        m_model.Identify(kType);
        m_model.SelectBladeCatalogue(1033);
        fs::create_directories(Folder());
    }

    fs::path Folder() const { return m_temp.Path() / "MEDIALIST" / "ENG" / kType; }
    void Put(const std::string& name, const std::string& text) {
        WriteText(Folder() / (name + ".kcd"), text);
    }
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (int i = 0; i < m_store.GetCount(); ++i) {
            names.push_back(m_store.GetConditionAt(i).m_strName);
        }
        return names;
    }
    int Load() {
        CuttingCondition current;
        return m_store.Load(current);
    }

    CTempFolder m_temp;
    CPlotterModel m_model;
    CMediaList m_store{m_model, m_temp.Path() / "MEDIALIST" / "ENG"};
};

TEST_F(MediaListTest, FolderFollowsTheModelType) {
    EXPECT_EQ(m_store.Folder(), Folder());
}

TEST_F(MediaListTest, LoadGives1013WithoutAcceptableFile) {
    struct Case {
        const char* what;
        std::function<void()> prepare;
    };
    const Case cases[] = {
        {"empty folder", [] {}},
        {"only rejected files",
         [&] {
             Put("Other", Kcd("KR16U", 14, "RX3600-40"));
             Put("Weak", Kcd("KR16U", 0));
             Put("Bad", "garbage");
         }},
        {"only other extensions",
         [&] {
             WriteText(Folder() / "Vinyl.KCD", Kcd("KR16U", 14));
             WriteText(Folder() / "Vinyl.kcd.bak", Kcd("KR16U", 14));
             WriteText(Folder() / "Vinyl", Kcd("KR16U", 14));
         }},
        {"a folder named like a list", [&] { fs::create_directory(Folder() / "Dir.kcd"); }},
        {"a link to a folder named like a list",
         [&] { fs::create_directory_symlink(Folder().parent_path(), Folder() / "Up.kcd"); }},
        {"a hidden file named only by the extension",
         [&] { WriteText(Folder() / ".kcd", Kcd("KR16U", 14)); }},
        {"missing folder", [&] { fs::remove_all(Folder()); }},
        {"folder is a file",
         [&] {
             fs::remove_all(Folder());
             WriteText(Folder(), "x");
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(Folder());
        fs::create_directories(Folder());
        c.prepare();
        CuttingCondition current{"Vinyl", "KR16U", 1, 1, 1, 1};
        EXPECT_EQ(m_store.Load(current), msg::kMediaListMissing);
        EXPECT_EQ(m_store.GetCount(), 0);
        EXPECT_EQ(current.m_strName, "Vinyl"); // unchanged
    }
}

TEST_F(MediaListTest, LoadBeforeIdentificationGives1013) {
    Put("Vinyl", Kcd("KR16U", 14));
    CPlotterModel unknown;
    CMediaList store(unknown, m_temp.Path() / "MEDIALIST" / "ENG");
    CuttingCondition current;
    EXPECT_EQ(store.Load(current), msg::kMediaListMissing);
}

// Lists come in name order, without regard to letter case in any script, from the first load
// on, whatever order the folder lists its files in; the first by name is the current one when
// no name is remembered. Sorting lists added later gives the same order. Names that differ
// only in case follow their bytes.
TEST_F(MediaListTest, LoadAndSortOrderByNameWithoutRegardToCase) {
    const struct {
        const char* what;
        std::vector<std::string> written; // in this order
        std::vector<std::string> sorted;
    } cases[] = {
        {"ASCII", {"vinyl", "b", "Card", "B", "apple"}, {"apple", "B", "b", "Card", "vinyl"}},
        {"Latin", {"Äb", "Zebra", "äc", "Öa", "äa"}, {"Zebra", "äa", "Äb", "äc", "Öa"}},
        {"Cyrillic", {"Яб", "аб", "Ба"}, {"аб", "Ба", "Яб"}},
        {"Greek", {"Σα", "ασ", "σβ"}, {"ασ", "Σα", "σβ"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(Folder());
        fs::create_directories(Folder());
        for (const std::string& name : c.written) {
            Put(name, Kcd("KR16U", 14));
        }
        Put("zz rejected", Kcd("KR16U", 99));
        CuttingCondition current{"Absent", "", 0, 0, 0, 0};
        ASSERT_EQ(m_store.Load(current), msg::kOk);
        EXPECT_EQ(Names(), c.sorted);
        EXPECT_EQ(current.m_strName, c.sorted.front());

        fs::remove_all(Folder());
        fs::create_directories(Folder());
        Put("0", Kcd("KR16U", 14));
        ASSERT_EQ(Load(), msg::kOk);
        for (const std::string& name : c.written) {
            ASSERT_EQ(m_store.AddCondition({name, "KR16U", 3, 30, 2, 0}), msg::kOk);
        }
        m_store.SortByName();
        std::vector<std::string> added = Names();
        ASSERT_EQ(added.front(), "0");
        added.erase(added.begin());
        EXPECT_EQ(added, c.sorted);
    }
    fs::remove(Folder() / "0.kcd");
    ASSERT_EQ(Load(), msg::kOk);
    EXPECT_EQ(m_store.GetCount(), 3); // reloading does not keep old records
}

TEST_F(MediaListTest, CurrentConditionIsTheNamedOrTheFirstList) {
    Put("Vinyl", Kcd("KR16U", 14));
    Put("Paper", Kcd("KR16UB", 20));
    Put("Film", Kcd("KR10A", 5));
    CuttingCondition current{"Paper", "", 0, 0, 0, 0};
    ASSERT_EQ(m_store.Load(current), msg::kOk);
    EXPECT_EQ(current, (CuttingCondition{"Paper", "KR16UB", 20, 30, 2, 1}));

    CuttingCondition gone{"Deleted", "KR16U", 9, 9, 9, 9};
    ASSERT_EQ(m_store.Load(gone), msg::kOk);
    EXPECT_EQ(gone, m_store.GetConditionAt(0));

    CuttingCondition cased{"paper", "", 0, 0, 0, 0}; // names compare exactly
    ASSERT_EQ(m_store.Load(cased), msg::kOk);
    EXPECT_EQ(cased.m_strName, m_store.GetConditionAt(0).m_strName);
}

TEST_F(MediaListTest, BadFilesAreSkippedWithoutHarm) {
    Put("Good", Kcd("KR16U", 14));
    Put("Binary", std::string("\x7f"
                              "ELF\0\0\x01\x02[Generic]\n",
                              18));
    Put("Huge", Kcd("KR16U", 14) + std::string(200000, '\n'));
    Put("Truncated", Kcd("KR16U", 14).substr(0, 40));
    Put("Duplicate", Kcd("KR16U", 14) + "Force=99\n[Setting]\nForce=98\n");
    Put(std::string(250, 'N'), Kcd("KR16U", 7)); // the longest name the file system takes
    Put("Long values", Kcd(std::string(60000, 'K'), 14));
    Put("Multi.dot.name", Kcd("KR16U", 3));
    ASSERT_EQ(::mkfifo((Folder() / "Fifo.kcd").c_str(), 0600), 0);
    ASSERT_EQ(Load(), msg::kOk);
    std::vector<std::string> names = Names();
    std::ranges::sort(names);
    EXPECT_EQ(names, (std::vector<std::string>{"Duplicate", "Good", "Multi.dot.name",
                                               std::string(250, 'N')}));
    EXPECT_EQ(m_store.FindCondition("Duplicate").m_nForce, 14);
    EXPECT_EQ(m_store.FindCondition(std::string(250, 'N')).m_nForce, 7);
}

TEST_F(MediaListTest, ReadConditionFileSkipsHeldNames) {
    Put("Vinyl", Kcd("KR16U", 14));
    Put("Paper", Kcd("KR16U", 15));
    CuttingCondition record;
    EXPECT_TRUE(m_store.ReadConditionFile(Folder(), "Vinyl", record));
    EXPECT_EQ(record.m_nForce, 14);
    ASSERT_EQ(Load(), msg::kOk);
    EXPECT_FALSE(m_store.ReadConditionFile(Folder(), "Vinyl", record));
    EXPECT_FALSE(m_store.ReadConditionFile(Folder(), "../ENG/RX3600-60/Paper", record));
}

TEST_F(MediaListTest, DefaultRecords) {
    Put("Vinyl", Kcd("KR16U", 14));
    ASSERT_EQ(Load(), msg::kOk);
    const CuttingCondition unnamed{"", "KR10A", 1, 1, 1, 0};
    EXPECT_EQ(m_store.GetConditionAt(1), unnamed);
    EXPECT_EQ(m_store.GetConditionAt(100), unnamed);
    EXPECT_EQ(m_store.GetConditionAt(-1), unnamed);
    EXPECT_EQ(m_store.FindCondition("Absent"), (CuttingCondition{"Absent", "KR10A", 1, 1, 1, 0}));
    EXPECT_EQ(m_store.FindCondition("vinyl").m_strName, "vinyl"); // exact names only
    EXPECT_EQ(m_store.FindCondition("Vinyl").m_nForce, 14);

    CPlotterModel wx;
    wx.Identify("WX8800-130");
    wx.SelectBladeCatalogue(1041);
    const CMediaList store(wx, m_temp.Path());
    EXPECT_EQ(store.DefaultCondition("N"), (CuttingCondition{"N", "KR10A (1)", 1, 1, 1, 0}));
}

TEST_F(MediaListTest, AddAppendsUntilSorted) {
    Put("b", Kcd("KR16U", 2));
    ASSERT_EQ(Load(), msg::kOk);
    ASSERT_EQ(m_store.AddCondition({"C", "KR16U", 3, 30, 2, 0}), msg::kOk);
    ASSERT_EQ(m_store.AddCondition({"a", "LM400 Series", 1, 30, 2, 0}), msg::kOk);
    ASSERT_EQ(m_store.AddCondition({"B", "KR16U", 4, 30, 2, 0}), msg::kOk);
    EXPECT_EQ(Names(), (std::vector<std::string>{"b", "C", "a", "B"}));
    m_store.SortByName();
    EXPECT_EQ(Names(), (std::vector<std::string>{"a", "B", "b", "C"}));
    // What was added is on disk and reads back the same.
    CMediaList fresh(m_model, m_temp.Path() / "MEDIALIST" / "ENG");
    CuttingCondition current;
    ASSERT_EQ(fresh.Load(current), msg::kOk);
    EXPECT_EQ(fresh.GetCount(), 4);
    EXPECT_EQ(fresh.FindCondition("C"), (CuttingCondition{"C", "KR16U", 3, 30, 2, 0}));
}

TEST_F(MediaListTest, NamesUpToTheFileSystemLimitSave) {
    const std::string longest(251, 'L'); // with ".kcd": 255 bytes
    ASSERT_EQ(m_store.AddCondition({longest, "KR16U", 3, 30, 2, 0}), msg::kOk);
    EXPECT_EQ(FolderEntries(Folder()), std::vector<std::string>{longest + ".kcd"});
    EXPECT_EQ(m_store.AddCondition({longest + "L", "KR16U", 3, 30, 2, 0}),
              msg::kMediaListEditFailed);
    EXPECT_EQ(m_store.GetCount(), 1);
}

TEST_F(MediaListTest, UpdateReplacesTheFirstRecordOfTheOldName) {
    Put("Vinyl", Kcd("KR16U", 14));
    Put("Paper", Kcd("KR16U", 15));
    ASSERT_EQ(Load(), msg::kOk);
    const std::vector<std::string> before = Names();
    ASSERT_EQ(m_store.UpdateCondition({"Vinyl", "KR16UB", 20, 40, 3, -2}, "Vinyl"), msg::kOk);
    EXPECT_EQ(Names(), before);
    EXPECT_EQ(m_store.FindCondition("Vinyl"), (CuttingCondition{"Vinyl", "KR16UB", 20, 40, 3, -2}));
    CuttingCondition reread;
    ASSERT_TRUE(medialist::ReadFile(Folder() / "Vinyl.kcd", "Vinyl", m_model, reread));
    EXPECT_EQ(reread.m_nForce, 20);

    // A renamed record leaves the old name's file in place.
    ASSERT_EQ(m_store.UpdateCondition({"Film", "KR16U", 5, 40, 3, 0}, "Paper"), msg::kOk);
    EXPECT_TRUE(fs::exists(Folder() / "Paper.kcd"));
    EXPECT_TRUE(fs::exists(Folder() / "Film.kcd"));
    EXPECT_EQ(m_store.GetCount(), 2);
    EXPECT_EQ(m_store.FindCondition("Film").m_nForce, 5);

    // No record of the old name: the file is written, the array unchanged.
    ASSERT_EQ(m_store.UpdateCondition({"New", "KR16U", 6, 40, 3, 0}, "Absent"), msg::kOk);
    EXPECT_TRUE(fs::exists(Folder() / "New.kcd"));
    EXPECT_EQ(m_store.GetCount(), 2);
}

TEST_F(MediaListTest, FailedWritesLeaveTheArrayUnchanged) {
    Put("Vinyl", Kcd("KR16U", 14));
    ASSERT_EQ(Load(), msg::kOk);
    const CuttingCondition vinyl = m_store.FindCondition("Vinyl");

    ASSERT_EQ(::chmod((Folder() / "Vinyl.kcd").c_str(), 0444), 0);
    EXPECT_EQ(m_store.UpdateCondition({"Vinyl", "KR16U", 30, 30, 2, 0}, "Vinyl"),
              msg::kMediaListEditFailed);
    EXPECT_EQ(m_store.FindCondition("Vinyl"), vinyl);
    EXPECT_EQ(m_store.AddCondition({"Vinyl", "KR16U", 30, 30, 2, 0}), msg::kMediaListEditFailed);
    EXPECT_EQ(m_store.GetCount(), 1);

    for (const std::string& name :
         {std::string("../Escape"), std::string(""), std::string(".."), std::string(300, 'L')}) {
        EXPECT_EQ(m_store.AddCondition({name, "KR16U", 3, 30, 2, 0}), msg::kMediaListEditFailed)
            << name;
        EXPECT_EQ(m_store.UpdateCondition({name, "KR16U", 3, 30, 2, 0}, "Vinyl"),
                  msg::kMediaListEditFailed)
            << name;
    }
    EXPECT_FALSE(fs::exists(Folder().parent_path() / "Escape.kcd"));
    EXPECT_EQ(m_store.GetCount(), 1);
    EXPECT_EQ(m_store.FindCondition("Vinyl"), vinyl);

    ::chmod((Folder() / "Vinyl.kcd").c_str(), 0644);
    fs::remove_all(Folder());
    EXPECT_EQ(m_store.AddCondition({"Paper", "KR16U", 3, 30, 2, 0}), msg::kMediaListEditFailed);
    EXPECT_EQ(m_store.UpdateCondition({"Vinyl", "KR16U", 3, 30, 2, 0}, "Vinyl"),
              msg::kMediaListEditFailed);
    EXPECT_FALSE(fs::exists(Folder())); // the folder is not created
    EXPECT_EQ(Names(), std::vector<std::string>{"Vinyl"});
    EXPECT_EQ(m_store.FindCondition("Vinyl"), vinyl);
}

using MediaListDeathTest = MediaListTest;

// Exit code 3: both edits failed with 1305 and the array kept its one record.
[[noreturn]] void EditInChild(CMediaList& store, bool dropPrivileges, bool fullDisk) {
    if (dropPrivileges && ::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) {
        std::_Exit(9);
    }
    if (fullDisk) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{8, 8};
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    const int added = store.AddCondition({"Paper", "KR16U", 3, 30, 2, 0});
    const int updated = store.UpdateCondition({"Vinyl", "KR16U", 30, 30, 2, 0}, "Vinyl");
    const bool unchanged = store.GetCount() == 1 && store.FindCondition("Vinyl").m_nForce == 14;
    std::_Exit(added == msg::kMediaListEditFailed && updated == msg::kMediaListEditFailed &&
                       unchanged
                   ? 3
                   : 4);
}

TEST_F(MediaListDeathTest, ReadOnlyFolderGives1305) {
    Put("Vinyl", Kcd("KR16U", 14));
    ASSERT_EQ(Load(), msg::kOk);
    ASSERT_EQ(::chmod(Folder().c_str(), 0555), 0);
    EXPECT_EXIT(EditInChild(m_store, true, false), ::testing::ExitedWithCode(3), "");
    ::chmod(Folder().c_str(), 0755);
    EXPECT_EQ(FolderEntries(Folder()), std::vector<std::string>{"Vinyl.kcd"});
}

TEST_F(MediaListDeathTest, FullDiskGives1305) {
    Put("Vinyl", Kcd("KR16U", 14));
    ASSERT_EQ(Load(), msg::kOk);
    EXPECT_EXIT(EditInChild(m_store, false, true), ::testing::ExitedWithCode(3), "");
    EXPECT_EQ(ReadText(Folder() / "Vinyl.kcd"), Kcd("KR16U", 14));
    EXPECT_EQ(FolderEntries(Folder()), std::vector<std::string>{"Vinyl.kcd"});
}

TEST_F(MediaListTest, DeleteRemovesFileThenRecord) {
    Put("Vinyl", Kcd("KR16U", 14));
    Put("Paper", Kcd("KR16U", 15));
    Put("Film", Kcd("KR16U", 16));
    ASSERT_EQ(Load(), msg::kOk);
    std::vector<std::string> expected = Names();
    ASSERT_EQ(m_store.DeleteCondition("Paper"), msg::kOk);
    std::erase(expected, "Paper");
    EXPECT_EQ(Names(), expected); // the gap is closed, the order kept
    EXPECT_FALSE(fs::exists(Folder() / "Paper.kcd"));

    ASSERT_EQ(::chmod((Folder() / "Film.kcd").c_str(), 0444), 0);
    EXPECT_EQ(m_store.DeleteCondition("Film"), msg::kCannotDeleteList);
    EXPECT_TRUE(fs::exists(Folder() / "Film.kcd"));
    fs::remove(Folder() / "Vinyl.kcd");
    EXPECT_EQ(m_store.DeleteCondition("Vinyl"), msg::kCannotDeleteList);
    EXPECT_EQ(Names(), expected);

    WriteText(m_temp.Path() / "MEDIALIST" / "ENG" / "Outside.kcd", "x");
    EXPECT_EQ(m_store.DeleteCondition("../Outside"), msg::kCannotDeleteList);
    EXPECT_TRUE(fs::exists(m_temp.Path() / "MEDIALIST" / "ENG" / "Outside.kcd"));

    // A file that exists without a record is removed all the same.
    Put("Stray", Kcd("KR16U", 14));
    EXPECT_EQ(m_store.DeleteCondition("Stray"), msg::kOk);
    EXPECT_EQ(Names(), expected);
}

// The retry timer's thread looks conditions up while the window thread adds and deletes:
// every answer is either the default record carrying the name or the record as written.
TEST_F(MediaListTest, FindConditionFromAnotherThread) {
    Put("Base", Kcd("KR16U", 14));
    ASSERT_EQ(Load(), msg::kOk);
    std::atomic<bool> done{false};
    std::atomic<int> bad{0};
    std::atomic<int> found{0};
    std::thread reader([&] {
        while (!done.load()) {
            for (const char* name : {"Base", "Churn", "Absent"}) {
                const CuttingCondition c = m_store.FindCondition(name);
                const bool isDefault = c == CuttingCondition{name, "KR10A", 1, 1, 1, 0};
                const bool isChurn = c == CuttingCondition{"Churn", "KR16UB", 7, 33, 3, -3};
                const bool isBase = c == CuttingCondition{"Base", "KR16U", 14, 30, 2, 1};
                if (c.m_strName != name || !(isDefault || isChurn || isBase)) {
                    ++bad;
                }
                found += isChurn ? 1 : 0;
            }
            m_store.GetConditionAt(m_store.GetCount() - 1);
        }
    });
    for (int i = 0; i < 100; ++i) {
        ASSERT_EQ(m_store.AddCondition({"Churn", "KR16UB", 7, 33, 3, -3}), msg::kOk);
        if (i % 3 == 0) {
            m_store.SortByName();
        }
        ASSERT_EQ(m_store.DeleteCondition("Churn"), msg::kOk);
    }
    done = true;
    reader.join();
    EXPECT_EQ(bad.load(), 0);
    EXPECT_EQ(m_store.GetCount(), 1);
}

} // namespace
