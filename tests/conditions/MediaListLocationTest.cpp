#include "conditions/MediaListLocation.h"
#include "conditions/MediaList.h"
#include "conditions/MediaListSeed.h"
#include "core/messages/MessageCodes.h"
#include "models/PlotterModel.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <map>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

using Files = std::map<std::string, std::string>; // name → content

constexpr const char* kType = "RX3600-60";

// Every file of a folder with its content; nothing when the folder is missing.
Files Contents(const fs::path& folder) {
    Files files;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder, ec)) {
        files[entry.path().filename().string()] = ReadText(entry.path());
    }
    return files;
}

// A program folder's and a user's media list folders of the language in a fresh temporary
// folder; the model's folder below each is made when given files.
struct Roots {
    CTempFolder temp;
    fs::path shipped = temp.Path() / "program" / "MEDIALIST" / "ENG";
    fs::path user = temp.Path() / "data" / "quirn" / "MEDIALIST" / "ENG";

    static void Put(const fs::path& root, const Files& files) {
        if (!files.empty()) {
            fs::create_directories(root / kType);
        }
        for (const auto& [name, content] : files) {
            WriteText(root / kType / name, content);
        }
    }
};

// The folder choice and the seed, as a program folder and a user folder look before the start
// and after the model's folder was prepared. The shipped folder holds two lists and a file that
// is no list.
TEST(MediaListLocation, ChoosesTheFolderAndSeedsItOnce) {
    const Files shipped = {{"Paper.kcd", "shipped paper"},
                           {"Vinyl.kcd", "shipped vinyl"},
                           {"readme.txt", "not a list"}};
    const Files seeded = {{"Paper.kcd", "shipped paper"},
                          {"Vinyl.kcd", "shipped vinyl"},
                          {".seeded", "Paper\nVinyl\n"}};
    struct Case {
        const char* what;
        bool programWritable;
        Files userBefore; // the user's model folder; empty: it does not exist
        bool userBlocked; // a file stands where the user's folder would be made
        bool usesUserFolder;
        Files userAfter;
        bool problem;
    };
    const Case cases[] = {
        {"writable program folder: in place, no user folder", true, {}, false, false, {}, false},
        {"read-only program folder, no user folder: seeded", false, {}, false, true, seeded, false},
        {"seed cut short: completed, the earlier copy kept",
         false,
         {{"Paper.kcd", "shipped paper"}},
         false,
         true,
         seeded,
         false},
        {"a user file of a shipped name is never replaced",
         false,
         {{"Vinyl.kcd", "the user's vinyl"}},
         false,
         true,
         {{"Paper.kcd", "shipped paper"},
          {"Vinyl.kcd", "the user's vinyl"},
          {".seeded", "Paper\nVinyl\n"}},
         false},
        {"a newer program's list arrives, a deleted one does not",
         false,
         {{"Mine.kcd", "mine"}, {".seeded", "Paper\n"}},
         false,
         true,
         {{"Mine.kcd", "mine"}, {"Vinyl.kcd", "shipped vinyl"}, {".seeded", "Paper\nVinyl\n"}},
         false},
        {"user folder cannot be made: the shipped lists, told", false, {}, true, false, {}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const Roots roots;
        const fs::path& shippedRoot = roots.shipped;
        const fs::path& userRoot = roots.user;
        Roots::Put(shippedRoot, shipped);
        for (const auto& [name, content] : shipped) {
            ::chmod((shippedRoot / kType / name).c_str(), 0444); // as an installed copy may be
        }
        Roots::Put(userRoot, c.userBefore);
        if (c.userBlocked) {
            WriteText(roots.temp.Path() / "data", "a file, not a folder");
        }
        ASSERT_EQ(::chmod(shippedRoot.c_str(), c.programWritable ? 0755 : 0555), 0);

        const CMediaListLocation location = CMediaListLocation::Choose(shippedRoot, userRoot);
        const std::string problem = location.Prepare(kType);

        EXPECT_EQ(location.Folder(kType), (c.usesUserFolder ? userRoot : shippedRoot) / kType);
        EXPECT_EQ(!problem.empty(), c.problem) << problem;
        EXPECT_EQ(Contents(userRoot / kType), c.userAfter);
        EXPECT_EQ(Contents(shippedRoot / kType), shipped);
        for (const auto& [name, content] : c.userAfter) {
            struct stat info {};
            ASSERT_EQ(::stat((userRoot / kType / name).c_str(), &info), 0);
            EXPECT_NE(info.st_mode & 0200, 0u) << name << " must be the user's to change";
        }
        ::chmod(shippedRoot.c_str(), 0755);
    }
}

// A user's folder that holds no list the store accepts (emptied by hand, or left with files of
// another model) gets the shipped lists again at the next load, the deleted ones too, rather
// than failing with 1013; a folder with one list left keeps its deletions.
TEST(MediaListLocation, FolderWithoutAListIsSeededAgain) {
    const std::string list = "[Generic]\r\nProduct=Vireclip Ver1\r\nType=RX3600-60\r\n"
                             "[Setting]\r\nCutter=KR16U\r\nForce=14\r\nSpeed=30\r\n"
                             "Quality=2\r\nOffset=0\r\n";
    const std::string otherModel = "[Generic]\r\nProduct=Vireclip Ver1\r\nType=RX3600-40\r\n";
    const struct {
        const char* what;
        Files userBefore;
        std::vector<std::string> loaded;
        std::string record;
    } cases[] = {
        {"emptied by hand", {{".seeded", "Paper\nVinyl\n"}}, {"Paper", "Vinyl"}, "Paper\nVinyl\n"},
        {"another model's list only",
         {{".seeded", "Paper\nVinyl\n"}, {"Copied.kcd", otherModel}},
         {"Paper", "Vinyl"},
         "Paper\nVinyl\n"},
        {"one list left",
         {{".seeded", "Paper\nVinyl\n"}, {"Mine.kcd", list}},
         {"Mine"},
         "Paper\nVinyl\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const Roots roots;
        const fs::path& shippedRoot = roots.shipped;
        const fs::path& userRoot = roots.user;
        Roots::Put(shippedRoot, {{"Paper.kcd", list}, {"Vinyl.kcd", list}});
        Roots::Put(userRoot, c.userBefore);
        ASSERT_EQ(::chmod(shippedRoot.c_str(), 0555), 0);

        CPlotterModel model;
        model.Identify(kType);
        model.SelectBladeCatalogue(1033);
        CMediaList store(model, CMediaListLocation::Choose(shippedRoot, userRoot));
        CuttingCondition current;
        ASSERT_EQ(store.Load(current), msg::kOk);
        std::vector<std::string> names;
        for (int i = 0; i < store.GetCount(); ++i) {
            names.push_back(store.GetConditionAt(i).m_strName);
        }
        EXPECT_EQ(names, c.loaded);
        EXPECT_EQ(store.Folder(), userRoot / kType);
        EXPECT_EQ(ReadText(userRoot / kType / ".seeded"), c.record);
        ::chmod(shippedRoot.c_str(), 0755);
    }
}

} // namespace
