/*
 * Which on-screen object receives the rotary bezel: a stack whose top takes
 * the bezel, so that a popup or panel has it while shown and hands it back
 * when it goes. Main loop only.
 */
#ifndef MSG_APP_COMMON_MCOMMONROTARYACTIVATEMGR_H
#define MSG_APP_COMMON_MCOMMONROTARYACTIVATEMGR_H

#include <Evas.h>

#include <functional>
#include <list>

namespace msg_app {

class MCommonRotaryActivateMgr {
public:
    // One object's place on the stack. It ends with its object (deleting itself) or when its
    // owner deletes it; either way it leaves the stack and the new top takes the bezel.
    class Item {
    public:
        explicit Item(Evas_Object* rotaryObj);
        virtual ~Item();
        Item(const Item&) = delete;
        Item& operator=(const Item&) = delete;

        Evas_Object* getRotaryObj() const { return _rotaryObj; }
        void setOnDestroy(std::function<void()> onDestroy) { _onDestroy = std::move(onDestroy); }
        // Puts the item on top; with activate, its object takes the bezel.
        bool regist(bool activate);

    private:
        friend class MCommonRotaryActivateMgr;
        bool _activate(bool activate);
        static void _objDelCb(void* data, Evas* e, Evas_Object* obj, void* eventInfo);

        Evas_Object* _rotaryObj = nullptr;
        std::function<void()> _onDestroy;
    };

    static MCommonRotaryActivateMgr* getInstance();

    // Deactivates the active object; with activate, the top's object takes the bezel.
    bool setActivate(bool activate);
    bool isTop(const Item* item) const;
    bool contains(const Item* item) const;

private:
    MCommonRotaryActivateMgr() = default;
    ~MCommonRotaryActivateMgr() = default;
    MCommonRotaryActivateMgr(const MCommonRotaryActivateMgr&) = delete;
    MCommonRotaryActivateMgr& operator=(const MCommonRotaryActivateMgr&) = delete;

    static void _destroy();
    bool _add(Item* item, bool activate);
    void _remove(Item* item);

    static MCommonRotaryActivateMgr* _instance;
    std::list<Item*> _items;
    Item* _activeItem = nullptr;
};

} // namespace msg_app

#endif
