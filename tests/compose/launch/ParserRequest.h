// Launch requests built the way another application would send them.
#ifndef MSG_TESTS_COMPOSE_LAUNCH_PARSERREQUEST_H
#define MSG_TESTS_COMPOSE_LAUNCH_PARSERREQUEST_H

#include "app_control.h"

#include <string>
#include <utility>
#include <vector>

class ParserRequest {
public:
    ParserRequest() { app_control_create(&_handle); }
    ~ParserRequest() { app_control_destroy(_handle); }
    ParserRequest(const ParserRequest&) = delete;
    ParserRequest& operator=(const ParserRequest&) = delete;

    ParserRequest& extra(const char* key, const std::string& value) {
        app_control_add_extra_data(_handle, key, value.c_str());
        return *this;
    }
    ParserRequest& array(const char* key, const std::vector<std::string>& values) {
        std::vector<const char*> pointers;
        for (const auto& value : values)
            pointers.push_back(value.c_str());
        app_control_add_extra_data_array(_handle, key, pointers.data(), static_cast<int>(pointers.size()));
        return *this;
    }
    ParserRequest& uri(const char* uri) {
        app_control_set_uri(_handle, uri);
        return *this;
    }
    app_control_h handle() const { return _handle; }

private:
    app_control_h _handle = nullptr;
};

#endif
