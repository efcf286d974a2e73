// Leaks the sanitizer build must not report because they are not ours, each with its reason. A
// leak in our own code is fixed, never listed here. Linked into every test program of the
// sanitizer build; the leak checker asks for this list at exit.

// fontconfig, which Qt's text drawing initialises on first use, keeps its configuration and font
// caches for the life of the process and never frees them.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\n";
}
