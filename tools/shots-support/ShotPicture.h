#pragma once

class QString;
class QWidget;

namespace vorlix {

// Saves window's picture as a PNG file, transparent outside the window's shape, and says on stdout
// whether it was written. With showAndHide the window is shown for the picture (its pending events
// handled first) and hidden again; otherwise it is taken as it stands.
bool SaveShot(QWidget& window, const QString& file, bool showAndHide = true);

}  // namespace vorlix
