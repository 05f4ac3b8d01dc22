#include "HidTransportFactory.h"

#include <cstdlib>

#include "HidapiTransport.h"
#include "platform/hid/virtual/VirtualMouseClient.h"

namespace vorlix {

std::shared_ptr<IHidTransport> CreateHidTransport() {
    const char* socket = std::getenv(kVirtualMouseVariable);
    if (socket != nullptr && *socket != '\0') {
        return std::make_shared<CVirtualMouseClient>(socket);
    }
    return std::make_shared<CHidapiTransport>();
}

}  // namespace vorlix
