#pragma once

class QWidget;

namespace vorlix {

class CPublishedEndpoint;

// Controls carry their numeric id as the Qt property "controlId".
inline constexpr const char* kControlIdProperty = "controlId";
void SetControlId(QWidget* control, int id);
// The child of window carrying that id, or nullptr.
QWidget* FindControl(QWidget* window, int controlId);

// Runs a command id posted to a window as if that control had been clicked: an enabled button carrying
// the id is clicked, even while hidden (Cancel of a one-button page still cancels). A dialog with no
// such button takes 1 as OK and 2 as Cancel. False when nothing answered to the id.
bool ClickControl(QWidget* window, int controlId);

// Every command posted to the endpoint is run on window with ClickControl.
void RouteCommands(CPublishedEndpoint& endpoint, QWidget* window);

}  // namespace vorlix
