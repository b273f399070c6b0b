#include "content/markup_tags.h"
#include "content/short_string.h"

#include <algorithm>
#include <array>
#include <utility>

namespace orvalis {

TTagKind RecognizeTag(std::string_view token) {
    // Longer keywords that share a prefix with shorter ones come first ("</A>" before "<A" does not matter
    // since "</" differs, but "<FONT" must be tried as a whole word).
    static constexpr std::array<std::pair<std::string_view, TTagKind>, 15> Keywords{{
        {"<B>", TTagKind::BoldOn},
        {"</B>", TTagKind::BoldOff},
        {"<I>", TTagKind::ItalicOn},
        {"</I>", TTagKind::ItalicOff},
        {"<U>", TTagKind::UnderlineOn},
        {"</U>", TTagKind::UnderlineOff},
        {"<S>", TTagKind::StrikeOn},
        {"</S>", TTagKind::StrikeOff},
        {"<FONT", TTagKind::Font},
        {"</FONT", TTagKind::FontClose},
        {"<IMG", TTagKind::Image},
        {"<HIDE>", TTagKind::Hide},
        {"<SHOW>", TTagKind::Show},
        {"</A>", TTagKind::LinkClose},
        {"<A", TTagKind::LinkOpen},
    }};
    for (const auto& [keyword, kind] : Keywords) {
        if (token.starts_with(keyword))
            return kind;
    }
    return TTagKind::None;
}

std::string_view TagToken(std::string_view text, size_t at, size_t& end) {
    return TTagReader(text).Token(at, end);
}

std::string_view TTagReader::Token(size_t at, size_t& end) {
    // No '>' lies between FFrom and FClose, so the answer found there serves every position up to FClose.
    const bool known = FSearched && at >= FFrom && (FClose == std::string_view::npos || at <= FClose);
    if (!known) {
        FClose = FText.find('>', at);
        FScanned +=
            (FClose == std::string_view::npos ? FText.size() : FClose + 1) - std::min(at, FText.size());
        FFrom = at;
        FSearched = true;
    }
    if (FClose == std::string_view::npos) {
        end = at;
        return {};
    }
    end = FClose + 1;
    return ShortString(FText.substr(at, FClose + 1 - at));
}

std::string TagAttribute(std::string_view token, std::string_view attribute) {
    const size_t found = token.find(attribute);
    if (found == std::string_view::npos)
        return {};
    std::string_view value = token.substr(found + attribute.size());
    while (!value.empty() && (value.front() == '"' || value.front() == '\'' || value.front() == ' '))
        value.remove_prefix(1);
    const size_t gt = value.find('>');
    size_t cut = gt;
    for (char stop : {'"', '\'', ' '}) {
        const size_t at = value.find(stop);
        if (at != std::string_view::npos && (gt == std::string_view::npos || at < gt)) {
            cut = at;
            break;
        }
    }
    return std::string(value.substr(0, cut));
}

std::vector<std::string> ListLinkTargets(std::string_view text) {
    std::vector<std::string> targets;
    TTagReader tags(text);
    bool open = false;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '<')
            continue;
        size_t end = 0;
        const std::string_view token = tags.Token(i, end);
        const TTagKind kind = RecognizeTag(token);
        if (kind == TTagKind::None)
            continue;
        if (kind == TTagKind::LinkOpen && !open) {
            targets.push_back(TagAttribute(token, "HREF="));
            open = true;
        } else if (kind == TTagKind::LinkClose) {
            open = false;
        }
        i = end - 1;
    }
    return targets;
}

namespace {

enum class THiddenPassages { Keep, Omit };

std::string FilterTopicText(std::string_view markup, size_t from, size_t to, THiddenPassages hiddenPassages) {
    std::string plain;
    to = std::min(to, markup.size());
    if (from >= to)
        return plain;
    plain.reserve(to - from);
    // The last ">" decides whether a "<" closes: one search instead of one per "<".
    const size_t lastClose = markup.rfind('>');
    bool hidden = false;
    // Before `from` only the tags matter, and only when they may hide text.
    size_t i = hiddenPassages == THiddenPassages::Omit ? 0 : from;
    for (; i < to; ++i) {
        const char c = markup[i];
        if (c == '<' && lastClose != std::string_view::npos && lastClose > i) {
            const size_t close = markup.find('>', i);
            if (hiddenPassages == THiddenPassages::Omit) {
                const TTagKind kind = RecognizeTag(markup.substr(i, close + 1 - i));
                if (kind == TTagKind::Hide || kind == TTagKind::Show)
                    hidden = kind == TTagKind::Hide;
            }
            i = close;
            continue;
        }
        if (i < from || hidden || c == '{' || c == '}')
            continue;
        plain += c;
    }
    return plain;
}

} // namespace

std::string PlainTopicText(std::string_view markup) {
    return FilterTopicText(markup, 0, markup.size(), THiddenPassages::Keep);
}

std::string VisibleTopicText(std::string_view markup, size_t from, size_t to) {
    return FilterTopicText(markup, from, to, THiddenPassages::Omit);
}

} // namespace orvalis
