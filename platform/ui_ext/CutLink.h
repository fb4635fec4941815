#ifndef QEL_CUTLINK_H
#define QEL_CUTLINK_H

#include "qel.h"

#include <glib.h>

#include <string>
#include <vector>

// Finds phone numbers, links and custom schemes in a text and turns them
// into anchors of the object's text.
struct _Qel_Cut_Link {
    struct Scheme {
        std::string name;
        GRegex* regex;
        Qel_Cut_Link_Match_Cb match = nullptr;
        void* matchData = nullptr;
        std::string prefix;
        std::string postfix;
        bool linkedByDefault;
    };

    Evas_Object* obj = nullptr;
    std::vector<Scheme> schemes; // in order of precedence
    std::string text;
    bool hasText = false;

    ~_Qel_Cut_Link();
    Scheme* find(const char* name);
    // The text with anchors; false for unbalanced markup.
    bool build(const char* markup, std::string& out);

private:
    struct Span {
        size_t start, end;
        const Scheme* scheme;
    };
    void _collect(const char* markup, size_t from, size_t to, std::vector<Span>& spans);
    void _appendRun(const char* markup, size_t from, size_t to, std::string& out);
};

#endif
