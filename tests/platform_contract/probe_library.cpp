// A library for the loading tests: one export with a known answer.
#ifdef _WIN32
#define PROBE_EXPORT __declspec(dllexport)
#else
#define PROBE_EXPORT __attribute__((visibility("default")))
#endif

extern "C" PROBE_EXPORT int sys_probe_answer(void) { return 42; }
