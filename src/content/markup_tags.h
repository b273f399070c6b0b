#pragma once

#include <string>
#include <string_view>
#include <vector>

// Tag recognition and attribute values of the markup language that topic texts are written in; the
// renderer lays texts out by these rules, and the content tool checks the links of a database with them.
namespace orvalis {

// The tag keywords, recognised case-sensitively at the start of a token "<...>".
enum class TTagKind {
    None,
    BoldOn,
    BoldOff,
    ItalicOn,
    ItalicOff,
    UnderlineOn,
    UnderlineOff,
    StrikeOn,
    StrikeOff,
    Font,
    FontClose,
    Image,
    Hide,
    Show,
    LinkOpen,
    LinkClose,
};

TTagKind RecognizeTag(std::string_view token);

// The token of a tag starting at `at` (which holds '<'): everything up to and including the first '>', cut
// at 255 characters. Empty when no '>' follows, in which case the '<' is ordinary text. `end` receives the
// offset just after the '>'.
std::string_view TagToken(std::string_view text, size_t at, size_t& end);

// Reads the tags of one text from front to back, as TagToken does. The '>' that ends a tag is searched once
// for all the '<' before it, so a text full of '<' (with or without a '>' far behind them) is read in linear
// time.
class TTagReader {
public:
    explicit TTagReader(std::string_view text) : FText(text) {}
    std::string_view Token(size_t at, size_t& end);
    // How many bytes the searches for '>' have looked at so far.
    size_t Scanned() const { return FScanned; }

private:
    std::string_view FText;
    // The first '>' at or after FFrom (npos for none), once searched.
    size_t FFrom = 0;
    size_t FClose = 0;
    bool FSearched = false;
    size_t FScanned = 0;
};

// The value of an attribute such as "HREF=" in a tag token: the text after the attribute's first occurrence,
// without leading quotes and spaces, up to the first double quote, single quote or space that comes before
// the first '>', in that order of preference, otherwise up to the first '>'.
std::string TagAttribute(std::string_view token, std::string_view attribute);

// The topic's markup as plain text, as it is copied, printed and read aloud: every "<" that a ">" follows
// later, up to and including that ">", and every "{" and "}" left out; everything else, line breaks and a
// "<" without a later ">" included, kept.
std::string PlainTopicText(std::string_view markup);

// The plain text of the characters from `from` up to `to` of the markup as the reader sees them: the filter
// of PlainTopicText that also leaves out the hidden passages ("<HIDE>" up to "<SHOW>"), whose state at
// `from` follows from the text before it. Bounds beyond the text are taken as its end.
std::string VisibleTopicText(std::string_view markup, size_t from, size_t to);

// The HREF= values of every link the text opens, in order ("<A" inside an open link is ignored, as links do
// not nest).
std::vector<std::string> ListLinkTargets(std::string_view text);

} // namespace orvalis
