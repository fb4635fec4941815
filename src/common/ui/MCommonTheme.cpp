#include "common/ui/MCommonTheme.h"

#include "app_common.h"
#include "common/CommonUtil.h"
#include "common/MsgLog.h"
#include "common/SingletonRelease.h"
#include <cstdlib>

#include <string>

namespace msg_app {

namespace {

constexpr const char* COLOR_TABLE_FILE = "tables/ChangeableColorInfo.xml";
constexpr const char* FONT_TABLE_FILE = "tables/FontInfo.xml";

// The tables ship with the application's resources.
std::string tablePath(const char* name) {
    char* dir = app_get_resource_path();
    std::string path = std::string(dir ? dir : "") + name;
    std::free(dir);
    return path;
}

void replaceColors(Evas_Object* obj, std::initializer_list<std::pair<const char*, const char*>> pairs) {
    MSG_RET_IF(!obj, "obj is nullptr");
    for (const auto& pair : pairs) {
        if (!qel_theme_object_replace_color(obj, pair.first, pair.second))
            MSG_LOGW("replacing %s by %s failed", pair.first, pair.second);
    }
}

} // namespace

MCommonTheme* MCommonTheme::_instance = nullptr;

MCommonTheme* MCommonTheme::getInstance() {
    if (!_instance) {
        _instance = new MCommonTheme();
        singleton_release::add(_destroy);
    }
    return _instance;
}

void MCommonTheme::_destroy() {
    delete _instance;
    _instance = nullptr;
}

MCommonTheme::~MCommonTheme() {
    deinit();
}

bool MCommonTheme::init() {
    // A second init replaces the first rather than leaking it.
    deinit();
    // The layouts lie over the toolkit's default theme, not in a theme of their own set on the
    // window: a screen is built before it is placed, and a widget tree placed under a window of
    // another theme is themed again whole (every layout reloaded, a genlist's rows measured anew).
    _overlay = common_util::get_message_edj();
    elm_theme_overlay_add(nullptr, _overlay.c_str());

    qel_theme_changeable_ui_enabled_set(EINA_TRUE);
    _colorTable = qel_theme_color_table_new(tablePath(COLOR_TABLE_FILE).c_str());
    if (_colorTable)
        qel_theme_color_table_set(_colorTable);
    else
        MSG_LOGE("colour table %s cannot be loaded", COLOR_TABLE_FILE);
    _fontTable = qel_theme_font_table_new(tablePath(FONT_TABLE_FILE).c_str());
    if (_fontTable)
        qel_theme_font_table_set(_fontTable);
    else
        MSG_LOGE("font table %s cannot be loaded", FONT_TABLE_FILE);
    return _colorTable && _fontTable;
}

void MCommonTheme::deinit() {
    if (!_overlay.empty()) {
        elm_theme_overlay_del(nullptr, _overlay.c_str());
        _overlay.clear();
    }
    if (_colorTable) {
        qel_theme_color_table_free(_colorTable);
        _colorTable = nullptr;
    }
    if (_fontTable) {
        qel_theme_font_table_free(_fontTable);
        _fontTable = nullptr;
    }
}

void MCommonTheme::changeDetailBgColor(Evas_Object* obj) {
    replaceColors(obj, {{"B011", "AO012"}, {"B013", "AO012"}});
}

void MCommonTheme::changeScrollBarColor(Evas_Object* obj) {
    replaceColors(obj, {{"B071", "AO0114"}, {"B0711", "AO0113"}});
}

void MCommonTheme::changeScrollEndEffectColor(Evas_Object* obj) {
    replaceColors(obj, {{"B018E", "AO029L2"}});
}

void MCommonTheme::changeBgColor(Evas_Object* obj) {
    MSG_RET_IF(!obj, "obj is nullptr");
}

} // namespace msg_app
