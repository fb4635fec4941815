// The toolkit's floor for a first frame: a bare window of the watch's size showing what one of our
// screens shows, with nothing of ours under it. It prints the monotonic time of its first frame as
// msg-app --exit-after-first-frame does, and ends there.
//   floor_window --rows N [--bubbles]   a genlist of N one-line rows, or of N bubble-sized rows
//   floor_window --entry                a multi-line entry, focused, as the composer's body is
#include "FirstFrameMark.h"

#include <Elementary.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr int SIZE = 360;
// About two lines of a bubble: the height of the conversation's usual row.
constexpr const char* BUBBLE_TEXT = "Are we still on for Saturday? The station at ten, and bring the tickets "
                                    "if you can. See you there!";

struct Options {
    int rows = 0;
    bool bubbles = false;
    bool entry = false;
};

bool parse(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--rows") && i + 1 < argc) {
            char* end = nullptr;
            long rows = std::strtol(argv[++i], &end, 10);
            if (*end != '\0' || rows < 1 || rows > 1000000)
                return false;
            options.rows = static_cast<int>(rows);
        } else if (!std::strcmp(argv[i], "--bubbles")) {
            options.bubbles = true;
        } else if (!std::strcmp(argv[i], "--entry")) {
            options.entry = true;
        } else {
            return false;
        }
    }
    return options.entry != (options.rows > 0);
}

char* rowText(void* data, Evas_Object*, const char*) {
    char text[32];
    std::snprintf(text, sizeof(text), "Row %d", static_cast<int>(reinterpret_cast<intptr_t>(data)));
    return strdup(text);
}

Evas_Object* bubbleContent(void*, Evas_Object* obj, const char* part) {
    if (std::strcmp(part, "elm.swallow.content") != 0)
        return nullptr;
    Evas_Object* label = elm_label_add(obj);
    elm_label_line_wrap_set(label, ELM_WRAP_MIXED);
    elm_label_wrap_width_set(label, SIZE * 3 / 4);
    elm_object_text_set(label, BUBBLE_TEXT);
    return label;
}

Evas_Object* addGenlist(Evas_Object* win, const Options& options) {
    static Elm_Genlist_Item_Class* itc = elm_genlist_item_class_new();
    itc->item_style = options.bubbles ? "full" : "default";
    itc->func.text_get = options.bubbles ? nullptr : rowText;
    itc->func.content_get = options.bubbles ? bubbleContent : nullptr;
    Evas_Object* genlist = elm_genlist_add(win);
    elm_genlist_mode_set(genlist, ELM_LIST_COMPRESS);
    elm_genlist_homogeneous_set(genlist, !options.bubbles);
    for (int i = 0; i < options.rows; ++i)
        elm_genlist_item_append(genlist, itc, reinterpret_cast<void*>(static_cast<intptr_t>(i)), nullptr,
                                ELM_GENLIST_ITEM_NONE, nullptr, nullptr);
    return genlist;
}

Evas_Object* addEntry(Evas_Object* win) {
    Evas_Object* entry = elm_entry_add(win);
    elm_entry_scrollable_set(entry, EINA_TRUE);
    elm_object_part_text_set(entry, "elm.guide", "Enter message");
    elm_object_focus_set(entry, EINA_TRUE);
    return entry;
}

void firstFrameCb(void*, Evas* e, void*) {
    evas_event_callback_del(e, EVAS_CALLBACK_RENDER_POST, firstFrameCb);
    // As our programs print it: the time, then what was used up to this frame.
    msg_app::shell::printFirstFrameMark();
    elm_exit();
}

} // namespace

int main(int argc, char** argv) {
    Options options;
    if (!parse(argc, argv, options)) {
        std::fprintf(stderr, "usage: floor_window --rows N [--bubbles] | --entry\n");
        return 2;
    }
    elm_init(argc, argv);
    Evas_Object* win = elm_win_add(nullptr, "floor", ELM_WIN_BASIC);
    Evas_Object* bg = elm_bg_add(win);
    evas_object_size_hint_weight_set(bg, EVAS_HINT_EXPAND, EVAS_HINT_EXPAND);
    elm_win_resize_object_add(win, bg);
    evas_object_show(bg);
    Evas_Object* content = options.entry ? addEntry(win) : addGenlist(win, options);
    evas_object_size_hint_weight_set(content, EVAS_HINT_EXPAND, EVAS_HINT_EXPAND);
    elm_win_resize_object_add(win, content);
    evas_object_show(content);
    evas_object_resize(win, SIZE, SIZE);
    evas_event_callback_add(evas_object_evas_get(win), EVAS_CALLBACK_RENDER_POST, firstFrameCb, nullptr);
    evas_object_show(win);
    elm_run();
    elm_shutdown();
    return 0;
}
