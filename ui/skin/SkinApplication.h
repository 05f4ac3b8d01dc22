#pragma once

#include <functional>
#include <string>

class QWidget;

namespace vorlix {

// Which Qt platform plugin our shaped, self-placed windows need. Qt on Wayland can neither place a
// top-level window nor shape it as our windows need; when the session is Wayland and XWayland is
// there (DISPLAY set), the programs run through xcb. An explicit QT_QPA_PLATFORM is always kept.
// Returns the plugin to force, or an empty string to leave Qt's choice.
std::string ChooseQtPlatform(const std::function<std::string(const char*)>& env);

// Call before the QApplication is built: applies ChooseQtPlatform to this process and makes a
// high-DPI screen scale every window as one picture by a whole factor, so that the pixel positions,
// sizes and shapes of the skins stay exact.
void PrepareSkinApplication();

// Moves (and, where the layout table gives a size, sizes) a control to its place on a window.
// Returns 1, or 0 when the table has no place for it.
int PlaceControl(QWidget* control, int window, int controlId);

}  // namespace vorlix
