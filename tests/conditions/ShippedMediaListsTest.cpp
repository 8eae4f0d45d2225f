#include "conditions/MediaList.h"
#include "core/messages/CStringTable.h"
#include "core/messages/MessageCodes.h"
#include "models/PlotterModel.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

const fs::path kRuntime = QUIRN_RUNTIME_DIR;
const fs::path kSource = fs::path(QUIRN_SOURCE_DIR) / "data";

int CountListFiles(const fs::path& folder) {
    int count = 0;
    for (const auto& entry : fs::directory_iterator(folder)) {
        count += entry.path().extension() == ".kcd" ? 1 : 0;
    }
    return count;
}

// Every model's folder in both languages loads with the real validation and the blade names
// of that language (including a shipped language file), and every shipped file is accepted.
TEST(ShippedMediaLists, EveryModelAndLanguageStarts) {
    struct Language {
        const char* folder;
        int languageId;
        const char* resource;
    };
    const Language languages[] = {{"ENG", 1033, "Vireclip_ENG.dll"},
                                  {"JPN", 1041, "Vireclip_JPN.dll"}};
    for (const Language& language : languages) {
        CStringTable strings;
        strings.LoadLanguage(kRuntime.string() + "/", language.resource);
        for (const ModelRow& row : ModelTable()) {
            SCOPED_TRACE(std::string(language.folder) + "/" + row.pszTypeString);
            CPlotterModel model;
            ASSERT_TRUE(model.Identify(row.pszTypeString));
            model.SelectBladeCatalogue(language.languageId,
                                       [&](int id) { return strings.LoadString(id); });
            CMediaList store(model, kRuntime / "MEDIALIST" / language.folder);
            CuttingCondition current;
            ASSERT_EQ(store.Load(current), msg::kOk);
            EXPECT_GE(store.GetCount(), 3);
            EXPECT_EQ(store.GetCount(), CountListFiles(store.Folder()));
            EXPECT_EQ(current, store.GetConditionAt(0));
        }
    }
}

TEST(ShippedMediaLists, ProgramFolderHoldsTheSourceFiles) {
    int files = 0;
    for (const auto& entry : fs::recursive_directory_iterator(kSource / "MEDIALIST")) {
        if (entry.is_regular_file()) {
            const fs::path copy = kRuntime / fs::relative(entry.path(), kSource);
            EXPECT_EQ(ReadText(copy), ReadText(entry.path())) << copy;
            ++files;
        }
    }
    EXPECT_GE(files, 2 * 10 * 3);
}

} // namespace
