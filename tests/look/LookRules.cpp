#include "LookRules.h"

#include <Elementary.h>
#include <glib.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <optional>
#include <sstream>

namespace msg_look {

namespace {

// Direction marks and isolates shape how a text runs, not what it says.
bool isMark(gunichar c) {
    return c == 0x200E || c == 0x200F || c == 0x061C || (c >= 0x202A && c <= 0x202E) ||
           (c >= 0x2066 && c <= 0x2069);
}

std::string withoutMarks(const std::string& text) {
    std::string plain;
    if (!g_utf8_validate(text.c_str(), -1, nullptr))
        return text;
    for (const char* p = text.c_str(); *p; p = g_utf8_next_char(p)) {
        gunichar c = g_utf8_get_char(p);
        if (!isMark(c))
            plain.append(p, g_utf8_next_char(p) - p);
    }
    size_t start = plain.find_first_not_of(" \n\t");
    size_t end = plain.find_last_not_of(" \n\t");
    return start == std::string::npos ? std::string() : plain.substr(start, end - start + 1);
}

bool isFileName(const std::string& text) {
    size_t dot = text.rfind('.');
    if (dot == std::string::npos || dot == 0 || text.size() - dot < 3 || text.size() - dot > 5 ||
        text.find(' ') != std::string::npos)
        return false;
    return std::all_of(text.begin() + dot + 1, text.end(), [](char c) { return g_ascii_isalnum(c); });
}

struct Circle {
    double cx, cy, r;
    bool holds(double x, double y, double tolerance) const {
        return std::hypot(x - cx, y - cy) <= r + tolerance;
    }
    bool holds(const Box& b, double tolerance) const {
        return holds(b.x, b.y, tolerance) && holds(b.right(), b.y, tolerance) &&
               holds(b.x, b.bottom(), tolerance) && holds(b.right(), b.bottom(), tolerance);
    }
    // Half the width of the circle at the narrower edge of a band.
    double halfChord(double top, double bottom) const {
        double dy = std::max(std::fabs(top - cy), std::fabs(bottom - cy));
        return dy >= r ? 0 : std::sqrt(r * r - dy * dy);
    }
};

bool isDisc(const Drawn& d) {
    return d.kind == Kind::Surface && d.shape && std::fabs(d.box.w - d.box.h) <= 2 && d.box.w >= 16 &&
           d.box.w <= 120;
}

bool isCandidate(const Drawn& d) {
    return d.kind == Kind::Text || d.kind == Kind::Icon || isDisc(d);
}

std::string percent(double share) {
    char buf[16];
    snprintf(buf, sizeof(buf), "%.0f%%", share * 100);
    return buf;
}

std::string ratio(double value) {
    char buf[16];
    snprintf(buf, sizeof(buf), "%.2f:1", value);
    return buf;
}

class Checker {
public:
    Checker(const LookCanvas& canvas, const std::set<std::string>& names)
        : _canvas(canvas), _drawn(canvas.drawn()),
          _names(names), _circle{canvas.screen().w / 2, canvas.screen().h / 2,
                                 std::min(canvas.screen().w, canvas.screen().h) / 2} {
        for (size_t i = 0; i < _drawn.size(); ++i) {
            if (_drawn[i].overlay) {
                _firstOverlay = i;
                break;
            }
        }
        _findEdgeRows();
    }

    std::vector<Finding> run() {
        for (size_t i = 0; i < _drawn.size(); ++i) {
            const Drawn& d = _drawn[i];
            if (!isCandidate(d))
                continue;
            if (_behindOverlay(i)) {
                _checkDimmed(i);
                continue;
            }
            _checkCircle(i);
            _checkCut(i);
            _checkContrast(i);
        }
        _checkPopups();
        return std::move(_findings);
    }

private:
    void _add(Rule rule, const Drawn& d, const std::string& detail) {
        _findings.push_back({rule, _canvas.describe(d), detail});
    }

    bool _behindOverlay(size_t i) const { return _firstOverlay && i < *_firstOverlay && !_drawn[i].overlay; }

    // The row of a scrolled object: its index in the scroller's realized rows, or -1.
    int _rowOf(const Drawn& d, const Scroller& s) const {
        double y = d.visible.y + d.visible.h / 2;
        for (size_t r = 0; r < s.rows.size(); ++r) {
            if (y >= s.rows[r].box.y && y < s.rows[r].box.bottom())
                return static_cast<int>(r);
        }
        return -1;
    }

    // The rows that must lie inside the circle: of a list showing its first row, its first row
    // with something drawn; of a list showing its last row, its last one. A scroller without rows
    // shows its first or last line at its start or end.
    void _findEdgeRows() {
        for (const Scroller& s : _canvas.scrollers()) {
            int first = -1, last = -1; // the first and last rows with something drawn
            double top = 1e9, bottom = -1e9;
            for (const Drawn& d : _drawn) {
                if (d.scroller != s.obj || !isCandidate(d))
                    continue;
                int row = _rowOf(d, s);
                if (row >= 0) {
                    first = first < 0 ? row : std::min(first, row);
                    last = std::max(last, row);
                }
                top = std::min(top, d.ink.y);
                bottom = std::max(bottom, d.ink.bottom());
            }
            Edges edges;
            if (!s.rows.empty()) {
                edges.firstRow = first >= 0 && s.rows[first].first ? first : -1;
                edges.lastRow = last >= 0 && s.rows[last].last ? last : -1;
            } else {
                edges.top = s.atStart ? top : -1e9;
                edges.bottom = s.atEnd ? bottom : 1e9;
            }
            _edges[s.obj] = edges;
        }
    }

    // Whether a scrolled object must lie inside the circle at rest: it stands in the first or
    // last row (above) or in a row the list shows whole, or a list at its start, as its screen
    // opens, shows it whole (the first letters of the row half in view below are read too).
    bool _atScrollerEdge(const Drawn& d) const {
        const Scroller* s = _canvas.scroller(d.scroller);
        auto edges = _edges.find(d.scroller);
        if (!s || edges == _edges.end())
            return false;
        if (!s->rows.empty()) {
            int row = _rowOf(d, *s);
            if (row < 0)
                return false;
            auto inView = [&](double top, double bottom) {
                return top >= s->viewport.y - 1 && bottom <= s->viewport.bottom() + 1;
            };
            const Box& box = s->rows[row].box;
            return inView(box.y, box.bottom()) || (s->atStart && inView(d.ink.y, d.ink.bottom())) ||
                   row == edges->second.firstRow || row == edges->second.lastRow;
        }
        return d.ink.y <= edges->second.top + 1 || d.ink.bottom() >= edges->second.bottom - 1;
    }

    void _checkCircle(size_t i) {
        const Drawn& d = _drawn[i];
        Box box = d.visible;
        if (d.scroller) {
            if (!_atScrollerEdge(d))
                return;
            // The list's own edge does not make it whole: what it clips is cut all the same.
            box = {d.visible.x, d.ink.y, d.visible.w, d.ink.h};
            const Scroller* s = _canvas.scroller(d.scroller);
            if (s && s->rows.empty()) {
                // A scrolled text's lines beyond the far side are what scrolling brings in next.
                double top = s->atStart ? d.ink.y : std::max(d.ink.y, s->viewport.y);
                double bottom = s->atEnd ? d.ink.bottom() : std::min(d.ink.bottom(), s->viewport.bottom());
                box = {d.visible.x, top, d.visible.w, bottom - top};
            }
        }
        if (isDisc(d)) {
            double cx = d.box.x + d.box.w / 2, cy = d.box.y + d.box.h / 2;
            double reach = std::hypot(cx - _circle.cx, cy - _circle.cy) + d.box.w / 2;
            if (reach > _circle.r + limits::CIRCLE_TOLERANCE)
                _add(Rule::InsideCircle, d,
                     "a round button reaches " + std::to_string(lround(reach)) + " px from the middle");
            return;
        }
        if (!_circle.holds(box, limits::CIRCLE_TOLERANCE))
            _add(Rule::InsideCircle, d, "crosses the round screen's edge");
    }

    // A sliver the list's edge leaves of a text is read once it scrolls in, as it is then.
    static bool _sliver(const Drawn& d) {
        return d.scroller && d.kind == Kind::Text && d.visible.h < d.ink.h / 2;
    }

    void _checkCut(size_t i) {
        const Drawn& d = _drawn[i];
        if (d.kind != Kind::Text || (!d.ellipsized && !d.cutAcross) || _sliver(d))
            return;
        TextKind kind = classifyText(d.text, _names);
        const char* how = d.ellipsized ? "ellipsized" : "clipped at its side";
        if (kind == TextKind::Number) {
            _add(Rule::WholeNumber, d, std::string("a number, time, date or counter is ") + how);
            return;
        }
        if (kind == TextKind::Other)
            return;
        // The line: what stands beside the text at its height, in the same list.
        Box line = d.visible;
        for (const Drawn& o : _drawn) {
            if (&o != &d && o.scroller == d.scroller && !o.overlay && isCandidate(o) &&
                o.visible.y < d.ink.bottom() && o.visible.bottom() > d.ink.y)
                line = line.unite(o.visible);
        }
        double half = _circle.halfChord(d.ink.y, d.ink.bottom());
        double left = _circle.cx - half, right = _circle.cx + half;
        // A side control that stays while the list scrolls (the option cue) takes the room it covers.
        for (const Drawn& o : _drawn) {
            if (o.scroller || o.overlay || o.kind != Kind::Surface || o.visible.w >= 120 ||
                o.visible.bottom() <= d.ink.y || o.visible.y >= d.ink.bottom())
                continue;
            if (o.visible.x >= line.right())
                right = std::min(right, o.visible.x);
            else if (o.visible.right() <= line.x)
                left = std::max(left, o.visible.right());
        }
        double room = std::max(line.x - left, right - line.right());
        if (room > limits::NAME_ROOM)
            _add(Rule::NameRoom, d,
                 std::string(kind == TextKind::Name ? "a name" : "a file name") + " is " + how + " with " +
                     std::to_string(lround(room)) + " px of its line's room left");
    }

    // An icon another icon or disc lies over (a check mark's ring and disc, a button's round
    // back) is a backdrop: the mark on top is what is read, against it.
    bool _isBackdrop(size_t i) const {
        const Drawn& d = _drawn[i];
        double x = d.visible.x + d.visible.w / 2, y = d.visible.y + d.visible.h / 2;
        for (size_t j = i + 1; j < _drawn.size(); ++j) {
            const Drawn& o = _drawn[j];
            if ((o.kind == Kind::Icon || isDisc(o)) && o.overlay == d.overlay && o.visible.contains(x, y))
                return true;
        }
        return false;
    }

    void _checkContrast(size_t i) {
        const Drawn& d = _drawn[i];
        if (isDisc(d) || (d.button && elm_object_disabled_get(d.button)) ||
            (d.kind == Kind::Icon && _isBackdrop(i)))
            return;
        if (_sliver(d))
            return;
        double worst = 1e9;
        Rgba worstFg, worstBg;
        const double shares[] = {0.25, 0.5, 0.75};
        for (double share :
             d.kind == Kind::Text ? std::vector<double>(shares, shares + 3) : std::vector<double>{0.5}) {
            double x = d.visible.x + d.visible.w * share, y = d.visible.y + d.visible.h / 2;
            bool known = false;
            Rgba bg = _canvas.behind(i, x, y, &known);
            if (!known)
                continue;
            Rgba own = d.kind == Kind::Icon ? LookCanvas::iconColor(d) : d.color;
            Rgba fg = blend(own, bg);
            double value = contrastRatio(fg, bg);
            if (value < worst) {
                worst = value;
                worstFg = fg;
                worstBg = bg;
            }
        }
        bool large = d.fontSize >= limits::LARGE_TEXT_PX || (d.bold && d.fontSize >= limits::LARGE_BOLD_PX);
        double needed = d.kind == Kind::Icon ? limits::ICON_CONTRAST
                        : large              ? limits::LARGE_CONTRAST
                                             : limits::TEXT_CONTRAST;
        if (worst < needed)
            _add(Rule::Contrast, d,
                 hex(worstFg) + " on " + hex(worstBg) + " is " + ratio(worst) + ", needs " + ratio(needed));
    }

    void _checkDimmed(size_t i) {
        const Drawn& d = _drawn[i];
        double x = d.visible.x + d.visible.w / 2, y = d.visible.y + d.visible.h / 2;
        double residual = 1;
        for (size_t j = i + 1; j < _drawn.size(); ++j) {
            const Drawn& o = _drawn[j];
            if (o.overlay && o.kind != Kind::Text && o.visible.contains(x, y))
                residual *= 1 - LookCanvas::sample(o, x, y).a;
        }
        if (residual > limits::OVERLAY_RESIDUAL)
            _add(Rule::OverlayDim, d,
                 "shows through the overlay at " + percent(residual) + " of its strength, " + "at most " +
                     percent(limits::OVERLAY_RESIDUAL));
    }

    void _checkPopups() {
        std::map<Evas_Object*, Box> shapes;
        std::map<Evas_Object*, const Drawn*> firsts;
        for (const Drawn& d : _drawn) {
            if (!d.popup || d.kind != Kind::Surface || d.where.find("block_events") != std::string::npos)
                continue;
            const char* style = elm_object_style_get(d.popup);
            if (style && strstr(style, "toast"))
                continue;
            shapes[d.popup] = shapes[d.popup].unite(d.box);
            if (!firsts.count(d.popup))
                firsts[d.popup] = &d;
        }
        const Box screen = _canvas.screen();
        for (const auto& [popup, shape] : shapes) {
            const double t = limits::POPUP_TOLERANCE;
            if (std::fabs(shape.x - screen.x) > t || std::fabs(shape.y - screen.y) > t ||
                std::fabs(shape.w - screen.w) > t || std::fabs(shape.h - screen.h) > t) {
                std::ostringstream detail;
                detail << "the popup is drawn at " << shape.x << "," << shape.y << " " << shape.w << "x"
                       << shape.h << ", not the full circle";
                _add(Rule::PopupShape, *firsts[popup], detail.str());
            }
        }
    }

    struct Edges {
        int firstRow = -1, lastRow = -1;
        double top = -1e9, bottom = 1e9;
    };

    const LookCanvas& _canvas;
    const std::vector<Drawn>& _drawn;
    const std::set<std::string>& _names;
    Circle _circle;
    std::optional<size_t> _firstOverlay;
    std::map<Evas_Object*, Edges> _edges;
    std::vector<Finding> _findings;
};

} // namespace

const char* ruleName(Rule rule) {
    switch (rule) {
    case Rule::InsideCircle:
        return "inside the circle";
    case Rule::WholeNumber:
        return "numbers whole";
    case Rule::NameRoom:
        return "names cut only without room";
    case Rule::Contrast:
        return "contrast";
    case Rule::OverlayDim:
        return "overlays dim what is behind";
    case Rule::PopupShape:
        return "popups full and centred";
    }
    return "?";
}

TextKind classifyText(const std::string& text, const std::set<std::string>& names) {
    std::string plain = withoutMarks(text);
    if (plain.empty())
        return TextKind::Other;
    if (names.count(plain))
        return TextKind::Name;
    int digits = 0, letters = 0;
    if (g_utf8_validate(plain.c_str(), -1, nullptr)) {
        for (const char* p = plain.c_str(); *p; p = g_utf8_next_char(p)) {
            gunichar c = g_utf8_get_char(p);
            digits += g_unichar_isdigit(c) ? 1 : 0;
            letters += g_unichar_isalpha(c) ? 1 : 0;
        }
    }
    // "12:05 PM", "오후 12:05", "12/12/2026", "+1 555-010-0013", "23/160".
    if (digits > 0 && letters <= 4)
        return TextKind::Number;
    if (isFileName(plain))
        return TextKind::File;
    // A group's name joins its people's names.
    std::istringstream parts(plain);
    std::string part;
    bool allNames = plain.find(", ") != std::string::npos;
    while (allNames && std::getline(parts, part, ',')) {
        size_t start = part.find_first_not_of(' ');
        allNames = start != std::string::npos && names.count(part.substr(start));
    }
    return allNames ? TextKind::Name : TextKind::Other;
}

std::vector<Finding> checkLook(const LookCanvas& canvas, const std::set<std::string>& names) {
    return Checker(canvas, names).run();
}

} // namespace msg_look
