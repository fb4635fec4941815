/*
 * A small JSON-GLib writer for the --json output of the contact, telephony and
 * watch-messaging commands: objects and arrays nest, print() writes one line.
 */
#ifndef MSG_SIM_SIMCONTACTJSON_H
#define MSG_SIM_SIMCONTACTJSON_H

#include <cstdint>
#include <string>
#include <vector>

typedef struct _JsonBuilder JsonBuilder;

namespace msg_sim {

class JsonOut {
public:
    JsonOut();
    ~JsonOut();
    JsonOut(const JsonOut&) = delete;
    JsonOut& operator=(const JsonOut&) = delete;

    JsonOut& begin();
    JsonOut& end();
    JsonOut& beginArray();
    // An array as the member `name` of the object being built.
    JsonOut& beginArray(const char* name);
    JsonOut& endArray();
    JsonOut& member(const char* name, const std::string& value);
    JsonOut& member(const char* name, int value);
    JsonOut& member(const char* name, int64_t value);
    JsonOut& member(const char* name, bool value);
    JsonOut& array(const char* name, const std::vector<std::string>& values);
    void print();

private:
    JsonBuilder* _builder;
};

} // namespace msg_sim

#endif
