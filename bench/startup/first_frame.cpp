// Starts a program on the X display and waits until two pixels of the screen
// show the colours they have once its first full frame is there; then lets
// it run on, ends it and reports the time to that frame and its peak memory:
//   first_frame X1 Y1 RRGGBB X2 Y2 RRGGBB SETTLE_MS -- PROGRAM ARGUMENTS...
// prints "FIRST_FRAME_MS PEAK_KIB", or exits 1 when the frame does not come
// within ten seconds.

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace
{

constexpr double TIMEOUT_MS = 10000;
constexpr useconds_t POLL_US = 2000;

double NowMs()
{
    timespec now {};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

struct Probe {
    int x;
    int y;
    unsigned long colour;
};

bool Shows(Display *display, const Probe &probe)
{
    XImage *image
        = XGetImage(display, DefaultRootWindow(display), probe.x, probe.y, 1, 1, AllPlanes, ZPixmap);
    if (!image)
        return false;
    const unsigned long pixel = XGetPixel(image, 0, 0) & 0xFFFFFF;
    XDestroyImage(image);
    return pixel == probe.colour;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 10 || std::strcmp(argv[8], "--") != 0) {
        std::fprintf(
            stderr, "usage: first_frame X1 Y1 RRGGBB X2 Y2 RRGGBB SETTLE_MS -- PROGRAM ARGUMENTS...\n");
        return 64;
    }
    const Probe probes[] = { { std::atoi(argv[1]), std::atoi(argv[2]), std::strtoul(argv[3], nullptr, 16) },
        { std::atoi(argv[4]), std::atoi(argv[5]), std::strtoul(argv[6], nullptr, 16) } };
    const double settleMs = std::atof(argv[7]);
    Display *display = XOpenDisplay(nullptr);
    if (!display)
        return 1;

    const double start = NowMs();
    const pid_t child = fork();
    if (child == 0) {
        execvp(argv[9], argv + 9);
        _exit(127);
    }
    double firstFrame = -1;
    while (NowMs() - start < TIMEOUT_MS) {
        if (Shows(display, probes[0]) && Shows(display, probes[1])) {
            firstFrame = NowMs() - start;
            break;
        }
        usleep(POLL_US);
    }
    while (firstFrame >= 0 && NowMs() - start < firstFrame + settleMs)
        usleep(20 * POLL_US);
    kill(child, SIGTERM);
    int status = 0;
    rusage usage {};
    wait4(child, &status, 0, &usage);
    // The next run starts from a screen without this program's window.
    for (const double gone = NowMs(); NowMs() - gone < 3000 && Shows(display, probes[0]);)
        usleep(5 * POLL_US);
    XCloseDisplay(display);
    if (firstFrame < 0)
        return 1;
    std::printf("%.1f %ld\n", firstFrame, usage.ru_maxrss);
    return 0;
}
