/*
 * The platform journal: notable user actions, by category ("MESSAGE") and
 * text ("SMS_MSG_OPENED"), kept in the device and shown by `msg-sim journal`.
 */
#ifndef MSG_PLATFORM_JOURNAL_H
#define MSG_PLATFORM_JOURNAL_H

#ifdef __cplusplus
extern "C" {
#endif

enum {
    JOURNAL_ERROR_NONE = 0,
    JOURNAL_ERROR_INVALID_PARAMETER = -22,
    JOURNAL_ERROR_IO_ERROR = -5,
};

/* Longest category and longest text, in bytes. */
#define JOURNAL_CATEGORY_MAX 64
#define JOURNAL_TEXT_MAX 1024

/* The text is formatted like printf. */
int journal_log(const char* category, const char* fmt, ...) __attribute__((format(printf, 2, 3)));

#ifdef __cplusplus
}
#endif

#endif
