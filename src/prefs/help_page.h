// Where the "Help" button of the Preferences dialog leads.
#pragma once

namespace tg {

inline constexpr char kHelpPageAddress[] =
    "https://github.com/tunegrove/tunegrove/blob/main/docs/help.md";

} // namespace tg
