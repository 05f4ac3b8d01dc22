#include "QtMessageReporter.h"

#include "ui/dialogs/SystemMessageBox.h"
#include "ui/dialogs/core/ModalRun.h"

namespace vorlix {

CQtMessageReporter::CQtMessageReporter() {
    UseQtUnattendedProbe();
}

bool CQtMessageReporter::IsUnattended() {
    return IsUnattendedRun();
}

void CQtMessageReporter::ShowMessage(const std::string& caption, const std::string& text, Icon icon) {
    RunSystemMessageBox(caption, text, icon);
}

}  // namespace vorlix
