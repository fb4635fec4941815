#include "list/MLItem/MLItemNameLine.h"

#include "list/MLItem/MLItem.h"

#include <Edje.h>

#include <cstdlib>
#include <map>
#include <tuple>
#include <utility>

namespace msg_app {
namespace msg_list {

namespace {

// The widths the theme has for the time, narrowest first, and the sizes for a number, largest
// first (the list row's TIME_WIDTH and NUMBER_SIZE states).
constexpr int TIME_WIDTHS[] = {84, 100, 116, 132, 148};
constexpr int NUMBER_SIZES[] = {30, 26, 22, 18, 16};
// The time's text class and size, and the font a number is drawn in.
constexpr const char* TIME_TEXT_CLASS = "AT0232";
constexpr int TIME_SIZE = 20;
constexpr const char* TIME_FONT = "Sans:style=Condensed";
constexpr const char* NUMBER_FONT = "Sans:style=Condensed Bold";
// The gap between the name and the time.
constexpr int NAME_GAP = 11;

// Widths measured, by font, drawn size and text. A row chooses its look again whenever the
// circle's insets move and for each style, with the same texts each time, and every row measures
// the same few times of day. Emptied when full; main loop only.
using WidthKey = std::tuple<std::string, int, std::string>;
constexpr size_t MAX_WIDTHS = 1024;

std::map<WidthKey, int>& widths() {
    static std::map<WidthKey, int> measured;
    return measured;
}

// Hidden text objects do the measuring, one per font and size on the canvas: making and deleting
// one for each text cost a quarter of a measurement, and setting another font on a kept one cost
// three quarters. They go with their canvas; a few fonts and sizes are ever asked for.
constexpr size_t MAX_MEASURERS = 16;
using FontKey = std::pair<std::string, int>;

struct Measurers {
    Evas* canvas = nullptr;
    std::map<FontKey, Evas_Object*> texts;
};

Measurers& measurers() {
    static Measurers kept;
    return kept;
}

void measurerDelCb(void* /*data*/, Evas* /*e*/, Evas_Object* obj, void* /*eventInfo*/) {
    auto& texts = measurers().texts;
    for (auto it = texts.begin(); it != texts.end(); ++it) {
        if (it->second == obj) {
            texts.erase(it);
            return;
        }
    }
}

void dropMeasurers() {
    std::map<FontKey, Evas_Object*> texts;
    texts.swap(measurers().texts);
    for (auto& [key, text] : texts) {
        evas_object_event_callback_del(text, EVAS_CALLBACK_DEL, measurerDelCb);
        evas_object_del(text);
    }
}

Evas_Object* measuringText(Evas* canvas, const char* font, int size) {
    Measurers& kept = measurers();
    if (kept.canvas != canvas || kept.texts.size() >= MAX_MEASURERS) {
        dropMeasurers();
        kept.canvas = canvas;
    }
    FontKey key{font, size};
    auto found = kept.texts.find(key);
    if (found != kept.texts.end())
        return found->second;
    Evas_Object* text = evas_object_text_add(canvas);
    if (!text)
        return nullptr;
    evas_object_text_font_set(text, font, size);
    evas_object_event_callback_add(text, EVAS_CALLBACK_DEL, measurerDelCb, nullptr);
    kept.texts.emplace(std::move(key), text);
    return text;
}

// Characters of UTF-8 text; an entity of markup counts as its letters, more than it draws.
int characters(const std::string& text) {
    int count = 0;
    for (unsigned char c : text)
        count += (c & 0xC0) != 0x80;
    return count;
}

} // namespace

int MLItemNameLine::_width(Evas* canvas, const char* font, int size, const std::string& text) {
    WidthKey key{font, MLItem::scaled(size), text};
    auto found = widths().find(key);
    if (found != widths().end())
        return found->second;
    // The row's texts are markup (a date in right-to-left text is isolated by entities): the
    // theme draws the characters, so they are what is measured.
    Evas_Object* measure = measuringText(canvas, font, std::get<1>(key));
    if (!measure)
        return 0;
    char* plain = evas_textblock_text_markup_to_utf8(nullptr, text.c_str());
    evas_object_text_text_set(measure, plain ? plain : text.c_str());
    free(plain);
    int w = 0;
    evas_object_geometry_get(measure, nullptr, nullptr, &w, nullptr);
    if (widths().size() >= MAX_WIDTHS)
        widths().clear();
    widths().emplace(std::move(key), w);
    return w;
}

MLItemNameLine::Look MLItemNameLine::choose(Evas* canvas, const std::string& name, bool nameIsNumber,
                                            const std::string& time, const Room& room) {
    // The time's text class may change its font and size, as the system font setting does.
    const char* font = TIME_FONT;
    int size = TIME_SIZE;
    Evas_Font_Size classSize = 0;
    const char* classFont = nullptr;
    if (edje_text_class_get(TIME_TEXT_CLASS, &classFont, &classSize)) {
        if (classFont && *classFont)
            font = classFont;
        size = classSize > 0 ? classSize : classSize < 0 ? TIME_SIZE * -classSize / 100 : TIME_SIZE;
    }
    int timeWidth = _width(canvas, font, size, time);
    int chosen = TIME_WIDTHS[sizeof(TIME_WIDTHS) / sizeof(TIME_WIDTHS[0]) - 1];
    for (int w : TIME_WIDTHS) {
        if (MLItem::scaled(w) >= timeWidth) {
            chosen = w;
            break;
        }
    }
    Look look;
    look.timeSignal = "elm,state,time," + std::to_string(chosen);
    if (!nameIsNumber) {
        look.nameSignal = "elm,state,name,text";
        return look;
    }
    // The largest size that fits beside the time; where none does, the number takes the whole
    // line and the time gives its room up (a cut number cannot be told from another).
    // Each size measured loads a font, most of what a row's first look costs, and only the chosen
    // one is drawn: a width scales with the size, off by at most a pixel a character for the
    // rounding of each advance, so the sizes that cannot fit by the largest one's width are passed
    // over unmeasured.
    const int largest = _width(canvas, NUMBER_FONT, NUMBER_SIZES[0], name);
    const int rounding = characters(name) + 1;
    int numberSize = 0;
    for (int withTime : {1, 0}) {
        // The name's clip ends the gap before the time's place, also when the time gives it up.
        int nameRoom = MLItem::scaled(room.width - room.before - NAME_GAP - (withTime ? chosen : 0));
        for (int s : NUMBER_SIZES) {
            if (largest * s / NUMBER_SIZES[0] - rounding > nameRoom)
                continue;
            if (_width(canvas, NUMBER_FONT, s, name) <= nameRoom) {
                numberSize = s;
                break;
            }
        }
        if (numberSize) {
            if (!withTime)
                look.timeSignal = "elm,state,time,0";
            break;
        }
    }
    if (!numberSize)
        numberSize = NUMBER_SIZES[sizeof(NUMBER_SIZES) / sizeof(NUMBER_SIZES[0]) - 1];
    look.nameSignal = "elm,state,name,number," + std::to_string(numberSize);
    return look;
}

} // namespace msg_list
} // namespace msg_app
