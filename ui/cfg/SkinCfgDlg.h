#pragma once

#include <QFont>
#include <string>

#include "ui/cfg/DeviceChildDlg.h"
#include "ui/cfg/core/CfgDialogModel.h"

namespace vorlix {

class CBitmapSlider;
class CIcQT47;
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
class CSkinCfgDlg : public CDeviceChildDlg {
    Q_OBJECT
public:
    static constexpr int kBackground = 343;
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

    // The profile the dialog ended on (the mouse may have switched profile while it was open).
    int EndProfile() const { return m_model.Profile(); }
    CCfgDialogModel& Model() { return m_model; }

protected:
    IDeviceDialogModel& DialogModel() override { return m_model; }
    std::string RequestText(int profile) const override;
    void ResetControls() override;
    void RefreshView() override;

private:
    CBitmapSlider* AddSlider(CBitmapSlider* slider, int channel, int thumb, int activeThumb, int min,
                             int max);
    void BuildControls();
    void OnSlider(int message, int id, int position);
    void OnApply();
    void OnReset();

    CCfgDialogModel m_model;
    QFont m_dpiFont;
    CSkinEdit* m_dpiBox = nullptr;
    bool m_showing = false;
};

}  // namespace vorlix
