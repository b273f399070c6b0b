#include "synthetic_db.h"

#include <array>
#include <random>
#include <string>

namespace orvalis::bench {

namespace {

// Common words of the book's language, with a few accented ones; the rest is made of syllables.
constexpr std::array<const char*, 64> Common = {
    "de",
    "het",
    "een",
    "en",
    "van",
    "in",
    "is",
    "dat",
    "op",
    "te",
    "voor",
    "met",
    "zijn",
    "niet",
    "bij",
    "ook",
    "kan",
    "of",
    "aan",
    "door",
    "wordt",
    "als",
    "om",
    "worden",
    "lichaam",
    "vitamine",
    "ijzer",
    "zink",
    "calcium",
    "huid",
    "bloed",
    "klachten",
    "tekort",
    "voeding",
    "groente",
    "fruit",
    "water",
    "eiwit",
    "vet",
    "suiker",
    "huisarts",
    "spieren",
    "botten",
    "weerstand",
    "darmen",
    "maag",
    "hoofdpijn",
    "slaap",
    "moeheid",
    "stress",
    "thee",
    "kruiden",
    "honing",
    "gember",
    "knoflook",
    "\xE9\xE9n",
    "twee",
    "ca\xEF"
    "ne",
    "re\xEB"
    "el",
    "pur\xE9"
    "e",
    "caf\xE9",
    "mineralen",
    "magnesium",
    "vezels",
};
constexpr std::array<const char*, 24> Syllables = {"ver",  "ge",   "be",  "ont", "aar", "ing", "en", "heid",
                                                   "lijk", "baar", "ste", "kel", "mo",  "ra",  "ti", "lo",
                                                   "wi",   "jn",   "oe",  "ui",  "ei",  "sch", "pl", "tr"};

constexpr std::array<const char*, 4> Rare = {"bloedarmoede", "foliumzuur", "slapeloosheid", "Jodium"};

class TWriter {
public:
    explicit TWriter(uint32_t stream) : FRng(stream) {}

    std::string Word() {
        // Terms a reader would search for, each in a few per cent of the records.
        if (FRng() % 4000 == 0)
            return Rare[FRng() % Rare.size()];
        if (FRng() % 3 != 0)
            return Common[FRng() % Common.size()];
        std::string w;
        for (int n = 2 + static_cast<int>(FRng() % 3); n > 0; --n)
            w += Syllables[FRng() % Syllables.size()];
        return w;
    }

    std::string Title() {
        std::string t = Word();
        t[0] = static_cast<char>(t[0] >= 'a' && t[0] <= 'z' ? t[0] - 32 : t[0]);
        if (FRng() % 2 == 0)
            t += " " + Word();
        return t;
    }

    std::string Text(size_t length, const std::vector<std::string>& linkTargets) {
        std::string text;
        int sentence = 0;
        while (text.size() < length) {
            const auto roll = FRng() % 100;
            if (roll < 3 && !linkTargets.empty()) {
                const std::string& target = linkTargets[FRng() % linkTargets.size()];
                text += "<A HREF=\"" + target + "\">" + target + "</A> ";
            } else if (roll < 6) {
                text += "<B>" + Word() + "</B> ";
            } else if (roll < 8) {
                text += "<I>" + Word() + " " + Word() + "</I> ";
            } else {
                text += Word();
                text += ' ';
            }
            if (++sentence % 14 == 0)
                text += FRng() % 3 == 0 ? "\r\n\r\n" : ". ";
        }
        return text;
    }

    std::mt19937& Rng() { return FRng; }

private:
    std::mt19937 FRng;
};

} // namespace

std::vector<TRawRecord> MakeSyntheticDatabase(const TSyntheticOptions& options) {
    TWriter writer(options.Stream);
    std::vector<TRawRecord> records;
    records.reserve(static_cast<size_t>(options.Records));
    std::vector<std::string> titles;
    const auto textLen = [&] {
        const int mean = options.MeanTextLen;
        return static_cast<size_t>(mean / 2 +
                                   static_cast<int>(writer.Rng()() % static_cast<unsigned>(mean + 1)));
    };
    uint32_t id = 1;
    while (static_cast<int>(records.size()) < options.Records) {
        const auto roll = writer.Rng()() % 100;
        const char section = roll < 45 ? '1' : roll < 60 ? '2' : roll < 80 ? '3' : '4';
        const std::string title = writer.Title() + " " + std::to_string(id);
        const std::string topic = std::string(1, section) + "|" + title;
        records.push_back({id++, topic, writer.Text(textLen(), titles)});
        if (titles.size() < 500)
            titles.push_back(title);
        if (section != '1')
            continue;
        if (writer.Rng()() % 2 == 0 && static_cast<int>(records.size()) < options.Records)
            records.push_back({id++, topic + "|" + title, writer.Text(textLen(), titles)});
        if (writer.Rng()() % 3 == 0 && static_cast<int>(records.size()) < options.Records)
            records.push_back({id++, topic + "|" + title + "|" + title, writer.Text(textLen(), titles)});
    }
    return records;
}

std::string MakeSyntheticTopic(size_t length, uint32_t stream) {
    TWriter writer(stream);
    const std::vector<std::string> targets{"ijzer",        "vitamine c", "zink",
                                           "bloedarmoede", "huisarts",   "calcium"};
    std::string text;
    length = std::min<size_t>(length, 65535);
    while (text.size() < length) {
        std::string paragraph = "<FONT SIZE=+2><B>" + writer.Title() + "</B></FONT SIZE=-2>\r\n" +
                                writer.Text(400 + writer.Rng()() % 800, targets) + "\r\n\r\n";
        if (text.size() + paragraph.size() > length)
            break;
        text += paragraph;
    }
    while (text.size() < length)
        text += "en ";
    text.resize(length);
    return text;
}

} // namespace orvalis::bench
