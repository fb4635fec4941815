#ifndef EEXT_CIRCLEGENLIST_H
#define EEXT_CIRCLEGENLIST_H

#include "efl_extension.h"

namespace eext {

class CircleSurface;

// The circle object of a genlist: a round scroll bar drawn around the middle
// of its surface, and the receiver of the genlist's detents (one item per
// detent). The bar is an Edje object kept among the genlist's own members, so
// it shows, hides and dies with the genlist.
class CircleGenlist {
public:
    static Evas_Object* create(Evas_Object* genlist, CircleSurface* surface);
    static CircleGenlist* fromObject(const Evas_Object* circle);

    void setPolicy(Elm_Scroller_Policy h, Elm_Scroller_Policy v);
    void policy(Elm_Scroller_Policy* h, Elm_Scroller_Policy* v) const;
    // Follows a change of the surface's or the genlist's geometry.
    void relayout();
    void surfaceGone() { _surface = nullptr; }
    // Moves the list by one item, or by part of a screen through a row taller
    // than the list; false when there is nothing to move to.
    bool step(Eext_Rotary_Event_Direction direction);

private:
    // How a glide comes to its row: to the row's middle, top or bottom, or, through a row taller
    // than the list, to a region whose top is `offset` below the row's.
    struct Aim {
        bool within = false;
        Elm_Genlist_Item_Scrollto_Type where = ELM_GENLIST_ITEM_SCROLLTO_MIDDLE;
        int offset = 0;
    };
    CircleGenlist(Evas_Object* genlist, Evas_Object* bar, CircleSurface* surface);
    ~CircleGenlist();
    void _updateBar();
    int _viewportHeight() const;
    Elm_Object_Item* _centreItem() const;
    bool _itemGeometry(Elm_Object_Item* item, int* y, int* h) const;
    bool _scrollWithin(Elm_Object_Item* item, bool forward);
    void _glideTo(Elm_Object_Item* row, Aim aim, int rowTop);
    void _endGlide();
    // Where the item's top is in the whole list, as laid out for the last frame.
    bool _contentTop(Elm_Object_Item* item, int* top) const;
    void _keepGlideOnTarget();
    void _watchGenlist(bool watch);

    static Eina_Bool _rotaryCb(void* data, Evas_Object* obj, Eext_Rotary_Event_Info* info);
    static void _barDelCb(void* data, Evas* e, Evas_Object* obj, void* info);
    static void _genlistDelCb(void* data, Evas* e, Evas_Object* obj, void* info);
    static void _genlistGeometryCb(void* data, Evas* e, Evas_Object* obj, void* info);
    static void _genlistScrollCb(void* data, Evas_Object* obj, void* info);
    static void _genlistLaidOutCb(void* data, Evas_Object* obj, void* info);
    static void _genlistThemeCb(void* data, Evas_Object* obj, void* info);
    static void _glideEndCb(void* data, Evas_Object* obj, void* info);

    Evas_Object* _genlist;
    Evas_Object* _bar;
    CircleSurface* _surface;
    Elm_Scroller_Policy _policyH = ELM_SCROLLER_POLICY_OFF;
    Elm_Scroller_Policy _policyV = ELM_SCROLLER_POLICY_AUTO;
    bool _barShown = false;
    // Where the list glides to for the last detent, while it does: the row (held weakly: it may go
    // meanwhile), how, and where the row's top stood in the list when last laid out. The row in the
    // middle has not moved yet, and a detent that went on from it would be lost. The row itself,
    // not its index or a place in the list: rows put in above while the list glides (an older page)
    // would give the index to another row and move the row from the place.
    struct Glide {
        Elm_Object_Item* row = nullptr;
        Aim aim;
        int rowTop = 0;
    } _glide;
};

} // namespace eext

#endif
