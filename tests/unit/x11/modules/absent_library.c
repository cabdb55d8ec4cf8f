// A shared library that the orphan module needs and that is never where the
// module is loaded; built on its own as a module too, a shared object without
// the sound module's factory.
int velmoran_absent_library_value(void) { return 42; }
