// vorlix-udev-rule IN OUT: writes the udev rule IN with the USB ids this build was made for, for the
// installation. Run by the build, never installed.
#include <fstream>
#include <iostream>
#include <iterator>

#include "UdevRuleIds.h"
#include "shared/ProductIds.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: vorlix-udev-rule IN OUT\n";
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::cerr << "vorlix-udev-rule: cannot read " << argv[1] << "\n";
        return 1;
    }
    const std::string rules{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const auto result = vorlix::CUdevRuleIds::Apply(rules, vorlix::kVendorId, vorlix::kProductId);
    if (!result.ok) {
        std::cerr << "vorlix-udev-rule: " << argv[1] << ": " << result.error << "\n";
        return 1;
    }
    std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
    out << result.text;
    out.close();
    if (!out) {
        std::cerr << "vorlix-udev-rule: cannot write " << argv[2] << "\n";
        return 1;
    }
    return 0;
}
