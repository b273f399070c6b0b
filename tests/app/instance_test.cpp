// The real program as a second copy and as a first copy, in processes of their own under the offscreen
// platform. Each copy gets its own single-instance name through the user name it runs under.
#include "app/entry.h"
#include "db_fixture.h"
#include "platform/single_instance.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLocalSocket>
#include <QProcess>
#include <QThread>
#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

namespace orvalis {
namespace {

namespace fs = std::filesystem;
constexpr int Patience = 30000; // milliseconds a copy may take before the test gives up on it

std::string UniqueUser(const char* what) {
    return std::string("orvalis-test-") + what + "-" + std::to_string(getpid());
}

QProcessEnvironment CopyEnvironment(const std::string& user, const std::string& screenConfig = {}) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("USER", QString::fromStdString(user));
    env.insert("QT_QPA_PLATFORM", screenConfig.empty()
                                      ? QStringLiteral("offscreen")
                                      : QString::fromStdString("offscreen:configfile=" + screenConfig));
    return env;
}

// Runs the program and waits for its end while this process handles its own messages.
bool RunToEnd(QProcess& process, int& exitCode) {
    QElapsedTimer clock;
    clock.start();
    while (process.state() != QProcess::NotRunning && clock.elapsed() < Patience) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        process.waitForFinished(10);
    }
    if (process.state() != QProcess::NotRunning) {
        process.kill();
        process.waitForFinished(5000);
        return false;
    }
    QCoreApplication::processEvents();
    exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return true;
}

// The test process plays the first copy; the program started second must pass its message and end.
TEST(SingleInstance, SecondCopy_PassesItsMessageAndEnds) {
    struct TCase {
        QStringList Arguments;
        TInstanceMessage Expected;
    };
    const TCase cases[] = {
        {{}, TInstanceMessage::imShow},
        {{"UNINSTALL"}, TInstanceMessage::imClose},
        {{"uninstall"}, TInstanceMessage::imClose},
        {{"show", "uninstall"}, TInstanceMessage::imShow},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Arguments.join(' ').toStdString());
        const std::string user = UniqueUser("second");
        auto first = CreateSingleInstance("Orvalis-" + user);
        std::vector<TInstanceMessage> received;
        first->OnMessage = [&](TInstanceMessage m) { received.push_back(m); };
        ASSERT_TRUE(first->BecomeFirst());

        QProcess second;
        second.setProcessEnvironment(CopyEnvironment(user));
        second.start(ORVALIS_EXECUTABLE, c.Arguments);
        int exitCode = -1;
        ASSERT_TRUE(RunToEnd(second, exitCode));
        EXPECT_EQ(exitCode, 0);
        for (int i = 0; i < 500 && received.empty(); ++i)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        EXPECT_EQ(received, std::vector<TInstanceMessage>{c.Expected});
    }
}

TEST(SingleInstance, UninstallWithoutARunningCopy_EndsAtOnce) {
    QProcess alone;
    alone.setProcessEnvironment(CopyEnvironment(UniqueUser("alone")));
    alone.start(ORVALIS_EXECUTABLE, {"uninstall"});
    int exitCode = -1;
    ASSERT_TRUE(RunToEnd(alone, exitCode));
    EXPECT_EQ(exitCode, 0);
}

// Asked for help or its version, the program answers without a window system (the platform it is given
// has no display to connect to) and leaves the running copy alone.
TEST(SingleInstance, HelpAndVersion_AnswerWithoutAWindowSystemAndLeaveTheRunningCopyAlone) {
    const std::string user = UniqueUser("help");
    auto first = CreateSingleInstance("Orvalis-" + user);
    std::vector<TInstanceMessage> received;
    first->OnMessage = [&](TInstanceMessage m) { received.push_back(m); };
    ASSERT_TRUE(first->BecomeFirst());
    QProcessEnvironment env = CopyEnvironment(user);
    env.insert("QT_QPA_PLATFORM", "xcb");
    env.remove("DISPLAY");
    env.remove("WAYLAND_DISPLAY");
    for (const char* argument : {"--help", "--version"}) {
        SCOPED_TRACE(argument);
        QProcess copy;
        copy.setProcessEnvironment(env);
        copy.start(ORVALIS_EXECUTABLE, {argument});
        int exitCode = -1;
        ASSERT_TRUE(RunToEnd(copy, exitCode));
        EXPECT_EQ(exitCode, 0) << copy.readAllStandardError().toStdString();
        EXPECT_EQ(copy.readAllStandardOutput().toStdString(), CommandLineAnswer({argument}).value_or("-"));
    }
    for (int i = 0; i < 20; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    EXPECT_TRUE(received.empty());
}

// A program folder of its own: the executable copied in (the program finds its folder from its own file),
// a small database, no font and no pictures.
class ProgramCopy {
public:
    ProgramCopy() {
        fs::copy_file(ORVALIS_EXECUTABLE, Folder.Path() / "orvalis");
        fs::create_directories(Folder.Path() / "D");
        std::vector<TRawRecord> records;
        for (int i = 0; i < 30; ++i)
            records.push_back({uint32_t(i + 1), "1|Onderwerp " + std::to_string(i), "Tekst"});
        test::WriteBytes(Folder.File("D/iDbRecs.dat"), test::Encode(records));
    }
    QString Executable() const { return QString::fromStdString(Folder.File("orvalis")); }
    std::string ScreenConfig(int width, int height) const {
        const std::string file = Folder.File("screen.json");
        test::WriteBytes(file, "{\"screens\":[{\"name\":\"s\",\"x\":0,\"y\":0,\"width\":" +
                                   std::to_string(width) + ",\"height\":" + std::to_string(height) +
                                   ",\"logicalDpi\":96,\"logicalBaseDpi\":96,\"dpr\":1}]}");
        return file;
    }

    test::TempDir Folder;
};

QString SocketPath(const std::string& user) {
    return QString::fromStdString(InstanceSocketFolder() + "/Orvalis-" + user);
}

bool WaitUntilListening(const std::string& user, QProcess& process) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < Patience && process.state() != QProcess::NotRunning) {
        QLocalSocket probe;
        probe.connectToServer(SocketPath(user));
        if (probe.waitForConnected(100)) {
            probe.disconnectFromServer();
            return true;
        }
        QThread::msleep(50);
    }
    return false;
}

TEST(SingleInstance, RealFirstCopy_StaysForASecondStartAndClosesOnUninstall) {
    ProgramCopy copy;
    const std::string user = UniqueUser("first");
    const auto env = CopyEnvironment(user, copy.ScreenConfig(1024, 768));
    QProcess first;
    first.setProcessEnvironment(env);
    first.start(copy.Executable(), {});
    ASSERT_TRUE(WaitUntilListening(user, first)) << "the first copy starts without font or pictures";

    QProcess second;
    second.setProcessEnvironment(env);
    second.start(copy.Executable(), {});
    int exitCode = -1;
    ASSERT_TRUE(RunToEnd(second, exitCode));
    EXPECT_EQ(exitCode, 0);
    EXPECT_EQ(first.state(), QProcess::Running) << "a second start leaves the first running";

    QProcess uninstall;
    uninstall.setProcessEnvironment(env);
    uninstall.start(copy.Executable(), {"uninstall"});
    ASSERT_TRUE(RunToEnd(uninstall, exitCode));
    EXPECT_EQ(exitCode, 0);
    ASSERT_TRUE(RunToEnd(first, exitCode)) << "the close request ends the first copy";
    EXPECT_EQ(exitCode, 0);
}

// From the start of its farewell the closing copy no longer answers as the running copy: a start then
// becomes the first copy rather than sending "show" to a window that is going away.
TEST(SingleInstance, Socket_StartDuringTheFarewell_BecomesTheFirstCopy) {
    ProgramCopy copy;
    const std::string user = UniqueUser("farewell");
    const auto env = CopyEnvironment(user, copy.ScreenConfig(1024, 768));
    QProcess first;
    first.setProcessEnvironment(env);
    first.start(copy.Executable(), {});
    ASSERT_TRUE(WaitUntilListening(user, first));

    QProcess uninstall;
    uninstall.setProcessEnvironment(env);
    uninstall.start(copy.Executable(), {"uninstall"});
    int exitCode = -1;
    ASSERT_TRUE(RunToEnd(uninstall, exitCode));
    QElapsedTimer clock;
    clock.start();
    while (QFile::exists(SocketPath(user)) && clock.elapsed() < Patience)
        first.waitForFinished(10);
    EXPECT_FALSE(QFile::exists(SocketPath(user)));
    first.waitForFinished(500);
    EXPECT_EQ(first.state(), QProcess::Running) << "the socket goes at the start of the two-second farewell";

    QProcess next;
    next.setProcessEnvironment(env);
    next.start(copy.Executable(), {});
    EXPECT_TRUE(WaitUntilListening(user, next)) << "the new start runs as the first copy";
    ASSERT_TRUE(RunToEnd(first, exitCode));
    EXPECT_EQ(next.state(), QProcess::Running);
    uninstall.start(copy.Executable(), {"uninstall"});
    ASSERT_TRUE(RunToEnd(uninstall, exitCode));
    EXPECT_TRUE(RunToEnd(next, exitCode));
}

TEST(SingleInstance, ScreenTooSmall_EndsWithExitCodeOne) {
    ProgramCopy copy;
    QProcess program;
    program.setProcessEnvironment(CopyEnvironment(UniqueUser("small"), copy.ScreenConfig(640, 400)));
    program.start(copy.Executable(), {});
    int exitCode = -1;
    ASSERT_TRUE(RunToEnd(program, exitCode));
    EXPECT_EQ(exitCode, 1);
}

} // namespace
} // namespace orvalis
