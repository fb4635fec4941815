/*
 * Phone numbers as formatted for display, kept between runs: formatting loads the phone-number
 * library, whose first use costs more than drawing a first screen of the list. Keyed by the
 * formatter's region and the number's dial characters. A missing, foreign or damaged file is an
 * empty cache; a bad line is skipped. Not thread-safe: its user locks.
 */
#ifndef MSG_APP_COMMON_MCOMMONFORMATTEDNUMBERCACHE_H
#define MSG_APP_COMMON_MCOMMONFORMATTEDNUMBERCACHE_H

#include <string>
#include <unordered_map>

namespace msg_app {

class MCommonFormattedNumberCache {
public:
    // What the cache holds at most, and the longest number or formatted text it keeps.
    static constexpr size_t MAX_ENTRIES = 4096;
    static constexpr size_t MAX_TEXT = 128;

    // Reads the file at `path`, which save() then replaces; with no path the cache lasts the run.
    void load(const std::string& path);
    bool find(int region, const std::string& number, std::string& formatted) const;
    // Ignored when the number or the text cannot be kept, or when the cache is full.
    void add(int region, const std::string& number, const std::string& formatted);
    // Writes the file again if anything was added (written whole, then put in place of the old).
    bool save();
    void clear();
    bool isLoaded() const { return _loaded; }

private:
    static std::string _key(int region, const std::string& number);
    static bool _isNumber(const std::string& text);
    static bool _isFormatted(const std::string& text);

    std::string _path;
    std::unordered_map<std::string, std::string> _formatted;
    bool _changed = false;
    bool _loaded = false;
};

} // namespace msg_app

#endif
