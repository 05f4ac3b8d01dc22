// Built into every target of the sanitizer build only. The font library keeps its configuration cache
// for the life of the process; the leak checker would report it at exit although no code of ours leaks,
// and a program reporting it exits with a failure status.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}
