/* Marks the moments of a show's start in the saver and the viewer, for
 * scripts/bench-show: preloaded into both programs (LD_PRELOAD), it wraps the
 * library calls that begin and end each part and appends one line per moment,
 * "<name> <seconds since the epoch>", to the file named by
 * VELMORAN_SHOW_TRACE. The programs themselves are not changed.
 *
 *   capture-begin   the saver asks the X server for the screen
 *   write-begin     the saver opens the capture file it writes
 *   write-end       the finished file is in place
 *   read-begin      the viewer opens the capture file
 *   mipmaps-end     the viewer's texture and its mipmaps are built
 *   first-frame     the viewer's first frame is presented
 */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <unistd.h>

#include <GL/glu.h>
#include <SDL.h>
#include <X11/Xlib.h>
#include <X11/extensions/XShm.h>

static void Mark(const char* name) {
    static int marked[6];
    static const char* const names[] = {"capture-begin", "write-begin", "write-end",
                                        "read-begin",    "mipmaps-end", "first-frame"};
    for (int i = 0; i < 6; ++i) {
        if (strcmp(names[i], name) != 0) continue;
        if (marked[i]) return; /* only the first time */
        marked[i] = 1;
    }
    const char* file = getenv("VELMORAN_SHOW_TRACE");
    if (!file) return;
    struct timespec now;
    clock_gettime(CLOCK_REALTIME, &now);
    char line[96];
    const int length = snprintf(line, sizeof line, "%s %lld.%09ld\n", name, (long long)now.tv_sec, now.tv_nsec);
    const int fd = open(file, O_WRONLY | O_APPEND | O_CREAT, 0644);
    if (fd < 0) return;
    const ssize_t written = write(fd, line, (size_t)length);
    (void)written; /* a lost mark shows as a missing part */
    close(fd);
}

static int EndsWith(const char* text, const char* tail) {
    const size_t a = strlen(text), b = strlen(tail);
    return a >= b && strcmp(text + a - b, tail) == 0;
}

#define NEXT(name) ((__typeof__(&name))dlsym(RTLD_NEXT, #name))

Bool XShmQueryExtension(Display* display) {
    Mark("capture-begin");
    return NEXT(XShmQueryExtension)(display);
}

XImage* XGetImage(Display* display, Drawable d, int x, int y, unsigned int w, unsigned int h, unsigned long planes,
                  int format) {
    Mark("capture-begin");
    return NEXT(XGetImage)(display, d, x, y, w, h, planes, format);
}

static void MarkOpen(const char* path, const char* mode) {
    if (EndsWith(path, ".partial") && mode[0] == 'w') Mark("write-begin");
    if (EndsWith(path, "Velmoran.bmp") && mode[0] == 'r') Mark("read-begin");
}

FILE* fopen(const char* path, const char* mode) {
    MarkOpen(path, mode);
    return NEXT(fopen)(path, mode);
}

FILE* fopen64(const char* path, const char* mode) {
    MarkOpen(path, mode);
    return NEXT(fopen64)(path, mode);
}

int rename(const char* from, const char* to) {
    const int result = NEXT(rename)(from, to);
    if (result == 0 && EndsWith(to, "Velmoran.bmp")) Mark("write-end");
    return result;
}

GLint gluBuild2DMipmaps(GLenum target, GLint components, GLint width, GLint height, GLenum format, GLenum type,
                        const void* data) {
    const GLint result = NEXT(gluBuild2DMipmaps)(target, components, width, height, format, type, data);
    Mark("mipmaps-end");
    return result;
}

void SDL_GL_SwapWindow(SDL_Window* window) {
    NEXT(SDL_GL_SwapWindow)(window);
    Mark("first-frame");
}
