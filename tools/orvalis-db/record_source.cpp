#include "orvalis-db/record_source.h"

#include "content/idb_rec_file.h"
#include "orvalis-db/cp1252.h"

#include <charconv>
#include <optional>

namespace orvalis::dbtool {

const char* const SourceFormatHelp =
    R"(Record source format (UTF-8 text, any number of files packed in order):

  @# any comment                 a comment line, ignored anywhere
  @record 1|Acne                 a record with the path "1|Acne" (levels separated by "|")
  ...                            the record's text: every following line up to the next
                                 record line; lines are joined with CR LF
  @extra                         the extra-information record of the last topic "L1|T":
                                 its path is "L1|T|T"
  @recipe                        the recipe record of the last topic: path "L1|T|T|T"
  @record #240 4|Acne            any record line may give the id explicitly after "#"

Paths: level 1 is the section ("1" Aandoeningen & Remedies, "2" Voedingsstoffen
Algemeen, "3" Voedingsstoffen Specifiek, "4" Quorindex), level 2 the title.
Ids: without "#ID" a record takes the previous record's id plus one (the first: 1).
Texts: markup as the reader shows it. Empty lines at the end of a text are dropped,
so records may be separated by blank lines; spaces and tabs at the end of a line
are dropped too. Every line that begins with "@" is a directive.
Escapes: \x{HH} stands for the byte with the hexadecimal value HH, in paths and
texts. They are needed only for what a line cannot hold otherwise: control
characters, a space at the end of a line, line breaks at the end of a text, a text
line that begins with "@", and the five byte values Windows-1252 leaves undefined
(81, 8D, 8F, 90, 9D). Every other character must exist in Windows-1252.
)";

namespace {

enum class TDirective { Comment, Record, Extra, Recipe, Unknown };

struct TLine {
    std::string_view Text;
    int Number = 0;
};

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view TrimEnd(std::string_view s) {
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// An escape \x{HH} at `at`, or -1.
int EscapeAt(std::string_view s, size_t at) {
    if (s.size() - at < 6 || s.compare(at, 3, "\\x{") != 0 || s[at + 5] != '}')
        return -1;
    const int hi = HexDigit(s[at + 3]);
    const int lo = HexDigit(s[at + 4]);
    return hi < 0 || lo < 0 ? -1 : hi * 16 + lo;
}

class TParser {
public:
    TParser(const TSourceFile& file, std::vector<TSourceError>& errors) : FFile(file), FErrors(errors) {}

    void Error(int line, std::string message) { FErrors.push_back({FFile.Name, line, std::move(message)}); }

    // Converts one source line (without its end) to Windows-1252 bytes, resolving escapes.
    std::optional<std::string> Decode(std::string_view s, int line) {
        std::string out;
        size_t at = 0;
        size_t column = 0; // in characters, as an editor counts them
        while (at < s.size()) {
            ++column;
            const int escaped = EscapeAt(s, at);
            if (escaped >= 0) {
                out.push_back(static_cast<char>(escaped));
                at += 6;
                column += 5;
                continue;
            }
            const std::optional<char32_t> c = NextUtf8(s, at);
            if (!c) {
                Error(line, "invalid UTF-8 at column " + std::to_string(column));
                return std::nullopt;
            }
            if ((*c < 0x20 && *c != '\t') || *c == 0x7F) {
                Error(line, "control character at column " + std::to_string(column) + "; write it as \\x{" +
                                HexByte(static_cast<uint8_t>(*c)) + "}");
                return std::nullopt;
            }
            const std::optional<uint8_t> b = UnicodeToCp1252(*c);
            if (!b) {
                std::string shown;
                AppendUtf8(shown, *c);
                Error(line, "character U+" + CodePoint(*c) + " '" + shown + "' at column " +
                                std::to_string(column) + " cannot be written in Windows-1252");
                return std::nullopt;
            }
            out.push_back(static_cast<char>(*b));
        }
        return out;
    }

    static std::string HexByte(uint8_t b) {
        static const char* Digits = "0123456789ABCDEF";
        return {Digits[b >> 4], Digits[b & 15]};
    }
    static std::string CodePoint(char32_t c) {
        std::string s;
        for (int shift = c > 0xFFFF ? 20 : 12; shift >= 0; shift -= 4)
            s.push_back("0123456789ABCDEF"[(c >> shift) & 15]);
        return s;
    }

    const TSourceFile& FFile;
    std::vector<TSourceError>& FErrors;
};

std::vector<TLine> SplitLines(std::string_view content) {
    std::vector<TLine> lines;
    if (content.starts_with("\xEF\xBB\xBF"))
        content.remove_prefix(3);
    int number = 0;
    while (!content.empty()) {
        const size_t lf = content.find('\n');
        std::string_view line = content.substr(0, lf);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        lines.push_back({line, ++number});
        if (lf == std::string_view::npos)
            break;
        content.remove_prefix(lf + 1);
    }
    return lines;
}

TDirective DirectiveOf(std::string_view line, std::string_view& argument) {
    auto take = [&](std::string_view word) {
        if (!line.starts_with(word))
            return false;
        std::string_view rest = line.substr(word.size());
        if (!rest.empty() && rest.front() != ' ')
            return false;
        argument = rest.empty() ? rest : rest.substr(1);
        return true;
    };
    if (line.starts_with("@#"))
        return TDirective::Comment;
    if (take("@record"))
        return TDirective::Record;
    if (take("@extra"))
        return TDirective::Extra;
    if (take("@recipe"))
        return TDirective::Recipe;
    return TDirective::Unknown;
}

// A topic path "L1|T" with exactly one bar and a title, from which @extra and @recipe derive their paths.
bool IsSimpleTopic(std::string_view path) {
    const size_t bar = path.find('|');
    return bar != std::string_view::npos && bar + 1 < path.size() &&
           path.find('|', bar + 1) == std::string_view::npos;
}
std::string_view TitleOf(std::string_view simpleTopic) {
    return simpleTopic.substr(simpleTopic.find('|') + 1);
}
std::string ExtraPath(std::string_view topic) {
    return std::string(topic) + "|" + std::string(TitleOf(topic));
}
std::string RecipePath(std::string_view topic) {
    return ExtraPath(topic) + "|" + std::string(TitleOf(topic));
}

} // namespace

std::vector<TRawRecord> ParseRecordSource(const std::vector<TSourceFile>& files,
                                          std::vector<TSourceError>& errors) {
    std::vector<TRawRecord> records;
    std::string lastTopic;
    bool haveTopic = false;
    uint32_t nextId = 1;
    for (const TSourceFile& file : files) {
        TParser parser(file, errors);
        const std::vector<TLine> lines = SplitLines(file.Content);
        size_t i = 0;
        while (i < lines.size()) {
            const TLine& head = lines[i++];
            if (!head.Text.starts_with('@')) {
                // Only lines before a file's first record stand outside a record's text.
                if (!TrimEnd(head.Text).empty())
                    parser.Error(head.Number, "text before the first record line");
                continue;
            }
            std::string_view arg;
            const TDirective directive = DirectiveOf(head.Text, arg);
            if (directive == TDirective::Comment)
                continue;
            if (directive == TDirective::Unknown) {
                parser.Error(head.Number, "unknown directive '" + std::string(head.Text.substr(0, 20)) +
                                              "'; a text line beginning with @ is written \\x{40}...");
                while (i < lines.size() && !lines[i].Text.starts_with('@'))
                    ++i;
                continue;
            }
            TRawRecord record;
            record.Id = nextId;
            arg = TrimEnd(arg);
            if (arg.starts_with('#')) {
                const size_t space = arg.find(' ');
                const std::string_view digits =
                    arg.substr(1, space == std::string_view::npos ? arg.npos : space - 1);
                uint32_t id = 0;
                const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), id);
                if (digits.empty() || ec != std::errc() || end != digits.data() + digits.size()) {
                    parser.Error(head.Number, "the id '#" + std::string(digits) +
                                                  "' is not a number from 0 to 4294967295");
                } else {
                    record.Id = id;
                }
                arg = space == std::string_view::npos ? std::string_view() : arg.substr(space + 1);
            }
            if (directive == TDirective::Record) {
                if (std::optional<std::string> path = parser.Decode(arg, head.Number))
                    record.Path = std::move(*path);
            } else if (!arg.empty()) {
                parser.Error(head.Number, "@extra and @recipe take no path, only an optional #id");
            } else if (!haveTopic) {
                parser.Error(head.Number, "@extra or @recipe without a topic \"section|title\" before it");
            } else {
                record.Path = directive == TDirective::Extra ? ExtraPath(lastTopic) : RecipePath(lastTopic);
            }
            if (record.Path.size() > MaxFieldLen)
                parser.Error(head.Number, "the path is " + std::to_string(record.Path.size()) +
                                              " bytes long; at most 65535 fit");

            // The text: every line up to the next directive other than a comment, without trailing blank
            // lines.
            std::vector<std::string> body;
            size_t kept = 0;
            for (; i < lines.size(); ++i) {
                std::string_view arg2;
                if (lines[i].Text.starts_with('@')) {
                    if (DirectiveOf(lines[i].Text, arg2) == TDirective::Comment)
                        continue;
                    break;
                }
                std::optional<std::string> line = parser.Decode(TrimEnd(lines[i].Text), lines[i].Number);
                body.push_back(line ? std::move(*line) : std::string());
                if (!body.back().empty())
                    kept = body.size();
            }
            for (size_t b = 0; b < kept; ++b) {
                if (b > 0)
                    record.Text += "\r\n";
                record.Text += body[b];
            }
            if (record.Text.size() > MaxFieldLen)
                parser.Error(head.Number, "the text is " + std::to_string(record.Text.size()) +
                                              " bytes long; at most 65535 fit");

            if (IsSimpleTopic(record.Path)) {
                lastTopic = record.Path;
                haveTopic = true;
            }
            nextId = record.Id + 1;
            records.push_back(std::move(record));
        }
    }
    return records;
}

namespace {

void AppendEscape(std::string& out, uint8_t b) {
    out += "\\x{" + TParser::HexByte(b) + "}";
}

bool NeedsEscape(uint8_t b) {
    return (b < 0x20 && b != '\t') || b == 0x7F || b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 ||
           b == 0x9D;
}

// One line of source: bytes as UTF-8, escapes where a line could not hold the byte.
void AppendLine(std::string& out, std::string_view bytes, bool escapeLeadingAt, bool escapeLeadingHash) {
    size_t end = bytes.size();
    while (end > 0 && IsBlank(bytes[end - 1]))
        --end;
    for (size_t i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<uint8_t>(bytes[i]);
        const bool leading = i == 0 && ((escapeLeadingAt && b == '@') || (escapeLeadingHash && b == '#'));
        const bool startsEscape = b == '\\' && EscapeAt(bytes, i) >= 0;
        if (NeedsEscape(b) || i >= end || leading || startsEscape)
            AppendEscape(out, b);
        else
            AppendUtf8(out, Cp1252ToUnicode(b));
    }
}

} // namespace

std::string WriteRecordSource(const std::vector<TRawRecord>& records) {
    std::string out = "@# Orvalis record source, written by orvalis-db unpack\n\n";
    std::string lastTopic;
    bool haveTopic = false;
    uint32_t nextId = 1;
    for (const TRawRecord& r : records) {
        const std::string id = r.Id == nextId ? "" : "#" + std::to_string(r.Id);
        if (haveTopic && r.Path == ExtraPath(lastTopic)) {
            out += id.empty() ? "@extra" : "@extra " + id;
        } else if (haveTopic && r.Path == RecipePath(lastTopic)) {
            out += id.empty() ? "@recipe" : "@recipe " + id;
        } else {
            out += "@record";
            if (!id.empty())
                out += " " + id;
            if (!r.Path.empty()) {
                out += ' ';
                AppendLine(out, r.Path, false, id.empty());
            }
        }
        out += '\n';
        if (IsSimpleTopic(r.Path)) {
            lastTopic = r.Path;
            haveTopic = true;
        }
        nextId = r.Id + 1;

        // Line breaks at the very end of the text cannot stand as empty lines (those are dropped), so they
        // become escapes on the last line.
        std::string_view text = r.Text;
        size_t suffix = text.size();
        while (suffix >= 2 && text.substr(suffix - 2, 2) == "\r\n")
            suffix -= 2;
        const std::string_view head = text.substr(0, suffix);
        size_t start = 0;
        bool any = false;
        while (start < head.size() || (!any && suffix < text.size())) {
            size_t br = head.find("\r\n", start);
            if (br == std::string_view::npos)
                br = head.size();
            AppendLine(out, head.substr(start, br - start), true, false);
            any = true;
            start = br + 2;
            if (br == head.size()) {
                for (size_t s = suffix; s < text.size(); ++s)
                    AppendEscape(out, static_cast<uint8_t>(text[s]));
                out += '\n';
                break;
            }
            out += '\n';
        }
        out += '\n';
    }
    return out;
}

} // namespace orvalis::dbtool
