// Texts the frame puts into menus and looks for in them.
#pragma once

namespace tg {

inline constexpr char kPluginTitle[] = "Tunegrove";

} // namespace tg
