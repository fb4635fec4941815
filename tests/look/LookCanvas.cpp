#ifndef EFL_BETA_API_SUPPORT
#define EFL_BETA_API_SUPPORT
#endif
#include "LookCanvas.h"

#include "qel.h"

#include <Edje.h>
#include <Elementary.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <sstream>

namespace msg_look {

namespace {

// The window's round mask lies over everything and is not part of any screen.
constexpr const char* MASK_NAME = "view_kit.window.mask";
// A picture of the theme this small is an icon; a larger one is a surface (a bubble, a disc).
constexpr double ICON_MAX = 64;

bool is(const char* type, const char* name) {
    return type && !strcmp(type, name);
}

std::string className(Evas_Object* obj) {
    const char* name = efl_class_name_get(efl_class_get(obj));
    return name ? name : "";
}

// "Efl.Ui.Layout_Legacy" reads "Layout".
std::string shortName(std::string cls) {
    for (const char* prefix : {"Efl.Ui.", "Elm."}) {
        if (cls.rfind(prefix, 0) == 0)
            cls = cls.substr(strlen(prefix));
    }
    size_t legacy = cls.find("_Legacy");
    return legacy == std::string::npos ? cls : cls.substr(0, legacy);
}

bool isScroller(Evas_Object* obj) {
    if (!efl_isa(obj, ELM_INTERFACE_SCROLLABLE_MIXIN))
        return false;
    // An entry scrolls only when made scrollable; a bubble's text is an entry that does not.
    if (className(obj) == "Elm.Entry")
        return elm_entry_scrollable_get(obj);
    return true;
}

Rgba straight(int r, int g, int b, int a) {
    Rgba c;
    c.a = a / 255.0;
    if (a > 0) {
        c.r = std::min(1.0, r / static_cast<double>(a));
        c.g = std::min(1.0, g / static_cast<double>(a));
        c.b = std::min(1.0, b / static_cast<double>(a));
    }
    return c;
}

// Whether a genlist row style names neither a text nor a content in its theme group (a margin).
bool rowStyleDrawsNothing(Evas_Object* genlist, const char* style) {
    static std::map<std::string, bool> known;
    if (!style)
        return true;
    auto found = known.find(style);
    if (found != known.end())
        return found->second;
    std::string group = std::string("elm/genlist/item/") + style + "/default";
    const char* path = elm_theme_group_path_find(elm_object_theme_get(genlist), group.c_str());
    bool nothing = false;
    if (path) {
        Evas_Object* edje = edje_object_add(evas_object_evas_get(genlist));
        if (edje_object_file_set(edje, path, group.c_str())) {
            const char* texts = edje_object_data_get(edje, "texts");
            const char* contents = edje_object_data_get(edje, "contents");
            nothing = (!texts || !*texts) && (!contents || !*contents);
        }
        evas_object_del(edje);
    }
    known[style] = nothing;
    return nothing;
}

Rgba multiply(const Rgba& a, const Rgba& b) {
    return {a.r * b.r, a.g * b.g, a.b * b.b, a.a * b.a};
}

// The value of `key=` in a text block's style, or empty.
std::string styleValue(const std::string& style, const char* key) {
    std::string needle = std::string(key) + "=";
    size_t at = 0;
    std::string found;
    // The last one wins, as in the text block's own reading of the style.
    while ((at = style.find(needle, at)) != std::string::npos) {
        bool wordStart = at == 0 || style[at - 1] == ' ' || style[at - 1] == '\'';
        size_t end = style.find_first_of(" '", at + needle.size());
        if (wordStart)
            found = style.substr(at + needle.size(),
                                 end == std::string::npos ? std::string::npos : end - at - needle.size());
        at += needle.size();
    }
    return found;
}

// The base of a text block's style, without its tags: "DEFAULT='...'".
std::string defaultStyle(const std::string& style) {
    size_t start = style.find("DEFAULT='");
    if (start == std::string::npos)
        return style;
    start += strlen("DEFAULT='");
    size_t end = style.find('\'', start);
    return style.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

// "#RRGGBB[AA]", "#RGB[A]" or "cc:CODE" (a code of the colour table).
bool parseStyleColor(const std::string& value, Rgba* out) {
    if (value.rfind("cc:", 0) == 0) {
        int r = 0, g = 0, b = 0, a = 0;
        if (!qel_theme_get_color(value.c_str() + 3, &r, &g, &b, &a))
            return false;
        *out = {r / 255.0, g / 255.0, b / 255.0, a / 255.0};
        return true;
    }
    if (value.empty() || value[0] != '#')
        return false;
    std::string digits = value.substr(1);
    if (digits.size() == 3 || digits.size() == 4) {
        std::string wide;
        for (char c : digits)
            wide += std::string(2, c);
        digits = wide;
    }
    if (digits.size() == 6)
        digits += "ff";
    if (digits.size() != 8)
        return false;
    unsigned long v = strtoul(digits.c_str(), nullptr, 16);
    *out = {((v >> 24) & 0xff) / 255.0, ((v >> 16) & 0xff) / 255.0, ((v >> 8) & 0xff) / 255.0,
            (v & 0xff) / 255.0};
    return true;
}

// The source pixel of a picture under a point of the canvas, through its fill and its borders
// (the corners of a stretched picture keep their size, only its middle stretches).
bool imagePixel(Evas_Object* image, double x, double y, Rgba* out) {
    int iw = 0, ih = 0;
    evas_object_image_size_get(image, &iw, &ih);
    const auto* data = static_cast<const uint32_t*>(evas_object_image_data_get(image, EINA_FALSE));
    if (!data || iw <= 0 || ih <= 0)
        return false;
    int stride = evas_object_image_stride_get(image) / 4;
    if (stride < iw)
        stride = iw;
    int ox = 0, oy = 0, fx = 0, fy = 0, fw = 0, fh = 0;
    evas_object_geometry_get(image, &ox, &oy, nullptr, nullptr);
    evas_object_image_fill_get(image, &fx, &fy, &fw, &fh);
    if (fw <= 0 || fh <= 0)
        return false;
    double lx = std::fmod(x - ox - fx, fw), ly = std::fmod(y - oy - fy, fh);
    lx += lx < 0 ? fw : 0;
    ly += ly < 0 ? fh : 0;
    int l = 0, r = 0, t = 0, b = 0;
    evas_object_image_border_get(image, &l, &r, &t, &b);
    double scale = evas_object_image_border_scale_get(image);
    bool middle = true;
    auto map = [scale, &middle](double p, double size, int source, int start, int end) {
        double s = start * scale, e = end * scale;
        if (p < s)
            return middle = false, p / scale;
        if (p >= size - e)
            return middle = false, source - (size - p) / scale;
        double stretched = size - s - e;
        return stretched <= 0 ? double(start) : start + (p - s) * (source - start - end) / stretched;
    };
    double sx = map(lx, fw, iw, l, r);
    bool middleX = middle;
    middle = true;
    double sy = map(ly, fh, ih, t, b);
    if (middleX && middle && (l || r || t || b) &&
        evas_object_image_border_center_fill_get(image) == EVAS_BORDER_FILL_NONE) {
        *out = {0, 0, 0, 0};
        return true;
    }
    int px = std::clamp(static_cast<int>(sx), 0, iw - 1), py = std::clamp(static_cast<int>(sy), 0, ih - 1);
    uint32_t pixel = data[py * stride + px];
    *out = straight((pixel >> 16) & 0xff, (pixel >> 8) & 0xff, pixel & 0xff, pixel >> 24);
    return true;
}

double linear(double channel) {
    return channel <= 0.03928 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

double luminance(const Rgba& c) {
    return 0.2126 * linear(c.r) + 0.7152 * linear(c.g) + 0.0722 * linear(c.b);
}

// The round scroll bar runs along the rim, takes no input and only shows where the list is, in the
// colours the device's table gives it (a faint thumb over a brighter track): part of the screen's
// frame, not an icon to read.
bool isScrollBar(const std::string& where) {
    return where.find("(eext/circle/scroller)") != std::string::npos;
}

// An object drawn through a map is drawn where the map puts it (the scroll bar's thumb turns about
// the screen's middle): the box around its corners there.
Box mappedBox(Evas_Object* obj, Box box) {
    const Evas_Map* map = evas_object_map_enable_get(obj) ? evas_object_map_get(obj) : nullptr;
    if (!map || evas_map_count_get(map) != 4)
        return box;
    double left = 1e9, top = 1e9, right = -1e9, bottom = -1e9;
    for (int i = 0; i < 4; ++i) {
        Evas_Coord px = 0, py = 0, pz = 0;
        evas_map_point_coord_get(map, i, &px, &py, &pz);
        left = std::min(left, double(px));
        top = std::min(top, double(py));
        right = std::max(right, double(px));
        bottom = std::max(bottom, double(py));
    }
    return {left, top, right - left, bottom - top};
}

} // namespace

Box Box::intersect(const Box& o) const {
    double l = std::max(x, o.x), t = std::max(y, o.y);
    double r = std::min(right(), o.right()), b = std::min(bottom(), o.bottom());
    return {l, t, std::max(0.0, r - l), std::max(0.0, b - t)};
}

Box Box::unite(const Box& o) const {
    if (empty())
        return o;
    if (o.empty())
        return *this;
    double l = std::min(x, o.x), t = std::min(y, o.y);
    return {l, t, std::max(right(), o.right()) - l, std::max(bottom(), o.bottom()) - t};
}

double contrastRatio(const Rgba& a, const Rgba& b) {
    double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

Rgba blend(const Rgba& top, const Rgba& bottom) {
    return {top.r * top.a + bottom.r * (1 - top.a), top.g * top.a + bottom.g * (1 - top.a),
            top.b * top.a + bottom.b * (1 - top.a), 1.0};
}

std::string hex(const Rgba& c) {
    char buf[16];
    snprintf(buf, sizeof(buf), "#%02X%02X%02X", static_cast<int>(std::lround(c.r * 255)),
             static_cast<int>(std::lround(c.g * 255)), static_cast<int>(std::lround(c.b * 255)));
    return buf;
}

struct WalkContext {
    Evas_Object* scroller = nullptr;
    Evas_Object* overlay = nullptr;
    Evas_Object* button = nullptr;
    Evas_Object* popup = nullptr;
    std::string where;
};

LookCanvas LookCanvas::read(Evas_Object* win) {
    LookCanvas canvas;
    Evas* e = evas_object_evas_get(win);
    int w = 0, h = 0;
    evas_output_size_get(e, &w, &h);
    canvas._screen = {0, 0, static_cast<double>(w), static_cast<double>(h)};
    // Bottom to top: the order in which the canvas draws.
    for (Evas_Object* obj = evas_object_bottom_get(e); obj; obj = evas_object_above_get(obj))
        canvas._walk(obj, WalkContext{});
    return canvas;
}

const Scroller* LookCanvas::scroller(Evas_Object* obj) const {
    for (const Scroller& s : _scrollers) {
        if (s.obj == obj)
            return &s;
    }
    return nullptr;
}

void LookCanvas::_walk(Evas_Object* obj, const WalkContext& parent) {
    if (!evas_object_visible_get(obj))
        return;
    const char* name = evas_object_name_get(obj);
    if (name && !strcmp(name, MASK_NAME))
        return;
    const char* type = evas_object_type_get(obj);
    if (!efl_isa(obj, EFL_CANVAS_GROUP_CLASS)) {
        // A clipper draws nothing of its own: it only shapes and tints what it clips.
        if (!evas_object_clipees_has(obj))
            _add(obj, parent);
        return;
    }
    WalkContext context = parent;
    std::string cls = className(obj);
    if (is(type, "edje")) {
        const char* group = nullptr;
        edje_object_file_get(obj, nullptr, &group);
        if (group && *group)
            context.where += std::string("(") + group + ")";
        // The option panel's selector, while it is open, lies over the screen like a popup.
        if (group && strstr(group, "rotary_selector"))
            context.overlay = obj;
    } else if (!cls.empty() && cls.rfind("Efl.Canvas", 0) != 0 && cls.find("Pan") == std::string::npos &&
               cls != "Evas.Box") {
        // The window, its naviframe and the page are every screen's: only what is below them is named.
        if (cls == "Elm.Naviframe" || cls == "Efl.Ui.Win_Legacy")
            context.where.clear();
        else
            context.where += (context.where.empty() ? "" : " > ") + shortName(cls);
    }
    if (isScroller(obj)) {
        context.scroller = obj;
        _readScroller(obj);
    }
    if (cls == "Elm.Popup" || cls == "Elm.Ctxpopup") {
        context.overlay = obj;
        if (cls == "Elm.Popup")
            context.popup = obj;
    }
    if (cls == "Elm.Button")
        context.button = obj;
    Eina_List* members = evas_object_smart_members_get(obj);
    void* member = nullptr;
    EINA_LIST_FREE(members, member) {
        _walk(static_cast<Evas_Object*>(member), context);
    }
}

void LookCanvas::_add(Evas_Object* obj, const WalkContext& context) {
    const char* type = evas_object_type_get(obj);
    Drawn d;
    d.obj = obj;
    d.scroller = context.scroller;
    d.overlay = context.overlay;
    d.button = context.button;
    d.popup = context.popup;
    d.where = context.where;
    int x = 0, y = 0, w = 0, h = 0;
    evas_object_geometry_get(obj, &x, &y, &w, &h);
    d.box = mappedBox(obj, {double(x), double(y), double(w), double(h)});
    int r = 0, g = 0, b = 0, a = 0;
    evas_object_color_get(obj, &r, &g, &b, &a);
    d.color = straight(r, g, b, a);
    // What the clippers let show, and in which strength.
    Box clip = _screen;
    for (Evas_Object* c = evas_object_clip_get(obj); c; c = evas_object_clip_get(c)) {
        if (!d.shape && is(evas_object_type_get(c), "image")) {
            d.shape = c;
            d.shapeIsMask = true;
        }
        if (!evas_object_visible_get(c))
            return;
        int cx = 0, cy = 0, cw = 0, ch = 0;
        evas_object_geometry_get(c, &cx, &cy, &cw, &ch);
        clip = clip.intersect({double(cx), double(cy), double(cw), double(ch)});
        evas_object_color_get(c, &r, &g, &b, &a);
        d.color = multiply(d.color, straight(r, g, b, a));
    }
    if (d.color.a <= 0.01)
        return;
    d.ink = d.box;
    if (is(type, "rectangle") || is(type, "image")) {
        if (is(type, "image")) {
            d.shape = obj;
            d.shapeIsMask = false;
        }
        const char* file = nullptr;
        if (d.shape)
            evas_object_image_file_get(d.shape, &file, nullptr);
        size_t len = file ? strlen(file) : 0;
        bool theme = len > 4 && !strcmp(file + len - 4, ".edj");
        int sw = w, sh = h;
        if (d.shape)
            evas_object_geometry_get(d.shape, nullptr, nullptr, &sw, &sh);
        if (d.shape && !theme)
            d.kind = Kind::Picture;
        else
            d.kind = d.shape && sw <= ICON_MAX && sh <= ICON_MAX && !isScrollBar(context.where)
                         ? Kind::Icon
                         : Kind::Surface;
    } else if (is(type, "text")) {
        const char* text = evas_object_text_text_get(obj);
        if (!text || !*text)
            return;
        d.kind = Kind::Text;
        d.text = text;
        const char* font = nullptr;
        int size = 0;
        evas_object_text_font_get(obj, &font, &size);
        d.fontSize = size;
        d.bold = font && strstr(font, "Bold");
        // The laid-out glyphs: the font's ascent above the base line, its descent below.
        int maxAscent = evas_object_text_max_ascent_get(obj);
        int ascent = evas_object_text_ascent_get(obj);
        int descent = evas_object_text_descent_get(obj);
        d.ink = {d.box.x, d.box.y + maxAscent - ascent * 0.8, d.box.w, ascent * 0.8 + descent * 0.5};
        if (evas_object_text_ellipsis_get(obj) >= 0) {
            Evas_Object* natural = evas_object_text_add(evas_object_evas_get(obj));
            evas_object_text_font_set(natural, font, size);
            evas_object_text_text_set(natural, text);
            int nw = 0;
            evas_object_geometry_get(natural, nullptr, nullptr, &nw, nullptr);
            evas_object_del(natural);
            d.ellipsized = nw > w + 1;
        }
        d.cutAcross = d.box.x < clip.x - 1 || d.box.right() > clip.right() + 1;
    } else if (is(type, "textblock")) {
        const char* markup = evas_object_textblock_text_markup_get(obj);
        char* plain = markup ? evas_textblock_text_markup_to_utf8(obj, markup) : nullptr;
        d.text = plain ? plain : "";
        free(plain);
        if (d.text.find_first_not_of(" \n\t\xef\xbf\xbc") == std::string::npos)
            return;
        d.kind = Kind::Text;
        const Evas_Textblock_Style* ts = evas_object_textblock_style_get(obj);
        std::string style = defaultStyle(ts ? evas_textblock_style_get(ts) : "");
        Rgba color{1, 1, 1, 1};
        parseStyleColor(styleValue(style, "color"), &color);
        d.color = multiply(d.color, color);
        d.fontSize = atof(styleValue(style, "font_size").c_str()) * evas_object_scale_get(obj);
        d.bold = styleValue(style, "font").find("Bold") != std::string::npos ||
                 styleValue(style, "font_weight").find("old") != std::string::npos;
        // The lines as laid out.
        Box lines;
        Evas_Textblock_Cursor* cur = evas_object_textblock_cursor_new(obj);
        for (int line = 0; evas_textblock_cursor_line_set(cur, line); ++line) {
            Evas_Coord lx = 0, ly = 0, lw = 0, lh = 0;
            evas_textblock_cursor_line_geometry_get(cur, &lx, &ly, &lw, &lh);
            lines = lines.unite({d.box.x + lx, d.box.y + ly + lh * 0.15, double(lw), lh * 0.75});
        }
        evas_textblock_cursor_free(cur);
        if (!lines.empty())
            d.ink = lines;
        std::string ellipsis = styleValue(style, "ellipsis");
        if (!ellipsis.empty() && atof(ellipsis.c_str()) >= 0) {
            Evas_Coord nw = 0;
            evas_object_textblock_size_native_get(obj, &nw, nullptr);
            d.ellipsized = nw > w + 1 && styleValue(style, "wrap").empty();
        }
        d.cutAcross = d.ink.x < clip.x - 1 || d.ink.right() > clip.right() + 1;
    } else {
        return;
    }
    d.visible = d.ink.intersect(clip);
    if (d.visible.empty())
        return;
    _drawn.push_back(std::move(d));
}

void LookCanvas::_readScroller(Evas_Object* obj) {
    Scroller s;
    s.obj = obj;
    int vx = 0, vy = 0, vw = 0, vh = 0, px = 0, py = 0, cw = 0, ch = 0;
    elm_interface_scrollable_content_viewport_geometry_get(obj, &vx, &vy, &vw, &vh);
    elm_interface_scrollable_content_pos_get(obj, &px, &py);
    elm_interface_scrollable_content_size_get(obj, &cw, &ch);
    s.viewport = {double(vx), double(vy), double(vw), double(vh)};
    s.content = {double(px), double(py), double(cw), double(ch)};
    s.atStart = py <= 1;
    s.atEnd = py >= ch - vh - 1;
    if (className(obj) == "Elm.Genlist") {
        // In list order, which the realized list does not promise.
        std::vector<Elm_Object_Item*> realized;
        Eina_List* items = elm_genlist_realized_items_get(obj);
        void* item = nullptr;
        EINA_LIST_FREE(items, item) {
            realized.push_back(static_cast<Elm_Object_Item*>(item));
        }
        // A row that draws nothing (a margin) hides nothing when it is not realized.
        auto empty = [obj](Elm_Object_Item* it) {
            const Elm_Genlist_Item_Class* itc = elm_genlist_item_item_class_get(it);
            return !itc || rowStyleDrawsNothing(obj, itc->item_style);
        };
        bool allBefore = true;
        for (Elm_Object_Item* it = elm_genlist_first_item_get(obj); it; it = elm_genlist_item_next_get(it)) {
            bool shown = std::find(realized.begin(), realized.end(), it) != realized.end();
            if (shown) {
                Evas_Object* track = elm_object_item_track(it);
                int x = 0, y = 0, w = 0, h = 0;
                if (track)
                    evas_object_geometry_get(track, &x, &y, &w, &h);
                elm_object_item_untrack(it);
                s.rows.push_back({{double(x), double(y), double(w), double(h)}, allBefore, false});
            }
            allBefore = allBefore && (shown || empty(it));
        }
        bool allAfter = true;
        size_t row = s.rows.size();
        for (Elm_Object_Item* it = elm_genlist_last_item_get(obj); it; it = elm_genlist_item_prev_get(it)) {
            bool shown = std::find(realized.begin(), realized.end(), it) != realized.end();
            if (shown && row > 0)
                s.rows[--row].last = allAfter;
            allAfter = allAfter && (shown || empty(it));
        }
    }
    _scrollers.push_back(std::move(s));
}

Rgba LookCanvas::behind(size_t index, double x, double y, bool* known) const {
    Rgba shown{0, 0, 0, 1};
    *known = true;
    for (size_t i = 0; i < index && i < _drawn.size(); ++i) {
        const Drawn& d = _drawn[i];
        if (d.kind == Kind::Text || !d.visible.contains(x, y))
            continue;
        if (d.kind == Kind::Picture) {
            *known = false;
            continue;
        }
        shown = blend(sample(d, x, y), shown);
    }
    // A picture under a surface that hides it entirely no longer matters.
    if (!*known) {
        for (size_t i = index; i-- > 0;) {
            const Drawn& d = _drawn[i];
            if (!d.visible.contains(x, y) || d.kind == Kind::Text)
                continue;
            if (d.kind == Kind::Picture)
                break;
            if (sample(d, x, y).a >= 0.99) {
                *known = true;
                break;
            }
        }
    }
    return shown;
}

Rgba LookCanvas::sample(const Drawn& d, double x, double y) {
    Rgba pixel{1, 1, 1, 1};
    if (d.shape && !imagePixel(d.shape, x, y, &pixel))
        return {0, 0, 0, 0};
    if (d.shapeIsMask)
        pixel = {1, 1, 1, pixel.a};
    return multiply(d.color, pixel);
}

Rgba LookCanvas::iconColor(const Drawn& d) {
    if (!d.shape || d.shapeIsMask)
        return d.color;
    int iw = 0, ih = 0;
    evas_object_image_size_get(d.shape, &iw, &ih);
    const auto* data = static_cast<const uint32_t*>(evas_object_image_data_get(d.shape, EINA_FALSE));
    if (!data)
        return d.color;
    int stride = std::max(iw, evas_object_image_stride_get(d.shape) / 4);
    Rgba sum;
    int count = 0;
    for (int y = 0; y < ih; ++y) {
        for (int x = 0; x < iw; ++x) {
            uint32_t p = data[y * stride + x];
            if ((p >> 24) < 128)
                continue;
            Rgba c = straight((p >> 16) & 0xff, (p >> 8) & 0xff, p & 0xff, p >> 24);
            sum = {sum.r + c.r, sum.g + c.g, sum.b + c.b, 1};
            ++count;
        }
    }
    if (!count)
        return d.color;
    return multiply(d.color, {sum.r / count, sum.g / count, sum.b / count, 1});
}

std::string LookCanvas::describe(const Drawn& d) const {
    static const char* const kinds[] = {"text", "icon", "surface", "picture"};
    std::ostringstream out;
    out << kinds[static_cast<int>(d.kind)];
    if (d.kind == Kind::Text)
        out << " \"" << d.text << "\"";
    out << " at " << d.visible.x << "," << d.visible.y << " " << d.visible.w << "x" << d.visible.h << " ["
        << d.where << "]";
    return out.str();
}

std::string LookCanvas::dump() const {
    std::ostringstream out;
    for (const Drawn& d : _drawn) {
        out << describe(d) << " colour " << hex(d.color) << " a" << d.color.a;
        if (d.kind == Kind::Text)
            out << " size " << d.fontSize << (d.ellipsized ? " ellipsized" : "")
                << (d.cutAcross ? " cut" : "");
        out << (d.scroller ? " scrolled" : "") << (d.overlay ? " overlay" : "") << (d.button ? " button" : "")
            << "\n";
    }
    for (const Scroller& s : _scrollers) {
        out << "scroller " << s.viewport.x << "," << s.viewport.y << " " << s.viewport.w << "x"
            << s.viewport.h << " at " << s.content.y << " of " << s.content.h << (s.atStart ? " start" : "")
            << (s.atEnd ? " end" : "") << " rows";
        for (const Scroller::Row& r : s.rows)
            out << " " << r.box.y << "+" << r.box.h << (r.first ? "F" : "") << (r.last ? "L" : "");
        out << "\n";
    }
    return out.str();
}

} // namespace msg_look
