// Built into every target of the sanitizer build only. The font library keeps its configuration cache,
// GLib its type system and D-Bus connection state, and Qt's D-Bus module its connection manager (torn
// down on its own thread, sometimes after the leak check at exit) for the life of the process; the leak
// checker would report them although no code of ours leaks, and a program reporting them exits with a
// failure status. (These libraries are built without frame pointers, so their reports carry no frame
// of ours to tell them apart.)
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\nleak:libglib-2.0.so\nleak:libgio-2.0.so\nleak:libgobject-2.0.so\n"
           "leak:libQt6DBus.so\n";
}
