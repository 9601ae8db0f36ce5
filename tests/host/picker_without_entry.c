/* tgetfile.dll without its tGetFile export: a picker library the plug-in finds beside the
 * program and must not call. Its one function keeps the module from being empty. */
int picker_library_revision(void) { return 1; }
