// Renders the theme's screens, widget styles and images to PNG files, to look
// at the theme without a display:
//   msg-theme-gallery [output folder]     (default: theme-gallery)
#include "CommandLine.h"
#include "ThemeFiles.h"

#include <Elementary.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

using msg_test::ThemeWithExtension;

namespace {

// Every image group of the images file, in the file's order.
std::vector<std::string> imageGroups() {
    std::vector<std::string> groups;
    Eina_List* list = edje_file_collection_list(msg_test::imagesEdj().c_str());
    Eina_List* l = nullptr;
    void* name = nullptr;
    EINA_LIST_FOREACH(list, l, name) {
        if (std::string(static_cast<const char*>(name)).rfind("img/", 0) == 0)
            groups.emplace_back(static_cast<const char*>(name));
    }
    edje_file_collection_list_free(list);
    return groups;
}

void pump(double seconds) {
    double deadline = ecore_time_get() + seconds;
    while (ecore_time_get() < deadline) {
        ecore_main_loop_iterate();
        usleep(2000);
    }
}

struct Scene {
    const char* name;
    int width;
    int height;
    std::function<void(Evas_Object* win, const ThemeWithExtension& theme)> build;
};

Evas_Object* addLayout(Evas_Object* parent, const char* group, const char* style = "default") {
    Evas_Object* ly = elm_layout_add(parent);
    if (!elm_layout_theme_set(ly, "layout", group, style))
        std::fprintf(stderr, "layout %s/%s not found\n", group, style);
    evas_object_size_hint_weight_set(ly, EVAS_HINT_EXPAND, EVAS_HINT_EXPAND);
    evas_object_size_hint_align_set(ly, EVAS_HINT_FILL, EVAS_HINT_FILL);
    evas_object_show(ly);
    return ly;
}

Evas_Object* imageOf(Evas_Object* parent, const char* group) {
    Evas_Object* img = elm_image_add(parent);
    if (!elm_image_file_set(img, msg_test::imagesEdj().c_str(), group))
        std::fprintf(stderr, "image %s not found\n", group);
    evas_object_show(img);
    return img;
}

// The application layout filling the window, as every screen starts.
Evas_Object* screen(Evas_Object* win) {
    Evas_Object* app = addLayout(win, "application");
    elm_win_resize_object_add(win, app);
    return app;
}

char* textCb(void* data, Evas_Object*, const char*) {
    return strdup(static_cast<const char*>(data));
}

Evas_Object* genlistWithRows(Evas_Object* parent, bool selectMode) {
    Evas_Object* gl = elm_genlist_add(parent);
    elm_object_style_set(gl, "message_only");
    elm_genlist_mode_set(gl, ELM_LIST_COMPRESS);
    evas_object_size_hint_weight_set(gl, EVAS_HINT_EXPAND, EVAS_HINT_EXPAND);
    evas_object_size_hint_align_set(gl, EVAS_HINT_FILL, EVAS_HINT_FILL);

    static Elm_Genlist_Item_Class margin, title, group, row;
    margin.item_style = "title_menu_top_margin";
    title.item_style = "title";
    title.func.text_get = textCb;
    group.item_style = "groupindex";
    group.func.text_get = textCb;
    row.item_style = "1text";
    row.func.text_get = textCb;
    static Elm_Genlist_Item_Class selectRow = row;
    selectRow.func.content_get = [](void* data, Evas_Object* obj, const char* part) -> Evas_Object* {
        if (strcmp(part, "elm.swallow.end") || !data)
            return nullptr;
        Evas_Object* ck = elm_check_add(obj);
        elm_object_style_set(ck, "genlist/select_mode");
        elm_check_state_set(ck, strstr(static_cast<const char*>(data), "Mum") != nullptr);
        return ck;
    };
    static char messages[] = "Messages";
    static char recent[] = "Recent";
    static const char* names[] = {"Mum", "Alex Turner", "+44 7700 900123", "Dentist", "Sam"};
    elm_genlist_item_append(gl, &margin, nullptr, nullptr, ELM_GENLIST_ITEM_NONE, nullptr, nullptr);
    elm_genlist_item_append(gl, &title, messages, nullptr, ELM_GENLIST_ITEM_NONE, nullptr, nullptr);
    elm_genlist_item_append(gl, &group, recent, nullptr, ELM_GENLIST_ITEM_NONE, nullptr, nullptr);
    for (const char* name : names) {
        elm_genlist_item_append(gl, selectMode ? &selectRow : &row, const_cast<char*>(name), nullptr,
                                ELM_GENLIST_ITEM_NONE, nullptr, nullptr);
    }
    evas_object_show(gl);
    return gl;
}

Evas_Object* bottomButton(Evas_Object* parent, const char* text) {
    Evas_Object* btn = elm_button_add(parent);
    elm_object_style_set(btn, "bottom");
    elm_object_text_set(btn, text);
    evas_object_show(btn);
    return btn;
}

Evas_Object* circlePopup(Evas_Object* win, const ThemeWithExtension& theme, bool twoButtons) {
    Evas_Object* popup = elm_popup_add(win);
    theme.applyTo(popup);
    elm_object_style_set(popup, "circle");
    Evas_Object* ly = elm_layout_add(popup);
    elm_layout_theme_set(ly, "layout", "popup",
                         twoButtons ? "content/circle/buttons2" : "content/circle/buttons1");
    elm_object_part_text_set(ly, "elm.text.title", twoButtons ? "Delete" : "Sent");
    elm_object_part_text_set(ly, "elm.text",
                             twoButtons ? "Delete 3 conversations?"
                                        : "Your message could not be sent. Try again later.");
    elm_object_content_set(popup, ly);
    if (twoButtons) {
        Evas_Object* left = elm_button_add(popup);
        elm_object_style_set(left, "popup/circle/left");
        elm_object_part_content_set(left, "elm.swallow.content", imageOf(left, "img/popup/button/cancel"));
        elm_object_part_content_set(popup, "button1", left);
        Evas_Object* right = elm_button_add(popup);
        elm_object_style_set(right, "popup/circle/right");
        elm_object_part_content_set(right, "elm.swallow.content", imageOf(right, "img/popup/button/ok"));
        elm_object_part_content_set(popup, "button2", right);
    } else {
        Evas_Object* ok = elm_button_add(popup);
        elm_object_style_set(ok, "popup/circle");
        elm_object_text_set(ok, "OK");
        elm_object_part_content_set(popup, "button1", ok);
    }
    evas_object_show(popup);
    return popup;
}

Evas_Object* toast(Evas_Object* win, const ThemeWithExtension& theme, const char* style, const char* text) {
    Evas_Object* popup = elm_popup_add(win);
    theme.applyTo(popup);
    elm_object_style_set(popup, style);
    elm_popup_orient_set(popup, ELM_POPUP_ORIENT_BOTTOM);
    elm_object_part_text_set(popup, "elm.text", text);
    evas_object_show(popup);
    return popup;
}

Evas_Object* progress(Evas_Object* parent, const char* style) {
    Evas_Object* pb = elm_progressbar_add(parent);
    elm_object_style_set(pb, style);
    elm_progressbar_pulse_set(pb, EINA_TRUE);
    elm_progressbar_pulse(pb, EINA_TRUE);
    evas_object_show(pb);
    return pb;
}

std::vector<Scene> scenes() {
    return {
        {"nocontents", 360, 360,
         [](Evas_Object* win, const ThemeWithExtension&) {
             Evas_Object* app = screen(win);
             Evas_Object* ly = addLayout(app, "nocontents");
             elm_object_part_text_set(ly, "elm.text.title", "Messages");
             elm_object_part_text_set(ly, "elm.text", "No messages");
             Evas_Object* img = imageOf(ly, "img/no_messages");
             evas_object_color_set(img, 179, 179, 179, 179);
             elm_object_part_content_set(ly, "elm.swallow.icon", img);
             elm_object_part_content_set(app, "elm.swallow.content", ly);
         }},
        {"list", 360, 360,
         [](Evas_Object* win, const ThemeWithExtension&) {
             Evas_Object* app = screen(win);
             Evas_Object* view = addLayout(app, "bottom_button");
             Evas_Object* sel = addLayout(view, "select_mode");
             elm_object_part_content_set(sel, "elm.swallow.content", genlistWithRows(sel, false));
             elm_object_part_content_set(view, "elm.swallow.content", sel);
             elm_object_part_content_set(app, "elm.swallow.content", view);
         }},
        {"list_select_mode", 360, 360,
         [](Evas_Object* win, const ThemeWithExtension&) {
             Evas_Object* app = screen(win);
             Evas_Object* view = addLayout(app, "bottom_button");
             Evas_Object* sel = addLayout(view, "select_mode");
             elm_object_part_content_set(sel, "elm.swallow.content", genlistWithRows(sel, true));
             Evas_Object* count = elm_button_add(sel);
             elm_object_style_set(count, "select_mode");
             elm_object_text_set(count, "2");
             elm_object_part_content_set(sel, "elm.swallow.icon", count);
             elm_object_signal_emit(sel, "select_mode,button,show", "");
             elm_object_part_content_set(view, "elm.swallow.content", sel);
             elm_object_part_content_set(view, "elm.swallow.button", bottomButton(view, "Delete"));
             elm_object_part_content_set(app, "elm.swallow.content", view);
         }},
        {"bottom_button_disabled", 360, 360,
         [](Evas_Object* win, const ThemeWithExtension&) {
             Evas_Object* app = screen(win);
             Evas_Object* view = addLayout(app, "bottom_button");
             Evas_Object* btn = bottomButton(view, "Unblock");
             elm_object_disabled_set(btn, EINA_TRUE);
             elm_object_part_content_set(view, "elm.swallow.button", btn);
             elm_object_part_content_set(app, "elm.swallow.content", view);
         }},
        {"popup_buttons2", 360, 360,
         [](Evas_Object* win, const ThemeWithExtension& theme) {
             screen(win);
             circlePopup(win, theme, true);
         }},
        {"popup_buttons1", 360, 360,
         [](Evas_Object* win, const ThemeWithExtension& theme) {
             screen(win);
             circlePopup(win, theme, false);
         }},
        {"toast", 360, 360,
         [](Evas_Object* win, const ThemeWithExtension& theme) {
             screen(win);
             toast(win, theme, "toast/circle", "Message saved to drafts.");
         }},
        {"toast_check", 360, 360,
         [](Evas_Object* win, const ThemeWithExtension& theme) {
             screen(win);
             toast(win, theme, "toast/circle/check", "Sent");
         }},
        {"progress", 360, 360,
         [](Evas_Object* win, const ThemeWithExtension&) {
             Evas_Object* app = screen(win);
             Evas_Object* box = elm_box_add(app);
             elm_box_padding_set(box, 0, 24);
             const char* styles[] = {"process", "process/popup/small", "process/msg_sending"};
             for (const char* style : styles)
                 elm_box_pack_end(box, progress(box, style));
             evas_object_show(box);
             elm_object_part_content_set(app, "elm.swallow.content", box);
         }},
        {"ctxpopup", 360, 360,
         [](Evas_Object* win, const ThemeWithExtension& theme) {
             Evas_Object* app = screen(win);
             Evas_Object* view = addLayout(app, "bottom_button");
             Evas_Object* sel = addLayout(view, "select_mode");
             elm_object_part_content_set(sel, "elm.swallow.content", genlistWithRows(sel, true));
             elm_object_part_content_set(view, "elm.swallow.content", sel);
             elm_object_part_content_set(app, "elm.swallow.content", view);
             Evas_Object* ctx = elm_ctxpopup_add(win);
             theme.applyTo(ctx);
             elm_object_style_set(ctx, "select_mode");
             elm_ctxpopup_direction_priority_set(ctx, ELM_CTXPOPUP_DIRECTION_UP, ELM_CTXPOPUP_DIRECTION_UP,
                                                 ELM_CTXPOPUP_DIRECTION_UP, ELM_CTXPOPUP_DIRECTION_UP);
             Elm_Object_Item* top = elm_ctxpopup_item_append(ctx, "Select all", nullptr, nullptr, nullptr);
             Elm_Object_Item* bottom =
                 elm_ctxpopup_item_append(ctx, "Deselect all", nullptr, nullptr, nullptr);
             elm_object_item_style_set(top, "select_mode/top");
             elm_object_item_style_set(bottom, "select_mode/bottom");
             evas_object_move(ctx, 180, 70);
             evas_object_show(ctx);
         }},
        {"images", 420, 420,
         [](Evas_Object* win, const ThemeWithExtension&) {
             Evas_Object* bg = elm_bg_add(win);
             elm_bg_color_set(bg, 0, 0, 0);
             elm_win_resize_object_add(win, bg);
             evas_object_show(bg);
             Evas_Object* table = elm_table_add(win);
             elm_table_padding_set(table, 4, 4);
             int i = 0;
             for (const std::string& group : imageGroups()) {
                 Evas_Object* img = imageOf(table, group.c_str());
                 evas_object_size_hint_min_set(img, 54, 54);
                 elm_table_pack(table, img, i % 7, i / 7, 1, 1);
                 ++i;
             }
             elm_win_resize_object_add(win, table);
             evas_object_show(table);
         }},
    };
}

} // namespace

int main(int argc, char** argv) {
    msg_cli::CommandLine commandLine(
        "msg-theme-gallery", "[OUT_DIR]",
        "Renders the theme's screens, widget styles and images to PNG files in OUT_DIR, for a look.");
    std::string outDir = "theme-gallery";
    commandLine.positional("OUT_DIR", "the folder for the pictures (default theme-gallery)", &outDir);
    if (!commandLine.parse(argc, argv))
        return commandLine.exitCode();
    setenv("ELM_ENGINE", "buffer", 0);
    setenv("EINA_LOG_BACKTRACE", "-1", 0);
    setenv("EINA_LOG_LEVELS",
           "eldbus:0,ecore_system_upower:0,ecore_system_systemd:0,eina_safety:0,ecore_con:0", 0);
    mkdir(outDir.c_str(), 0755);
    elm_init(argc, argv);
    int failures = 0;
    {
        ThemeWithExtension theme;
        for (const Scene& scene : scenes()) {
            Evas_Object* win = elm_win_add(nullptr, scene.name, ELM_WIN_BASIC);
            theme.applyTo(win);
            evas_object_resize(win, scene.width, scene.height);
            scene.build(win, theme);
            if (scene.width == 360)
                msg_test::addRoundFrame(win);
            evas_object_show(win);
            pump(0.6);
            std::string path = outDir + "/" + scene.name + ".png";
            if (!msg_test::saveWindowPngReporting(win, path))
                ++failures;
            evas_object_del(win);
        }
    }
    elm_shutdown();
    return failures ? EXIT_FAILURE : EXIT_SUCCESS;
}
