#include "ConfigApp.h"

int main(int argc, char** argv) {
    return vorlix::CConfigApp::Run(argc, argv);
}
