/* first_picture: how long a screen saver takes to show the desktop, seen from
 * outside the program, for bench/vs-xscreensaver.
 *
 *   first_picture reference <file>
 *       saves the whole screen (the desktop before any show) to <file>
 *   first_picture time <file> [--frame <out.ppm>] -- <command> [args...]
 *       waits until the screen shows that desktop again, starts the command
 *       and prints "<milliseconds> <pid>": the time from starting it to the
 *       first screenshot that shows the desktop's picture drawn anew, and the
 *       command's process id (left running). --frame keeps that screenshot.
 *
 * The screenshots cover the middle of the area every saver covers (1024 x 768
 * at the top-left corner), 512 x 384 pixels, through shared memory, with a
 * short pause between them: small and sparse enough that the watching takes
 * little of the processor the programs under test need. A screenshot "shows
 * the desktop drawn anew" when, leaving black aside (borders, an empty
 * background), most of it is made of the desktop's own colours and not
 * nearly all of one colour (an empty white texture), and it is not simply the
 * desktop still standing there: either it differs from the desktop in place,
 * or the screen went black in between (a saver that blanks first and then
 * shows the picture unchanged). The same test for every program, so that the
 * comparison is fair.
 *
 * On a Wayland session (WAYLAND_DISPLAY set, DISPLAY not) the screenshots are
 * grim's, read as PPM from its output: the only way to watch a Wayland
 * screen from outside. Each costs a few milliseconds more than an X one. */
#define _GNU_SOURCE
#include <errno.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/ipc.h>
#include <sys/shm.h>
#include <time.h>
#include <unistd.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>

enum { kAreaX = 256, kAreaY = 192, kAreaWidth = 512, kAreaHeight = 384, kSampleStep = 4, kPauseUs = 4000 };
enum { kBits = 5, kLevels = 1 << kBits };  /* colours compared on 5 bits per primary */

typedef struct {
    int width, height;
    uint32_t* pixels; /* 0x00RRGGBB, row after row */
} Picture;

typedef struct {
    Display* display; /* NULL: grim on Wayland */
    XImage* image;
    XShmSegmentInfo segment;
    Picture grim; /* grim's last picture */
} Grabber;

static double Now(void) {
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return (double)t.tv_sec + (double)t.tv_nsec / 1e9;
}

static void Die(const char* what) {
    fprintf(stderr, "first_picture: %s\n", what);
    exit(2);
}

static int Channel(unsigned long pixel, unsigned long mask) {
    if (!mask) return 0;
    int shift = __builtin_ctzl(mask), bits = __builtin_popcountl(mask);
    unsigned long v = (pixel & mask) >> shift;
    return bits >= 8 ? (int)(v >> (bits - 8)) : (int)(v * 255 / ((1ul << bits) - 1));
}

static int OnWayland(void) { return getenv("WAYLAND_DISPLAY") && !getenv("DISPLAY"); }

static Picture NewPicture(int width, int height);

/* grim's picture of the region ("x,y wxh"; the whole layout when NULL). */
static int GrimGrab(const char* region, Picture* out) {
    char command[128];
    snprintf(command, sizeof command, "grim -t ppm %s%s%s -", region ? "-g '" : "", region ? region : "",
             region ? "'" : "");
    FILE* f = popen(command, "r");
    if (!f) return 0;
    int width, height, max;
    int ok = fscanf(f, "P6 %d %d %d", &width, &height, &max) == 3 && fgetc(f) != EOF && max == 255 && width > 0 &&
             height > 0 && width <= 16384 && height <= 16384;
    if (ok && (out->width != width || out->height != height)) {
        free(out->pixels);
        *out = NewPicture(width, height);
    }
    for (size_t i = 0; ok && i < (size_t)width * height; ++i) {
        unsigned char rgb[3];
        ok = fread(rgb, 1, 3, f) == 3;
        out->pixels[i] = (uint32_t)rgb[0] << 16 | (uint32_t)rgb[1] << 8 | rgb[2];
    }
    return pclose(f) == 0 && ok;
}

static void OpenGrabber(Grabber* g, int width, int height) {
    if (OnWayland()) {
        g->display = NULL;
        g->grim = NewPicture(width, height);
        return;
    }
    g->display = XOpenDisplay(NULL);
    if (!g->display) Die("no X display");
    if (!XShmQueryExtension(g->display)) Die("no MIT-SHM");
    int screen = DefaultScreen(g->display);
    g->image = XShmCreateImage(g->display, DefaultVisual(g->display, screen), DefaultDepth(g->display, screen),
                               ZPixmap, NULL, &g->segment, width, height);
    if (!g->image) Die("no shared image");
    g->segment.shmid = shmget(IPC_PRIVATE, (size_t)g->image->bytes_per_line * height, IPC_CREAT | 0600);
    if (g->segment.shmid < 0) Die("no shared memory");
    g->segment.shmaddr = g->image->data = shmat(g->segment.shmid, NULL, 0);
    shmctl(g->segment.shmid, IPC_RMID, NULL);
    g->segment.readOnly = False;
    if (!XShmAttach(g->display, &g->segment)) Die("cannot attach shared memory");
}

static uint32_t Rgb(XImage* im, int x, int y) {
    if (im->bits_per_pixel == 32 && im->byte_order == LSBFirst && im->red_mask == 0xFF0000 &&
        im->green_mask == 0xFF00 && im->blue_mask == 0xFF)
        return ((const uint32_t*)(im->data + (size_t)y * im->bytes_per_line))[x] & 0xFFFFFF;
    unsigned long p = XGetPixel(im, x, y);
    return (uint32_t)(Channel(p, im->red_mask) << 16 | Channel(p, im->green_mask) << 8 | Channel(p, im->blue_mask));
}

/* The last screenshot as 0x00RRGGBB: every `step`th pixel of every `step`th
 * row, the others left as they were. */
static void Convert(Grabber* g, Picture* out, int step) {
    for (int y = 0; y < out->height; y += step)
        for (int x = 0; x < out->width; x += step) out->pixels[y * out->width + x] = Rgb(g->image, x, y);
}

/* A screenshot of the area watched, converted in part. */
static void Grab(Grabber* g, Picture* out, int step) {
    if (!g->display) {
        char region[64];
        snprintf(region, sizeof region, "%d,%d %dx%d", kAreaX, kAreaY, kAreaWidth, kAreaHeight);
        if (!GrimGrab(region, &g->grim) || g->grim.width != out->width || g->grim.height != out->height)
            Die("grim refused");
        memcpy(out->pixels, g->grim.pixels, (size_t)out->width * out->height * sizeof(uint32_t));
        return;
    }
    if (!XShmGetImage(g->display, DefaultRootWindow(g->display), g->image, kAreaX, kAreaY, AllPlanes))
        Die("grab refused");
    Convert(g, out, step);
}

static Picture NewPicture(int width, int height) {
    Picture p = {width, height, calloc((size_t)width * height, sizeof(uint32_t))};
    if (!p.pixels) Die("out of memory");
    return p;
}

static int Quantised(uint32_t rgb) {
    int r = (rgb >> 16 & 255) >> (8 - kBits), g = (rgb >> 8 & 255) >> (8 - kBits), b = (rgb & 255) >> (8 - kBits);
    return (r * kLevels + g) * kLevels + b;
}

static int IsBlack(uint32_t rgb) { return (rgb >> 16 & 255) < 24 && (rgb >> 8 & 255) < 24 && (rgb & 255) < 24; }

static int Differs(uint32_t a, uint32_t b) {
    for (int shift = 0; shift < 24; shift += 8) {
        int d = (int)(a >> shift & 255) - (int)(b >> shift & 255);
        if (d > 40 || d < -40) return 1;
    }
    return 0;
}

/* The desktop's colours: every quantised colour that covers a visible part
 * of the whole screen, widened by one step each way, because filtering a
 * picture mixes neighbouring colours. */
static unsigned char* Palette(const Picture* screen) {
    static unsigned count[kLevels * kLevels * kLevels];
    unsigned char* palette = calloc(kLevels * kLevels * kLevels, 1);
    if (!palette) Die("out of memory");
    const size_t n = (size_t)screen->width * screen->height;
    for (size_t i = 0; i < n; ++i) count[Quantised(screen->pixels[i])]++;
    for (int r = 0; r < kLevels; ++r)
        for (int g = 0; g < kLevels; ++g)
            for (int b = 0; b < kLevels; ++b) {
                if (count[(r * kLevels + g) * kLevels + b] * 2000ull < n) continue;
                for (int dr = -1; dr <= 1; ++dr)
                    for (int dg = -1; dg <= 1; ++dg)
                        for (int db = -1; db <= 1; ++db) {
                            int R = r + dr, G = g + dg, B = b + db;
                            if (R < 0 || G < 0 || B < 0 || R >= kLevels || G >= kLevels || B >= kLevels) continue;
                            palette[(R * kLevels + G) * kLevels + B] = 1;
                        }
            }
    return palette;
}

typedef struct {
    double black, desktopColours, largestColour, changed;
} Look;

static Look Assess(const Picture* shot, const Picture* desktop, const unsigned char* palette) {
    static unsigned bins[kLevels * kLevels * kLevels];
    memset(bins, 0, sizeof bins);
    unsigned total = 0, black = 0, known = 0, changed = 0, largest = 0;
    for (int y = 0; y < shot->height; y += kSampleStep)
        for (int x = 0; x < shot->width; x += kSampleStep) {
            uint32_t p = shot->pixels[y * shot->width + x];
            ++total;
            changed += Differs(p, desktop->pixels[y * desktop->width + x]);
            if (IsBlack(p)) {
                ++black;
                continue;
            }
            int q = Quantised(p);
            known += palette[q];
            if (++bins[q] > largest) largest = bins[q];
        }
    unsigned coloured = total - black;
    Look look = {(double)black / total, coloured ? (double)known / coloured : 0,
                 coloured ? (double)largest / coloured : 1, (double)changed / total};
    return look;
}

static int ShowsDesktopAnew(const Look* look, int blankSeen) {
    return look->black < 0.5 && look->desktopColours >= 0.9 && look->largestColour < 0.9 &&
           (look->changed >= 0.1 || blankSeen);
}

static void SaveRaw(const char* file, const Picture* p) {
    FILE* f = fopen(file, "wb");
    if (!f || fwrite(&p->width, sizeof(int), 1, f) != 1 || fwrite(&p->height, sizeof(int), 1, f) != 1 ||
        fwrite(p->pixels, sizeof(uint32_t), (size_t)p->width * p->height, f) != (size_t)p->width * p->height ||
        fclose(f) != 0)
        Die("cannot write the reference");
}

static Picture LoadRaw(const char* file) {
    FILE* f = fopen(file, "rb");
    int size[2];
    if (!f || fread(size, sizeof(int), 2, f) != 2 || size[0] < kAreaX + kAreaWidth || size[1] < kAreaY + kAreaHeight)
        Die("cannot read the reference");
    Picture p = NewPicture(size[0], size[1]);
    if (fread(p.pixels, sizeof(uint32_t), (size_t)p.width * p.height, f) != (size_t)p.width * p.height)
        Die("short reference");
    fclose(f);
    return p;
}

static Picture AreaOf(const Picture* screen) {
    Picture area = NewPicture(kAreaWidth, kAreaHeight);
    for (int y = 0; y < kAreaHeight; ++y)
        memcpy(area.pixels + y * kAreaWidth, screen->pixels + (y + kAreaY) * screen->width + kAreaX,
               kAreaWidth * sizeof(uint32_t));
    return area;
}

static void SavePpm(const char* file, const Picture* p) {
    FILE* f = fopen(file, "wb");
    if (!f) return;
    fprintf(f, "P6\n%d %d\n255\n", p->width, p->height);
    for (size_t i = 0; i < (size_t)p->width * p->height; ++i) {
        unsigned char rgb[3] = {p->pixels[i] >> 16 & 255, p->pixels[i] >> 8 & 255, p->pixels[i] & 255};
        fwrite(rgb, 1, 3, f);
    }
    fclose(f);
}

static void TakeReference(const char* file) {
    if (OnWayland()) {
        Picture screen = NewPicture(1, 1);
        if (!GrimGrab(NULL, &screen)) Die("grim refused");
        SaveRaw(file, &screen);
        return;
    }
    Display* d = XOpenDisplay(NULL);
    if (!d) Die("no X display");
    Grabber g;
    OpenGrabber(&g, DisplayWidth(d, DefaultScreen(d)), DisplayHeight(d, DefaultScreen(d)));
    Picture screen = NewPicture(g.image->width, g.image->height);
    if (!XShmGetImage(g.display, DefaultRootWindow(g.display), g.image, 0, 0, AllPlanes)) Die("grab refused");
    Convert(&g, &screen, 1);
    SaveRaw(file, &screen);
}

/* The previous show may still be leaving the screen: the desktop must be
 * back, or nearly all of it, before the clock starts. */
static void WaitForDesktop(Grabber* g, Picture* shot, const Picture* desktop) {
    const double limit = Now() + 20;
    while (Now() < limit) {
        Grab(g, shot, kSampleStep);
        unsigned same = 0, total = 0;
        for (int y = 0; y < kAreaHeight; y += kSampleStep)
            for (int x = 0; x < kAreaWidth; x += kSampleStep, ++total)
                same += shot->pixels[y * kAreaWidth + x] == desktop->pixels[y * kAreaWidth + x];
        if (same >= total * 0.99) return;
        usleep(20000);
    }
    Die("the desktop did not come back");
}

static pid_t Start(char** argv) {
    pid_t pid = fork();
    if (pid < 0) Die("cannot fork");
    if (pid == 0) {
        dup2(2, 1);  /* the result on our standard output is read to its end */
        execvp(argv[0], argv);
        fprintf(stderr, "first_picture: cannot start %s: %s\n", argv[0], strerror(errno));
        _exit(127);
    }
    return pid;
}

static int TimeFirstPicture(const char* referenceFile, const char* frameFile, char** command) {
    Picture screen = LoadRaw(referenceFile);
    unsigned char* palette = Palette(&screen);
    Picture desktop = AreaOf(&screen);
    Grabber g;
    OpenGrabber(&g, kAreaWidth, kAreaHeight);
    Picture shot = NewPicture(kAreaWidth, kAreaHeight);
    WaitForDesktop(&g, &shot, &desktop);

    const double start = Now();
    pid_t pid = Start(command);
    int blankSeen = 0;
    while (Now() - start < 60) {
        Grab(&g, &shot, kSampleStep);
        const double seen = Now();
        Look look = Assess(&shot, &desktop, palette);
        if (ShowsDesktopAnew(&look, blankSeen)) {
            printf("%.0f %d\n", (seen - start) * 1000, (int)pid);
            fflush(stdout);
            if (frameFile) {
                if (g.display) Convert(&g, &shot, 1);  /* whole, for a person to look at */
                SavePpm(frameFile, &shot);
            }
            return 0;
        }
        blankSeen |= look.black >= 0.9;
        usleep(kPauseUs);
    }
    Die("no picture of the desktop within a minute");
    return 1;
}

int main(int argc, char** argv) {
    if (argc == 3 && strcmp(argv[1], "reference") == 0) {
        TakeReference(argv[2]);
        return 0;
    }
    if (argc >= 5 && strcmp(argv[1], "time") == 0) {
        const char* frame = NULL;
        int i = 3;
        if (strcmp(argv[i], "--frame") == 0 && i + 1 < argc) {
            frame = argv[i + 1];
            i += 2;
        }
        if (i < argc && strcmp(argv[i], "--") == 0 && i + 1 < argc) return TimeFirstPicture(argv[2], frame, argv + i + 1);
    }
    fprintf(stderr, "usage: first_picture reference <file>\n"
                    "       first_picture time <file> [--frame <out.ppm>] -- <command> [args...]\n");
    return 2;
}
