#pragma once

#include <string>

#include "ui/startup/MessageReporter.h"

class QWidget;

namespace vorlix {

// The system message box: a topmost box with one OK button, run through the modal runner as
// information (an unattended run writes it to stderr and goes on).
// True when no person can answer a window of this Qt application: the checks of IsUnattendedRun, or a
// platform plugin ("offscreen", "minimal") chosen on the command line.
bool IsQtUnattended();
// Makes IsQtUnattended the modal runner's check; call once the QApplication exists.
void UseQtUnattendedProbe();

int RunSystemMessageBox(const std::string& caption, const std::string& text,
                        IMessageReporter::Icon icon = IMessageReporter::Icon::Stop,
                        QWidget* parent = nullptr);

}  // namespace vorlix
