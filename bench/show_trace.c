/* Marks the moments of a show's start in the saver and the viewer, for
 * scripts/bench-show: preloaded into both programs (LD_PRELOAD), it wraps the
 * library calls that begin and end each part and appends one line per moment,
 * "<name> <seconds since the epoch>", to the file named by
 * VELMORAN_SHOW_TRACE. The programs themselves are not changed.
 *
 *   capture-begin   the saver asks the X server for the screen
 *   write-begin     the saver opens the capture file it writes
 *   write-end       the finished file is in place
 *   read-begin      the viewer opens the capture file (on its loading thread)
 *   read-end        the viewer closes it, all read
 *   context         the viewer's GL context exists
 *   upload-begin    the viewer defines the texture's largest level in GL
 *   upload-end      the last band of texels is handed over (written at every
 *                   level and band; the last line counts)
 *   first-frame     the viewer's first frame is presented
 *
 * With VELMORAN_FRAME_TRACE set, every frame (GLX or EGL) that a program it
 * is preloaded into presents (the viewer, or a peer such as flipscreen3d)
 * appends the line "<seconds on the monotonic clock>" to that file, for
 * bench/show-pace.
 */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <fcntl.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <unistd.h>

#include <EGL/egl.h>
#include <GL/gl.h>
#include <GL/glx.h>
#include <X11/Xlib.h>
#include <X11/extensions/XShm.h>

static void Mark(const char* name) {
    static int marked[8];
    static const char* const once[] = {"capture-begin", "write-begin", "write-end", "read-begin",
                                       "read-end",      "context",     "upload-begin", "first-frame"};
    for (int i = 0; i < 8; ++i) {
        if (strcmp(once[i], name) != 0) continue;
        if (__atomic_exchange_n(&marked[i], 1, __ATOMIC_SEQ_CST)) return; /* only the first time */
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

static FILE* capture;    /* the capture file as the viewer reads it */
static int captureFd = -1; /* its descriptor, before it becomes a stream */

static int IsCaptureRead(const char* path, int flags) {
    return EndsWith(path, "Velmoran.bmp") && (flags & O_ACCMODE) == O_RDONLY;
}

static int Opened(const char* path, int flags, int fd) {
    if (EndsWith(path, ".partial") && (flags & O_ACCMODE) == O_WRONLY) Mark("write-begin");
    if (fd >= 0 && IsCaptureRead(path, flags)) {
        Mark("read-begin");
        captureFd = fd;
    }
    return fd;
}

/* The programs open files with open() and make streams of them with fdopen(). */
static mode_t ModeOf(int flags, va_list args) { return (flags & (O_CREAT | O_TMPFILE)) ? va_arg(args, mode_t) : 0; }

int open(const char* path, int flags, ...) {
    va_list args;
    va_start(args, flags);
    const mode_t mode = ModeOf(flags, args);
    va_end(args);
    return Opened(path, flags, NEXT(open)(path, flags, mode));
}

int open64(const char* path, int flags, ...) {
    va_list args;
    va_start(args, flags);
    const mode_t mode = ModeOf(flags, args);
    va_end(args);
    return Opened(path, flags, NEXT(open64)(path, flags, mode));
}

FILE* fdopen(int fd, const char* mode) {
    FILE* file = NEXT(fdopen)(fd, mode);
    if (file && fd == captureFd) capture = file;
    return file;
}

int fclose(FILE* file) {
    if (file && file == capture) Mark("read-end");
    return NEXT(fclose)(file);
}

int rename(const char* from, const char* to) {
    const int result = NEXT(rename)(from, to);
    if (result == 0 && EndsWith(to, "Velmoran.bmp")) Mark("write-end");
    return result;
}

Bool glXMakeCurrent(Display* display, GLXDrawable drawable, GLXContext context) {
    const Bool made = NEXT(glXMakeCurrent)(display, drawable, context);
    if (made && context) Mark("context");
    return made;
}

void glTexImage2D(GLenum target, GLint level, GLint internalFormat, GLsizei width, GLsizei height, GLint border,
                  GLenum format, GLenum type, const void* pixels) {
    if (target == GL_TEXTURE_2D && level == 0) Mark("upload-begin");
    NEXT(glTexImage2D)(target, level, internalFormat, width, height, border, format, type, pixels);
    if (target == GL_TEXTURE_2D) Mark("upload-end");
}

void glTexSubImage2D(GLenum target, GLint level, GLint x, GLint y, GLsizei width, GLsizei height, GLenum format,
                     GLenum type, const void* pixels) {
    NEXT(glTexSubImage2D)(target, level, x, y, width, height, format, type, pixels);
    if (target == GL_TEXTURE_2D) Mark("upload-end");
}

/* One line per frame, through a descriptor kept open: a frame costs one write. */
static void MarkFrame(void) {
    static int fd = -2;
    if (fd == -2) {
        const char* file = getenv("VELMORAN_FRAME_TRACE");
        fd = file ? open(file, O_WRONLY | O_APPEND | O_CREAT, 0644) : -1;
    }
    if (fd < 0) return;
    struct timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    char line[48];
    const int length = snprintf(line, sizeof line, "%lld.%09ld\n", (long long)now.tv_sec, now.tv_nsec);
    const ssize_t written = write(fd, line, (size_t)length);
    (void)written; /* a lost frame shows as a longer interval */
}

void glXSwapBuffers(Display* display, GLXDrawable drawable) {
    NEXT(glXSwapBuffers)(display, drawable);
    Mark("first-frame");
    MarkFrame();
}

/* XScreenSaver's GL hacks present through EGL. */
EGLBoolean eglSwapBuffers(EGLDisplay display, EGLSurface surface) {
    const EGLBoolean swapped = NEXT(eglSwapBuffers)(display, surface);
    MarkFrame();
    return swapped;
}
