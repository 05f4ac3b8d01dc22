#include "Sensitivity.h"

namespace vorlix {

SSensitivityScale SSensitivityScale::ForVariant(int variant) {
    switch (variant) {
        case 1:
            return {100, 40, 100, 40};
        case 2:
            return {50, 164, 50, 164};
        default:
            return {100, 57, 90, 63};
    }
}

int SSensitivityScale::UnitsToDevice(int units) const {
    if (units >= highestUnits) {
        return deviceMaximum;
    }
    if (units <= 1) {
        return 1;
    }
    return step == deviceStep ? units : (step * units + deviceStep / 2) / deviceStep;
}

int SSensitivityScale::DeviceToUnits(int deviceValue) const {
    if (deviceValue >= deviceMaximum) {
        return highestUnits;
    }
    if (deviceValue <= 1) {
        return 1;
    }
    return step == deviceStep ? deviceValue : (deviceValue * deviceStep + step / 2) / step;
}

int SSensitivityScale::DpiToUnits(int dpi) const {
    if (dpi > HighestDpi()) {
        dpi = HighestDpi();
    }
    if (dpi <= step) {
        return 1;
    }
    if (dpi >= HighestDpi()) {
        return highestUnits;
    }
    return dpi / step;
}

}  // namespace vorlix
