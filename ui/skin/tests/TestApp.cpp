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
