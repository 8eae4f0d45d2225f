#include "platform/profile/ProfileFile.h"
#include "platform/profile/AtomicFile.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fstream>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

const std::string kOld = "[Generic]\nProduct=Vireclip Ver1\n[Setting]\nForce=14\n";

TEST(ProfileFile, MissingFileGivesDefaultsAndIsCreated) {
    const CTempFolder folder;
    const fs::path path = folder.Path() / "Vinyl.kcd";
    CProfileFile file = CProfileFile::Load(path);
    EXPECT_EQ(file.GetState(), CProfileFile::State::Missing);
    EXPECT_EQ(file.GetString("Generic", "Product", "Error"), "Error");
    ASSERT_TRUE(file.SetString("Generic", "Product", "Vireclip Ver1"));
    ASSERT_TRUE(file.Save());
    EXPECT_EQ(ReadText(path), "[Generic]\r\nProduct=Vireclip Ver1\r\n");
    EXPECT_EQ(CProfileFile::Load(path).GetString("GENERIC", "PRODUCT", ""), "Vireclip Ver1");
    EXPECT_EQ(FolderEntries(folder.Path()), std::vector<std::string>{"Vinyl.kcd"});
}

TEST(ProfileFile, RewriteReplacesInPlaceAndKeepsPermissions) {
    const CTempFolder folder;
    const fs::path path = folder.Path() / "Vinyl.kcd";
    WriteText(path, kOld + "Custom=1\n");
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    CProfileFile file = CProfileFile::Load(path);
    ASSERT_EQ(file.GetState(), CProfileFile::State::Loaded);
    ASSERT_TRUE(file.SetString("setting", "force", "20"));
    ASSERT_TRUE(file.Save());
    EXPECT_EQ(ReadText(path), "[Generic]\nProduct=Vireclip Ver1\n[Setting]\nForce=20\nCustom=1\n");
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
}

TEST(ProfileFile, UnusableFilesReadAsDefaultsAndAreNeverOverwritten) {
    const CTempFolder folder;
    struct Case {
        const char* name;
        std::string content;
    };
    const Case cases[] = {
        {"huge.kcd", "[Setting]\nForce=14\n" + std::string(CProfileFile::kMaxFileSize, 'x')},
        {"binary.kcd", std::string("[Setting]\nForce=14\n\0\x01\x02", 22)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path path = folder.Path() / c.name;
        WriteText(path, c.content);
        CProfileFile file = CProfileFile::Load(path);
        EXPECT_EQ(file.GetState(), CProfileFile::State::Unreadable);
        EXPECT_EQ(file.GetString("Setting", "Force", "none"), "none");
        ASSERT_TRUE(file.SetString("Setting", "Force", "1"));
        EXPECT_FALSE(file.Save());
        EXPECT_EQ(ReadText(path), c.content);
    }
    // Exactly at the bound is still a profile.
    const fs::path limit = folder.Path() / "limit.kcd";
    const std::string head = "[Setting]\nForce=14\n";
    WriteText(limit, head + std::string(CProfileFile::kMaxFileSize - head.size(), ';'));
    EXPECT_EQ(CProfileFile::Load(limit).GetString("Setting", "Force", ""), "14");
}

TEST(ProfileFile, FifoAndFolderAreUnreadableWithoutBlocking) {
    const CTempFolder folder;
    const fs::path fifo = folder.Path() / "pipe.kcd";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(CProfileFile::Load(fifo).GetState(), CProfileFile::State::Unreadable);
    const fs::path dir = folder.Path() / "dir.kcd";
    fs::create_directory(dir);
    CProfileFile file = CProfileFile::Load(dir);
    EXPECT_EQ(file.GetState(), CProfileFile::State::Unreadable);
    EXPECT_FALSE(file.Save());
    EXPECT_TRUE(fs::is_directory(dir));
}

TEST(ProfileFile, WriteProtectedFileIsNotReplaced) {
    const CTempFolder folder;
    const fs::path path = folder.Path() / "Vinyl.kcd";
    WriteText(path, kOld);
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    EXPECT_TRUE(IsWriteProtected(path));
    CProfileFile file = CProfileFile::Load(path);
    ASSERT_TRUE(file.SetString("Setting", "Force", "20"));
    EXPECT_FALSE(file.Save());
    EXPECT_EQ(ReadText(path), kOld);
    EXPECT_EQ(FolderEntries(folder.Path()), std::vector<std::string>{"Vinyl.kcd"});
}

TEST(ProfileFile, MissingFolderIsNotCreated) {
    const CTempFolder folder;
    const fs::path path = folder.Path() / "absent" / "Vinyl.kcd";
    CProfileFile file = CProfileFile::Load(path);
    ASSERT_TRUE(file.SetString("Setting", "Force", "20"));
    EXPECT_FALSE(file.Save());
    EXPECT_FALSE(fs::exists(path.parent_path()));
}

using ProfileFileDeathTest = ::testing::Test;

// Child bodies of the tests below: each ends the child with its own exit code.
[[noreturn]] void SaveAsUnprivileged(const fs::path& folder) {
    if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) {
        std::_Exit(9);
    }
    CProfileFile file = CProfileFile::Load(folder / "Vinyl.kcd");
    file.SetString("Setting", "Force", "20");
    CProfileFile created = CProfileFile::Load(folder / "New.kcd");
    created.SetString("Setting", "Force", "20");
    std::_Exit(!file.Save() && !created.Save() ? 3 : 4);
}

[[noreturn]] void SaveWithFileSizeLimit(const fs::path& path, bool ignoreSignal) {
    if (ignoreSignal) {
        std::signal(SIGXFSZ, SIG_IGN);
    }
    const rlimit limit{16, 16};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    CProfileFile file = CProfileFile::Load(path);
    file.SetString("Setting", "Force", "20");
    std::_Exit(file.Save() ? 4 : 3);
}

// A write the operating system refuses for want of permission fails. Root passes every
// permission check, so as root the write runs in a child that has dropped its privileges.
TEST_F(ProfileFileDeathTest, ReadOnlyFolderFails) {
    const CTempFolder folder;
    const fs::path path = folder.Path() / "Vinyl.kcd";
    WriteText(path, kOld);
    ASSERT_EQ(::chmod(folder.Path().c_str(), 0555), 0);
    EXPECT_EXIT(SaveAsUnprivileged(folder.Path()), ::testing::ExitedWithCode(3), "");
    ::chmod(folder.Path().c_str(), 0755);
    EXPECT_EQ(ReadText(path), kOld);
    EXPECT_EQ(FolderEntries(folder.Path()), std::vector<std::string>{"Vinyl.kcd"});
}

// A full disk: the temporary file cannot be written, the save reports failure, the old file
// stays whole and no temporary file is left behind.
TEST_F(ProfileFileDeathTest, FailedWriteLeavesOldFileWhole) {
    const CTempFolder folder;
    const fs::path path = folder.Path() / "Vinyl.kcd";
    WriteText(path, kOld);
    EXPECT_EXIT(SaveWithFileSizeLimit(path, true), ::testing::ExitedWithCode(3), "");
    EXPECT_EQ(ReadText(path), kOld);
    EXPECT_EQ(FolderEntries(folder.Path()), std::vector<std::string>{"Vinyl.kcd"});
}

// The process dies while it writes, before the rename: the old file is whole.
TEST_F(ProfileFileDeathTest, InterruptedRewriteLeavesOldFileWhole) {
    const CTempFolder folder;
    const fs::path path = folder.Path() / "Vinyl.kcd";
    WriteText(path, kOld);
    EXPECT_EXIT(SaveWithFileSizeLimit(path, false), // SIGXFSZ kills the writer mid-file
                ::testing::KilledBySignal(SIGXFSZ), "");
    EXPECT_EQ(ReadText(path), kOld);
    EXPECT_EQ(CProfileFile::Load(path).GetString("Setting", "Force", ""), "14");
}

} // namespace
