#pragma once

#include <string>
#include <vector>

#include "device/HidTransport.h"

namespace vorlix {

// The words of the virtual mouse's socket requests, and how an interface record travels in them.
namespace vwire {
inline constexpr const char* kOk = "OK";
inline constexpr const char* kError = "ERR";
inline constexpr const char* kEnumerate = "ENUM";
inline constexpr const char* kOpen = "OPEN";
inline constexpr const char* kSet = "SET";
inline constexpr const char* kGet = "GET";
inline constexpr const char* kRead = "READ";
inline constexpr const char* kWatch = "WATCH";
inline constexpr const char* kEvent = "EV";

// Ten words: path (hex), vid, pid, version, interface, composite, collections, product (hex),
// manufacturer (hex), device (hex).
std::string EncodeInterface(const HidInterfaceInfo& info);
bool DecodeInterface(const std::vector<std::string>& words, size_t first, HidInterfaceInfo& info);
std::string EncodeText(const std::string& text);
bool DecodeText(const std::string& word, std::string& text);
std::string ErrorLine(HidStatus status);
HidStatus ErrorStatus(const std::vector<std::string>& words);
}  // namespace vwire

}  // namespace vorlix
