#include "platform/message_boxes.h"
#include "platform/services.h"

#include <QFile>
#include <QFontDatabase>
#include <QStandardPaths>
#include <gtest/gtest.h>

namespace orvalis {
namespace {

using Args = std::vector<std::string>;

TEST(Shell, SplitParameters_GroupsQuotedBlanksAndDropsTheQuotes) {
    EXPECT_EQ(SplitParameters(""), Args{});
    EXPECT_EQ(SplitParameters("  a  b "), (Args{"a", "b"}));
    EXPECT_EQ(SplitParameters("\"C:\\Program Files\\x\" /S"), (Args{"C:\\Program Files\\x", "/S"}));
    EXPECT_EQ(SplitParameters("a\"b c\"d \"\""), (Args{"ab cd", ""}));
    EXPECT_EQ(SplitParameters("x;rm -rf $HOME"), (Args{"x;rm", "-rf", "$HOME"})) << "no shell meaning";
}

TEST(Shell, Start_MissingProgram_ReportsFailure) {
    EXPECT_FALSE(Shell().Start("", {}, ""));
    EXPECT_FALSE(Shell().Start("/nonexistent/orvalis-uninstall", {"/S"}, "/"));
    RecordingShell double_;
    TShell* previous = SetShell(&double_);
    Shell().Start("a\\b.exe", {"x"}, "a");
    SetShell(previous);
    ASSERT_EQ(double_.Starts().size(), 1u);
    EXPECT_EQ(double_.Starts()[0].WorkingFolder, "a");
}

TEST(Registry, Desktop_AnswersOnlyTheBrowserCommand) {
    EXPECT_EQ(Registry().ReadString("HKEY_LOCAL_MACHINE",
                                    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Orvalis",
                                    "UninstallString"),
              std::nullopt);
    const auto browser = Registry().ReadString("HKEY_CLASSES_ROOT", "http\\shell\\open\\command", "");
    const QString launcher = QStandardPaths::findExecutable("xdg-open");
    if (launcher.isEmpty())
        EXPECT_EQ(browser, std::nullopt);
    else
        EXPECT_EQ(browser, "\"" + launcher.toStdString() + "\" \"%1\"");
}

// Web pages lead to the same launcher through their file type, with keys in any case.
TEST(Registry, Desktop_WebPageExtensionsNameTheTypeOfTheLauncher) {
    const QString launcher = QStandardPaths::findExecutable("xdg-open");
    if (launcher.isEmpty())
        GTEST_SKIP() << "no xdg-open";
    for (const char* extension : {".HTML", ".htm", ".SHTML", ".shtm"})
        EXPECT_EQ(Registry().ReadString("HKEY_CLASSES_ROOT", extension, ""), "htmlfile") << extension;
    EXPECT_EQ(Registry().ReadString("HKEY_CLASSES_ROOT", "htmlfile\\Shell\\Open\\Command", ""),
              "\"" + launcher.toStdString() + "\" \"%1\"");
    EXPECT_EQ(Registry().ReadString("HKEY_CLASSES_ROOT", ".txt", ""), std::nullopt);
    EXPECT_EQ(Registry().ReadString("HKEY_CLASSES_ROOT", ".html", "Content Type"), std::nullopt);
}

TEST(Clipboard, Text_RoundTripsWindows1252) {
    Clipboard().SetText("caf\xE9 \x80 5");
    EXPECT_EQ(Clipboard().Text(), "caf\xE9 \x80 5");
}

TEST(FontRegistry, RegisterAndRelease) {
    const std::string file = "/usr/share/fonts/truetype/liberation2/LiberationSerif-Regular.ttf";
    ASSERT_TRUE(QFile::exists(QString::fromStdString(file)));
    const int handle = FontRegistry().Register(file);
    ASSERT_GT(handle, 0);
    EXPECT_TRUE(FontRegistry().Release(handle));
    EXPECT_FALSE(FontRegistry().Release(handle));
    EXPECT_EQ(FontRegistry().Register("/nonexistent/tahoma.ttf"), 0);
}

TEST(MessageBoxes, Double_RecordsInsteadOfShowing) {
    RecordingMessageBoxes boxes;
    TMessageBoxesOverride use(boxes);
    MessageBoxes().Information("a");
    MessageBoxes().Beep();
    ASSERT_EQ(boxes.Entries().size(), 2u);
    EXPECT_EQ(boxes.Entries()[1].Kind, RecordingMessageBoxes::TKind::Beep);
}

} // namespace
} // namespace orvalis
