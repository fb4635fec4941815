/*
 * The screen reader's reading order through the list: the button row's two buttons, the header,
 * the count button in select mode, the rows, and the bottom button after the last row. Rows are
 * linked as they are realized, and again when rows come or go. Main loop only.
 */
#ifndef MSG_APP_LIST_MLLISTACCESSORDER_H
#define MSG_APP_LIST_MLLISTACCESSORDER_H

#include <Elementary.h>

#include <functional>

namespace msg_app {

class MCommonSelectMode;

namespace msg_list {

class MLItemButtonMenu;

class MLListAccessOrder {
public:
    // The select mode whose buttons join the order; it outlives this part.
    explicit MLListAccessOrder(const MCommonSelectMode& select) : _select(select) {}

    void setGenlist(Evas_Object* genlist) { _genlist = genlist; }
    // The more-option cue, read before the button row.
    void setOptionCue(std::function<Evas_Object*()> cue) { _optionCue = std::move(cue); }
    // Links every realized row again: old links would keep pointing at rows that moved or went.
    void rebuild();
    // Links one row to its neighbours, when the screen reader is on.
    void link(Elm_Object_Item* item);

private:
    void _linkGroupIndex(Elm_Object_Item* item);
    void _linkButtonMenu(MLItemButtonMenu* menu, Elm_Object_Item* item);
    void _linkLastItem(Elm_Object_Item* item);

    const MCommonSelectMode& _select;
    Evas_Object* _genlist = nullptr;
    std::function<Evas_Object*()> _optionCue;
};

} // namespace msg_list
} // namespace msg_app

#endif
