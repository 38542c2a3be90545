// Prints the share of bright pixels (light above 60 %) in a rectangle X Y W H
// of the X screen: a quick look at what the screen shows.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char **argv)
{
    Display *display = argc == 5 ? XOpenDisplay(nullptr) : nullptr;
    const int width = display ? std::atoi(argv[3]) : 0, height = display ? std::atoi(argv[4]) : 0;
    XImage *image = width > 0 && height > 0
        ? XGetImage(display, DefaultRootWindow(display), std::atoi(argv[1]), std::atoi(argv[2]),
            unsigned(width), unsigned(height), AllPlanes, ZPixmap)
        : nullptr;
    if (!image)
        return 1;
    long bright = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const unsigned long p = XGetPixel(image, x, y);
            bright += 299 * ((p >> 16) & 0xff) + 587 * ((p >> 8) & 0xff) + 114 * (p & 0xff) > 600 * 255;
        }
    std::printf("%.6f\n", double(bright) / (double(width) * height));
    XDestroyImage(image);
    XCloseDisplay(display);
    return 0;
}
