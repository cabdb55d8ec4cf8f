// Resource numbers of the settings dialog's icon and link pointer, compiled
// into the program from assets/ (dialog_art.rc).
#pragma once

#define VELMORAN_ICON 1
#define VELMORAN_LINK_POINTER 2
