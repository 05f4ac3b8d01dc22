#pragma once

#include <QDialog>
#include <string>
#include <vector>

class QComboBox;

namespace vorlix {

class CDeviceSession;

// Dialog 701: the choice among several attached mice. While it is open the session lights the picked
// mouse; the session's identification timer (2306) runs through the session's owner, and every change
// of line is handed to CDeviceSession::SelectionChanged.
class CMouseChoiceDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kListId = 1000;

    CMouseChoiceDlg(const std::vector<std::u16string>& lines, QWidget* parent = nullptr);
    QComboBox* List() const { return m_list; }
    int Chosen() const;

signals:
    void LineChanged(int index);

private:
    QComboBox* m_list = nullptr;
};

// Runs dialog 701 for the session's lines (what IDeviceSessionOwner::ChooseMouse is handed) and returns
// the chosen line, or -1 when the user cancelled.
int ChooseMouse(CDeviceSession& session, const std::vector<std::u16string>& lines, QWidget* parent = nullptr);

}  // namespace vorlix
