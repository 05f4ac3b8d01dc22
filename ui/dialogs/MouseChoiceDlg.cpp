#include "ui/dialogs/MouseChoiceDlg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/qt/QtText.h"
#include "settings/DeviceSession.h"
#include "shared/Utf16.h"
#include "ui/dialogs/CommandClick.h"
#include "ui/dialogs/core/ModalRun.h"

namespace vorlix {

CMouseChoiceDlg::CMouseChoiceDlg(const std::vector<std::u16string>& lines, QWidget* parent)
    : QDialog(parent) {
    setObjectName("MouseChoiceDlg");
    setWindowTitle(QStringLiteral("Qz vIVEDUD DUSK Prism"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(
        new QLabel(QStringLiteral("More than one Gamer Mouse connected!  Please select one mouse."), this));
    m_list = new QComboBox(this);
    SetControlId(m_list, kListId);
    for (const std::u16string& line : lines) {
        m_list->addItem(ToQString(line));
    }
    m_list->setCurrentIndex(lines.empty() ? -1 : 0);
    layout->addWidget(m_list);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    SetControlId(buttons->button(QDialogButtonBox::Ok), 1);
    SetControlId(buttons->button(QDialogButtonBox::Cancel), 2);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_list, &QComboBox::currentIndexChanged, this, &CMouseChoiceDlg::LineChanged);
}

int CMouseChoiceDlg::Chosen() const {
    return m_list->currentIndex();
}

int ChooseMouse(CDeviceSession& session, const std::vector<std::u16string>& lines, QWidget* parent) {
    CMouseChoiceDlg dialog(lines, parent);
    QObject::connect(&dialog, &CMouseChoiceDlg::LineChanged, &dialog,
                     [&session](int index) { session.SelectionChanged(index); });
    SModalRequest request;
    request.kind = ModalKind::MouseChoice;
    request.what = "choice among " + std::to_string(lines.size()) + " mice";
    const int result = ModalRunner().Run(
        request, [&dialog] { return dialog.exec() == QDialog::Accepted ? kModalOk : kModalCancel; });
    const int chosen = dialog.Chosen();
    return result == kModalOk && chosen >= 0 && chosen < static_cast<int>(lines.size()) ? chosen : -1;
}

}  // namespace vorlix
