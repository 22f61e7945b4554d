#include "actions/line_reader.h"

#include "actions/popup_sources.h"
#include "model/file_text.h"

namespace tg {

namespace {

bool fits(std::string& line, std::size_t maxCharacters) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return line.size() <= maxCharacters;
}

bool fail(std::istream& in, std::string& line) {
    in.setstate(std::ios::failbit);
    line.clear();
    return false;
}

bool readLine(std::istream& in, std::streambuf& source, std::string& line,
              std::size_t maxCharacters) {
    bool readAny = false;
    for (;;) {
        const int c = source.sbumpc();
        if (c == std::char_traits<char>::eof()) {
            in.setstate(readAny ? std::ios::eofbit : std::ios::eofbit | std::ios::failbit);
            // A last line without "\n" is a line; a lone "\r" before the end stays.
            if (readAny && line.size() > maxCharacters) return fail(in, line);
            return readAny;
        }
        readAny = true;
        if (c == '\n') {
            if (fits(line, maxCharacters)) return true;
            return fail(in, line);
        }
        line.push_back(static_cast<char>(c));
        // One character of slack for a "\r" that may still turn out to end the line.
        if (line.size() > maxCharacters + 1) return fail(in, line);
    }
}

} // namespace

bool readLimitedLine(std::istream& in, std::string& line) {
    return readLimitedLine(in, line, kLineLimit - 1);
}

bool readLimitedLine(std::istream& in, std::string& line, std::size_t maxCharacters) {
    line.clear();
    const std::istream::sentry ready(in, true);
    if (!ready) return false;
    // A read error (a folder opened as a file, a vanished network file) throws
    // from the stream buffer: it ends reading like a damaged line.
    try {
        return readLine(in, *in.rdbuf(), line, maxCharacters);
    } catch (...) {
        return fail(in, line);
    }
}

TextLines::TextLines(std::istream& in, bool utf8) : in_(in), utf8_(skipByteOrderMark(in) || utf8) {}

bool TextLines::read(std::string& line) {
    return read(line, kLineLimit - 1);
}

bool TextLines::read(std::string& line, std::size_t maxCharacters) {
    if (!readLimitedLine(in_, line, maxCharacters)) return false;
    line = textFromFile(line, utf8_);
    return true;
}

} // namespace tg
