// Prints the share of bright pixels (light above 60 %) in a rectangle of the
// X screen: a quick look at what the screen shows.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char **argv)
{
    if (argc != 5)
        return 2;
    const int x = std::atoi(argv[1]), y = std::atoi(argv[2]);
    const unsigned width = std::strtoul(argv[3], nullptr, 10), height = std::strtoul(argv[4], nullptr, 10);
    Display *display = XOpenDisplay(nullptr);
    if (!display)
        return 1;
    XImage *image = XGetImage(display, DefaultRootWindow(display), x, y, width, height, AllPlanes, ZPixmap);
    if (!image)
        return 1;
    unsigned long bright = 0;
    for (unsigned row = 0; row < height; ++row)
        for (unsigned column = 0; column < width; ++column) {
            const unsigned long pixel = XGetPixel(image, int(column), int(row));
            const unsigned long light
                = 299 * ((pixel >> 16) & 0xff) + 587 * ((pixel >> 8) & 0xff) + 114 * (pixel & 0xff);
            bright += light > 600 * 255;
        }
    std::printf("%.6f\n", double(bright) / (double(width) * height));
    XDestroyImage(image);
    XCloseDisplay(display);
    return 0;
}
