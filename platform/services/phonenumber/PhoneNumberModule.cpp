// The loadable part of the phone-number utility: the formatting on libphonenumber.
#include "PhoneNumberModule.h"

#include "phone_number.h"

#include <cstdlib>
#include <cstring>
#include <phonenumbers/phonenumberutil.h>
#include <string>

using i18n::phonenumbers::PhoneNumber;
using i18n::phonenumbers::PhoneNumberUtil;

extern "C" {

__attribute__((visibility("default"))) int msg_phone_number_module_format(const char* number,
                                                                          const char* region,
                                                                          bool international,
                                                                          char** formatted, int* parseError) {
    // The library's singleton is thread-safe and lives for the process.
    const PhoneNumberUtil* util = PhoneNumberUtil::GetInstance();
    PhoneNumber parsed;
    PhoneNumberUtil::ErrorType err = util->Parse(number, region, &parsed);
    if (err != PhoneNumberUtil::NO_PARSING_ERROR) {
        *parseError = static_cast<int>(err);
        return PHONE_NUMBER_ERROR_NO_DATA;
    }
    std::string out;
    util->Format(parsed, international ? PhoneNumberUtil::INTERNATIONAL : PhoneNumberUtil::NATIONAL, &out);
    if (out.empty())
        return PHONE_NUMBER_ERROR_NO_DATA;
    *formatted = strdup(out.c_str());
    return *formatted ? PHONE_NUMBER_ERROR_NONE : PHONE_NUMBER_ERROR_OUT_OF_MEMORY;
}

} // extern "C"
