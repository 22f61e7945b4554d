#include "player/line_reader.h"

namespace tg::player {

LineStatus readLine(std::istream& in, std::string& line, std::size_t maxLength) {
    line.clear();
    std::streambuf* buffer = in.rdbuf();
    if (!buffer) return LineStatus::End;
    bool any = false;
    bool nul = false;
    for (;;) {
        const int c = buffer->sbumpc();
        if (c == std::char_traits<char>::eof()) {
            in.setstate(std::ios::eofbit);
            break;
        }
        any = true;
        if (c == '\n') break;
        if (c == '\0') nul = true;
        if (line.size() >= maxLength) {
            // Skip the rest of the line so that the caller may report it and stop.
            int d = c;
            while (d != '\n' && d != std::char_traits<char>::eof()) d = buffer->sbumpc();
            return LineStatus::TooLong;
        }
        line.push_back(static_cast<char>(c));
    }
    if (!any) return LineStatus::End;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return nul ? LineStatus::HasNul : LineStatus::Line;
}

void dropByteOrderMark(std::string& firstLine) {
    if (firstLine.compare(0, 3, "\xEF\xBB\xBF") == 0) firstLine.erase(0, 3);
}

} // namespace tg::player
