// Reading the player's text files (bookmarks, playlist files) one bounded line
// at a time.
#pragma once

#include <istream>
#include <string>

namespace tg {

// Reads the next line, without its "\n" or "\r\n", into line: at most
// kLineLimit - 1 characters. False at the end of the stream and for a longer
// line; after a longer line the stream is left failed, so reading ends there
// and never runs on through a damaged file.
bool readLimitedLine(std::istream& in, std::string& line);
// The same with another limit: at most maxCharacters characters.
bool readLimitedLine(std::istream& in, std::string& line, std::size_t maxCharacters);

// The lines of one of the player's text files in the plug-in's texts: UTF-8
// when the file is known to be (utf8) or starts with a byte-order mark, which
// is skipped; else in the code page.
class TextLines {
public:
    TextLines(std::istream& in, bool utf8);
    // readLimitedLine (the limit counts the file's bytes), then converted.
    bool read(std::string& line);
    bool read(std::string& line, std::size_t maxCharacters);
    // Ends the reading for good.
    void stop() { in_.setstate(std::ios::failbit); }

private:
    std::istream& in_;
    bool utf8_;
};

} // namespace tg
