#include "ShownScreen.h"

#include "Json.h"

namespace msg_e2e {

namespace {

Rect boxOf(JsonObject* o) {
    return {intOf(o, "x"), intOf(o, "y"), intOf(o, "w"), intOf(o, "h")};
}

// Calls `each` with every object of the array member `name` (none when it is missing).
template <typename F> void forEach(JsonObject* o, const char* name, F each) {
    JsonArray* array = json_object_has_member(o, name) ? json_object_get_array_member(o, name) : nullptr;
    for (guint i = 0; array && i < json_array_get_length(array); ++i) {
        JsonNode* node = json_array_get_element(array, i);
        if (JSON_NODE_HOLDS_OBJECT(node))
            each(json_node_get_object(node));
    }
}

std::vector<ShownScreen::Text> textsOf(JsonObject* o) {
    std::vector<ShownScreen::Text> texts;
    forEach(o, "texts", [&](JsonObject* t) { texts.push_back({stringOf(t, "text")}); });
    return texts;
}

void join(std::string& out, const std::vector<ShownScreen::Text>& texts) {
    for (const auto& t : texts)
        out += (out.empty() ? "" : " | ") + t.text;
}

} // namespace

int ShownScreen::List::countOf(const std::string& style) const {
    int count = 0;
    for (const StyleRun& run : styles)
        count += run.style == style ? run.count : 0;
    return count;
}

int ShownScreen::List::firstOf(const std::string& style) const {
    for (const StyleRun& run : styles) {
        if (run.style == style)
            return run.first;
    }
    return -1;
}

std::vector<const ShownScreen::Row*> ShownScreen::List::shownRows(const std::string& style) const {
    std::vector<const Row*> shown;
    for (const Row& row : rows) {
        if (row.style == style && !row.texts.empty())
            shown.push_back(&row);
    }
    return shown;
}

bool ShownScreen::parse(const std::string& json, ShownScreen* out) {
    JsonParser* parser = json_parser_new();
    bool ok = json_parser_load_from_data(parser, json.c_str(), -1, nullptr) &&
              JSON_NODE_HOLDS_OBJECT(json_parser_get_root(parser));
    JsonObject* answer = ok ? json_node_get_object(json_parser_get_root(parser)) : nullptr;
    ok = ok && json_object_has_member(answer, "screen") &&
         JSON_NODE_HOLDS_OBJECT(json_object_get_member(answer, "screen"));
    if (ok) {
        ShownScreen s;
        s.answerMs = static_cast<long>(json_object_get_int_member_with_default(answer, "answer_ms", -1));
        JsonObject* screen = json_object_get_object_member(answer, "screen");
        s.state = stringOf(screen, "state");
        JsonArray* pages = json_object_get_array_member(screen, "pages");
        for (guint i = 0; pages && i < json_array_get_length(pages); ++i)
            s.pages.emplace_back(json_array_get_string_element(pages, i));
        forEach(screen, "views", [&](JsonObject* v) {
            s.views.push_back({stringOf(v, "class"), stringOf(v, "name"),
                               static_cast<bool>(json_object_get_boolean_member(v, "seen")), textsOf(v)});
        });
        forEach(screen, "lists", [&](JsonObject* l) {
            List list{stringOf(l, "view"), boxOf(l), intOf(l, "count"), {}, {}};
            forEach(l, "styles", [&](JsonObject* r) {
                list.styles.push_back({stringOf(r, "style"), intOf(r, "first"), intOf(r, "count")});
            });
            forEach(l, "rows", [&](JsonObject* r) {
                int checked =
                    json_object_has_member(r, "checked") ? json_object_get_boolean_member(r, "checked") : -1;
                list.rows.push_back({intOf(r, "index"), stringOf(r, "style"), boxOf(r), textsOf(r), checked});
            });
            s.lists.push_back(std::move(list));
        });
        s.texts = textsOf(screen);
        *out = std::move(s);
    }
    g_object_unref(parser);
    return ok;
}

const ShownScreen::View* ShownScreen::seenView(const std::string& classOrName) const {
    for (const View& v : views) {
        if (v.seen && (v.className == classOrName || v.name == classOrName))
            return &v;
    }
    return nullptr;
}

const ShownScreen::List* ShownScreen::listOf(const std::string& viewClass) const {
    for (const List& l : lists) {
        if (l.view == viewClass)
            return &l;
    }
    return nullptr;
}

std::string ShownScreen::describe() const {
    std::string out = state + " [";
    for (const std::string& page : pages)
        out += page + (page == pages.back() ? "" : " > ");
    out += "]";
    std::string shown;
    for (const View& v : views)
        join(shown, v.texts);
    for (const List& l : lists) {
        for (const Row& r : l.rows)
            join(shown, r.texts);
    }
    join(shown, texts);
    return out + " " + shown;
}

} // namespace msg_e2e
