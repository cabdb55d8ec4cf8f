// The INI file as the saver of this platform reads and writes it.
#include "helpers/profile_tool.h"

int main(int argc, char** argv) { return velmoran::test::ProfileTool(argc, argv); }
