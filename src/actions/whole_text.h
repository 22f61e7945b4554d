// The whole text a cut value stands for. A value read back from a label too
// long for its path record holds only the beginning of the text the item
// shows; the source is read again and offers its texts one by one, and the
// value names the text they all share when every text that begins like the
// value is that same text.
#pragma once

#include <string>
#include <string_view>

namespace tg {

class WholeText {
public:
    explicit WholeText(std::string_view beginning) : beginning_(beginning) {}
    // True when text is the first that begins like the value.
    bool offer(std::string_view text);
    // The text, when exactly one distinct text began like the value.
    bool found() const { return count_ == 1; }
    const std::string& text() const { return text_; }

private:
    std::string_view beginning_;
    std::string text_;
    int count_ = 0; // distinct texts seen, counted up to 2
};

} // namespace tg
