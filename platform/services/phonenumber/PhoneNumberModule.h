/*
 * What the phone-number utility's loadable part offers: the formatting on
 * libphonenumber, which with the libraries it brings takes long to load and
 * link, and is loaded on first use instead of with the program.
 */
#ifndef MSG_PLATFORM_PHONENUMBER_PHONENUMBERMODULE_H
#define MSG_PLATFORM_PHONENUMBER_PHONENUMBERMODULE_H

extern "C" {

// The number as it reads in the region (an ISO 3166 code), in international form when `international`,
// copied with strdup into `formatted`. PHONE_NUMBER_ERROR_NO_DATA with the library's reason in
// `parseError` when it cannot be read there.
int msg_phone_number_module_format(const char* number, const char* region, bool international,
                                   char** formatted, int* parseError);
using MsgPhoneNumberModuleFormat = int (*)(const char*, const char*, bool, char**, int*);

} // extern "C"

#endif
