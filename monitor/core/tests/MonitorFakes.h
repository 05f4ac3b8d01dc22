#pragma once

#include <set>
#include <string>
#include <vector>

#include "monitor/core/FileSearch.h"
#include "monitor/core/MonitorCore.h"
#include "shared/MessagePoster.h"
#include "shared/PointerSettings.h"
#include "shared/ProgramLauncher.h"

namespace vorlix::testing {

struct SPost {
    WindowHandle target;
    uint32_t message, kind, value;
    bool operator==(const SPost&) const = default;
};

// Posts to the windows listed as live; records every post in order.
class CLivePoster final : public IMessagePoster {
public:
    bool Post(WindowHandle target, uint32_t message, uint32_t wParam, uint32_t lParam) override {
        posts.push_back({target, message, wParam, lParam});
        return true;
    }
    bool IsWindow(WindowHandle target) override { return live.count(target) > 0; }
    std::set<WindowHandle> live;
    std::vector<SPost> posts;
};

class CRecordingLauncher final : public IProgramLauncher {
public:
    bool Launch(const std::string& path) override {
        launched.push_back(path);
        return true;
    }
    std::vector<std::string> launched;
};

class CRecordingPointer final : public IPointerSettings {
public:
    bool Apply(const SPointerValues& values) override {
        applied.push_back(values);
        return true;
    }
    bool Read(SPointerValues&) override { return true; }
    std::vector<SPointerValues> applied;
};

class CSetProbe final : public IFileProbe {
public:
    bool IsReadableFile(const std::string& path) override { return files.count(path) > 0; }
    std::set<std::string> files;
};

class CRecordingHost final : public IMonitorHost {
public:
    void StartTimer(int id, uint32_t periodMs) override {
        timers.push_back({id, static_cast<int>(periodMs)});
    }
    void StopTimer(int id) override { stopped.push_back(id); }
    int RebuildDeviceTable() override {
        ++rebuilds;
        return mice;
    }
    void SetOsdMenuText(int textIndex) override { menuTexts.push_back(textIndex); }
    bool OpenWebPage(const std::string& url) override {
        pages.push_back(url);
        return true;
    }
    void Quit() override { ++quits; }
    std::vector<std::pair<int, int>> timers;
    std::vector<int> stopped;
    int rebuilds = 0;
    int mice = 1;
    std::vector<int> menuTexts;
    std::vector<std::string> pages;
    int quits = 0;
};

}  // namespace vorlix::testing
