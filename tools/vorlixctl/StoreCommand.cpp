#include "StoreCommand.h"

#include <cstdint>
#include <ostream>

#include "platform/UserStore.h"
#include "shared/Utf16.h"

namespace vorlix::ctl {

namespace {

void PrintValue(std::ostream& out, const StoreValue& value) {
    if (value.type == StoreValueType::Text) {
        out << Utf16ToUtf8(value.AsText());
    } else {
        out << static_cast<int32_t>(value.AsDword());
    }
}

int Unusable(Invocation& call, CUserStore& user, StoreStatus status) {
    if (status == StoreStatus::KeyMissing) {
        call.err << "vorlixctl: the store does not exist yet: " << user.Path() << "\n";
    } else {
        call.err << "vorlixctl: the store cannot be used: " << user.Backend().LastErrorText() << "\n"
                 << "The programs run on their defaults until the file is repaired or removed.\n";
    }
    return kFailed;
}

int List(Invocation& call, CUserStore& user) {
    IStoreBackend& backend = user.Backend();
    const StoreStatus opened = backend.Open();
    if (opened == StoreStatus::KeyMissing) {
        return kOk;  // nothing stored yet
    }
    std::vector<std::pair<std::string, StoreValue>> values;
    const StoreStatus listed = opened == StoreStatus::Ok ? backend.List(values) : opened;
    backend.Close();
    if (listed != StoreStatus::Ok) {
        return Unusable(call, user, listed);
    }
    for (const auto& [name, value] : values) {
        call.out << name << "\t" << (value.type == StoreValueType::Text ? "text" : "dword") << "\t";
        PrintValue(call.out, value);
        call.out << "\n";
    }
    return kOk;
}

int Get(Invocation& call, CUserStore& user, const std::string& name) {
    // Read the raw value rather than through ReadDword, which would create a missing value.
    IStoreBackend& backend = user.Backend();
    StoreStatus status = backend.Open();
    StoreValue value;
    if (status == StoreStatus::Ok) {
        status = backend.Get(name, value);
        backend.Close();
    }
    if (status == StoreStatus::NotFound || status == StoreStatus::KeyMissing) {
        call.err << "vorlixctl: no value named \"" << name << "\"\n";
        return kFailed;
    }
    if (status != StoreStatus::Ok) {
        return Unusable(call, user, status);
    }
    PrintValue(call.out, value);
    call.out << "\n";
    return kOk;
}

int Set(Invocation& call, CUserStore& user) {
    const auto& a = call.args;
    if (a.size() != 4 || (a[2] != "--dword" && a[2] != "--text")) {
        call.err << "usage: vorlixctl store set NAME --dword N | --text TEXT\n";
        return kUsage;
    }
    CRegStore& store = user.Store();
    int result = 0;
    if (a[2] == "--dword") {
        long long number = 0;
        if (!ParseNumber(a[3], number) || number < INT32_MIN || number > UINT32_MAX) {
            call.err << "vorlixctl: not a 32-bit number: " << a[3] << "\n";
            return kUsage;
        }
        result = store.WriteDword(a[1], static_cast<uint32_t>(number));
    } else {
        if (!IsUtf8(a[3])) {
            call.err << "vorlixctl: the text is not valid UTF-8; the store keeps texts as Unicode\n";
            return kUsage;
        }
        const std::u16string text = Utf8ToUtf16(a[3]);
        if (text.size() > CRegStore::kMaxTextLength) {
            call.err << "vorlixctl: a text holds at most " << CRegStore::kMaxTextLength << " characters\n";
            return kUsage;
        }
        result = store.WriteText(a[1], text);
    }
    if (result != 1) {
        call.err << "vorlixctl: cannot write \"" << a[1] << "\": " << store.LastErrorText() << "\n";
        return kFailed;
    }
    return kOk;
}

int Delete(Invocation& call, CUserStore& user, const std::string& name) {
    IStoreBackend& backend = user.Backend();
    StoreStatus status = backend.Open();
    if (status == StoreStatus::Ok) {
        status = backend.Remove(name);
        backend.Close();
    }
    if (status == StoreStatus::NotFound || status == StoreStatus::KeyMissing) {
        call.err << "vorlixctl: no value named \"" << name << "\"\n";
        return kFailed;
    }
    return status == StoreStatus::Ok ? kOk : Unusable(call, user, status);
}

}  // namespace

// A value name other programs can look up: Unicode, on one line, without tabs (list prints one value
// per line, its fields split by tabs).
bool UsableName(Invocation& call, const std::string& name) {
    if (name.empty() || !IsUtf8(name) || name.find_first_of("\t\r\n") != std::string::npos) {
        call.err << "vorlixctl: a value name must be valid UTF-8 text on one line without tabs\n";
        return false;
    }
    return true;
}

int RunStoreCommand(Invocation& call) {
    const auto& a = call.args;
    if (a.size() >= 2 && a[0] != "list" && !UsableName(call, a[1])) {
        return kUsage;
    }
    CUserStore user;
    if (a.size() == 1 && a[0] == "list") {
        return List(call, user);
    }
    if (a.size() == 2 && a[0] == "get") {
        return Get(call, user, a[1]);
    }
    if (!a.empty() && a[0] == "set") {
        return Set(call, user);
    }
    if (a.size() == 2 && a[0] == "delete") {
        return Delete(call, user, a[1]);
    }
    call.err << "usage: vorlixctl store list | get NAME | set NAME --dword N | set NAME --text TEXT | "
                "delete NAME\n";
    return kUsage;
}

}  // namespace vorlix::ctl
