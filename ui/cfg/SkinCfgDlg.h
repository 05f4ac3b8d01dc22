#pragma once

#include <QDialog>
#include <QFont>
#include <QPoint>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "ui/cfg/core/CfgDialogModel.h"
#include "ui/skin/SkinBackground.h"

namespace vorlix {

class CBitmapSlider;
class CHoverButtonEx;
class CIcQT47;
class CPublishedEndpoint;
class CRegStore;
class CSkinEdit;
class CTextTables;
class IClock;
class IDeviceDialogHost;
class IMessagePoster;
class IPointerSettings;

// The advanced settings (Performance) dialog: sensitivity of the four levels, the active level, the
// polling rate, the lift-off value and the desktop's double-click, cursor and scroll speeds of one
// profile. The decisions live in CCfgDialogModel; this class lays the controls out on background 343,
// hands the model the sliders' releases, the DPI box's edits and the button clicks, and draws its view.
// While it runs it is reachable as "Configure Handle": posted command ids act as clicks, device notices
// go to the model.
class CSkinCfgDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kBackground = 343;
    static constexpr int kOk = 1;
    static constexpr int kCancel = 2;
    static constexpr int kApply = 1728;
    static constexpr int kReset = 1790;
    static constexpr int kDpiSlider = 1806;
    static constexpr int kDpiBox = 1215;
    static constexpr int kLevelSlider = 1210;
    static constexpr int kDoubleClickSlider = 1045;
    static constexpr int kCursorSlider = 1044;
    static constexpr int kScrollSlider = 1046;
    static constexpr int kLiftOffSlider = 1047;
    static constexpr int kFirstPolling = 1205;  // 125, 250, 500, 1000 Hz
    static constexpr int kOneScreen = 1209;

    // dpiFont is the main window's font 6.
    CSkinCfgDlg(CIcQT47& device, IClock& clock, IPointerSettings& pointer, CRegStore& store,
                IMessagePoster& poster, IDeviceDialogHost& host, const CTextTables& texts,
                const QFont& dpiFont, QWidget* parent = nullptr);
    ~CSkinCfgDlg() override;

    // Opens the dialog for the profile and runs it through the modal runner, published under
    // "Configure Handle" in runtimeDir (nothing is published when it is empty). kModalOk or kModalCancel.
    int Run(int profile, const std::string& runtimeDir);
    // Opening without running (tests and pictures). False for a profile the dialog cannot edit.
    bool Prepare(int profile);
    // The profile the dialog ended on (the mouse may have switched profile while it was open).
    int EndProfile() const { return m_model.Profile(); }
    bool IsRunning() const { return m_running; }
    // The mouse is gone: the dialog closes as cancelled without a word to the mouse.
    void CancelForLostDevice();
    // A posted message: device notices go to the model.
    void OnMessage(quint32 message, quint32 wParam, quint32 lParam);

    CCfgDialogModel& Model() { return m_model; }
    QWidget* Control(int id) const;
    CPublishedEndpoint* Endpoint() const { return m_endpoint.get(); }

public slots:
    void reject() override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    CHoverButtonEx* AddButton(int id, int bitmap, int tooltip);
    CBitmapSlider* AddSlider(CBitmapSlider* slider, int channel, int thumb, int activeThumb, int min,
                             int max);
    void BuildControls();
    void OnSlider(int message, int id, int position);
    void OnOk();
    void OnApply();
    void OnReset();
    void RefreshView();
    void SetControlsEnabled(bool enabled);
    void Close();

    CCfgDialogModel m_model;
    CRegStore& m_store;
    const CTextTables& m_texts;
    QFont m_dpiFont;
    CSkinBackground m_background;
    std::unique_ptr<CPublishedEndpoint> m_endpoint;
    std::map<int, QWidget*> m_controls;
    CSkinEdit* m_dpiBox = nullptr;
    bool m_showing = false;
    bool m_running = false;
    bool m_closed = false;
    bool m_deviceGone = false;
    std::optional<QPoint> m_dragOffset;
};

}  // namespace vorlix
