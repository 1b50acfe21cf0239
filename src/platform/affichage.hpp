#pragma once
// Whether the window can be shown at all: on Linux, Qt's window plugins for X11 and Wayland need a
// display server, named by DISPLAY or WAYLAND_DISPLAY. Without one Qt aborts with its own English
// message; the program says so in French instead and ends with status 1.
#include <string>
#include <string_view>

namespace orbitel {

// The platform plugins Qt is asked for: the word after the command line's "-platform" (or
// "--platform"), else `variable`, the value of QT_QPA_PLATFORM (null when unset).
std::string plateforme_demandee(int argc, const char* const* argv, const char* variable);

// Whether `plateforme` (a list such as "wayland;xcb", each name with its own ":options"; empty for
// Qt's default) holds only plugins that need a display server, while neither `display` nor
// `wayland_display` names one (null or empty).
bool affichage_absent(std::string_view plateforme, const char* display, const char* wayland_display);

// The messages, in UTF-8, one line each: no display named, and a display that could not be reached.
std::string message_sans_affichage();
std::string message_affichage_injoignable();

} // namespace orbitel
