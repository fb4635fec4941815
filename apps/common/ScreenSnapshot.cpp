#include "ScreenSnapshot.h"

#include "view_kit/WViewController.h"

#include <json-glib/json-glib.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <unordered_map>

namespace msg_app {
namespace shell {

namespace {

using Box = ScreenSnapshot::Box;

enum class Kind { TEXT, TEXTBLOCK, LEAF, GROUP };

// The canvas's own object types: texts are read, the other primitives have nothing to read and no
// members (asking them for members logs an error); everything else is a group of members.
Kind kindOf(const char* type) {
    static const struct {
        const char* type;
        Kind kind;
    } primitives[] = {{"text", Kind::TEXT},  {"textblock", Kind::TEXTBLOCK}, {"rectangle", Kind::LEAF},
                      {"line", Kind::LEAF},  {"polygon", Kind::LEAF},        {"textgrid", Kind::LEAF},
                      {"image", Kind::LEAF}, {"vectors", Kind::LEAF},        {"snapshot", Kind::LEAF},
                      {"vg", Kind::LEAF}};
    for (const auto& p : primitives) {
        if (!strcmp(type, p.type))
            return p.kind;
    }
    return Kind::GROUP;
}

Box geometryOf(const Evas_Object* obj) {
    Box b;
    evas_object_geometry_get(obj, &b.x, &b.y, &b.w, &b.h);
    return b;
}

Box intersect(const Box& a, const Box& b) {
    int x = std::max(a.x, b.x), y = std::max(a.y, b.y);
    int right = std::min(a.x + a.w, b.x + b.w), bottom = std::min(a.y + a.h, b.y + b.h);
    return {x, y, std::max(0, right - x), std::max(0, bottom - y)};
}

bool contains(const Box& box, int x, int y) {
    return x >= box.x && x < box.x + box.w && y >= box.y && y < box.y + box.h;
}

// The part of `obj` a user can see: it and its groups are shown, and what its clippers leave of it
// on the screen is not transparent.
bool seenPart(Evas_Object* obj, const Box& screen, Box* seen) {
    for (Evas_Object* o = obj; o; o = evas_object_smart_parent_get(o)) {
        if (!evas_object_visible_get(o))
            return false;
    }
    Box box = intersect(geometryOf(obj), screen);
    for (Evas_Object* c = obj; c; c = evas_object_clip_get(c)) {
        int alpha = 0;
        evas_object_color_get(c, nullptr, nullptr, nullptr, &alpha);
        if (!evas_object_visible_get(c) || alpha == 0)
            return false;
        box = intersect(box, geometryOf(c));
    }
    *seen = box;
    return box.w > 0 && box.h > 0;
}

std::string textOf(Evas_Object* obj, Kind kind) {
    if (kind == Kind::TEXT) {
        const char* text = evas_object_text_text_get(obj);
        return text ? text : "";
    }
    const char* markup = evas_object_textblock_text_markup_get(obj);
    char* plain = markup ? evas_textblock_text_markup_to_utf8(obj, markup) : nullptr;
    std::string text = plain ? plain : "";
    free(plain);
    return text;
}

void addBox(JsonBuilder* b, const Box& box) {
    for (const auto& [name, value] : {std::pair{"x", box.x}, {"y", box.y}, {"w", box.w}, {"h", box.h}}) {
        json_builder_set_member_name(b, name);
        json_builder_add_int_value(b, value);
    }
}

void addString(JsonBuilder* b, const char* name, const std::string& value) {
    json_builder_set_member_name(b, name);
    json_builder_add_string_value(b, value.c_str());
}

void addTexts(JsonBuilder* b, const char* name, const std::vector<ScreenSnapshot::Text>& texts) {
    json_builder_set_member_name(b, name);
    json_builder_begin_array(b);
    for (const auto& text : texts) {
        json_builder_begin_object(b);
        addString(b, "text", text.text);
        addBox(b, text.box);
        json_builder_end_object(b);
    }
    json_builder_end_array(b);
}

// Reading order: by line, then along it.
void sortTexts(std::vector<ScreenSnapshot::Text>& texts) {
    std::stable_sort(texts.begin(), texts.end(), [](const auto& a, const auto& b) {
        return a.box.y != b.box.y ? a.box.y < b.box.y : a.box.x < b.box.x;
    });
}

void addInt(JsonBuilder* b, const char* name, int value) {
    json_builder_set_member_name(b, name);
    json_builder_add_int_value(b, value);
}

// An array member of one object per element, each written by `add`.
template <typename T, typename F>
void addArray(JsonBuilder* b, const char* name, const std::vector<T>& elements, F add) {
    json_builder_set_member_name(b, name);
    json_builder_begin_array(b);
    for (const T& element : elements) {
        json_builder_begin_object(b);
        add(b, element);
        json_builder_end_object(b);
    }
    json_builder_end_array(b);
}

void addView(JsonBuilder* b, const ScreenSnapshot::View& view) {
    addString(b, "class", view.className);
    addString(b, "name", view.name);
    json_builder_set_member_name(b, "seen");
    json_builder_add_boolean_value(b, view.seen);
    addBox(b, view.box);
    addTexts(b, "texts", view.texts);
}

void addRow(JsonBuilder* b, const ScreenSnapshot::Row& row) {
    addInt(b, "index", row.index);
    addString(b, "style", row.style);
    addBox(b, row.box);
    if (row.checked >= 0) {
        json_builder_set_member_name(b, "checked");
        json_builder_add_boolean_value(b, row.checked == 1);
    }
    addTexts(b, "texts", row.texts);
}

void addList(JsonBuilder* b, const ScreenSnapshot::List& list) {
    addString(b, "view", list.view);
    addBox(b, list.box);
    addInt(b, "count", list.count);
    addArray(b, "styles", list.styles, [](JsonBuilder* b, const ScreenSnapshot::StyleRun& run) {
        addString(b, "style", run.style);
        addInt(b, "first", run.first);
        addInt(b, "count", run.count);
    });
    addArray(b, "rows", list.rows, addRow);
}

} // namespace

ScreenSnapshot::ScreenSnapshot(Evas_Object* window) {
    if (!window)
        return;
    _screen = geometryOf(window);
    _screen.x = _screen.y = 0;
    Evas* canvas = evas_object_evas_get(window);
    Eina_List* top = evas_objects_in_rectangle_get(canvas, 0, 0, _screen.w, _screen.h, EINA_TRUE, EINA_TRUE);
    // The canvas lists the topmost first; the walk goes from the bottom up, as the screen is drawn.
    top = eina_list_reverse(top);
    void* data = nullptr;
    Eina_List* l = nullptr;
    EINA_LIST_FOREACH(top, l, data) {
        _walk(static_cast<Evas_Object*>(data), Place{});
    }
    eina_list_free(top);
    for (View& view : _views)
        sortTexts(view.texts);
    for (List& list : _lists) {
        for (Row& row : list.rows)
            sortTexts(row.texts);
    }
    sortTexts(_otherTexts);
}

void ScreenSnapshot::_readPages(Evas_Object* naviframe) {
    Eina_List* items = elm_naviframe_items_get(naviframe);
    void* data = nullptr;
    EINA_LIST_FREE(items, data) {
        Evas_Object* content = elm_object_item_content_get(static_cast<Elm_Object_Item*>(data));
        view_kit::WViewController* page =
            content ? wviewcontroller_get_instance_from_evasobj(content) : nullptr;
        _pages.push_back(page ? page->getClassName() : "");
    }
}

void ScreenSnapshot::_walk(Evas_Object* obj, Place place) {
    const char* type = evas_object_type_get(obj);
    if (!type)
        return;
    if (view_kit::WViewController* controller = wviewcontroller_get_instance_from_evasobj(obj)) {
        View view;
        view.className = controller->getClassName();
        view.name = controller->getName();
        view.box = geometryOf(obj);
        Box seen;
        view.seen = seenPart(obj, _screen, &seen);
        place.view = static_cast<int>(_views.size());
        _views.push_back(std::move(view));
    }
    Kind kind = kindOf(type);
    if (kind == Kind::TEXT || kind == Kind::TEXTBLOCK) {
        std::string text = textOf(obj, kind);
        if (!text.empty())
            _addText(obj, text, place);
        return;
    }
    if (kind == Kind::LEAF)
        return;
    if (!strcmp(type, "elm_naviframe") && _pages.empty())
        _readPages(obj);
    else if (!strcmp(type, "elm_genlist"))
        place.list = _addList(obj, place.view);
    else if (!strcmp(type, "elm_check"))
        _addCheck(obj, place);
    Eina_List* members = evas_object_smart_members_get(obj);
    void* data = nullptr;
    EINA_LIST_FREE(members, data) {
        _walk(static_cast<Evas_Object*>(data), place);
    }
}

int ScreenSnapshot::_addList(Evas_Object* genlist, int view) {
    List list;
    list.view = view >= 0 ? _views[view].className : "";
    list.box = geometryOf(genlist);
    std::unordered_map<Elm_Object_Item*, int> indexOf;
    int index = 0;
    for (Elm_Object_Item* it = elm_genlist_first_item_get(genlist); it; it = elm_genlist_item_next_get(it)) {
        const Elm_Genlist_Item_Class* itc = elm_genlist_item_item_class_get(it);
        std::string style = itc && itc->item_style ? itc->item_style : "";
        if (list.styles.empty() || list.styles.back().style != style)
            list.styles.push_back({style, index, 0});
        ++list.styles.back().count;
        indexOf[it] = index++;
    }
    list.count = index;
    Eina_List* realized = elm_genlist_realized_items_get(genlist);
    void* data = nullptr;
    EINA_LIST_FREE(realized, data) {
        auto* it = static_cast<Elm_Object_Item*>(data);
        Row row;
        row.index = indexOf.count(it) ? indexOf[it] : -1;
        const Elm_Genlist_Item_Class* itc = elm_genlist_item_item_class_get(it);
        row.style = itc && itc->item_style ? itc->item_style : "";
        Evas_Object* track = elm_object_item_track(it);
        if (track)
            row.box = geometryOf(track);
        elm_object_item_untrack(it);
        list.rows.push_back(std::move(row));
    }
    std::sort(list.rows.begin(), list.rows.end(),
              [](const Row& a, const Row& b) { return a.index < b.index; });
    _lists.push_back(std::move(list));
    return static_cast<int>(_lists.size()) - 1;
}

ScreenSnapshot::Row* ScreenSnapshot::_rowAt(int list, const Box& box) {
    if (list < 0)
        return nullptr;
    int x = box.x + box.w / 2, y = box.y + box.h / 2;
    for (Row& row : _lists[list].rows) {
        if (contains(row.box, x, y))
            return &row;
    }
    return nullptr;
}

void ScreenSnapshot::_addText(Evas_Object* obj, const std::string& text, Place place) {
    Box seen;
    if (!seenPart(obj, _screen, &seen))
        return;
    Text entry{text, seen};
    // Whole rows decide where a text belongs: a row cut by the list's edge keeps its texts.
    if (Row* row = _rowAt(place.list, geometryOf(obj)))
        row->texts.push_back(std::move(entry));
    else if (place.view >= 0)
        _views[place.view].texts.push_back(std::move(entry));
    else
        _otherTexts.push_back(std::move(entry));
}

void ScreenSnapshot::_addCheck(Evas_Object* obj, Place place) {
    Box seen;
    if (!seenPart(obj, _screen, &seen))
        return;
    if (Row* row = _rowAt(place.list, geometryOf(obj)))
        row->checked = elm_check_state_get(obj) ? 1 : 0;
}

std::string ScreenSnapshot::toJson(const std::string& appState) const {
    JsonBuilder* b = json_builder_new();
    json_builder_begin_object(b);
    addString(b, "state", appState);
    json_builder_set_member_name(b, "pages");
    json_builder_begin_array(b);
    for (const std::string& page : _pages)
        json_builder_add_string_value(b, page.c_str());
    json_builder_end_array(b);
    addArray(b, "views", _views, addView);
    addArray(b, "lists", _lists, addList);
    addTexts(b, "texts", _otherTexts);
    json_builder_end_object(b);

    JsonGenerator* generator = json_generator_new();
    JsonNode* root = json_builder_get_root(b);
    json_generator_set_root(generator, root);
    gchar* text = json_generator_to_data(generator, nullptr);
    std::string json = text ? text : "";
    g_free(text);
    json_node_unref(root);
    g_object_unref(generator);
    g_object_unref(b);
    return json;
}

} // namespace shell
} // namespace msg_app
