#pragma once

#include <QDialog>
#include <QPoint>
#include <map>
#include <memory>
#include <string>

#include "ui/skin/SkinBackground.h"
#include "ui/skin/WindowDrag.h"

namespace vorlix {

class CHoverButtonEx;
class CPublishedEndpoint;
class CRegStore;
class CTextTables;
class IDeviceDialogModel;

// A dialog the main window opens over one profile of the mouse: a frameless window on one background
// picture, centred on the screen and dragged by its background, whose decisions live in a model. While
// it runs it is reachable under a store value name: posted command ids act as clicks, device notices go
// to the model. OK and Cancel end the model's editing; a mouse that is lost cancels it without a word
// to the mouse. A subclass lays its controls out, names its model and draws the model's view.
class CDeviceChildDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kOk = 1;
    static constexpr int kCancel = 2;
    static constexpr int kApply = 1728;

    ~CDeviceChildDlg() override;

    // Opens the dialog for the profile and runs it through the modal runner, published under the
    // dialog's store value name in runtimeDir (nothing is published when it is empty). kModalOk or
    // kModalCancel.
    int Run(int profile, const std::string& runtimeDir);
    // Opening without running (tests and pictures). False for a profile the dialog cannot edit.
    bool Prepare(int profile);
    bool IsRunning() const { return m_running; }
    // The mouse is gone: the dialog closes as cancelled without a word to the mouse.
    void CancelForLostDevice();
    // A posted message: device notices go to the model.
    void OnMessage(quint32 message, quint32 wParam, quint32 lParam);

    QWidget* Control(int id) const;
    CPublishedEndpoint* Endpoint() const { return m_endpoint.get(); }

public slots:
    void reject() override;

protected:
    // background: the picture the dialog lies on; title: the window title's index in the UI text table;
    // handleName: the store value the running dialog is published under.
    CDeviceChildDlg(CRegStore& store, const CTextTables& texts, int background, int title,
                    std::string handleName, QWidget* parent);

    virtual IDeviceDialogModel& DialogModel() = 0;
    // What the modal runner is told the run is about.
    virtual std::string RequestText(int profile) const = 0;
    // Puts the controls as they stand on opening, before the opened view is drawn.
    virtual void ResetControls() {}
    // Shows the model's view.
    virtual void RefreshView() = 0;

    // Places control on the background at its id's place; Control(id) finds it.
    void AddControl(int id, QWidget* control);
    // A button with its picture and tool tip (an index in the UI text table; -1: none).
    CHoverButtonEx* AddButton(int id, int bitmap, int tooltip);
    void SetControlsEnabled(bool enabled);
    bool IsClosed() const { return m_closed; }
    const CSkinBackground& Background() const { return m_background; }
    // OK: the model keeps the edits and the dialog closes.
    void OnOk();
    // A left press at the event's point starts dragging the window.
    void StartDrag(const QMouseEvent* event);

    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // Marks the dialog closed and withdraws it: its store value reads -1 afterwards.
    void Close();

    CRegStore& m_store;
    const CTextTables& m_texts;
    const int m_backgroundId;
    const std::string m_handleName;
    CSkinBackground m_background;
    std::unique_ptr<CPublishedEndpoint> m_endpoint;
    std::map<int, QWidget*> m_controls;
    bool m_running = false;
    bool m_closed = false;
    bool m_deviceGone = false;
    CWindowDrag m_drag;
};

}  // namespace vorlix
