#include "StoreNames.h"

namespace vorlix::store {

namespace {

std::string ProfileValue(int profileNumber, const char* suffix) {
    return "PF" + std::to_string(profileNumber) + " " + suffix;
}

std::string ButtonValue(int profileIndex, int slotDigit, const char* suffix) {
    return "PF" + std::to_string(profileIndex) + "T" + std::to_string(slotDigit) + " " + suffix;
}

}  // namespace

std::string MotionSpeed(int profileNumber) {
    return ProfileValue(profileNumber, "Motion Speed");
}
std::string DoubleClickSpeed(int profileNumber) {
    return ProfileValue(profileNumber, "Double-Click_speed");
}
std::string WheelScrollLines(int profileNumber) {
    return ProfileValue(profileNumber, "Wheel Scroll Lines");
}

std::string ButtonProgram(int profileIndex, int slotDigit) {
    return ButtonValue(profileIndex, slotDigit, "AP");
}
std::string ButtonProgramName(int profileIndex, int slotDigit) {
    return ButtonValue(profileIndex, slotDigit, "AP Name");
}
std::string ButtonMacroName(int profileIndex, int slotDigit) {
    return ButtonValue(profileIndex, slotDigit, "Macro Name");
}
std::string ButtonMacroMode(int profileIndex, int slotDigit) {
    return ButtonValue(profileIndex, slotDigit, "Macro Mode");
}

}  // namespace vorlix::store
