#include "ui/skin/tests/TestApp.h"

namespace vorlix {

QApplication& SkinTestApp() {
    static int argc = 1;
    static char name[] = "skin_widget_tests";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

}  // namespace vorlix

// The font library keeps its configuration cache for the life of the process; the leak checker of the
// sanitizer build would report it at exit although no code of ours leaks.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}
