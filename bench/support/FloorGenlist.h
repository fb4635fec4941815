#ifndef MSG_BENCH_FLOOR_GENLIST_H
#define MSG_BENCH_FLOOR_GENLIST_H

#include <Elementary.h>

#include <string>
#include <vector>

namespace msg_bench {

// A bare genlist in its own window of the watch's size, nothing of ours in it: the toolkit's floor
// for what one of our lists does, measured beside it in the same process.
class FloorGenlist {
public:
    enum class Rows {
        // The toolkit's two-line rows with an icon at the end: a name and a message, as a
        // conversation's row shows.
        CONVERSATIONS,
        // A wrapped text and a time line under it, as a bubble shows.
        BUBBLES,
    };
    // One row per text, in order.
    FloorGenlist(Rows rows, std::vector<std::string> texts);
    ~FloorGenlist();
    FloorGenlist(const FloorGenlist&) = delete;
    FloorGenlist& operator=(const FloorGenlist&) = delete;

    Evas_Object* genlist() const { return _genlist; }
    Evas* evas() const { return evas_object_evas_get(_win); }
    // Runs the loop until every row is placed; false when that took longer than the time given.
    bool settle(double timeoutSeconds = 120.0);
    // The last row deleted and put in again at the top, as a conversation with a new message moves.
    void moveLastToTop();

private:
    struct Row {
        FloorGenlist* list;
        size_t index;
    };
    Elm_Object_Item* _add(size_t index, bool atTop);
    static char* _textCb(void* data, Evas_Object* obj, const char* part);
    static Evas_Object* _contentCb(void* data, Evas_Object* obj, const char* part);
    static void _delCb(void* data, Evas_Object* obj);

    Rows _rows;
    std::vector<std::string> _texts;
    Elm_Genlist_Item_Class* _itc = nullptr;
    Evas_Object* _win = nullptr;
    Evas_Object* _genlist = nullptr;
};

} // namespace msg_bench

#endif
