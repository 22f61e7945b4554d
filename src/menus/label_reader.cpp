#include "menus/label_reader.h"

#include "menus/item_label.h"
#include "menus/label_options.h"
#include "model/text.h"

#include <cstring>
#include <string_view>

namespace tg {

namespace {

// Length of the "%3d. " or five-space prefix of a title label. Numbers of four
// digits and more make the prefix longer than five characters.
std::size_t trackPrefixLength(std::string_view t) {
    if (t.substr(0, 5) == "     ") return 5;
    std::size_t i = 0;
    while (i < t.size() && t[i] == ' ') ++i;
    const std::size_t digits = i;
    while (i < t.size() && t[i] >= '0' && t[i] <= '9') ++i;
    if (i > digits && i + 1 < t.size() && t[i] == '.' && t[i + 1] == ' ') return i + 2;
    return t.size() < 5 ? t.size() : 5;
}

// Drops each "&" and keeps the character after it ("&&" gives "&").
std::size_t unescape(std::string_view t, char* out, std::size_t size) {
    std::size_t n = 0;
    for (std::size_t i = 0; i < t.size() && n + 1 < size; ++i) {
        if (t[i] == '&' && ++i == t.size()) break;
        out[n++] = t[i];
    }
    out[n] = '\0';
    return n;
}

// The digits of a label's year part; empty for the blank year of an unknown
// one, or anything else.
std::string_view yearIn(std::string_view part) {
    if (part.empty() || part.size() > 9) return "";
    for (const char c : part)
        if (c < '0' || c > '9') return "";
    return part;
}

} // namespace

bool decodeItemValue(const char* text, const MenuDefinition& definition,
                     LevelSelection& selection) {
    std::string_view t = text != nullptr ? std::string_view(text) : std::string_view("");
    const bool library = definition.sourceType == SourceType::MediaLibrary ||
                         definition.sourceType == SourceType::PlaylistTags;
    if (!library)
        t = t.substr(0, t.find('\t'));
    else if (showsPlayTime(definition, selection.kind))
        t = t.substr(0, t.rfind('\t'));
    {
        char label[kMenuTextSize];
        const std::size_t length = unescape(t, label, sizeof label);
        selection.label.assign(label, length);
    }

    const auto kind = selection.kind;
    std::string_view year = "";
    if (kind == LevelType::Album && showsYearAfterAlbum(definition)) {
        // The year is the last parenthesis; the album may hold others.
        std::size_t cut = t.rfind('(');
        if (cut != std::string_view::npos) {
            year = yearIn(t.substr(cut + 1, t.find(')', cut) - (cut + 1)));
            if (cut > 0 && t[cut - 1] == ' ') --cut;
            t = t.substr(0, cut);
        }
    }
    if (kind == LevelType::Title && definition.showTrackNumbers) {
        t.remove_prefix(trackPrefixLength(t));
    } else if (kind == LevelType::Album && showsYearBeforeAlbum(definition)) {
        const std::size_t close = t.find(')');
        if (close != std::string_view::npos && close + 1 < t.size()) {
            if (t[0] == '(') year = yearIn(t.substr(1, close - 1));
            t.remove_prefix(close + 2 < t.size() ? close + 2 : t.size());
        }
    }

    char value[kMenuTextSize];
    const std::size_t length = unescape(t, value, sizeof value);
    std::string_view v(value, length);
    std::string_view second = ""; // never a null data pointer for the copy
    bool setsSecond = false;
    switch (kind) {
    case LevelType::ArtistAlbum:
    case LevelType::ArtistTitle:
    case LevelType::AlbumTitle: {
        setsSecond = true;
        const std::size_t slash = v.find('/');
        if (slash != std::string_view::npos) {
            second = v.substr(slash + 1);
            v = v.substr(0, slash);
        }
        break;
    }
    case LevelType::Range: {
        setsSecond = true;
        // " -> " with its spaces first, so a bound that holds "->" stays whole.
        std::size_t arrow = v.find(" -> ");
        if (arrow != std::string_view::npos) {
            second = v.substr(arrow + 4);
            v = v.substr(0, arrow);
        } else if ((arrow = v.find("->")) != std::string_view::npos) {
            second = v.substr(arrow + 2 < v.size() && v[arrow + 2] == ' ' ? arrow + 3 : arrow + 2);
            v = v.substr(0, arrow > 0 && v[arrow - 1] == ' ' ? arrow - 1 : arrow);
        }
        break;
    }
    case LevelType::Album:
        // Albums of one name from different years are different items.
        setsSecond = true;
        second = year;
        break;
    case LevelType::Bitrate: v = v.substr(0, v.find(' ')); break;
    default: break;
    }
    bool whole = copyText(selection.value, v) == v.size();
    if (setsSecond) whole = copyText(selection.secondValue, second) == second.size() && whole;
    return whole;
}

} // namespace tg
