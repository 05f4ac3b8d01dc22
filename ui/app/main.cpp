#include "ConfigApp.h"
#include "shared/ProgramInfo.h"

int main(int argc, char** argv) {
    // --help and --version answer before any window, socket or mouse is touched.
    if (const auto status = vorlix::CProgramInfo::Answer(argc, argv, vorlix::CProgramInfo::kConfigProgram)) {
        return *status;
    }
    return vorlix::CConfigApp::Run(argc, argv);
}
