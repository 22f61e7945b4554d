#include "player/library_file.h"

#include "platform/text_encoding.h"
#include "platform/utf8.h"
#include "player/line_reader.h"
#include "player/text_fold.h"

#include <fstream>

namespace tg::player {

namespace {

std::vector<std::string_view> splitTabs(std::string_view line) {
    std::vector<std::string_view> cells;
    std::size_t start = 0;
    for (;;) {
        const std::size_t tab = line.find('\t', start);
        if (tab == std::string_view::npos) {
            cells.push_back(line.substr(start));
            return cells;
        }
        cells.push_back(line.substr(start, tab - start));
        start = tab + 1;
    }
}

LoadResult failure(const std::string& fileName, long lineNumber, const std::string& what) {
    return {false, fileName + ":" + std::to_string(lineNumber) + ": " + what};
}

std::string statusText(LineStatus status) {
    return status == LineStatus::TooLong
               ? "line longer than " + std::to_string(kMaxFileLine) + " characters"
               : "line holds a NUL byte";
}

} // namespace

LoadResult readLibrary(std::istream& in, const std::string& fileName, std::vector<Track>& tracks) {
    std::string line;
    LineStatus status = readLine(in, line);
    if (status == LineStatus::End) return failure(fileName, 1, "missing header row");
    if (status != LineStatus::Line) return failure(fileName, 1, statusText(status));
    dropByteOrderMark(line);

    std::vector<TrackField> columns;
    bool seen[kTrackFieldCount] = {};
    for (std::string_view name : splitTabs(line)) {
        const std::optional<TrackField> field = parseFieldName(name);
        if (!field) return failure(fileName, 1, "unknown column '" + std::string(name) + "'");
        if (seen[static_cast<int>(*field)])
            return failure(fileName, 1, "column '" + std::string(name) + "' given twice");
        seen[static_cast<int>(*field)] = true;
        columns.push_back(*field);
    }
    if (!seen[static_cast<int>(TrackField::Filename)])
        return failure(fileName, 1, "no 'filename' column");

    std::vector<Track> loaded;
    long lineNumber = 1;
    for (;;) {
        status = readLine(in, line);
        ++lineNumber;
        if (status == LineStatus::End) break;
        if (status != LineStatus::Line) return failure(fileName, lineNumber, statusText(status));
        if (line.empty()) continue;
        const std::vector<std::string_view> cells = splitTabs(line);
        if (cells.size() != columns.size())
            return failure(fileName, lineNumber,
                           std::to_string(cells.size()) + " cells where the header names " +
                               std::to_string(columns.size()));
        Track track;
        for (std::size_t i = 0; i < cells.size(); ++i) {
            const TrackField field = columns[i];
            if (cells[i].empty()) continue;
            if (!isNumericField(field)) {
                // Older files were written in the code page: a cell that is no
                // UTF-8 is read in it, so the library holds UTF-8 only.
                textFieldRef(track, field) = isValidUtf8(cells[i])
                                                 ? std::string(cells[i])
                                                 : platform::codePageToUtf8(cells[i]);
                continue;
            }
            const std::optional<std::int32_t> number = parseWholeInt32(cells[i]);
            if (!number)
                return failure(fileName, lineNumber,
                               std::string(fieldName(field)) + " '" + std::string(cells[i]) +
                                   "' is not a whole number");
            setNumberField(track, field, number);
        }
        loaded.push_back(std::move(track));
    }
    tracks = std::move(loaded);
    return {true, {}};
}

LoadResult loadLibraryFile(const std::string& nativePath, std::vector<Track>& tracks) {
    std::ifstream in(nativePath, std::ios::binary);
    if (!in) return {false, nativePath + ": cannot open"};
    return readLibrary(in, nativePath, tracks);
}

namespace {

void writeText(std::ostream& out, const std::string* text) {
    if (!text) return;
    for (char c : *text) out.put(c == '\t' || c == '\r' || c == '\n' ? ' ' : c);
}

} // namespace

void writeLibrary(std::ostream& out, const std::vector<Track>& tracks) {
    static constexpr TrackField kOrder[] = {
        TrackField::Filename, TrackField::Title,  TrackField::Album,     TrackField::Artist,
        TrackField::Comment,  TrackField::Genre,  TrackField::Year,      TrackField::TrackNumber,
        TrackField::Length,   TrackField::Rating, TrackField::PlayCount, TrackField::Bitrate,
    };
    for (std::size_t i = 0; i < std::size(kOrder); ++i)
        out << (i ? "\t" : "") << fieldName(kOrder[i]);
    out << '\n';
    for (const Track& track : tracks) {
        for (std::size_t i = 0; i < std::size(kOrder); ++i) {
            if (i) out << '\t';
            const TrackField field = kOrder[i];
            if (!isNumericField(field)) {
                writeText(out, textField(track, field));
                continue;
            }
            const std::optional<std::int64_t> number = numberField(track, field);
            // Year, track number and length 0 are "not known": an empty cell reads back the same.
            if (number && *number != 0)
                out << *number;
            else if (number && (field == TrackField::Rating || field == TrackField::PlayCount ||
                                field == TrackField::Bitrate))
                out << 0;
        }
        out << '\n';
    }
}

} // namespace tg::player
