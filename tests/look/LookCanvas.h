/*
 * What a screen draws, read from the canvas's own objects rather than from its
 * pixels: every visible text, icon and surface in stacking order, with where it
 * is drawn, the part of it that shows, its colour and the widgets it belongs to.
 */
#ifndef MSG_LOOK_LOOKCANVAS_H
#define MSG_LOOK_LOOKCANVAS_H

#include <Evas.h>

#include <string>
#include <vector>

namespace msg_look {

struct Box {
    double x = 0, y = 0, w = 0, h = 0;

    double right() const { return x + w; }
    double bottom() const { return y + h; }
    bool empty() const { return w <= 0 || h <= 0; }
    bool contains(double px, double py) const { return px >= x && px < right() && py >= y && py < bottom(); }
    Box intersect(const Box& other) const;
    Box unite(const Box& other) const;
};

// A straight (not premultiplied) colour, each channel 0..1.
struct Rgba {
    double r = 0, g = 0, b = 0, a = 0;
};

enum class Kind {
    Text,    // a text or a text block
    Icon,    // a small picture of the theme, drawn in its colour
    Surface, // a rectangle or a large picture of the theme: what texts and icons stand on
    Picture, // a picture whose pixels are content (a photo, a video's still): unknown colour
};

struct Drawn {
    Evas_Object* obj = nullptr;
    Kind kind = Kind::Surface;
    // The picture of the theme whose pixels shape it: the object itself, or the picture a
    // rectangle is clipped to (a glyph drawn in a colour); null for a plain rectangle.
    Evas_Object* shape = nullptr;
    bool shapeIsMask = false; // only the shape's alpha counts (a clipper)
    Box box;                  // the object's geometry
    Box ink;                  // texts: the laid-out text itself; otherwise the geometry
    Box visible;              // the part of ink that its clippers let show
    Rgba color; // texts: the text's colour; otherwise the object's (a picture of the theme is a tinted mask)
    std::string text;    // texts: the whole text, plain
    double fontSize = 0; // texts: pixels
    bool bold = false;   // texts
    bool ellipsized = false;
    bool cutAcross = false;          // texts: part of the text is clipped at the side
    Evas_Object* scroller = nullptr; // the nearest scrolling widget that holds it
    Evas_Object* overlay = nullptr;  // the popup, context popup or option panel that holds it
    Evas_Object* button = nullptr;   // the button that holds it
    Evas_Object* popup = nullptr;    // the popup widget that holds it
    std::string where;               // widget classes from the window down, for messages
};

// A scrolling widget and where it stands.
struct Scroller {
    Evas_Object* obj = nullptr;
    Box viewport;
    bool atStart = false;
    bool atEnd = false;
    Box content; // the scrolled content's position (negated) and size
    // Genlists: the geometry of each realized row, in list order, each marked when nothing
    // hidden stands between it and the list's start (first) or end (last).
    struct Row {
        Box box;
        bool first = false;
        bool last = false;
    };
    std::vector<Row> rows;
};

class LookCanvas {
public:
    // Reads the window's canvas as it is now.
    static LookCanvas read(Evas_Object* win);

    const std::vector<Drawn>& drawn() const { return _drawn; }
    const std::vector<Scroller>& scrollers() const { return _scrollers; }
    const Scroller* scroller(Evas_Object* obj) const;
    Box screen() const { return _screen; }
    // What shows at a point below the drawn object of that index, every layer blended onto
    // black; known is false when a picture of unknown colour is in the way.
    Rgba behind(size_t index, double x, double y, bool* known) const;
    // Every object: its kind, boxes, colour and text, for a person reading a failure.
    std::string dump() const;
    std::string describe(const Drawn& d) const;
    // What a drawn object puts at a point of the canvas: its colour through its shape's pixel.
    static Rgba sample(const Drawn& d, double x, double y);
    // An icon's own colour: its colour through the mean of its shape's opaque pixels.
    static Rgba iconColor(const Drawn& d);

private:
    void _walk(Evas_Object* obj, const struct WalkContext& context);
    void _add(Evas_Object* obj, const struct WalkContext& context);
    void _readScroller(Evas_Object* obj);

    std::vector<Drawn> _drawn;
    std::vector<Scroller> _scrollers;
    Box _screen;
};

// The contrast ratio of two opaque colours, 1 to 21.
double contrastRatio(const Rgba& a, const Rgba& b);
// `top` drawn over an opaque `bottom`.
Rgba blend(const Rgba& top, const Rgba& bottom);
std::string hex(const Rgba& c);

} // namespace msg_look

#endif
