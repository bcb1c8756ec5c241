// Leaks the leak checker of the sanitizer build is not to report: fontconfig
// keeps its configuration and font patterns for the life of the process.
// Linked into the tests that draw text; no effect without the sanitizer.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
