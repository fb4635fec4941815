#include "PhoneNumberRegions.h"

namespace phone_number_impl {

const char* regionCode(int region) {
    // Indexed by phone_number_region_e.
    static const char* const kCodes[kRegionCount] = {
        "AX", "AL", "DZ", "AS", "AO", "AI", "AR", "AM", "AC", "AG", "AT", "BS", "BB", "BY", "BE", "BJ", "BM",
        "BQ", "BW", "BR", "BG", "BF", "BI", "CV", "CM", "CA", "KY", "CL", "CN", "CO", "KM", "CG", "CI", "CU",
        "CW", "CZ", "CD", "DM", "DO", "EG", "EE", "ET", "FI", "FR", "GA", "GM", "DE", "GH", "GR", "GL", "GD",
        "GU", "GG", "GN", "GW", "HU", "IS", "IN", "ID", "IE", "IR", "IM", "IT", "JM", "JP", "JE", "JO", "KZ",
        "KE", "KI", "LV", "LS", "LT", "LU", "MG", "MR", "MU", "MS", "MA", "MZ", "NA", "NL", "NG", "MP", "NO",
        "PE", "PL", "PT", "PR", "KR", "MD", "RO", "RU", "SH", "KN", "LC", "VC", "ST", "SA", "SN", "RS", "SL",
        "SX", "SK", "SO", "ZA", "ES", "LK", "SD", "SJ", "SZ", "SE", "CH", "TW", "TH", "MK", "TG", "TT", "TA",
        "TN", "TR", "TC", "UG", "GB", "US", "VE", "VN", "VG", "VI", "EH", "ZM", "ZW",
    };
    if (region < 0 || region >= kRegionCount)
        return nullptr;
    return kCodes[region];
}

} // namespace phone_number_impl
