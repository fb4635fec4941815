/*
 * The EFL extension of the round watch: circle surfaces and circle objects
 * (a genlist with a round scroll bar), rotary bezel events, the hardware back
 * key and the more-option panel.
 *
 * On a desktop the mouse wheel and Page Up / Page Down are the bezel's
 * counter-clockwise / clockwise detents and Escape is the back key.
 * The extension draws with its own theme, edje/efl_ext.edj in the resource
 * folder ($MSG_RES_DIR, else <executable dir>/../res).
 */
#ifndef EFL_EXTENSION_H
#define EFL_EXTENSION_H

#include <Elementary.h>

#ifdef __cplusplus
extern "C" {
#endif

/* ---- Hardware keys ---------------------------------------------------- */

typedef enum {
    EEXT_CALLBACK_BACK, /* the back key (Escape) */
    EEXT_CALLBACK_MORE, /* the menu key (F1 or Menu) */
    EEXT_CALLBACK_LAST
} Eext_Callback_Type;

typedef void (*Eext_Event_Cb)(void* data, Evas_Object* obj, void* event_info);

/* The key goes to the most recently registered visible object of the canvas
 * that got it. A registration ends with its object. */
void eext_object_event_callback_add(Evas_Object* obj, Eext_Callback_Type type, Eext_Event_Cb func,
                                    void* data);
/* Returns the data of the removed registration, or NULL. */
void* eext_object_event_callback_del(Evas_Object* obj, Eext_Callback_Type type, Eext_Event_Cb func);

/* Ready-made back handlers: pop the naviframe's top item; dismiss a popup or
 * ctxpopup. */
void eext_naviframe_back_cb(void* data, Evas_Object* obj, void* event_info);
void eext_popup_back_cb(void* data, Evas_Object* obj, void* event_info);
void eext_ctxpopup_back_cb(void* data, Evas_Object* obj, void* event_info);

/* ---- Rotary bezel ----------------------------------------------------- */

typedef enum {
    EEXT_ROTARY_EVENT_DIRECTION_CLOCKWISE,
    EEXT_ROTARY_EVENT_DIRECTION_COUNTER_CLOCKWISE
} Eext_Rotary_Event_Direction;

typedef struct {
    Eext_Rotary_Event_Direction direction;
    unsigned int time_stamp;
} Eext_Rotary_Event_Info;

/* Object callbacks run in ascending priority (then in order of addition).
 * Like Ecore's event handlers, a callback returns EINA_TRUE to pass the
 * detent on to the next callback and EINA_FALSE to consume it. */
typedef Eina_Bool (*Eext_Rotary_Event_Cb)(void* data, Evas_Object* obj, Eext_Rotary_Event_Info* info);
typedef Eina_Bool (*Eext_Rotary_Handler_Cb)(void* data, Eext_Rotary_Event_Info* info);

#define EEXT_CALLBACK_PRIORITY_DEFAULT 0

Eina_Bool eext_rotary_object_event_callback_add(Evas_Object* obj, Eext_Rotary_Event_Cb func, void* data);
Eina_Bool eext_rotary_object_event_callback_priority_add(Evas_Object* obj, int priority,
                                                         Eext_Rotary_Event_Cb func, void* data);
void* eext_rotary_object_event_callback_del(Evas_Object* obj, Eext_Rotary_Event_Cb func);

/* Only one object receives detents at a time: activating one deactivates the
 * previous; deactivating the active one leaves none. */
void eext_rotary_object_event_activated_set(Evas_Object* obj, Eina_Bool activated);
Eina_Bool eext_rotary_object_event_activated_get(const Evas_Object* obj);

/* Handlers that see every detent that no active object consumed. */
Eina_Bool eext_rotary_event_handler_add(Eext_Rotary_Handler_Cb func, void* data);
void* eext_rotary_event_handler_del(Eext_Rotary_Handler_Cb func);

/* ---- Circle surface and circle objects -------------------------------- */

typedef struct _Eext_Circle_Surface Eext_Circle_Surface;

/* A surface draws the circle objects of its parent; it is freed with the
 * parent unless deleted before. */
Eext_Circle_Surface* eext_circle_surface_naviframe_add(Evas_Object* naviframe);
Eext_Circle_Surface* eext_circle_surface_layout_add(Evas_Object* layout);
Eext_Circle_Surface* eext_circle_surface_conformant_add(Evas_Object* conformant);
void eext_circle_surface_del(Eext_Circle_Surface* surface);

/* Turns a genlist into a circle genlist: a round scroll bar on the right
 * edge and one item per detent. Returns the circle object, which receives
 * the rotary events for the genlist and is deleted with it. */
Evas_Object* eext_circle_object_genlist_add(Evas_Object* genlist, Eext_Circle_Surface* surface);
void eext_circle_object_genlist_scroller_policy_set(Evas_Object* obj, Elm_Scroller_Policy policy_h,
                                                    Elm_Scroller_Policy policy_v);
void eext_circle_object_genlist_scroller_policy_get(const Evas_Object* obj, Elm_Scroller_Policy* policy_h,
                                                    Elm_Scroller_Policy* policy_v);

/* ---- More-option panel ------------------------------------------------ */

/* One panel item. obj is its Elementary layout (style "default", or any
 * style set with elm_object_style_set). The item is freed with obj. */
typedef struct _Eext_Object_Item {
    Evas_Object* obj;
    Evas_Object* parent; /* the more-option panel */
    void* _private;
} Eext_Object_Item;

/* The panel is a layout with the parts "elm.swallow.content" (the screen)
 * and "elm.swallow.right" (the cue, a layout with an "access" part). The
 * signals "cue,show" / "cue,hide" (source "elm") show and hide the cue.
 * Smart callbacks: "more,option,opened", "more,option,closed" (after the
 * panel finished moving), "item,clicked" and "item,selected" (event info:
 * the Eext_Object_Item). */
Evas_Object* eext_more_option_add(Evas_Object* parent);
Eext_Object_Item* eext_more_option_item_append(Evas_Object* obj);
Eext_Object_Item* eext_more_option_item_prepend(Evas_Object* obj);
void eext_more_option_item_del(Eext_Object_Item* item);
void eext_more_option_items_clear(Evas_Object* obj);
/* The items in panel order; the list belongs to the panel. */
const Eina_List* eext_more_option_items_get(const Evas_Object* obj);

/* Texts: "selector,main_text" and "selector,sub_text" (shown in the middle
 * of the selector while the item is selected). Content: "item,icon". */
void eext_more_option_item_part_text_set(Eext_Object_Item* item, const char* part, const char* text);
const char* eext_more_option_item_part_text_get(const Eext_Object_Item* item, const char* part);
void eext_more_option_item_part_content_set(Eext_Object_Item* item, const char* part, Evas_Object* content);
Evas_Object* eext_more_option_item_part_content_get(const Eext_Object_Item* item, const char* part);

void eext_more_option_opened_set(Evas_Object* obj, Eina_Bool opened);
Eina_Bool eext_more_option_opened_get(const Evas_Object* obj);

/* The rotary selector of the panel and its selected item. The selector's
 * "selector,content" part object is the middle text area. */
Evas_Object* eext_more_option_rotary_selector_get(const Evas_Object* obj);
Eext_Object_Item* eext_rotary_selector_selected_item_get(const Evas_Object* selector);
void eext_rotary_selector_selected_item_set(Evas_Object* selector, Eext_Object_Item* item);

#ifdef __cplusplus
}
#endif

#endif
