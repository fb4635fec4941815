#include "common/MCommonFormattedNumberCache.h"

#include "common/MsgLog.h"

#include <glib.h>

#include <cstdlib>
#include <cstring>

namespace msg_app {

namespace {

// The first line: a file of another layout is read as empty.
constexpr const char* HEADER = "msg-formatted-numbers 1";
constexpr const char* DIAL_CHARACTERS = "0123456789*+,#;";

} // namespace

void MCommonFormattedNumberCache::load(const std::string& path) {
    clear();
    _path = path;
    _loaded = true;
    if (path.empty())
        return;
    gchar* contents = nullptr;
    gsize length = 0;
    if (!g_file_get_contents(path.c_str(), &contents, &length, nullptr))
        return; // none yet
    gchar** lines = g_strsplit(contents, "\n", -1);
    g_free(contents);
    if (!lines[0] || std::strcmp(lines[0], HEADER) != 0) {
        MSG_LOGW("formatted numbers: %s is not a cache of this kind, started anew", path.c_str());
        g_strfreev(lines);
        return;
    }
    // "region<TAB>number<TAB>formatted" per line.
    for (gchar** line = lines + 1; *line && _formatted.size() < MAX_ENTRIES; ++line) {
        gchar** fields = g_strsplit(*line, "\t", 3);
        char* end = nullptr;
        long region = fields[0] && fields[1] && fields[2] ? std::strtol(fields[0], &end, 10) : 0;
        if (end && end != fields[0] && !*end && _isNumber(fields[1]) && _isFormatted(fields[2]))
            _formatted[_key(static_cast<int>(region), fields[1])] = fields[2];
        g_strfreev(fields);
    }
    g_strfreev(lines);
}

bool MCommonFormattedNumberCache::find(int region, const std::string& number, std::string& formatted) const {
    auto found = _formatted.find(_key(region, number));
    if (found == _formatted.end())
        return false;
    formatted = found->second;
    return true;
}

void MCommonFormattedNumberCache::add(int region, const std::string& number, const std::string& formatted) {
    if (!_isNumber(number) || !_isFormatted(formatted) || _formatted.size() >= MAX_ENTRIES)
        return;
    auto [it, added] = _formatted.emplace(_key(region, number), formatted);
    if (!added && it->second == formatted)
        return;
    it->second = formatted;
    _changed = true;
}

bool MCommonFormattedNumberCache::save() {
    if (!_changed || _path.empty())
        return true;
    GString* text = g_string_new(HEADER);
    for (const auto& [key, formatted] : _formatted)
        g_string_append_printf(text, "\n%s\t%s", key.c_str(), formatted.c_str());
    GError* error = nullptr;
    // Written beside and renamed over the old: a process ended mid-write leaves the old file whole.
    bool saved = g_file_set_contents(_path.c_str(), text->str, static_cast<gssize>(text->len), &error);
    g_string_free(text, TRUE);
    if (!saved) {
        MSG_LOGE("formatted numbers: cannot save %s: %s", _path.c_str(), error->message);
        g_error_free(error);
        return false;
    }
    _changed = false;
    return true;
}

void MCommonFormattedNumberCache::clear() {
    _path.clear();
    _formatted.clear();
    _changed = false;
    _loaded = false;
}

std::string MCommonFormattedNumberCache::_key(int region, const std::string& number) {
    return std::to_string(region) + "\t" + number;
}

bool MCommonFormattedNumberCache::_isNumber(const std::string& text) {
    return !text.empty() && text.size() <= MAX_TEXT &&
           text.find_first_not_of(DIAL_CHARACTERS) == std::string::npos;
}

bool MCommonFormattedNumberCache::_isFormatted(const std::string& text) {
    // One line of valid text without markup: labels show it as it stands.
    return !text.empty() && text.size() <= MAX_TEXT && text.find_first_of("\t\n\r<>&") == std::string::npos &&
           g_utf8_validate(text.c_str(), static_cast<gssize>(text.size()), nullptr);
}

} // namespace msg_app
