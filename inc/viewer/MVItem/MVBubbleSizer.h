/*
 * Sizes of bubble texts, laid out on hidden textblocks styled as the entries
 * of the bubbles are, so that a row the genlist only lays out gets its height
 * without building a text widget of its own. One per conversation list.
 */
#ifndef MSG_APP_VIEWER_MVITEM_MVBUBBLESIZER_H
#define MSG_APP_VIEWER_MVITEM_MVBUBBLESIZER_H

#include <Elementary.h>

#include <map>
#include <string>
#include <unordered_map>

namespace msg_app {
namespace msg_viewer {

class MVBubbleSizer {
public:
    // parent: the list the bubbles are drawn in; the entries go with it.
    explicit MVBubbleSizer(Evas_Object* parent);
    ~MVBubbleSizer();
    MVBubbleSizer(const MVBubbleSizer&) = delete;
    MVBubbleSizer& operator=(const MVBubbleSizer&) = delete;

    // The bubble's size for this markup in the entry style; false when it cannot be measured.
    // Sizes are kept for the text size and width they were measured at.
    bool measure(const char* style, const std::string& markup, int& width, int& height);
    // The bubble's size for the text an entry holds: as wide as its longest line up to the widest
    // bubble, as tall as its lines.
    static bool measureEntry(Evas_Object* entry, int& width, int& height);
    // A read-only entry of a bubble style, wrapping its lines.
    static Evas_Object* addEntry(Evas_Object* parent, const char* style);

private:
    // Per bubble style: an entry of that style shows how its text is laid out, and a bare textblock
    // lays texts out the same way.
    struct Measurer {
        Evas_Object* entry = nullptr;
        Evas_Object* textblock = nullptr;
        int fontSize = -1;
        int maxW = 0;
        // The entry's width around its text.
        int inset = 0;
    };

    Measurer* _measurerFor(const char* style, int fontSize, int maxW);
    static void _takeLayoutOf(Measurer& measurer, int maxW);
    static void _layOut(const Measurer& measurer, int maxW, int& width, int& height);
    static void _objectDelCb(void* data, Evas* e, Evas_Object* obj, void* eventInfo);
    static void _parentDelCb(void* data, Evas* e, Evas_Object* obj, void* eventInfo);

    struct Size {
        int fontSize = 0;
        int maxW = 0;
        int width = 0;
        int height = 0;
    };

    Evas_Object* _parent;
    std::map<std::string, Measurer> _measurers;
    // Keyed by style and text, not a hash of them: two texts must never share a size.
    std::unordered_map<std::string, Size> _sizes;
};

} // namespace msg_viewer
} // namespace msg_app

#endif
