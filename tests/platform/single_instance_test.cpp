#include "platform/single_instance.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLocalSocket>
#include <QThread>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <vector>

namespace orvalis {
namespace {

TEST(SingleInstance, SecondCopy_FindsTheFirstAndSendsItsMessages) {
    const std::string name = "orvalis-test-" + std::to_string(getpid());
    auto first = CreateSingleInstance(name);
    std::vector<TInstanceMessage> received;
    first->OnMessage = [&](TInstanceMessage m) { received.push_back(m); };
    ASSERT_TRUE(first->BecomeFirst());

    auto second = CreateSingleInstance(name);
    EXPECT_FALSE(second->BecomeFirst());
    EXPECT_TRUE(second->Send(TInstanceMessage::imShow));
    EXPECT_TRUE(second->Send(TInstanceMessage::imClose));
    for (int i = 0; i < 1000 && received.size() < 2; ++i) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::yieldCurrentThread();
    }
    EXPECT_EQ(received, (std::vector<TInstanceMessage>{TInstanceMessage::imShow, TInstanceMessage::imClose}));

    first.reset();
    EXPECT_FALSE(second->Send(TInstanceMessage::imShow)) << "nobody listens any more";
    EXPECT_TRUE(second->BecomeFirst());
}

TEST(SingleInstance, NameThatCannotBeTaken_RunsAlone) {
    auto alone = CreateSingleInstance("/nonexistent-orvalis-folder/instance");
    EXPECT_TRUE(alone->BecomeFirst()) << "with no other copy answering, the program still starts";
    EXPECT_FALSE(alone->Send(TInstanceMessage::imShow));
}

// A first copy in this process, with the messages it passes on, and raw connections to it.
class FirstCopy {
public:
    explicit FirstCopy(const char* what)
        : Name(std::string("orvalis-test-") + what + "-" + std::to_string(getpid())),
          Path(QString::fromStdString(InstanceSocketFolder() + "/" + Name)),
          Instance(CreateSingleInstance(Name)) {
        Instance->OnMessage = [this](TInstanceMessage m) { Received.push_back(m); };
    }
    std::unique_ptr<QLocalSocket> Connect() const {
        auto socket = std::make_unique<QLocalSocket>();
        socket->connectToServer(Path);
        EXPECT_TRUE(socket->waitForConnected(1000));
        return socket;
    }

    std::string Name;
    QString Path;
    std::unique_ptr<TSingleInstance> Instance;
    std::vector<TInstanceMessage> Received;
};

// Handles messages until the condition holds or the time is up; the condition's last value.
template <class F> bool PumpUntil(F condition, int milliseconds) {
    QElapsedTimer clock;
    clock.start();
    while (!condition() && clock.elapsed() < milliseconds)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    return condition();
}

void Pump(int milliseconds) {
    PumpUntil([] { return false; }, milliseconds);
}

bool Dropped(const QLocalSocket& socket) {
    return socket.state() == QLocalSocket::UnconnectedState;
}

TEST(SingleInstance, Socket_IdleConnectionsBeyondTheBound_AreDropped) {
    FirstCopy first("idle");
    ASSERT_TRUE(first.Instance->BecomeFirst());
    std::vector<std::unique_ptr<QLocalSocket>> idle;
    for (int i = 0; i < InstanceConnectionBound + 4; ++i) {
        idle.push_back(first.Connect());
        Pump(5);
    }
    Pump(100);
    const auto dropped = [&] {
        return std::count_if(idle.begin(), idle.end(), [](auto& s) { return Dropped(*s); });
    };
    EXPECT_EQ(dropped(), 4) << "the oldest make room for the newest";
    EXPECT_TRUE(Dropped(*idle.front()));

    auto second = CreateSingleInstance(first.Name);
    EXPECT_FALSE(second->BecomeFirst());
    EXPECT_TRUE(second->Send(TInstanceMessage::imShow)) << "a sender gets through while idle ones are held";
    EXPECT_TRUE(PumpUntil([&] { return !first.Received.empty(); }, 1000));
    EXPECT_EQ(first.Received, std::vector<TInstanceMessage>{TInstanceMessage::imShow});

    EXPECT_TRUE(PumpUntil([&] { return dropped() == std::ssize(idle); }, InstanceIdleMilliseconds + 1000))
        << "a connection without a complete line is dropped after a while";
}

// The server closes itself when it cannot accept a connection for want of file handles (and removes its
// socket); the first copy must listen again once handles are free.
TEST(SingleInstance, Socket_ServerThatStopsForWantOfFileHandles_ListensAgain) {
    FirstCopy first("relisten");
    ASSERT_TRUE(first.Instance->BecomeFirst());
    std::vector<std::unique_ptr<QLocalSocket>> clients;
    for (int i = 0; i < 3; ++i)
        clients.push_back(first.Connect());

    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_NOFILE, &saved), 0);
    int highest = 0;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd"))
        highest = std::max(highest, std::atoi(entry.path().filename().c_str()));
    rlimit exhausted = saved;
    exhausted.rlim_cur = static_cast<rlim_t>(highest) + 1;
    ASSERT_EQ(setrlimit(RLIMIT_NOFILE, &exhausted), 0);
    std::vector<int> fillers; // the free handles below the limit
    for (int fd; (fd = open("/dev/null", O_RDONLY)) >= 0;)
        fillers.push_back(fd);
    Pump(100);
    for (int fd : fillers)
        close(fd);
    ASSERT_EQ(setrlimit(RLIMIT_NOFILE, &saved), 0);
    clients.clear();

    auto second = CreateSingleInstance(first.Name);
    EXPECT_TRUE(PumpUntil([&] { return QFile::exists(first.Path); }, InstanceRelistenMilliseconds * 4));
    EXPECT_FALSE(second->BecomeFirst()) << "the first copy answers again";
    EXPECT_TRUE(second->Send(TInstanceMessage::imClose));
    EXPECT_TRUE(PumpUntil([&] { return !first.Received.empty(); }, 1000));
}

TEST(SingleInstance, Socket_MessageSplitAcrossReads_OnlyWholeLinesCount) {
    FirstCopy first("framing");
    ASSERT_TRUE(first.Instance->BecomeFirst());

    auto split = first.Connect();
    split->write("sh");
    split->flush();
    Pump(50);
    split->write("ow\nshowx\nclos\n\nclose");
    split->flush();
    Pump(100);
    EXPECT_EQ(first.Received, std::vector<TInstanceMessage>{TInstanceMessage::imShow})
        << "neither other words nor a line without its end count";
    split->write("\n");
    split->flush();
    EXPECT_TRUE(PumpUntil([&] { return first.Received.size() == 2; }, 1000));
    EXPECT_FALSE(Dropped(*split));

    // A line longer than the longest word drops the connection at once; its tail never counts.
    for (const QByteArray& data : {QByteArray("AAAAAAAAAAAAAAAclose\n"), QByteArray("closeclose\n"),
                                   QByteArray(1 << 20, 'A') + "\nshow\n"}) {
        auto socket = first.Connect();
        socket->write(data);
        socket->flush();
        EXPECT_TRUE(PumpUntil([&] { return Dropped(*socket); }, InstanceIdleMilliseconds / 2))
            << data.left(20).toStdString();
    }
    Pump(50);
    EXPECT_EQ(first.Received.size(), 2u);
}

TEST(SingleInstance, Socket_OfAnotherUser_IsNotTrustedAsTheRunningCopy) {
    if (geteuid() != 0)
        GTEST_SKIP() << "giving a socket to another user takes the superuser";
    FirstCopy first("owner");
    ASSERT_TRUE(first.Instance->BecomeFirst());
    ASSERT_EQ(chown(QFile::encodeName(first.Path).constData(), 65534, 65534), 0);

    auto second = CreateSingleInstance(first.Name);
    EXPECT_FALSE(second->Send(TInstanceMessage::imShow)) << "nothing is sent to a socket of another user";
    EXPECT_TRUE(second->BecomeFirst()) << "the start becomes the first copy instead of ending";
    auto third = CreateSingleInstance(first.Name);
    EXPECT_TRUE(third->Send(TInstanceMessage::imShow));
    Pump(50);
    EXPECT_TRUE(first.Received.empty());
}

// The socket's folder: the runtime folder when it is set, otherwise a folder of the user in the temporary
// folder that only the user can use.
TEST(SingleInstance, Socket_FolderOfOtherUsersOrOpenToThem_IsNotUsed) {
    std::string pattern = (std::filesystem::temp_directory_path() / "orvalis-test-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    const std::filesystem::path temp = pattern;
    // The folder goes and the environment comes back however the test ends.
    struct TRestore {
        std::filesystem::path Path;
        QByteArray Runtime = qgetenv("XDG_RUNTIME_DIR"), Temp = qgetenv("TMPDIR");
        ~TRestore() {
            std::filesystem::remove_all(Path);
            for (auto [name, value] : {std::pair{"XDG_RUNTIME_DIR", Runtime}, std::pair{"TMPDIR", Temp}})
                value.isNull() ? qunsetenv(name) : qputenv(name, value);
        }
    } restore{temp};
    qunsetenv("XDG_RUNTIME_DIR");
    qputenv("TMPDIR", QByteArray::fromStdString(temp.string()));
    const std::string folder = (temp / ("orvalis-" + std::to_string(geteuid()))).string();
    struct stat info {};

    EXPECT_EQ(InstanceSocketFolder(), folder);
    ASSERT_EQ(stat(folder.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    chmod(folder.c_str(), 0777);
    EXPECT_EQ(InstanceSocketFolder(), folder);
    ASSERT_EQ(stat(folder.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u) << "others' access is taken away";

    if (geteuid() == 0) {
        ASSERT_EQ(chown(folder.c_str(), 65534, 65534), 0);
        EXPECT_EQ(InstanceSocketFolder(), "") << "a folder of another user";
        auto alone = CreateSingleInstance("instance");
        EXPECT_TRUE(alone->BecomeFirst());
        EXPECT_FALSE(QFile::exists(QString::fromStdString(folder + "/instance")));
    }
    std::filesystem::remove(folder);
    const std::string elsewhere = (temp / "elsewhere").string();
    std::filesystem::create_directory(elsewhere);
    chmod(elsewhere.c_str(), 0700);
    std::filesystem::create_directory_symlink(elsewhere, folder);
    EXPECT_EQ(InstanceSocketFolder(), "") << "a link that another user may have laid";

    qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(elsewhere));
    EXPECT_EQ(InstanceSocketFolder(), elsewhere);
}

TEST(SingleInstance, Socket_ResignedFirstCopy_LetsANewStartBecomeFirst) {
    FirstCopy first("resign");
    ASSERT_TRUE(first.Instance->BecomeFirst());
    auto held = first.Connect();
    ResignFirstCopy();
    EXPECT_TRUE(PumpUntil([&] { return Dropped(*held); }, 1000));

    auto second = CreateSingleInstance(first.Name);
    EXPECT_TRUE(second->BecomeFirst());
    EXPECT_TRUE(second->Send(TInstanceMessage::imShow));
    Pump(InstanceRelistenMilliseconds * 2);
    EXPECT_TRUE(first.Received.empty());
    EXPECT_FALSE(first.Instance->BecomeFirst()) << "nor does the resigned copy take the name back";
}

} // namespace
} // namespace orvalis
