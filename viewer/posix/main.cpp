// Velmoran.dll on Linux: the sphere viewer, in the first shell that can run
// on this desktop.
#include "viewer/viewer_shell.h"

int main() { return velmoran::RunFirstShell(velmoran::kViewerShells, velmoran::kViewerShellCount); }
