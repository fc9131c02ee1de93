/* A Mac module that breaks every rule of check-mac-module.sh, so the check is
   seen to reject what it must: a library, not a bundle, for a later macOS; an
   extra export and missing entry points; local and debugging symbols; a second library
   loaded; a function neither the simulator nor libSystem provides, and none
   of those the simulator does. C, so Zig needs no C++ library for it. Built
   once with EXTRA_LIBRARY as the second library. */
#ifdef EXTRA_LIBRARY
int SkyPlacerExtraLibrary(void) { return 1; }
#else
int SkyPlacerExtraLibrary(void);
void SkyPlacerNotProvided(void);

static int calls;

__attribute__((visibility("default"))) int XPluginStart(char* name, char* signature, char* description) {
    SkyPlacerNotProvided();
    calls += SkyPlacerExtraLibrary();
    return calls + name[0] + signature[0] + description[0];
}

__attribute__((visibility("default"))) int ExtraExport(void) { return calls; }
#endif
