#include "InterfaceRules.h"

#include <algorithm>

namespace vorlix {

namespace {

bool HasCollection(const HidInterfaceInfo& info, const HidCollection& wanted) {
    return std::find(info.collections.begin(), info.collections.end(), wanted) != info.collections.end();
}

}  // namespace

bool InHidClass(const HidInterfaceInfo& info, HidClass cls) {
    switch (cls) {
        case HidClass::Mouse:
            return HasCollection(info, kMouseCollection);
        case HidClass::Keyboard:
            return HasCollection(info, kKeyboardCollection);
        case HidClass::Hid:
            return true;
    }
    return false;
}

bool PathHasMi(const HidInterfaceInfo& info) {
    return info.composite;
}

bool PathHasMi00(const HidInterfaceInfo& info) {
    return info.composite && info.interfaceNumber == 0;
}

bool PathHasMi01Col03(const HidInterfaceInfo& info) {
    return info.composite && info.interfaceNumber == 1 && info.collections.size() >= 3;
}

bool HasDataChannel(const HidInterfaceInfo& info) {
    return HasCollection(info, kDataCollection);
}

}  // namespace vorlix
