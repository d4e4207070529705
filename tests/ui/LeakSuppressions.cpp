// LeakSanitizer reads its default suppressions from this function of the program. Fontconfig,
// which Qt asks for fonts, keeps its pattern cache for the life of the process and never frees
// it; those blocks are fontconfig's, not ours. Nothing else is suppressed.
extern "C" const char* __lsan_default_suppressions();
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
