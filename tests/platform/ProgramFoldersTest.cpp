#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <filesystem>
#include <fstream>

#include "QtTestSupport.h"
#include "app/ConfigFile.h"
#include "platform/ProgramFolders.h"

namespace tz {
namespace {

namespace fs = std::filesystem;

class ProgramFoldersTest : public test::QtAppTest {
protected:
    ProgramFoldersTest() {
        fs::create_directories(beside);
        fs::create_directories(user);
    }
    static void WriteConfiguration(const fs::path& folder) {
        std::ofstream(ConfigurationFilePath(folder)) << "\n";
    }
    // A place no file can be made in, even by root: a plain file standing where a folder would.
    fs::path Unwritable() {
        const fs::path place = root / "not-a-folder";
        std::ofstream(place) << "x";
        return place;
    }

    QTemporaryDir temporary;
    fs::path root = temporary.path().toStdString();
    fs::path beside = root / "bin";
    fs::path user = root / "user";
};

TEST_F(ProgramFoldersTest, ProgramFolder_TheOneHoldingTheConfigurationBesideFirst) {
    EXPECT_EQ(ChooseProgramFolder(beside, user), beside) << "writable and nothing anywhere";
    WriteConfiguration(user);
    EXPECT_EQ(ChooseProgramFolder(beside, user), user);
    WriteConfiguration(beside);
    EXPECT_EQ(ChooseProgramFolder(beside, user), beside);
}

TEST_F(ProgramFoldersTest, UnwritableFolders_GiveThePerUserFolders) {
    const fs::path locked = Unwritable();
    ASSERT_FALSE(IsWritableFolder(locked));
    EXPECT_EQ(ChooseProgramFolder(locked, user), user);
    EXPECT_EQ(ChooseLogFolder(locked, user), user);
    EXPECT_EQ(ChooseLogFolder(beside, user), beside);
    EXPECT_FALSE(IsWritableFolder(root / "absent"));
}

TEST_F(ProgramFoldersTest, EnsureFolder_MakesTheWholePath) {
    const fs::path deep = root / "a" / "b" / "c";
    EXPECT_TRUE(EnsureFolder(deep));
    EXPECT_TRUE(fs::is_directory(deep));
    EXPECT_TRUE(IsWritableFolder(deep));
    EXPECT_TRUE(EnsureFolder(deep));
}

}  // namespace
}  // namespace tz
