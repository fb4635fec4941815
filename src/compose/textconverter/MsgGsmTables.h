#ifndef MSG_APP_COMPOSE_TEXTCONVERTER_MSGGSMTABLES_H
#define MSG_APP_COMPOSE_TEXTCONVERTER_MSGGSMTABLES_H

#include <array>
#include <cstddef>

// The GSM 7-bit alphabets (3GPP TS 23.038) and the character lists from which
// the converter builds its encoding maps.
namespace msg_app {
namespace compose {
namespace gsm_tables {

constexpr std::size_t TABLE_SIZE = 128;
using DecodeTable = std::array<unsigned short, TABLE_SIZE>;

// GSM code to UCS-2. Codes without a character give a space.
extern const DecodeTable DEFAULT_ALPHABET;
extern const DecodeTable DEFAULT_EXTENSION;
extern const DecodeTable TURKISH_SINGLE_SHIFT;
extern const DecodeTable SPANISH_SINGLE_SHIFT;
extern const DecodeTable PORTUGUESE_SINGLE_SHIFT;
extern const DecodeTable TURKISH_LOCKING_SHIFT;
extern const DecodeTable PORTUGUESE_LOCKING_SHIFT;

struct CharValue {
    unsigned short ch;
    unsigned char value;
};

// Characters that only a shift table holds, with the class of table that
// encodes them (1 extension, 2 Turkish, 3 Spanish, 4 Portuguese), in the order
// of filling: a later entry for the same character wins.
extern const CharValue LANGUAGE_CLASSES[];
extern const std::size_t LANGUAGE_CLASS_COUNT;

// Letters of the Turkish single-shift table that its decode table does not
// give back: the caron forms share the codes of the breve forms.
extern const CharValue TURKISH_SHIFT_ALIASES[];
extern const std::size_t TURKISH_SHIFT_ALIAS_COUNT;

// Characters with a diacritic that no table holds, to their plain letter.
struct Replacement {
    char letter;
    const char16_t* chars;
};
extern const Replacement REPLACEMENTS[];
extern const std::size_t REPLACEMENT_COUNT;

} // namespace gsm_tables
} // namespace compose
} // namespace msg_app

#endif
