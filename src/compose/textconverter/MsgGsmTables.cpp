#include "MsgGsmTables.h"

#include <initializer_list>

namespace msg_app {
namespace compose {
namespace gsm_tables {

namespace {

constexpr unsigned short SPACE = 0x0020;

struct CodeChar {
    unsigned char code;
    unsigned short ch;
};

constexpr DecodeTable withEntries(DecodeTable table, std::initializer_list<CodeChar> entries) {
    for (const CodeChar& e : entries)
        table[e.code] = e.ch;
    return table;
}

constexpr DecodeTable spaces() {
    DecodeTable table{};
    for (unsigned short& ch : table)
        ch = SPACE;
    return table;
}

// The ten characters every single-shift table shares with the default extension table.
constexpr DecodeTable EXTENSION_BASE = withEntries(spaces(), {{0x0A, 0x000C},
                                                              {0x14, '^'},
                                                              {0x28, '{'},
                                                              {0x29, '}'},
                                                              {0x2F, '\\'},
                                                              {0x3C, '['},
                                                              {0x3D, '~'},
                                                              {0x3E, ']'},
                                                              {0x40, '|'},
                                                              {0x65, 0x20AC}});

} // namespace

// clang-format off
const DecodeTable DEFAULT_ALPHABET = {
    0x0040, 0x00A3, 0x0024, 0x00A5, 0x00E8, 0x00E9, 0x00F9, 0x00EC, // @ £ $ ¥ è é ù ì
    0x00F2, 0x00C7, 0x000A, 0x00D8, 0x00F8, 0x000D, 0x00C5, 0x00E5, // ò Ç LF Ø ø CR Å å
    0x0394, 0x005F, 0x03A6, 0x0393, 0x039B, 0x03A9, 0x03A0, 0x03A8, // Δ _ Φ Γ Λ Ω Π Ψ
    0x03A3, 0x0398, 0x039E, 0x001B, 0x00C6, 0x00E6, 0x00DF, 0x00C9, // Σ Θ Ξ ESC Æ æ ß É
    0x0020, 0x0021, 0x0022, 0x0023, 0x00A4, 0x0025, 0x0026, 0x0027, // SP ! " # ¤ % & '
    0x0028, 0x0029, 0x002A, 0x002B, 0x002C, 0x002D, 0x002E, 0x002F, // ( ) * + , - . /
    0x0030, 0x0031, 0x0032, 0x0033, 0x0034, 0x0035, 0x0036, 0x0037, // 0 - 7
    0x0038, 0x0039, 0x003A, 0x003B, 0x003C, 0x003D, 0x003E, 0x003F, // 8 9 : ; < = > ?
    0x00A1, 0x0041, 0x0042, 0x0043, 0x0044, 0x0045, 0x0046, 0x0047, // ¡ A - G
    0x0048, 0x0049, 0x004A, 0x004B, 0x004C, 0x004D, 0x004E, 0x004F, // H - O
    0x0050, 0x0051, 0x0052, 0x0053, 0x0054, 0x0055, 0x0056, 0x0057, // P - W
    0x0058, 0x0059, 0x005A, 0x00C4, 0x00D6, 0x00D1, 0x00DC, 0x00A7, // X Y Z Ä Ö Ñ Ü §
    0x00BF, 0x0061, 0x0062, 0x0063, 0x0064, 0x0065, 0x0066, 0x0067, // ¿ a - g
    0x0068, 0x0069, 0x006A, 0x006B, 0x006C, 0x006D, 0x006E, 0x006F, // h - o
    0x0070, 0x0071, 0x0072, 0x0073, 0x0074, 0x0075, 0x0076, 0x0077, // p - w
    0x0078, 0x0079, 0x007A, 0x00E4, 0x00F6, 0x00F1, 0x00FC, 0x00E0, // x y z ä ö ñ ü à
};
// clang-format on

const DecodeTable DEFAULT_EXTENSION = EXTENSION_BASE;

const DecodeTable TURKISH_SINGLE_SHIFT = withEntries(EXTENSION_BASE, {{0x47, 0x011E},   // Ğ
                                                                      {0x49, 0x0130},   // İ
                                                                      {0x53, 0x015E},   // Ş
                                                                      {0x63, 0x00E7},   // ç
                                                                      {0x67, 0x011F},   // ğ
                                                                      {0x69, 0x0131},   // ı
                                                                      {0x73, 0x015F}}); // ş

const DecodeTable SPANISH_SINGLE_SHIFT = withEntries(EXTENSION_BASE, {{0x09, 0x00E7},   // ç
                                                                      {0x41, 0x00C1},   // Á
                                                                      {0x49, 0x00CD},   // Í
                                                                      {0x4F, 0x00D3},   // Ó
                                                                      {0x55, 0x00DA},   // Ú
                                                                      {0x61, 0x00E1},   // á
                                                                      {0x69, 0x00ED},   // í
                                                                      {0x6F, 0x00F3},   // ó
                                                                      {0x75, 0x00FA}}); // ú

const DecodeTable PORTUGUESE_SINGLE_SHIFT = withEntries(EXTENSION_BASE, {{0x05, 0x00EA},   // ê
                                                                         {0x09, 0x00E7},   // ç
                                                                         {0x0B, 0x00D4},   // Ô
                                                                         {0x0C, 0x00F4},   // ô
                                                                         {0x0E, 0x00C1},   // Á
                                                                         {0x0F, 0x00E1},   // á
                                                                         {0x12, 0x03A6},   // Φ
                                                                         {0x13, 0x0393},   // Γ
                                                                         {0x15, 0x03A9},   // Ω
                                                                         {0x16, 0x03A0},   // Π
                                                                         {0x17, 0x03A8},   // Ψ
                                                                         {0x18, 0x03A3},   // Σ
                                                                         {0x19, 0x0398},   // Θ
                                                                         {0x1F, 0x00CA},   // Ê
                                                                         {0x41, 0x00C0},   // À
                                                                         {0x49, 0x00CD},   // Í
                                                                         {0x4F, 0x00D3},   // Ó
                                                                         {0x55, 0x00DA},   // Ú
                                                                         {0x5B, 0x00C3},   // Ã
                                                                         {0x5C, 0x00D5},   // Õ
                                                                         {0x61, 0x00C2},   // Â
                                                                         {0x69, 0x00ED},   // í
                                                                         {0x6F, 0x00F3},   // ó
                                                                         {0x75, 0x00FA},   // ú
                                                                         {0x7B, 0x00E3},   // ã
                                                                         {0x7C, 0x00F5},   // õ
                                                                         {0x7F, 0x00E2}}); // â

// Differs from the default alphabet in seven codes. Code 0x07 keeps the
// default's ì where the standard has ı: messages have always been shown so.
const DecodeTable TURKISH_LOCKING_SHIFT = withEntries(DEFAULT_ALPHABET, {{0x04, 0x20AC},   // €
                                                                         {0x0B, 0x011E},   // Ğ
                                                                         {0x0C, 0x011F},   // ğ
                                                                         {0x1C, 0x015E},   // Ş
                                                                         {0x1D, 0x015F},   // ş
                                                                         {0x40, 0x0130},   // İ
                                                                         {0x60, 0x00E7}}); // ç

// Messages have always been shown with the standard's ª (0x12), ∞ (0x15) and
// ` (0x7D) as a space, and with the default's ¤ and ¿ for its º (0x24) and ~ (0x60).
const DecodeTable PORTUGUESE_LOCKING_SHIFT = withEntries(DEFAULT_ALPHABET, {{0x04, 0x00EA},  // ê
                                                                            {0x06, 0x00FA},  // ú
                                                                            {0x07, 0x00ED},  // í
                                                                            {0x08, 0x00F3},  // ó
                                                                            {0x09, 0x00E7},  // ç
                                                                            {0x0B, 0x00D4},  // Ô
                                                                            {0x0C, 0x00F4},  // ô
                                                                            {0x0E, 0x00C1},  // Á
                                                                            {0x0F, 0x00E1},  // á
                                                                            {0x12, SPACE},   // ª
                                                                            {0x13, 0x00C7},  // Ç
                                                                            {0x14, 0x00C0},  // À
                                                                            {0x15, SPACE},   // ∞
                                                                            {0x16, '^'},     // ^
                                                                            {0x17, '\\'},    // backslash
                                                                            {0x18, 0x20AC},  // €
                                                                            {0x19, 0x00D3},  // Ó
                                                                            {0x1A, '|'},     // |
                                                                            {0x1C, 0x00C2},  // Â
                                                                            {0x1D, 0x00E2},  // â
                                                                            {0x1E, 0x00CA},  // Ê
                                                                            {0x40, 0x00CD},  // Í
                                                                            {0x5B, 0x00C3},  // Ã
                                                                            {0x5C, 0x00D5},  // Õ
                                                                            {0x5D, 0x00DA},  // Ú
                                                                            {0x7B, 0x00E3},  // ã
                                                                            {0x7C, 0x00F5},  // õ
                                                                            {0x7D, SPACE}}); // `

const CharValue LANGUAGE_CLASSES[] = {
    // The default extension table.
    {0x000C, 1},
    {'[', 1},
    {'\\', 1},
    {']', 1},
    {'^', 1},
    {'{', 1},
    {'|', 1},
    {'}', 1},
    {'~', 1},
    {0x20AC, 1},
    // Turkish: ç Ğ ğ Ǧ ǧ İ ı Ş ş
    {0x00E7, 2},
    {0x011E, 2},
    {0x011F, 2},
    {0x01E6, 2},
    {0x01E7, 2},
    {0x0130, 2},
    {0x0131, 2},
    {0x015E, 2},
    {0x015F, 2},
    // Spanish: Á á Í í Ó ó Ú ú
    {0x00C1, 3},
    {0x00E1, 3},
    {0x00CD, 3},
    {0x00ED, 3},
    {0x00D3, 3},
    {0x00F3, 3},
    {0x00DA, 3},
    {0x00FA, 3},
    // Portuguese: Ô ô Ê ê À ç Ã ã Õ õ Â â (ç moves here from Turkish)
    {0x00D4, 4},
    {0x00F4, 4},
    {0x00CA, 4},
    {0x00EA, 4},
    {0x00C0, 4},
    {0x00E7, 4},
    {0x00C3, 4},
    {0x00E3, 4},
    {0x00D5, 4},
    {0x00F5, 4},
    {0x00C2, 4},
    {0x00E2, 4},
};
const std::size_t LANGUAGE_CLASS_COUNT = sizeof(LANGUAGE_CLASSES) / sizeof(LANGUAGE_CLASSES[0]);

const CharValue TURKISH_SHIFT_ALIASES[] = {{0x01E6, 0x47}, {0x01E7, 0x67}};
const std::size_t TURKISH_SHIFT_ALIAS_COUNT =
    sizeof(TURKISH_SHIFT_ALIASES) / sizeof(TURKISH_SHIFT_ALIASES[0]);

const Replacement REPLACEMENTS[] = {
    {'A', u"\u00C0\u00C1\u00C2\u00C3\u00C4\u00C5\u00C6\u0100\u0102\u0104\u01CD"},
    {'a', u"\u00E0\u00E1\u00E2\u00E3\u00E4\u00E5\u00E6\u0101\u0103\u0105\u01CE"},
    {'C', u"\u00C7\u0106\u0108\u010A\u010C"},
    {'c', u"\u00E7\u0107\u0109\u010B\u010D"},
    {'D', u"\u010E\u0110"},
    {'d', u"\u010F\u0111"},
    {'E', u"\u00C8\u00C9\u00CA\u00CB\u0112\u0114\u0116\u0118\u011A\u018F"},
    {'e', u"\u00E8\u00E9\u00EA\u00EB\u0113\u0115\u0117\u0119\u011B\u0259"},
    {'G', u"\u011C\u011E\u0120\u0122\u01E6\u1E20"},
    {'g', u"\u011D\u011F\u0121\u0123\u01E7\u01F5\u1E21"},
    {'I', u"\u00CC\u00CD\u00CE\u00CF\u0128\u012A\u012C\u012E\u0130"},
    {'i', u"\u00EC\u00ED\u00EE\u00EF\u0129\u012B\u012D\u012F\u0131\u01D0"},
    {'K', u"\u0136"},
    {'k', u"\u0137"},
    {'L', u"\u0139\u013B\u013D\u013F\u0141"},
    {'l', u"\u013A\u013C\u013E\u0140\u0142"},
    {'N', u"\u00D1\u0143\u0145\u0147"},
    {'n', u"\u00F1\u0144\u0146\u0148"},
    {'O', u"\u00D2\u00D3\u00D4\u00D5\u00D6\u00D8\u014C\u014E\u0150\u0152\u01D1\u01EA"},
    {'o', u"\u00F2\u00F3\u00F4\u00F5\u00F6\u00F8\u014D\u014F\u0151\u0153\u01D2\u01EB"},
    {'R', u"\u0154\u0156\u0158"},
    {'r', u"\u0155\u0157\u0159"},
    {'S', u"\u015A\u015C\u015E\u0160"},
    {'s', u"\u015B\u015D\u015F\u0161"},
    {'T', u"\u00DE\u0162\u0164\u0166"},
    {'t', u"\u00FE\u0163\u0165\u0167\u021B"},
    {'U', u"\u00D9\u00DA\u00DB\u00DC\u0168\u016A\u016C\u016E\u0170\u0172\u01D3"},
    {'u', u"\u00F9\u00FA\u00FB\u00FC\u0169\u016B\u016D\u016F\u0171\u0173\u01D4"},
    {'Y', u"\u00DD\u0176\u0178\u0232\u1EF2\u1EF8"},
    {'y', u"\u00FD\u00FF\u0177\u0233\u1EF3\u1EF9"},
    {'Z', u"\u0179\u017B\u017D"},
    {'z', u"\u017A\u017C\u017E"},
};
const std::size_t REPLACEMENT_COUNT = sizeof(REPLACEMENTS) / sizeof(REPLACEMENTS[0]);

} // namespace gsm_tables
} // namespace compose
} // namespace msg_app
