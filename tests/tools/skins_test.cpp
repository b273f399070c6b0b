#include "orvalis-skins/app_icon.h"
#include "orvalis-skins/generator.h"
#include "orvalis-skins/program_pictures.h"
#include "orvalis-skins/skin_painter.h"
#include "orvalis-skins/skin_table.h"
#include "orvalis-skins/text_samples.h"
#include "orvalis-skins/topic_pictures.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImageReader>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>

namespace orvalis::skins {
namespace {

namespace fs = std::filesystem;

QGuiApplication& App() {
    static int argc = 1;
    static char name[] = "skins_tests";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
    return app;
}

class SkinsTest : public ::testing::Test {
protected:
    void SetUp() override { App(); }
};

fs::path TempDir(const char* name) {
    fs::path dir = fs::temp_directory_path() / ("orvalis-skins-" + std::to_string(::getpid())) / name;
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir;
}

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

TEST(SkinTable, ScaledSizes_AreDesignTimesFactorRoundedHalfToEven) {
    // Worked out by hand: 50 x 1.25 = 62.5 -> 62, 219 x 1.25 = 273.75 -> 274, 421 x 1.6 = 673.6 -> 674.
    const std::map<std::string_view, std::array<TSize, 3>> expected{
        {"i_t", {{{640, 50}, {800, 62}, {1024, 80}}}},    {"i", {{{640, 380}, {800, 475}, {1024, 608}}}},
        {"m_t", {{{640, 50}, {800, 62}, {1024, 80}}}},    {"m_r", {{{421, 380}, {526, 475}, {674, 608}}}},
        {"m_b", {{{640, 50}, {800, 62}, {1024, 80}}}},    {"m_b2", {{{640, 50}, {800, 62}, {1024, 80}}}},
        {"m_l1", {{{219, 380}, {274, 475}, {350, 608}}}}, {"m_l2", {{{219, 380}, {274, 475}, {350, 608}}}},
        {"h_t", {{{640, 50}, {800, 62}, {1024, 80}}}},    {"h_r", {{{421, 380}, {526, 475}, {674, 608}}}},
        {"h_b", {{{640, 50}, {800, 62}, {1024, 80}}}},    {"h_l3", {{{219, 380}, {274, 475}, {350, 608}}}},
        {"q", {{{640, 380}, {800, 475}, {1024, 608}}}},   {"t", {{{640, 380}, {800, 475}, {1024, 608}}}},
    };
    ASSERT_EQ(Stems().size(), expected.size());
    for (const TStem& stem : Stems()) {
        ASSERT_TRUE(expected.contains(stem.Name)) << stem.Name;
        for (const TVariant& v : Variants)
            EXPECT_EQ(ScaledSize(stem.Design, v), expected.at(stem.Name)[v.Index]) << stem.Name << v.Suffix;
    }
    // Halves go to the even neighbour both ways; 18 x 1.25 = 22.5 -> 22, 22 x 1.25 = 27.5 -> 28.
    EXPECT_EQ(ScaledLength(18, Variants[1]), 22);
    EXPECT_EQ(ScaledLength(22, Variants[1]), 28);
    EXPECT_EQ(ScaledLength(-18, Variants[1]), -22);
    EXPECT_EQ(BackgroundFileName(*FindStem("m_r"), Variants[2]), "I/B/m_r10x7");
}

TEST_F(SkinsTest, Generate_EveryFileDecodesFromItsContentAtItsSize) {
    const fs::path root = TempDir("decode");
    std::vector<fs::path> written;
    std::string error;
    ASSERT_TRUE(GenerateSkins({root / "program", root / "skins", false, {}}, written, error)) << error;

    std::set<QByteArray> formats;
    // Each picture comes once more with twice the pixels each way, for scaled screens.
    for (const TVariant& v : Variants)
        for (const TStem& stem : Stems())
            for (const auto& [suffix, density] : {std::pair{"", 1}, std::pair{"@2x", 2}}) {
                const fs::path path = root / "program" / (BackgroundFileName(stem, v) + suffix);
                QImageReader reader(QString::fromStdString(path.string()));
                formats.insert(reader.format()); // recognised from the content: the name has no extension
                const QImage image = reader.read();
                ASSERT_FALSE(image.isNull()) << path << ": " << reader.errorString().toStdString();
                const TSize size = ScaledSize(stem.Design, v);
                EXPECT_EQ(image.width(), size.Width * density) << path;
                EXPECT_EQ(image.height(), size.Height * density) << path;
            }
    EXPECT_EQ(formats, (std::set<QByteArray>{"png", "jpeg", "bmp"}));

    const std::map<std::string, QSize> fixed{{"skins/splash.png", {282, 282}},
                                             {"skins/about.png", {325, 325}},
                                             {"skins/scroll_up.png", {16, 16}},
                                             {"skins/scroll_thumb.png", {16, 16}},
                                             {"skins/scroll_down.png", {16, 16}},
                                             {"program/I/T/citrus.png", {120, 90}},
                                             {"program/I/T/peulvruchten.png", {120, 90}},
                                             {"skins/splash@2x.png", {564, 564}},
                                             {"skins/about@2x.png", {650, 650}},
                                             {"skins/scroll_thumb@2x.png", {32, 32}},
                                             {"program/I/T/vis@2x.png", {240, 180}}};
    for (const auto& [name, size] : fixed) {
        const QImage image(QString::fromStdString((root / name).string()));
        EXPECT_EQ(image.size(), size) << name;
    }
    for (int size : AppIconSizes) {
        const std::string folder = std::to_string(size) + "x" + std::to_string(size);
        const QImage icon(
            QString::fromStdString((root / "skins/icons/hicolor" / folder / "apps/orvalis.png").string()));
        EXPECT_EQ(icon.size(), QSize(size, size)) << folder;
    }
    EXPECT_EQ(written.size(), 2 * (14u * 3 + 14 + 5) + AppIconSizes.size());
}

// The mean difference per channel between two pictures of one size.
double MeanDifference(const QImage& a, const QImage& b) {
    double sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            sum +=
                std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q));
        }
    return sum / (3.0 * a.width() * a.height());
}

// A picture drawn at twice the density is the same picture: reduced to the single size it differs from the
// single picture only by its finer paper grain and edges, wherever the painters draw.
TEST_F(SkinsTest, DoubledPictures_ShowTheSamePictureWithFinerPixels) {
    std::vector<std::pair<std::string, std::pair<QImage, QImage>>> pairs;
    for (const TStem& stem : Stems())
        pairs.push_back({std::string(stem.Name),
                         {PaintBackground(stem, Variants[2]), PaintBackground(stem, Variants[2], 2)}});
    pairs.push_back({"vis", {PaintTopicPicture("vis"), PaintTopicPicture("vis", 2)}});
    pairs.push_back({"splash", {PaintSplash(), PaintSplash(2)}});
    pairs.push_back({"about", {PaintAbout(), PaintAbout(2)}});
    pairs.push_back({"thumb", {PaintScrollPart(TScrollPart::Thumb), PaintScrollPart(TScrollPart::Thumb, 2)}});
    for (const auto& [name, images] : pairs) {
        const auto& [single, doubled] = images;
        ASSERT_EQ(doubled.size(), single.size() * 2) << name;
        const QImage reduced = doubled.scaled(single.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        EXPECT_LT(MeanDifference(single, reduced), 6.0) << name;
    }
}

TEST_F(SkinsTest, Generate_TwoRunsWriteTheSameBytes) {
    const fs::path a = TempDir("run-a"), b = TempDir("run-b");
    std::vector<fs::path> writtenA, writtenB;
    std::string error;
    ASSERT_TRUE(GenerateSkins({a / "program", a / "skins", false, {}}, writtenA, error)) << error;
    ASSERT_TRUE(GenerateSkins({b / "program", b / "skins", false, {}}, writtenB, error)) << error;
    ASSERT_EQ(writtenA.size(), writtenB.size());
    for (const fs::path& path : writtenA) {
        const fs::path other = b / fs::relative(path, a);
        EXPECT_EQ(ReadAll(path), ReadAll(other)) << path;
    }
}

TEST_F(SkinsTest, TextSamples_KeepTheirContrastOverTheMeanBackground) {
    for (const TVariant& v : Variants)
        for (const TStem& stem : Stems()) {
            const QImage image = PaintBackground(stem, v);
            for (const TTextSample& s : TextSamples(stem)) {
                if (s.Role == TTextRole::Shadow)
                    continue;
                QColor ground;
                if (s.Role == TTextRole::Face) {
                    ground = stem.Mode == TMode::Link ? QColor(0xCB, 0xD2, 0xB8) : QColor(0xF8, 0xE4, 0xB2);
                } else {
                    const QRect r(ScaledLength(s.Rect.Left, v), ScaledLength(s.Rect.Top, v),
                                  ScaledLength(s.Rect.Width, v), ScaledLength(s.Rect.Height, v));
                    const QRect area = r.intersected(image.rect());
                    ASSERT_FALSE(area.isEmpty()) << stem.Name << " " << s.Text;
                    double red = 0, green = 0, blue = 0;
                    for (int y = area.top(); y <= area.bottom(); ++y)
                        for (int x = area.left(); x <= area.right(); ++x) {
                            const QRgb c = image.pixel(x, y);
                            red += qRed(c), green += qGreen(c), blue += qBlue(c);
                        }
                    const double n = double(area.width()) * area.height();
                    ground = QColor(int(red / n + 0.5), int(green / n + 0.5), int(blue / n + 0.5));
                }
                const double minimum = s.Role == TTextRole::Heading ? 3.0 : 4.5;
                EXPECT_GE(ContrastRatio(s.Color, ground), minimum)
                    << stem.Name << v.Suffix << " \"" << s.Text << "\" over " << ground.name().toStdString();
            }
        }
}

TEST_F(SkinsTest, Splash_LoadingBandCarriesWhiteText) {
    const QImage splash = PaintSplash();
    double lum = 0;
    for (int y = 255; y < 267; ++y)
        for (int x = 5; x < 275; ++x)
            lum += qGray(splash.pixel(x, y));
    const int gray = int(lum / (12 * 270));
    EXPECT_GE(ContrastRatio(Qt::white, QColor(gray, gray, gray)), 4.5);
}

// At every size the cover's corners stay transparent, its middle is opaque, and the leaf and the outline
// keep pixels of their own colours (neither vanishes in the smallest sizes).
TEST_F(SkinsTest, AppIcon_ReadsAtEverySize) {
    for (int size : AppIconSizes) {
        SCOPED_TRACE(size);
        const QImage icon = PaintAppIcon(size);
        ASSERT_EQ(icon.size(), QSize(size, size));
        ASSERT_TRUE(icon.hasAlphaChannel());
        for (QPoint corner :
             {QPoint(0, 0), QPoint(size - 1, 0), QPoint(0, size - 1), QPoint(size - 1, size - 1)})
            EXPECT_EQ(qAlpha(icon.pixel(corner)), 0);
        int opaque = 0, leaf = 0, outline = 0;
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x) {
                const QColor c = icon.pixelColor(x, y);
                opaque += c.alpha() == 255;
                if (c.alpha() < 255)
                    continue;
                leaf += c.green() > c.red() + 8 && c.green() > c.blue() + 30;
                outline += c.red() < 0x90 && c.green() < 0x60 && c.blue() < 0x30;
            }
        EXPECT_GT(opaque, size * size / 2); // the cover, less its rounded corners and soft rim
        EXPECT_GT(leaf, 0);
        EXPECT_GT(outline, size);
    }
}

TEST(ContrastRatio, MatchesKnownPairs) {
    EXPECT_NEAR(ContrastRatio(Qt::black, Qt::white), 21.0, 1e-9);
    EXPECT_NEAR(ContrastRatio(QColor(0x77, 0x77, 0x77), Qt::white), 4.48, 0.01);
}

} // namespace
} // namespace orvalis::skins
