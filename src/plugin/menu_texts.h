// Texts the frame puts into menus and looks for in them.
#pragma once

namespace tg {

inline constexpr char kPluginTitle[] = "Tunegrove";
// The last item of a level page that continues in a submenu.
inline constexpr char kMoreItem[] = "MORE";

} // namespace tg
