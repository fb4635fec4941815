/*
 * The device's phone-number utility: formats a number for display the way the
 * dialer of a region writes it. Strings handed out are the caller's to free().
 */
#ifndef MSG_PLATFORM_PHONE_NUMBER_H
#define MSG_PLATFORM_PHONE_NUMBER_H

#ifdef __cplusplus
extern "C" {
#endif

typedef enum {
    PHONE_NUMBER_ERROR_NONE = 0,
    PHONE_NUMBER_ERROR_OUT_OF_MEMORY = -12,
    PHONE_NUMBER_ERROR_INVALID_PARAMETER = -22,
    PHONE_NUMBER_ERROR_NOT_SUPPORTED = -0x02000000 | 0x80,
    // The text is not a phone number in the region (too short, letters only, ...).
    PHONE_NUMBER_ERROR_NO_DATA = -61,
} phone_number_error_e;

// Regions, in the utility's order (alphabetical by country name); the comment is the ISO 3166 code.
typedef enum {
    PHONE_NUMBER_REGION_ALAND_ISLANDS = 0,                     // AX
    PHONE_NUMBER_REGION_ALBANIA = 1,                           // AL
    PHONE_NUMBER_REGION_ALGERIA = 2,                           // DZ
    PHONE_NUMBER_REGION_AMERICAN_SAMOA = 3,                    // AS
    PHONE_NUMBER_REGION_ANGOLA = 4,                            // AO
    PHONE_NUMBER_REGION_ANGUILLA = 5,                          // AI
    PHONE_NUMBER_REGION_ARGENTINA = 6,                         // AR
    PHONE_NUMBER_REGION_ARMENIA = 7,                           // AM
    PHONE_NUMBER_REGION_ASCENSION_ISLAND = 8,                  // AC
    PHONE_NUMBER_REGION_ANTIGUA_AND_BARBUDA = 9,               // AG
    PHONE_NUMBER_REGION_AUSTRIA = 10,                          // AT
    PHONE_NUMBER_REGION_BAHAMAS = 11,                          // BS
    PHONE_NUMBER_REGION_BARBADOS = 12,                         // BB
    PHONE_NUMBER_REGION_BELARUS = 13,                          // BY
    PHONE_NUMBER_REGION_BELGIUM = 14,                          // BE
    PHONE_NUMBER_REGION_BENIN = 15,                            // BJ
    PHONE_NUMBER_REGION_BERMUDA = 16,                          // BM
    PHONE_NUMBER_REGION_BONAIRE_SINT_EUSTATIUS_AND_SABA = 17,  // BQ
    PHONE_NUMBER_REGION_BOTSWANA = 18,                         // BW
    PHONE_NUMBER_REGION_BRAZIL = 19,                           // BR
    PHONE_NUMBER_REGION_BULGARIA = 20,                         // BG
    PHONE_NUMBER_REGION_BURKINA_FASO = 21,                     // BF
    PHONE_NUMBER_REGION_BURUNDI = 22,                          // BI
    PHONE_NUMBER_REGION_CAPE_VERDE = 23,                       // CV
    PHONE_NUMBER_REGION_CAMEROON = 24,                         // CM
    PHONE_NUMBER_REGION_CANADA = 25,                           // CA
    PHONE_NUMBER_REGION_CAYMAN_ISLANDS = 26,                   // KY
    PHONE_NUMBER_REGION_CHILE = 27,                            // CL
    PHONE_NUMBER_REGION_CHINA = 28,                            // CN
    PHONE_NUMBER_REGION_COLOMBIA = 29,                         // CO
    PHONE_NUMBER_REGION_COMOROS = 30,                          // KM
    PHONE_NUMBER_REGION_CONGO = 31,                            // CG
    PHONE_NUMBER_REGION_COTE_D_IVOIRE = 32,                    // CI
    PHONE_NUMBER_REGION_CUBA = 33,                             // CU
    PHONE_NUMBER_REGION_CURACAO = 34,                          // CW
    PHONE_NUMBER_REGION_CZECH_REPUBLIC = 35,                   // CZ
    PHONE_NUMBER_REGION_DEMOCRATIC_REPUBLIC_OF_THE_CONGO = 36, // CD
    PHONE_NUMBER_REGION_DOMINICA = 37,                         // DM
    PHONE_NUMBER_REGION_DOMINICAN_REPUBLIC = 38,               // DO
    PHONE_NUMBER_REGION_EGYPT = 39,                            // EG
    PHONE_NUMBER_REGION_ESTONIA = 40,                          // EE
    PHONE_NUMBER_REGION_ETHIOPIA = 41,                         // ET
    PHONE_NUMBER_REGION_FINLAND = 42,                          // FI
    PHONE_NUMBER_REGION_FRANCE = 43,                           // FR
    PHONE_NUMBER_REGION_GABON = 44,                            // GA
    PHONE_NUMBER_REGION_GAMBIA = 45,                           // GM
    PHONE_NUMBER_REGION_GERMANY = 46,                          // DE
    PHONE_NUMBER_REGION_GHANA = 47,                            // GH
    PHONE_NUMBER_REGION_GREECE = 48,                           // GR
    PHONE_NUMBER_REGION_GREENLAND = 49,                        // GL
    PHONE_NUMBER_REGION_GRENADA = 50,                          // GD
    PHONE_NUMBER_REGION_GUAM = 51,                             // GU
    PHONE_NUMBER_REGION_GUERNSEY = 52,                         // GG
    PHONE_NUMBER_REGION_GUINEA = 53,                           // GN
    PHONE_NUMBER_REGION_GUINEA_BISSAU = 54,                    // GW
    PHONE_NUMBER_REGION_HUNGARY = 55,                          // HU
    PHONE_NUMBER_REGION_ICELAND = 56,                          // IS
    PHONE_NUMBER_REGION_INDIA = 57,                            // IN
    PHONE_NUMBER_REGION_INDONESIA = 58,                        // ID
    PHONE_NUMBER_REGION_IRELAND = 59,                          // IE
    PHONE_NUMBER_REGION_IRAN = 60,                             // IR
    PHONE_NUMBER_REGION_ISLE_OF_MAN = 61,                      // IM
    PHONE_NUMBER_REGION_ITALY = 62,                            // IT
    PHONE_NUMBER_REGION_JAMAICA = 63,                          // JM
    PHONE_NUMBER_REGION_JAPAN = 64,                            // JP
    PHONE_NUMBER_REGION_JERSEY = 65,                           // JE
    PHONE_NUMBER_REGION_JORDAN = 66,                           // JO
    PHONE_NUMBER_REGION_KAZAKHSTAN = 67,                       // KZ
    PHONE_NUMBER_REGION_KENYA = 68,                            // KE
    PHONE_NUMBER_REGION_KIRIBATI = 69,                         // KI
    PHONE_NUMBER_REGION_LATVIA = 70,                           // LV
    PHONE_NUMBER_REGION_LESOTHO = 71,                          // LS
    PHONE_NUMBER_REGION_LITHUANIA = 72,                        // LT
    PHONE_NUMBER_REGION_LUXEMBOURG = 73,                       // LU
    PHONE_NUMBER_REGION_MADAGASCAR = 74,                       // MG
    PHONE_NUMBER_REGION_MAURITANIA = 75,                       // MR
    PHONE_NUMBER_REGION_MAURITIUS = 76,                        // MU
    PHONE_NUMBER_REGION_MONTSERRAT = 77,                       // MS
    PHONE_NUMBER_REGION_MOROCCO = 78,                          // MA
    PHONE_NUMBER_REGION_MOZAMBIQUE = 79,                       // MZ
    PHONE_NUMBER_REGION_NAMIBIA = 80,                          // NA
    PHONE_NUMBER_REGION_NETHERLANDS = 81,                      // NL
    PHONE_NUMBER_REGION_NIGERIA = 82,                          // NG
    PHONE_NUMBER_REGION_NORTHERN_MARIANA_ISLANDS = 83,         // MP
    PHONE_NUMBER_REGION_NORWAY = 84,                           // NO
    PHONE_NUMBER_REGION_PERU = 85,                             // PE
    PHONE_NUMBER_REGION_POLAND = 86,                           // PL
    PHONE_NUMBER_REGION_PORTUGAL = 87,                         // PT
    PHONE_NUMBER_REGION_PUERTO_RICO = 88,                      // PR
    PHONE_NUMBER_REGION_REPUBLIC_OF_KOREA = 89,                // KR
    PHONE_NUMBER_REGION_REPUBLIC_OF_MOLDOVA = 90,              // MD
    PHONE_NUMBER_REGION_ROMANIA = 91,                          // RO
    PHONE_NUMBER_REGION_RUSSIAN_FEDERATION = 92,               // RU
    PHONE_NUMBER_REGION_SAINT_HELENA = 93,                     // SH
    PHONE_NUMBER_REGION_SAINT_KITTS_AND_NEVIS = 94,            // KN
    PHONE_NUMBER_REGION_SAINT_LUCIA = 95,                      // LC
    PHONE_NUMBER_REGION_SAINT_VINCENT_AND_THE_GRENADINES = 96, // VC
    PHONE_NUMBER_REGION_SAO_TOME_AND_PRINCIPE = 97,            // ST
    PHONE_NUMBER_REGION_SAUDI_ARABIA = 98,                     // SA
    PHONE_NUMBER_REGION_SENEGAL = 99,                          // SN
    PHONE_NUMBER_REGION_SERBIA = 100,                          // RS
    PHONE_NUMBER_REGION_SIERRA_LEONE = 101,                    // SL
    PHONE_NUMBER_REGION_SINT_MAARTEN = 102,                    // SX
    PHONE_NUMBER_REGION_SLOVAKIA = 103,                        // SK
    PHONE_NUMBER_REGION_SOMALIA = 104,                         // SO
    PHONE_NUMBER_REGION_SOUTH_AFRICA = 105,                    // ZA
    PHONE_NUMBER_REGION_SPAIN = 106,                           // ES
    PHONE_NUMBER_REGION_SRI_LANKA = 107,                       // LK
    PHONE_NUMBER_REGION_SUDAN = 108,                           // SD
    PHONE_NUMBER_REGION_SVALBARD_AND_JAN_MAYEN = 109,          // SJ
    PHONE_NUMBER_REGION_SWAZILAND = 110,                       // SZ
    PHONE_NUMBER_REGION_SWEDEN = 111,                          // SE
    PHONE_NUMBER_REGION_SWITZERLAND = 112,                     // CH
    PHONE_NUMBER_REGION_TAIWAN = 113,                          // TW
    PHONE_NUMBER_REGION_THAILAND = 114,                        // TH
    PHONE_NUMBER_REGION_MACEDONIA = 115,                       // MK
    PHONE_NUMBER_REGION_TOGO = 116,                            // TG
    PHONE_NUMBER_REGION_TRINIDAD_AND_TOBAGO = 117,             // TT
    PHONE_NUMBER_REGION_TRISTAN_DA_CUNHA = 118,                // TA
    PHONE_NUMBER_REGION_TUNISIA = 119,                         // TN
    PHONE_NUMBER_REGION_TURKEY = 120,                          // TR
    PHONE_NUMBER_REGION_TURKS_AND_CAICOS_ISLANDS = 121,        // TC
    PHONE_NUMBER_REGION_UGANDA = 122,                          // UG
    PHONE_NUMBER_REGION_UNITED_KINGDOM = 123,                  // GB
    PHONE_NUMBER_REGION_UNITED_STATES_OF_AMERICA = 124,        // US
    PHONE_NUMBER_REGION_VENEZUELA = 125,                       // VE
    PHONE_NUMBER_REGION_VIETNAM = 126,                         // VN
    PHONE_NUMBER_REGION_VIRGIN_ISLANDS_BRITISH = 127,          // VG
    PHONE_NUMBER_REGION_VIRGIN_ISLANDS_US = 128,               // VI
    PHONE_NUMBER_REGION_WESTERN_SAHARA = 129,                  // EH
    PHONE_NUMBER_REGION_ZAMBIA = 130,                          // ZM
    PHONE_NUMBER_REGION_ZIMBABWE = 131,                        // ZW
} phone_number_region_e;

// Connections are counted; formatting itself needs none, as the utility runs in the caller's process.
int phone_number_connect(void);
// PHONE_NUMBER_ERROR_INVALID_PARAMETER without a connection to close.
int phone_number_disconnect(void);

// A number starting with "+" is written in the international form, any other in the region's
// national form ("+14155550123" -> "+1 415-555-0123", "4155550123" -> "(415) 555-0123" under the
// United States). Full-width digits are read as digits.
int phone_number_get_formatted_number(const char* number, phone_number_region_e region,
                                      char** formatted_number);

// Loads the formatting and its data on a worker thread, for a caller that will format soon and
// cannot wait for the load then. Once per process; later calls, and formatting meanwhile, are safe.
void phone_number_prepare(void);

// Non-zero once the formatting and its data are loaded, by a preparation or by a first formatting:
// formatting then loads nothing more.
int phone_number_is_prepared(void);

#ifdef __cplusplus
}
#endif

#endif
