#pragma once

#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "macro/MacroLibrary.h"
#include "macro/MacroReporter.h"
#include "macro/MemoryMacroFileSystem.h"
#include "settings/SettingsMap.h"
#include "shared/PointerSettings.h"
#include "tests/support/SessionFixture.h"
#include "ui/app/core/ControlIds.h"
#include "ui/app/core/MainFrameModel.h"

namespace vorlix::testing {

// Answers the model's requests from a script and records what it was asked.
class CScriptedHost final : public IMainFrameHost, public IMacroReporter {
public:
    void Refresh() override {}
    int RunPage(SPageRun& run) override {
        pages.push_back(run.page);
        dialogDuringPage.push_back(currentDialog ? currentDialog() : -1);
        auto answer = answers.find(run.page);
        return answer == answers.end() ? 2 : answer->second(run);
    }
    void ShowMessage(int number, std::u16string_view) override { messages.push_back(number); }
    bool ChooseProgram(const std::string& stored, std::string& path, std::string& name) override {
        chooserStart = stored;
        if (chosenPath.empty()) {
            return false;
        }
        path = chosenPath;
        name = path.substr(path.rfind('/') + 1);
        return true;
    }
    bool RunChildDialog(EChildDialog, int, int&, bool&) override { return false; }
    void CancelDeviceDialogs() override { ++cancelled; }
    void OpenHelp() override {}
    bool OpenWebPage(const std::string&) override { return false; }
    void HideWindow() override { ++hidden; }
    void EndProgram() override { ++ended; }
    bool LockMouse() override {
        ++lockRequests;
        locked = !mouseBusy;
        return locked;
    }
    void UnlockMouse() override { locked = false; }
    void DeviceWorkStarted() override {
        ++work;
        workWhileLocked.push_back(locked);
    }
    void DeviceWorkEnded() override { --work; }

    std::map<int, std::function<int(SPageRun&)>> answers;
    std::function<int()> currentDialog;
    std::vector<int> pages;
    std::vector<int> dialogDuringPage;
    std::vector<int> messages;
    std::string chooserStart;
    std::string chosenPath;
    int cancelled = 0;
    int hidden = 0;
    int ended = 0;
    int work = 0;
    // Another program holds the mouse: saves and resets are refused.
    bool mouseBusy = false;
    bool locked = false;
    int lockRequests = 0;
    std::vector<bool> workWhileLocked;
};

class CFakePointer final : public IPointerSettings {
public:
    bool Apply(const SPointerValues& values) override {
        applied.push_back(values);
        return true;
    }
    bool Read(SPointerValues& values) override {
        values = desktop;
        return true;
    }
    std::vector<SPointerValues> applied;
    SPointerValues desktop;
};

// The session's owner in the model tests: hands the session's reports to the model, keeps timers.
class CModelOwner final : public IDeviceSessionOwner {
public:
    void ShowMessage(int number) override { host->ShowMessage(number, {}); }
    int ChooseMouse(const std::vector<std::u16string>& lines) override {
        shownLines = lines;
        return chooseLine;
    }
    void StartTimer(int id, uint32_t periodMs) override { timers[id] = periodMs; }
    void StopTimer(int id) override { timers.erase(id); }
    void SessionChanged(SessionChange change) override { model->OnSessionChanged(change); }
    void LaunchProgram(const std::u16string& path) override { launched.push_back(path); }
    void StartFirmwareUpdate() override { ++firmwareUpdates; }
    bool DialogOpen() const override { return model->CurrentDialog() != 0; }
    void DeviceChangeNotified(uint32_t event) override { events.push_back(event); }

    CMainFrameModel* model = nullptr;
    CScriptedHost* host = nullptr;
    std::vector<std::u16string> shownLines;
    int chooseLine = 0;
    std::map<int, uint32_t> timers;
    std::vector<std::u16string> launched;
    int firmwareUpdates = 0;
    std::vector<uint32_t> events;
};

// The model over a session on in-process virtual mice, the fake clock and a memory store.
class ModelFixture : public SessionFixture {
protected:
    void StartModel(int mice = 1, bool leftButtonByMessage = false) {
        Start(mice);
        modelOwner = CModelOwner();
        host = CScriptedHost();
        session = std::make_unique<CDeviceSession>(modelOwner, *hid, *device, store, poster, clock);
        SMainFrameConfig config;
        config.leftButtonByMessage = leftButtonByMessage;
        config.macroFolder = "/macros";
        library = std::make_unique<CMacroLibrary>(macroFiles, host, "/macros");
        model = std::make_unique<CMainFrameModel>(*session, host, poster, pointer, *library, host, config);
        modelOwner.model = model.get();
        modelOwner.host = &host;
        host.currentDialog = [this] { return model->CurrentDialog(); };
    }
    void ConnectLoaded() {
        model->Connect();
        ASSERT_EQ(model->Face(), EFace::Main);
        transport->ClearCommands();
        poster.posts.clear();
    }
    // The five bytes of a button's slot in the mouse.
    std::vector<uint8_t> MouseSlot(int profile, int button, int mouse = 0) const {
        std::vector<uint8_t> bytes;
        for (int i = 0; i < map::kSlotSize; ++i) {
            bytes.push_back(Peek(mouse, static_cast<unsigned>(map::SlotAddress(profile, button) + i)));
        }
        return bytes;
    }
    void Answer(int page, std::function<int(SPageRun&)> answer) { host.answers[page] = std::move(answer); }

    CModelOwner modelOwner;
    CScriptedHost host;
    CFakePointer pointer;
    CMemoryMacroFileSystem macroFiles;
    std::unique_ptr<CMacroLibrary> library;
    std::unique_ptr<CMainFrameModel> model;
};

}  // namespace vorlix::testing
