#include "OsdLibrary.h"

#include <memory>

#include "platform/UserPaths.h"
#include "platform/UserStore.h"
#include "platform/qt/QtMessageReceiver.h"
#include "shared/StoreNames.h"

namespace {

// The notice window itself comes later; for now the library owns the endpoint that receives notices
// and keeps "OSD Handle" as the rest of the system expects it.
std::unique_ptr<vorlix::CQtMessageReceiver> g_receiver;

}  // namespace

int VorlixOsdCreate() {
    const std::string runtimeDir = vorlix::CUserPaths::RuntimeDir();
    if (runtimeDir.empty()) {
        return 0;
    }
    g_receiver = std::make_unique<vorlix::CQtMessageReceiver>();
    if (!g_receiver->Create(runtimeDir)) {
        g_receiver.reset();
        return 0;
    }
    vorlix::CUserStore store;
    store.Store().WriteDword(vorlix::store::kOsdHandle, g_receiver->Id());
    return 1;
}

void VorlixOsdDestroy() {
    if (g_receiver) {
        vorlix::CUserStore store;
        store.Store().WriteDword(vorlix::store::kOsdHandle, 0);
        g_receiver.reset();
    }
}
