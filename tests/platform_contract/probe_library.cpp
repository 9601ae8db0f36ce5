// A library for the loading tests: one export with a known answer.
extern "C" __attribute__((visibility("default"))) int sys_probe_answer(void) { return 42; }
