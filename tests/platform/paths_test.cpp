#include "platform/paths.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

namespace orvalis {
namespace {

using Bytes = std::vector<uint8_t>;

class ReadWholeFileTest : public testing::Test {
protected:
    std::string Write(const std::string& name, const Bytes& bytes) {
        const std::string path = FDir.filePath(QString::fromStdString(name)).toStdString();
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        return path;
    }

    QTemporaryDir FDir;
};

TEST_F(ReadWholeFileTest, FileUpToTheLimit_ComesWholeWithEveryByte) {
    const Bytes bytes{'a', 0, 0xE9, '\r', '\n', 0xFF};
    const std::string path = Write("six", bytes);
    EXPECT_EQ(ReadWholeFile(path, 6), bytes);
    EXPECT_EQ(ReadWholeFile(path, 1000), bytes);
    EXPECT_EQ(ReadWholeFile(Write("empty", {}), 0), Bytes{});
}

TEST_F(ReadWholeFileTest, FileOverTheLimitMissingOrAFolder_GivesNothing) {
    EXPECT_EQ(ReadWholeFile(Write("six", Bytes(6, 'x')), 5), std::nullopt);
    EXPECT_EQ(ReadWholeFile(FDir.filePath("missing").toStdString(), 1000), std::nullopt);
    EXPECT_EQ(ReadWholeFile(FDir.path().toStdString(), 1000), std::nullopt);
}

TEST_F(ReadWholeFileTest, BackslashNames_AreFolderSeparators) {
    const std::string path = Write("name", Bytes{'1'});
    std::string system = path;
    std::replace(system.begin(), system.end(), '/', '\\');
    EXPECT_EQ(ReadWholeFile(system, 10), Bytes{'1'});
}

} // namespace
} // namespace orvalis

namespace orvalis {
namespace {

TEST(DoubledName, GoesBeforeTheExtensionOfTheLastPart) {
    EXPECT_EQ(DoubledName("I\\T\\vis.png"), "I\\T\\vis@2x.png");
    EXPECT_EQ(DoubledName("I\\B\\m_r10x7"), "I\\B\\m_r10x7@2x") << "a name without an extension";
    EXPECT_EQ(DoubledName("a.b/c"), "a.b/c@2x") << "a dot in a folder name is no extension";
    EXPECT_EQ(DoubledName(":/pictures/ScrollUp"), ":/pictures/ScrollUp@2x");
}

} // namespace
} // namespace orvalis
