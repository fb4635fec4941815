/*
 * The device's UI extension: changeable colour and font tables, widget
 * options, the accessibility query, the label item provider and cut links
 * (tappable phone numbers and links in a text).
 *
 * Colour codes ("AO012", "T012", ...) name Edje colour classes and font
 * codes ("AT0271", ...) Edje text classes; the tables map them to values.
 */
#ifndef QEL_H
#define QEL_H

#include <Elementary.h>

#ifdef __cplusplus
extern "C" {
#endif

/* ---- Theme tables ----------------------------------------------------- */

typedef struct _Qel_Theme_Color_Table Qel_Theme_Color_Table;
typedef struct _Qel_Theme_Font_Table Qel_Theme_Font_Table;

/* Loads a table file (<ChangeableColorTable><Theme style="Dark">
 * <ChangeableColorInfo id="AO012" color="#RRGGBBAA"/>... and
 * <FontInfoTable><FontInfo id="AT0271" style="Regular" size="30"/>...);
 * NULL when the file cannot be read or parsed. */
Qel_Theme_Color_Table* qel_theme_color_table_new(const char* file);
void qel_theme_color_table_free(Qel_Theme_Color_Table* table);
Qel_Theme_Font_Table* qel_theme_font_table_new(const char* file);
void qel_theme_font_table_free(Qel_Theme_Font_Table* table);

/* Makes a table current: every code becomes the process-wide Edje colour or
 * text class of that name. NULL detaches the current table (the classes it
 * set are unset). A freed table stops being current. */
Eina_Bool qel_theme_color_table_set(Qel_Theme_Color_Table* table);
Eina_Bool qel_theme_font_table_set(Qel_Theme_Font_Table* table);

/* The colour of a code in the current table; outputs unchanged on failure. */
Eina_Bool qel_theme_get_color(const char* code, int* r, int* g, int* b, int* a);
/* The font of a code in the current table: style name and pixel size. */
Eina_Bool qel_theme_get_font(const char* code, const char** style, int* size);

/* Gives the object's colour class `from` the current colour of code `to`
 * (for widgets: their theme object and the items' objects as realized). */
Eina_Bool qel_theme_object_replace_color(Evas_Object* obj, const char* from, const char* to);
Eina_Bool qel_theme_object_item_replace_color(Elm_Object_Item* item, const char* from, const char* to);

/* While off, tables can be loaded but setting them changes nothing. */
void qel_theme_changeable_ui_enabled_set(Eina_Bool enabled);
Eina_Bool qel_theme_changeable_ui_enabled_get(void);

/* ---- Widget options --------------------------------------------------- */

/* Leaves room after the genlist's last item, half the list's height, so the
 * last item can be scrolled up to the screen's middle. */
void qel_genlist_set_bottom_margin_enabled(Evas_Object* genlist, Eina_Bool enabled);
Eina_Bool qel_genlist_get_bottom_margin_enabled(const Evas_Object* genlist);
/* Marks the genlist's items as allowed to reuse their content objects when
 * they scroll back into view; an item class does so through its
 * reusable_content_get, which it may provide when this is on. */
void qel_genlist_set_content_reuse_enabled(Evas_Object* genlist, Eina_Bool enabled);
Eina_Bool qel_genlist_get_content_reuse_enabled(const Evas_Object* genlist);
/* With auto-scroll (the default) bezel steps glide to the next item; without,
 * the list jumps, leaving positioning to its owner. */
void qel_scroller_set_auto_scroll_enabled(Evas_Object* scroller, Eina_Bool enabled);
Eina_Bool qel_scroller_get_auto_scroll_enabled(const Evas_Object* scroller);
/* The popup takes the bezel while shown (its content scrolls with it). */
void qel_popup_set_rotary_event_enabled(Evas_Object* popup, Eina_Bool enabled);

/* ---- Accessibility ---------------------------------------------------- */

/* Whether the screen reader is on (the device setting). */
Eina_Bool qel_access_is_accessibility_enabled(void);

/* ---- Label item provider ---------------------------------------------- */

/* Items (<item ... href=...>) of a text widget are drawn by func. Needs an
 * entry (a read-only entry is this platform's rich label). */
Eina_Bool qel_label_append_item_provider(Evas_Object* label, Elm_Entry_Item_Provider_Cb func, void* data);

/* ---- Cut links -------------------------------------------------------- */

typedef enum {
    QEL_CUT_LINK_TYPE_URI = 1 << 0,
    QEL_CUT_LINK_TYPE_PHONE = 1 << 1,
    QEL_CUT_LINK_TYPE_DATETIME = 1 << 2,
    QEL_CUT_LINK_TYPE_EMAIL = 1 << 3,
    QEL_CUT_LINK_TYPE_UNC = 1 << 5
} Qel_Cut_Link_Type;

/* Schemes of the built-in detectors. An anchor's href is the leading
 * character QEL_CUT_LINK_HREF_MARK, the scheme, then the matched text
 * (markup as in the source). */
#define QEL_CUT_LINK_HREF_MARK "_"
#define QEL_CUT_LINK_SCHEME_URI "uri:"
#define QEL_CUT_LINK_SCHEME_PHONE "tel:"
#define QEL_CUT_LINK_SCHEME_EMAIL "mailto:"
#define QEL_CUT_LINK_SCHEME_DATETIME "datetime:"
#define QEL_CUT_LINK_SCHEME_UNC "unc:"

typedef enum {
    QEL_CUT_LINK_ERROR_NONE = 0,
    QEL_CUT_LINK_ERROR_INVALID_PARAMETER = -1,
    QEL_CUT_LINK_ERROR_INVALID_MARKUP = -2
} Qel_Cut_Link_Error;

typedef struct _Qel_Cut_Link Qel_Cut_Link;

/* Decides whether a candidate is linked: text is the whole text handed to
 * set_text, [start, end) the match within it. */
typedef Eina_Bool (*Qel_Cut_Link_Match_Cb)(void* data, const char* text, const char* scheme,
                                           const char* start, const char* end);

/* types: a mask of Qel_Cut_Link_Type. Date/time and network-path matches
 * claim their text (so that, say, a date is not taken for a phone number)
 * but are linked only when their match callback agrees. */
Qel_Cut_Link* qel_cut_link_add(Evas_Object* obj, int types);
void qel_cut_link_delete(Qel_Cut_Link* cut_link);
/* An extra scheme found by a regular expression (PCRE, case-insensitive). */
Eina_Bool qel_cut_link_add_scheme(Qel_Cut_Link* cut_link, const char* scheme, const char* pattern);
Eina_Bool qel_cut_link_set_match_cb(Qel_Cut_Link* cut_link, const char* scheme, Qel_Cut_Link_Match_Cb func,
                                    void* data);
/* Markup put around the linked text inside the anchor. */
Eina_Bool qel_cut_link_set_tag(Qel_Cut_Link* cut_link, const char* scheme, const char* prefix,
                               const char* postfix);
/* Finds the links in text (markup when is_markup, else plain text) and sets
 * the result as the object's text. Returns a Qel_Cut_Link_Error. */
int qel_cut_link_set_text(Qel_Cut_Link* cut_link, const char* text, int is_markup);
/* The text with its anchors, as last set; NULL before. */
const char* qel_cut_link_get_text(const Qel_Cut_Link* cut_link);

#ifdef __cplusplus
}
#endif

#endif
