/*
 * The widgets a genlist row built with its content callback. The genlist may
 * build a row's content more than once (to size it, then to show it) and
 * keeps any of them on screen, so every one stays wired to the row until it
 * is deleted, and the row lets go of all of them when it goes.
 */
#ifndef MSG_APP_COMPOSE_MCITEM_MCROWWIDGETS_H
#define MSG_APP_COMPOSE_MCITEM_MCROWWIDGETS_H

#include <Elementary.h>

#include <vector>

namespace msg_app {
namespace compose {

class MCRowWidgets {
public:
    MCRowWidgets() = default;
    ~MCRowWidgets();
    MCRowWidgets(const MCRowWidgets&) = delete;
    MCRowWidgets& operator=(const MCRowWidgets&) = delete;

    // Calls cb(data) on the object's smart event until the object or this goes.
    void add(Evas_Object* obj, const char* event, Evas_Smart_Cb cb, void* data);
    // The newest widget still alive, or null.
    Evas_Object* latest() const;
    const std::vector<Evas_Object*>& all() const { return _objects; }

private:
    struct Wire {
        Evas_Object* obj;
        const char* event;
        Evas_Smart_Cb cb;
        void* data;
    };
    static void _delCb(void* data, Evas* e, Evas_Object* obj, void* eventInfo);
    void _forget(Evas_Object* obj);

    std::vector<Evas_Object*> _objects;
    std::vector<Wire> _wires;
};

} // namespace compose
} // namespace msg_app

#endif
