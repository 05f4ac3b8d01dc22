#include "HidTransport.h"

namespace vorlix {

const char* HidStatusText(HidStatus status) {
    switch (status) {
        case HidStatus::Ok:
            return "ok";
        case HidStatus::NotFound:
            return "device not found";
        case HidStatus::PermissionDenied:
            return "permission denied";
        case HidStatus::IoFailed:
            return "I/O failed";
        case HidStatus::TimedOut:
            return "timed out";
    }
    return "unknown";
}

}  // namespace vorlix
