#include <gtest/gtest.h>

#include "inserter/view.h"
#include "tests/vellix/fixture.h"

using namespace vellixtest;
using testsupport::ReadBytes;
using testsupport::WriteBytes;

namespace {

class Restore : public VellixTest {
protected:
    void SetUp() override {
        VellixTest::SetUp();
        for (const char* backup : {"textures.mw4b", "props.mw4b"}) std::filesystem::remove(Resource(backup));
        MakeGame();
        Started();
        textures_ = ReadBytes(Resource("textures.mw4"));
        props_ = ReadBytes(Resource("props.mw4"));
    }
    void Backups(bool textures, bool props) {
        if (textures) WriteBytes(Resource("textures.mw4b"), {1, 1});
        if (props) WriteBytes(Resource("props.mw4b"), {2, 2});
    }
    bool Run(int answer) {
        portable::Answers().push_back(answer);
        return vellix::RunCommand(vellix::RestoreOriginal);
    }
    std::vector<std::uint8_t> textures_, props_;
};

TEST_F(Restore, AsksFirstAndNoChangesNothing) {
    Backups(true, true);
    pv::StatusText = "Texture Loaded ready to insert";
    EXPECT_TRUE(Run(plat::kIdNo));
    ASSERT_EQ(portable::Messages().size(), 1u);
    EXPECT_EQ(portable::Messages()[0].text, "Restoring may require you to rerun the Morrent!\nDo you wish to continue?");
    EXPECT_EQ(portable::Messages()[0].style, 68u);
    EXPECT_EQ(portable::Messages()[0].title, "Continue?");
    EXPECT_EQ(ReadBytes(Resource("textures.mw4")), textures_);
    EXPECT_EQ(pv::StatusText, "Texture Loaded ready to insert");
}

TEST_F(Restore, CopiesEachBackupThatExists) {
    struct Case {
        bool textures, props;
        std::vector<std::string> messages, repaints;
    } cases[] = {
        {true, true, {}, {"Restoring resource\\textures.mw4 from backup", "Restoring resource\\props.mw4 from backup", "Done."}},
        {false, true, {"Backup texture file doesn't exist!"}, {"Restoring resource\\props.mw4 from backup", "Done."}},
        {true, false, {"Backup props file doesn't exists!"}, {"Restoring resource\\textures.mw4 from backup", "Done."}},
        {false, false, {"Backup texture file doesn't exist!", "Backup props file doesn't exists!"}, {"Done."}},
    };
    for (const Case& c : cases) {
        SetUp();
        Backups(c.textures, c.props);
        EXPECT_TRUE(Run(plat::kIdYes));
        std::vector<std::string> texts = Texts();
        texts.erase(texts.begin());
        EXPECT_EQ(texts, c.messages);
        for (std::size_t i = 1; i < portable::Messages().size(); ++i) EXPECT_EQ(portable::Messages()[i].style, 16u);
        EXPECT_EQ(pv::Repaints, c.repaints);
        EXPECT_EQ(ReadBytes(Resource("textures.mw4")), (c.textures ? std::vector<std::uint8_t>{1, 1} : textures_));
        EXPECT_EQ(ReadBytes(Resource("props.mw4")), (c.props ? std::vector<std::uint8_t>{2, 2} : props_));
        for (const auto& copy : portable::ShellCopies()) {
            EXPECT_EQ(copy.title, std::string("Restoring\0\0", 11));
            EXPECT_EQ(copy.owner, vellix::view::Handle());
        }
        // The backups stay where they are.
        EXPECT_EQ(std::filesystem::exists(Resource("textures.mw4b")), c.textures);
    }
}

TEST_F(Restore, ReadOnlyPropsBackupGivesAWritableArchive) {
    Backups(true, true);
    std::filesystem::permissions(Resource("props.mw4b"), std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::remove);
    std::filesystem::permissions(Resource("props.mw4"), std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::remove);
    std::filesystem::remove(Resource("props.mw4"));
    EXPECT_TRUE(Run(plat::kIdYes));
    const auto perms = std::filesystem::status(Resource("props.mw4")).permissions();
    EXPECT_NE(perms & std::filesystem::perms::owner_write, std::filesystem::perms::none);
}

TEST_F(Restore, PropsArchiveMissingAfterAFailedCopyDoesNotEndTheProgram) {
    Backups(true, true);
    std::filesystem::remove(Resource("props.mw4"));
    portable::ShellCopyFails = true;
    EXPECT_TRUE(Run(plat::kIdYes));
    EXPECT_EQ(pv::StatusText, "Done.");
    EXPECT_EQ(portable::Messages().size(), 1u);
}

}  // namespace
