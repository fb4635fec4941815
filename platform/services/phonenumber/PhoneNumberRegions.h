/*
 * The ISO 3166 code of each region value of the phone-number utility.
 */
#ifndef MSG_PLATFORM_PHONENUMBER_PHONENUMBERREGIONS_H
#define MSG_PLATFORM_PHONENUMBER_PHONENUMBERREGIONS_H

namespace phone_number_impl {

constexpr int kRegionCount = 132;

// Null for a value outside the enumeration.
const char* regionCode(int region);

} // namespace phone_number_impl

#endif
