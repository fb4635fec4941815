#include "ViewerTestSupport.h"

#include "msg_store/PhoneSide.h"

#include <Elementary.h>
#include <glib.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <set>

namespace msg_test {

msg_store::IncomingMessage message(const std::string& from, const std::string& text, int64_t timeMs,
                                   msg_store::FolderType folder) {
    msg_store::IncomingMessage in;
    in.addresses = {{msg_store::ADDRESS_TYPE_PHONE, from}};
    in.text = text;
    in.time = timeMs;
    in.folderType = folder;
    if (folder == msg_store::FOLDER_OUTBOX || folder == msg_store::FOLDER_WATCH_OUTBOX)
        in.networkStatus = msg_store::NETWORK_STATUS_SENDING;
    return in;
}

msg_store::Content contentOf(msg_store::Content::MediaType type, const std::string& mimeType,
                             const std::string& path) {
    msg_store::Content content;
    content.mediaType = type;
    content.mimeType = mimeType;
    content.filePath = path;
    content.fileName = path.substr(path.rfind('/') + 1);
    return content;
}

std::vector<int> storeMessages(const std::vector<msg_store::IncomingMessage>& messages) {
    std::vector<int> ids;
    EXPECT_EQ(msg_store::PhoneSide::insertMessages(messages, &ids), msg_store::MSG_STORE_SUCCESS);
    return ids;
}

std::string plainTextOf(Evas_Object* widget) {
    const char* markup = widget ? elm_object_text_get(widget) : nullptr;
    char* plain = markup ? elm_entry_markup_to_utf8(markup) : nullptr;
    std::string out = plain ? plain : "";
    free(plain);
    return out;
}

namespace {

bool isPrimitive(Evas_Object* obj) {
    static const std::set<std::string> primitives = {"rectangle", "image",   "text",    "textblock",
                                                     "line",      "polygon", "textgrid"};
    const char* type = evas_object_type_get(obj);
    return type && primitives.count(type);
}

// The first object of `objects` or below one that `take` accepts; frees the list.
Evas_Object* findInList(Eina_List* objects, const std::function<bool(Evas_Object*)>& take) {
    Evas_Object* found = nullptr;
    void* object = nullptr;
    EINA_LIST_FREE(objects, object) {
        if (!found)
            found = findObject(static_cast<Evas_Object*>(object), take);
    }
    return found;
}

} // namespace

Evas_Object* findObject(Evas_Object* root, const std::function<bool(Evas_Object*)>& take) {
    if (!root)
        return nullptr;
    if (take(root))
        return root;
    if (isPrimitive(root))
        return nullptr;
    return findInList(evas_object_smart_members_get(root), take);
}

Evas_Object* findOnCanvas(Evas* canvas, const std::function<bool(Evas_Object*)>& take) {
    return findInList(
        evas_objects_in_rectangle_get(canvas, -10000, -10000, 20000, 20000, EINA_TRUE, EINA_TRUE), take);
}

bool showsText(Evas_Object* obj, const std::string& text) {
    const char* type = evas_object_type_get(obj);
    const char* shown = nullptr;
    if (type && strcmp(type, "textblock") == 0)
        shown = evas_object_textblock_text_markup_get(obj);
    else if (type && strcmp(type, "text") == 0)
        shown = evas_object_text_text_get(obj);
    return shown && std::string(shown).find(text) != std::string::npos;
}

std::array<int, 4> boxOf(const Evas_Object* obj) {
    std::array<int, 4> box{};
    evas_object_geometry_get(obj, &box[0], &box[1], &box[2], &box[3]);
    return box;
}

std::pair<int, int> drawnShift(Evas_Object* obj) {
    auto [x, y, w, h] = boxOf(obj);
    const Evas_Map* map = obj ? evas_object_map_get(obj) : nullptr;
    if (!map || !evas_object_map_enable_get(obj))
        return {0, w};
    Evas_Coord x0 = 0, x1 = 0, top = 0, bottom = 0;
    evas_map_point_coord_get(map, 0, &x0, &top, nullptr);
    evas_map_point_coord_get(map, 1, &x1, nullptr, nullptr);
    evas_map_point_coord_get(map, 3, nullptr, &bottom, nullptr);
    return {(y + h / 2) - (top + bottom) / 2, x1 - x0};
}

std::vector<Elm_Object_Item*> realizedItems(Evas_Object* genlist) {
    std::vector<Elm_Object_Item*> items;
    Eina_List* realized = elm_genlist_realized_items_get(genlist);
    void* item = nullptr;
    EINA_LIST_FREE(realized, item)
    items.push_back(static_cast<Elm_Object_Item*>(item));
    return items;
}

void press(Evas* canvas, int x, int y) {
    evas_event_feed_mouse_move(canvas, x, y, 0, nullptr);
    evas_event_feed_mouse_down(canvas, 1, EVAS_BUTTON_NONE, 0, nullptr);
}

void release(Evas* canvas) {
    evas_event_feed_mouse_up(canvas, 1, EVAS_BUTTON_NONE, 0, nullptr);
}

std::string fileContents(const std::string& path) {
    gchar* text = nullptr;
    gsize length = 0;
    if (!g_file_get_contents(path.c_str(), &text, &length, nullptr))
        return "";
    std::string out(text, length);
    g_free(text);
    return out;
}

} // namespace msg_test
