// OpenGL 1.1 and GLU for the portable viewer code.
#pragma once

// The Windows GL headers pull in the whole window system unless the calling
// conventions they need are already known. Naming them here, token for token
// as the system headers do, keeps <windows.h> (and its macros, such as
// LoadBitmap) out of portable code, in either order of inclusion.
#if defined(_WIN32)
#ifndef WINAPI
#define WINAPI __stdcall
#endif
#define APIENTRY WINAPI
#ifndef CALLBACK
#define CALLBACK __stdcall
#endif
#ifndef DECLSPEC_IMPORT
#define DECLSPEC_IMPORT __declspec (dllimport)
#endif
#define WINGDIAPI DECLSPEC_IMPORT
#endif

#include <GL/gl.h>
#include <GL/glu.h>
