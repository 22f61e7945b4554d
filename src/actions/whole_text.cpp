#include "actions/whole_text.h"

namespace tg {

bool WholeText::offer(std::string_view text) {
    if (text.substr(0, beginning_.size()) != beginning_) return false;
    if (count_ == 0) {
        text_.assign(text);
        count_ = 1;
        return true;
    }
    if (text != text_) count_ = 2; // two texts begin alike: the value names neither
    return false;
}

} // namespace tg
