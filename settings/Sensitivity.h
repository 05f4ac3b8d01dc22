#pragma once

namespace vorlix {

// The sensitivity scale of a device variant: the user sees DPI in steps of step, the mouse stores
// device units of deviceStep DPI. Conversions use integer arithmetic, rounding to the nearest unit.
struct SSensitivityScale {
    int step = 50;            // DPI per unit the user sees
    int highestUnits = 164;   // units 1..highestUnits
    int deviceStep = 50;      // DPI per device unit
    int deviceMaximum = 164;  // device values 1..deviceMaximum

    static SSensitivityScale ForVariant(int variant);

    int HighestDpi() const { return step * highestUnits; }
    int UnitsToDevice(int units) const;
    int DeviceToUnits(int deviceValue) const;
    int UnitsToDpi(int units) const { return step * units; }
    // The DPI box: a number above the highest DPI counts as the highest, anything at or below one step
    // as one unit, otherwise whole steps (rounded down).
    int DpiToUnits(int dpi) const;
    int DpiToDevice(int dpi) const { return UnitsToDevice(DpiToUnits(dpi)); }
    // The DPI a device value is shown as.
    int DeviceToDpi(int deviceValue) const { return UnitsToDpi(DeviceToUnits(deviceValue)); }
};

}  // namespace vorlix
