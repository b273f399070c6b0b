#include "selftests/section_file.h"
#include "content/short_string.h"
#include "platform/paths.h"

namespace orvalis {

namespace {

// Walks the lines of a text as a text file reader returns them: CR LF, LF or CR end a line, and a final
// line without an end still counts.
class TLineReader {
public:
    explicit TLineReader(std::string_view text) : FText(text) {}

    bool AtEnd() const { return FPos >= FText.size(); }

    std::string_view Next() {
        const size_t end = FText.find_first_of("\r\n", FPos);
        const std::string_view line =
            FText.substr(FPos, end == std::string_view::npos ? std::string_view::npos : end - FPos);
        if (end == std::string_view::npos) {
            FPos = FText.size();
        } else {
            FPos = end + 1;
            if (FText[end] == '\r' && FPos < FText.size() && FText[FPos] == '\n')
                ++FPos;
        }
        return ShortString(line);
    }

private:
    std::string_view FText;
    size_t FPos = 0;
};

} // namespace

std::vector<std::string> SectionLines(std::string_view text, std::string_view name) {
    // The header is compared as the system's short strings compare: both sides cut to 255 characters.
    const std::string wanted = "[" + std::string(name) + "]";
    const std::string_view header = ShortString(wanted);
    TLineReader lines(text);
    std::vector<std::string> body;
    while (!lines.AtEnd()) {
        if (lines.Next() != header)
            continue;
        while (!lines.AtEnd()) {
            const std::string_view line = lines.Next();
            if (line.starts_with('['))
                break;
            body.emplace_back(line);
        }
        break;
    }
    return body;
}

std::vector<std::string> ReadSectionLines(std::string_view systemPath, std::string_view name) {
    const auto bytes = ReadWholeFile(systemPath, MaxSectionFileSize);
    if (!bytes)
        return {};
    const std::string_view text(reinterpret_cast<const char*>(bytes->data()), bytes->size());
    return SectionLines(text, name);
}

} // namespace orvalis
