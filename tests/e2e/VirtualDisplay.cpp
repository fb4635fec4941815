#include "VirtualDisplay.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace msg_e2e {

namespace {

constexpr int SERVER_START_MS = 15000;

// A window may go while we read it; Xlib's default handler would end the test.
int ignoreXError(Display*, XErrorEvent*) {
    return 0;
}

int channelShift(unsigned long mask) {
    int shift = 0;
    while (mask && !(mask & 1)) {
        mask >>= 1;
        ++shift;
    }
    return shift;
}

} // namespace

VirtualDisplay::~VirtualDisplay() {
    if (_display)
        XCloseDisplay(_display);
    _server.stop();
}

bool VirtualDisplay::start(std::string* error) {
    // The server picks a free display number and writes it to the pipe once it accepts clients.
    std::string number = _server.startForLine(
        [](int fd) {
            return std::vector<std::string>{"/usr/bin/Xvfb", "-displayfd", std::to_string(fd),
                                            "-screen",       "0",          "480x480x24",
                                            "-nolisten",     "tcp",        "-noreset"};
        },
        {}, SERVER_START_MS);
    if (number.empty()) {
        *error = "Xvfb did not start (is it installed? scripts/install-deps)";
        return false;
    }
    _name = ":" + number;
    XSetErrorHandler(ignoreXError);
    _display = XOpenDisplay(_name.c_str());
    if (!_display) {
        *error = "cannot open display " + _name;
        return false;
    }
    return true;
}

WindowId VirtualDisplay::_search(WindowId parent, const std::string& name) {
    Window root, parentOut, *children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(_display, parent, &root, &parentOut, &children, &count))
        return 0;
    WindowId found = 0;
    for (unsigned int i = 0; i < count && !found; ++i) {
        XClassHint hint{};
        XWindowAttributes attributes;
        if (XGetClassHint(_display, children[i], &hint) && hint.res_name && name == hint.res_name &&
            XGetWindowAttributes(_display, children[i], &attributes) && attributes.map_state == IsViewable)
            found = children[i];
        if (hint.res_name)
            XFree(hint.res_name);
        if (hint.res_class)
            XFree(hint.res_class);
        if (!found)
            found = _search(children[i], name);
    }
    if (children)
        XFree(children);
    return found;
}

void VirtualDisplay::focus(WindowId window) {
    if (!_display)
        return;
    XSetInputFocus(_display, window ? window : DefaultRootWindow(_display), RevertToPointerRoot, CurrentTime);
    XSync(_display, False);
}

WindowId VirtualDisplay::findWindow(const std::string& name) {
    return _display ? _search(DefaultRootWindow(_display), name) : 0;
}

Frame VirtualDisplay::capture(WindowId window) {
    XWindowAttributes attributes;
    if (!_display || !window || !XGetWindowAttributes(_display, window, &attributes))
        return {};
    XImage* image =
        XGetImage(_display, window, 0, 0, attributes.width, attributes.height, AllPlanes, ZPixmap);
    if (!image)
        return {};
    int rs = channelShift(image->red_mask), gs = channelShift(image->green_mask),
        bs = channelShift(image->blue_mask);
    std::vector<uint8_t> rgb;
    rgb.reserve(static_cast<size_t>(attributes.width) * attributes.height * 3);
    for (int y = 0; y < attributes.height; ++y) {
        for (int x = 0; x < attributes.width; ++x) {
            unsigned long pixel = XGetPixel(image, x, y);
            rgb.push_back(static_cast<uint8_t>((pixel & image->red_mask) >> rs));
            rgb.push_back(static_cast<uint8_t>((pixel & image->green_mask) >> gs));
            rgb.push_back(static_cast<uint8_t>((pixel & image->blue_mask) >> bs));
        }
    }
    XDestroyImage(image);
    return Frame(attributes.width, attributes.height, std::move(rgb));
}

} // namespace msg_e2e
