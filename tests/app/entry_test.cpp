#include "app/entry.h"
#include "platform/services.h"

#include <gtest/gtest.h>

namespace orvalis {
namespace {

using Args = std::vector<std::string>;

TEST(Entry, IsUninstallRequest_OnlyTheFirstArgumentInAnyCase) {
    EXPECT_TRUE(IsUninstallRequest({"uninstall"}));
    EXPECT_TRUE(IsUninstallRequest({"UNINSTALL"}));
    EXPECT_TRUE(IsUninstallRequest({"UnInstall", "more"}));
    EXPECT_FALSE(IsUninstallRequest({}));
    EXPECT_FALSE(IsUninstallRequest({" uninstall"})) << "a quoted argument with a blank before the word";
    EXPECT_FALSE(IsUninstallRequest({"uninstall "}));
    EXPECT_FALSE(IsUninstallRequest({"uninstaller"}));
    EXPECT_FALSE(IsUninstallRequest({"show", "uninstall"})) << "the second argument is not looked at";
    EXPECT_FALSE(IsUninstallRequest({"/uninstall"}));
}

TEST(Entry, CommandLineAnswer_OnlyHelpOrVersionAsTheFirstArgument) {
    const auto help = CommandLineAnswer({"--help"});
    ASSERT_TRUE(help);
    EXPECT_TRUE(help->starts_with("Usage: orvalis ")) << *help;
    const auto version = CommandLineAnswer({"--version", "more"});
    ASSERT_TRUE(version);
    EXPECT_TRUE(version->starts_with("orvalis ") && version->ends_with("\n")) << *version;
    for (const Args& args :
         {Args{}, Args{"uninstall"}, Args{"uninstall", "--help"}, Args{"--HELP"}, Args{"-h"}})
        EXPECT_FALSE(CommandLineAnswer(args)) << (args.empty() ? "" : args.front());
}

TEST(Entry, SplitUninstallCommand_QuotedAndUnquotedForms) {
    struct TCase {
        const char* Command;
        TUninstallCommand Expected;
    };
    const TCase cases[] = {
        {"\"C:\\Program Files\\Orvalis\\unins000.exe\" /SILENT /LOG",
         {"C:\\Program Files\\Orvalis\\unins000.exe", "/SILENT /LOG"}},
        {"\"C:\\Orvalis\\unins000.exe\"", {"C:\\Orvalis\\unins000.exe", ""}},
        {"\"C:\\Orvalis\\unins000.exe\" \"a b\"", {"C:\\Orvalis\\unins000.exe", "\"a b\""}},
        {"C:\\Orvalis\\unins000.exe \"C:\\Orvalis\\install.log\"",
         {"C:\\Orvalis\\unins000.exe", "\"C:\\Orvalis\\install.log\""}},
        {"C:\\Orvalis\\unins000.exe /S", {"", ""}}, // no blank followed by a quote: no program
        {"C:\\Orvalis\\unins000.exe", {"", ""}},
        {"\"C:\\Orvalis\\unins000.exe /S", {"", ""}}, // a quote that never closes
        {"", {"", ""}},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(SplitUninstallCommand(c.Command), c.Expected) << c.Command;
    EXPECT_EQ(FolderOf("C:\\Program Files\\Orvalis\\unins000.exe"), "C:\\Program Files\\Orvalis\\");
    EXPECT_EQ(FolderOf("/opt/orvalis/uninstall"), "/opt/orvalis/");
    EXPECT_EQ(FolderOf("uninstall"), "");
}

class UninstallerTest : public testing::Test {
protected:
    void SetUp() override {
        FPreviousRegistry = SetRegistry(&Registry_);
        FPreviousShell = SetShell(&Shell_);
    }
    void TearDown() override {
        SetRegistry(FPreviousRegistry);
        SetShell(FPreviousShell);
    }
    void Register(const std::string& command) {
        Registry_.Put("HKEY_LOCAL_MACHINE",
                      "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Orvalis", "UninstallString",
                      command);
    }

    MemoryRegistry Registry_;
    RecordingShell Shell_;

private:
    TRegistry* FPreviousRegistry = nullptr;
    TShell* FPreviousShell = nullptr;
};

TEST_F(UninstallerTest, RunUninstaller_StartsTheProgramInItsFolderWithItsParameters) {
    Register("\"C:\\Program Files\\Orvalis\\unins000.exe\" /SILENT \"/LOG=C:\\a b.txt\"");
    RunUninstaller();
    ASSERT_EQ(Shell_.Starts().size(), 1u);
    EXPECT_EQ(Shell_.Starts()[0].Program, "C:\\Program Files\\Orvalis\\unins000.exe");
    EXPECT_EQ(Shell_.Starts()[0].Parameters, (Args{"/SILENT", "/LOG=C:\\a b.txt"}));
    EXPECT_EQ(Shell_.Starts()[0].WorkingFolder, "C:\\Program Files\\Orvalis\\");
}

TEST_F(UninstallerTest, RunUninstaller_NothingRegisteredOrNoProgram_StartsNothing) {
    RunUninstaller();
    Register("");
    RunUninstaller();
    Register("C:\\Orvalis\\unins000.exe /S");
    RunUninstaller();
    EXPECT_TRUE(Shell_.Starts().empty());
}

TEST_F(UninstallerTest, RunUninstaller_CutsTheCommandAt255Characters) {
    const std::string program = "\"C:\\Orvalis\\unins000.exe\" ";
    Register(program + std::string(300, 'x'));
    RunUninstaller();
    ASSERT_EQ(Shell_.Starts().size(), 1u);
    ASSERT_EQ(Shell_.Starts()[0].Parameters.size(), 1u);
    EXPECT_EQ(Shell_.Starts()[0].Parameters[0].size(), 255 - program.size());
}

} // namespace
} // namespace orvalis
