#include "ThemeFiles.h"

#include <Ecore_Evas.h>
#include <Edje.h>

#include <cstdio>

namespace msg_test {

std::string messageEdj() {
    return resourceDir() + "/edje/message.edj";
}
std::string imagesEdj() {
    return resourceDir() + "/edje/images.edj";
}
std::string tablePath(const char* fileName) {
    return resourceDir() + "/tables/" + fileName;
}

ThemeWithExtension::ThemeWithExtension() : _theme(elm_theme_new()) {
    elm_theme_ref_set(_theme, nullptr);
    elm_theme_extension_add(_theme, messageEdj().c_str());
}

ThemeWithExtension::~ThemeWithExtension() {
    elm_theme_extension_del(_theme, messageEdj().c_str());
    elm_theme_free(_theme);
}

bool saveWindowPng(Evas_Object* win, const std::string& path) {
    Ecore_Evas* ee = ecore_evas_ecore_evas_get(evas_object_evas_get(win));
    if (!ee)
        return false;
    ecore_evas_manual_render(ee);
    int w = 0, h = 0;
    ecore_evas_geometry_get(ee, nullptr, nullptr, &w, &h);
    const void* pixels = ecore_evas_buffer_pixels_get(ee);
    if (!pixels || w <= 0 || h <= 0)
        return false;

    // The saver needs an image object on some canvas; a scratch buffer canvas
    // keeps the window's own scene untouched.
    Ecore_Evas* scratch = ecore_evas_buffer_new(1, 1);
    if (!scratch)
        return false;
    Evas_Object* img = evas_object_image_filled_add(ecore_evas_get(scratch));
    evas_object_image_colorspace_set(img, EVAS_COLORSPACE_ARGB8888);
    evas_object_image_alpha_set(img, EINA_FALSE);
    evas_object_image_size_set(img, w, h);
    evas_object_image_data_copy_set(img, const_cast<void*>(pixels));
    bool saved = evas_object_image_save(img, path.c_str(), nullptr, "compress=9");
    ecore_evas_free(scratch);
    return saved;
}

bool saveWindowPngReporting(Evas_Object* win, const std::string& path) {
    if (!saveWindowPng(win, path)) {
        std::fprintf(stderr, "could not save %s\n", path.c_str());
        return false;
    }
    std::printf("%s\n", path.c_str());
    return true;
}

void addRoundFrame(Evas_Object* win) {
    Evas_Object* frame = edje_object_add(evas_object_evas_get(win));
    edje_object_file_set(frame, messageEdj().c_str(), "watch/round_frame");
    evas_object_pass_events_set(frame, EINA_TRUE);
    evas_object_resize(frame, 360, 360);
    evas_object_layer_set(frame, EVAS_LAYER_MAX - 1);
    evas_object_show(frame);
}

} // namespace msg_test
