// Media lists rewritten between two records while the writer is killed (SIGKILL) at random
// points: every file holds its old or its new text whole, the store loads every list, and a
// killed writer's temporary file is gone once the next write has run.
#include "conditions/MediaList.h"
#include "conditions/MediaListFile.h"
#include "core/messages/MessageCodes.h"
#include "models/PlotterModel.h"
#include "tests/common/KillDuringWrites.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace fs = std::filesystem;

namespace {

TEST(MediaListCrash, KilledRewritesLeaveWholeListsThatLoad) {
    CPlotterModel model;
    ASSERT_TRUE(model.Identify("WX8800-60"));
    model.SelectBladeCatalogue(1033);
    const CTempFolder root(KillTestFolderBase());
    CMediaList store(model, root.Path());
    fs::create_directories(store.Folder());
    const std::string names[] = {"Vinyl", "Flock", "Paper"};
    const CuttingCondition records[] = {{"", "KR16UA", 12, 35, 2, 0},
                                        {"", "KR10A (2)", 48, 105, 8, -5}};
    const auto write = [&](int i) {
        for (const std::string& name : names) {
            CuttingCondition record = records[i % 2];
            record.m_strName = name;
            ASSERT_TRUE(
                medialist::WriteFile(store.Folder() / (name + ".kcd"), record, model.TypeString()));
        }
    };
    write(0);
    const std::string oldText = ReadText(store.Folder() / "Vinyl.kcd");
    write(1);
    const std::string newText = ReadText(store.Folder() / "Vinyl.kcd");
    ASSERT_NE(oldText, newText);

    const KillTally tally = KillDuringWrites(1000, write, [&] {
        int lists = 0;
        for (const auto& entry : fs::directory_iterator(store.Folder())) {
            if (entry.path().extension() == ".kcd") {
                const std::string text = ReadText(entry.path());
                ASSERT_TRUE(text == oldText || text == newText) << entry.path();
                ++lists;
            }
        }
        // At most the one temporary file of the writer just killed.
        ASSERT_LE(FolderEntries(store.Folder()).size(), std::size(names) + 1);
        ASSERT_EQ(lists, 3);
        CuttingCondition current;
        ASSERT_EQ(store.Load(current), msg::kOk);
        ASSERT_EQ(store.GetCount(), 3);
    });
    EXPECT_EQ(tally.kills, 1000);
    EXPECT_GE(tally.insideWrite, 100); // the kills really met the writes
    write(0);
    EXPECT_EQ(FolderEntries(store.Folder()).size(), std::size(names));
}

} // namespace
