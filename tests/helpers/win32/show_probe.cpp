// show_probe: a show on the saver's hidden form, its music commands printed
// (helpers/show_probe.h).
#include "helpers/show_probe.h"

int main(int argc, char** argv) { return velmoran::probe::ProbeMain(argc, argv); }
