#include "CutLink.h"

#include "log/PlatformLog.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <mutex>
#include <string>

namespace {

struct Builtin {
    int type;
    const char* scheme;
    const char* pattern;
    bool linkedByDefault;
};

// In order of precedence: a span claimed by an earlier kind is not matched
// again. Patterns run on markup text, so an entity such as "&amp;" may sit
// inside a link.
const Builtin BUILTINS[] = {
    {QEL_CUT_LINK_TYPE_EMAIL, QEL_CUT_LINK_SCHEME_EMAIL,
     "[A-Z0-9._%+-]+@[A-Z0-9-]+(\\.[A-Z0-9-]+)*\\.[A-Z]{2,}", true},
    {QEL_CUT_LINK_TYPE_UNC, QEL_CUT_LINK_SCHEME_UNC, "\\\\\\\\[^\\s\\\\<>]+(\\\\[^\\s<>]*)?", false},
    {QEL_CUT_LINK_TYPE_URI, QEL_CUT_LINK_SCHEME_URI,
     "\\b((https?|ftp|rtsp)://[^\\s<>\"]+|www\\.[^\\s<>\"]+|"
     "[A-Z0-9][A-Z0-9-]*(\\.[A-Z0-9-]+)*\\.(com|net|org|edu|gov|info|io|co|kr|uk|de|fr|jp|cn|us|me)\\b(/"
     "[^\\s<>\"]*)?)",
     true},
    {QEL_CUT_LINK_TYPE_DATETIME, QEL_CUT_LINK_SCHEME_DATETIME,
     "\\b(\\d{4}[-/.]\\d{1,2}[-/.]\\d{1,2}|\\d{1,2}[-/.]\\d{1,2}[-/.]\\d{2,4}|\\d{1,2}:\\d{2}(:\\d{2})?)\\b",
     false},
    {QEL_CUT_LINK_TYPE_PHONE, QEL_CUT_LINK_SCHEME_PHONE, "(?<![\\w+])\\+?\\d[\\d\\- ().]{2,28}\\d(?![\\w])",
     true},
};

constexpr size_t MIN_PHONE_DIGITS = 3;

GRegex* compileNew(const char* pattern) {
    GError* error = nullptr;
    GRegex* regex = g_regex_new(pattern, static_cast<GRegexCompileFlags>(G_REGEX_CASELESS | G_REGEX_OPTIMIZE),
                                static_cast<GRegexMatchFlags>(0), &error);
    if (!regex) {
        PLAT_LOGE("bad pattern %s: %s", pattern, error->message);
        g_error_free(error);
    }
    return regex;
}

// A compiled pattern is read-only and a text widget gets a cut link each time it is built, so
// each pattern is compiled once per process; every holder takes its own reference. The map lives
// as long as the process: destroyed at exit, it would drop its references unreleased.
GRegex* compile(const char* pattern) {
    static std::mutex lock;
    static auto* compiled = new std::map<std::string, GRegex*>();
    std::lock_guard<std::mutex> guard(lock);
    auto found = compiled->find(pattern);
    if (found == compiled->end()) {
        GRegex* regex = compileNew(pattern);
        if (!regex)
            return nullptr;
        found = compiled->emplace(pattern, regex).first;
    }
    return g_regex_ref(found->second);
}

size_t digitCount(const char* start, const char* end) {
    return static_cast<size_t>(std::count_if(start, end, [](char c) { return c >= '0' && c <= '9'; }));
}

// Whether the ';' before end closes an entity ("&amp;", "&#39;", "&upsilon;") begun inside the link.
// The escaping names many characters, some with long names, so the name is read rather than measured.
bool closesEntity(const char* s, size_t start, size_t end) {
    const char* semicolon = s + end - 1;
    const char* amp = static_cast<const char*>(memrchr(s + start, '&', end - 1 - start));
    return amp && amp + 1 < semicolon &&
           std::all_of(amp + 1, semicolon, [](char c) { return g_ascii_isalnum(c) || c == '#'; });
}

// Trailing punctuation ends a sentence rather than a link; a trailing entity belongs to it.
size_t trimLinkEnd(const char* s, size_t start, size_t end) {
    while (end > start && strchr(".,;:!?)'", s[end - 1])) {
        if (s[end - 1] == ';' && closesEntity(s, start, end))
            break;
        --end;
    }
    return end;
}

// Drops separators left at the end of a shortened candidate.
size_t trimCandidateEnd(const char* s, size_t start, size_t end) {
    while (end > start && strchr(" -().:/", s[end - 1]))
        --end;
    return end;
}

} // namespace

_Qel_Cut_Link::~_Qel_Cut_Link() {
    for (Scheme& scheme : schemes) {
        if (scheme.regex)
            g_regex_unref(scheme.regex);
    }
}

_Qel_Cut_Link::Scheme* _Qel_Cut_Link::find(const char* name) {
    for (Scheme& scheme : schemes) {
        if (name && scheme.name == name)
            return &scheme;
    }
    return nullptr;
}

void _Qel_Cut_Link::_collect(const char* markup, size_t from, size_t to, std::vector<Span>& spans) {
    std::string run(markup + from, to - from);
    for (const Scheme& scheme : schemes) {
        GMatchInfo* info = nullptr;
        g_regex_match(scheme.regex, run.c_str(), static_cast<GRegexMatchFlags>(0), &info);
        while (g_match_info_matches(info)) {
            int s, e;
            if (g_match_info_fetch_pos(info, 0, &s, &e) && e > s) {
                size_t start = from + static_cast<size_t>(s);
                size_t end = from + static_cast<size_t>(e);
                if (scheme.name == QEL_CUT_LINK_SCHEME_URI)
                    end = trimLinkEnd(markup, start, end);
                // A candidate running into text claimed before keeps its part ahead of it.
                for (const Span& sp : spans) {
                    if (start < sp.start && sp.start < end)
                        end = trimCandidateEnd(markup, start, sp.start);
                }
                bool overlaps = std::any_of(spans.begin(), spans.end(),
                                            [&](const Span& sp) { return start < sp.end && sp.start < end; });
                bool tooShort = scheme.name == QEL_CUT_LINK_SCHEME_PHONE &&
                                digitCount(markup + start, markup + end) < MIN_PHONE_DIGITS;
                if (!overlaps && !tooShort && end > start)
                    spans.push_back({start, end, &scheme});
            }
            g_match_info_next(info, nullptr);
        }
        g_match_info_free(info);
    }
}

void _Qel_Cut_Link::_appendRun(const char* markup, size_t from, size_t to, std::string& out) {
    std::vector<Span> spans;
    _collect(markup, from, to, spans);
    std::sort(spans.begin(), spans.end(), [](const Span& a, const Span& b) { return a.start < b.start; });
    size_t pos = from;
    for (const Span& span : spans) {
        const Scheme& scheme = *span.scheme;
        bool link = scheme.match ? scheme.match(scheme.matchData, markup, scheme.name.c_str(),
                                                markup + span.start, markup + span.end)
                                 : scheme.linkedByDefault;
        if (!link)
            continue;
        std::string value(markup + span.start, span.end - span.start);
        out.append(markup + pos, span.start - pos);
        out += "<a href=" QEL_CUT_LINK_HREF_MARK + scheme.name + value + ">" + scheme.prefix + value +
               scheme.postfix + "</a>";
        pos = span.end;
    }
    out.append(markup + pos, to - pos);
}

bool _Qel_Cut_Link::build(const char* markup, std::string& out) {
    size_t length = strlen(markup);
    size_t pos = 0;
    int anchorDepth = 0;
    while (pos < length) {
        const char* open = strchr(markup + pos, '<');
        size_t textEnd = open ? static_cast<size_t>(open - markup) : length;
        if (anchorDepth == 0)
            _appendRun(markup, pos, textEnd, out);
        else
            out.append(markup + pos, textEnd - pos);
        if (!open)
            break;
        const char* close = strchr(open, '>');
        if (!close)
            return false;
        std::string tag(open, static_cast<size_t>(close - open) + 1);
        // Text inside an existing anchor is linked already.
        if (tag.compare(0, 3, "<a ") == 0)
            ++anchorDepth;
        else if (tag == "</a>" && anchorDepth > 0)
            --anchorDepth;
        out += tag;
        pos = static_cast<size_t>(close - markup) + 1;
    }
    return true;
}

extern "C" {

Qel_Cut_Link* qel_cut_link_add(Evas_Object* obj, int types) {
    PLAT_RETV_IF(!obj, nullptr, "obj is NULL");
    PLAT_RETV_IF(types <= 0, nullptr, "no link types");
    auto* cutLink = new Qel_Cut_Link;
    cutLink->obj = obj;
    for (const Builtin& builtin : BUILTINS) {
        if (types & builtin.type)
            cutLink->schemes.push_back({builtin.scheme, compile(builtin.pattern), nullptr, nullptr, "", "",
                                        builtin.linkedByDefault});
    }
    return cutLink;
}

void qel_cut_link_delete(Qel_Cut_Link* cutLink) {
    delete cutLink;
}

Eina_Bool qel_cut_link_add_scheme(Qel_Cut_Link* cutLink, const char* scheme, const char* pattern) {
    PLAT_RETV_IF(!cutLink || !scheme || !*scheme || !pattern, EINA_FALSE, "invalid parameter");
    PLAT_RETV_IF(cutLink->find(scheme), EINA_FALSE, "scheme %s exists", scheme);
    GRegex* regex = compile(pattern);
    PLAT_RETV_IF(!regex, EINA_FALSE, "pattern of %s does not compile", scheme);
    // Custom schemes are more specific than the built-in kinds: they go first.
    cutLink->schemes.insert(cutLink->schemes.begin(), {scheme, regex, nullptr, nullptr, "", "", true});
    return EINA_TRUE;
}

Eina_Bool qel_cut_link_set_match_cb(Qel_Cut_Link* cutLink, const char* scheme, Qel_Cut_Link_Match_Cb func,
                                    void* data) {
    PLAT_RETV_IF(!cutLink, EINA_FALSE, "cut link is NULL");
    Qel_Cut_Link::Scheme* found = cutLink->find(scheme);
    PLAT_RETV_IF(!found, EINA_FALSE, "unknown scheme %s", scheme ? scheme : "(null)");
    found->match = func;
    found->matchData = data;
    return EINA_TRUE;
}

Eina_Bool qel_cut_link_set_tag(Qel_Cut_Link* cutLink, const char* scheme, const char* prefix,
                               const char* postfix) {
    PLAT_RETV_IF(!cutLink, EINA_FALSE, "cut link is NULL");
    Qel_Cut_Link::Scheme* found = cutLink->find(scheme);
    PLAT_RETV_IF(!found, EINA_FALSE, "unknown scheme %s", scheme ? scheme : "(null)");
    found->prefix = prefix ? prefix : "";
    found->postfix = postfix ? postfix : "";
    return EINA_TRUE;
}

int qel_cut_link_set_text(Qel_Cut_Link* cutLink, const char* text, int isMarkup) {
    PLAT_RETV_IF(!cutLink || !text, QEL_CUT_LINK_ERROR_INVALID_PARAMETER, "invalid parameter");
    // The matching engine reads only valid UTF-8; a message's stray bytes are shown as replacement
    // characters instead.
    gchar* valid = g_utf8_make_valid(text, -1);
    char* converted = isMarkup ? nullptr : elm_entry_utf8_to_markup(valid);
    std::string out;
    bool ok = cutLink->build(converted ? converted : valid, out);
    free(converted);
    g_free(valid);
    PLAT_RETV_IF(!ok, QEL_CUT_LINK_ERROR_INVALID_MARKUP, "unbalanced markup");
    cutLink->text = out;
    cutLink->hasText = true;
    elm_object_text_set(cutLink->obj, out.c_str());
    return QEL_CUT_LINK_ERROR_NONE;
}

const char* qel_cut_link_get_text(const Qel_Cut_Link* cutLink) {
    return cutLink && cutLink->hasText ? cutLink->text.c_str() : nullptr;
}
}
