#ifndef MSG_TESTS_LIST_PLAINPAGE_H
#define MSG_TESTS_LIST_PLAINPAGE_H

#include "view_kit/WContentViewController.h"

#include <Elementary.h>

// An empty page of the watch's naviframe: the list's host, or what the list opens in its tests.
class PlainPage : public view_kit::WContentViewController {
protected:
    Evas_Object* onCreateView(Evas_Object* parent, void*) override {
        Evas_Object* layout = elm_layout_add(parent);
        elm_layout_theme_set(layout, "layout", "application", "default");
        return layout;
    }
};

#endif
