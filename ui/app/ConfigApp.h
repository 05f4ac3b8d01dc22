#pragma once

#include <string>
#include <vector>

namespace vorlix {

// The configuration program's entry: prepares the platform, reads the command line, keeps to one
// instance per user, hands a second start over to the first, runs the main window until it closes and
// tears everything down in order.
class CConfigApp {
public:
    static int Run(int argc, char** argv);
};

}  // namespace vorlix
