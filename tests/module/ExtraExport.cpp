// One export beyond the five entry points. Linked with the plug-in's own code
// into a module that is otherwise lin.xpl, it shows the table check catches a
// single stray export and nothing else.
extern "C" __attribute__((visibility("default"))) int SkyPlacerExtraExport(void) { return 0; }
