/*
 * The device's contacts service: persons with their numbers and the call log,
 * read through views, filters, queries and records. Every call returns a
 * CONTACTS_ERROR_* code and leaves its out-parameters untouched on failure.
 *
 * A process connects with contacts_connect() (main loop) and each worker thread
 * with contacts_connect_on_thread(); database calls fail with CONTACTS_ERROR_DB
 * from a thread that has neither. Change callbacks run on the main loop and see
 * every committed change of any process on the same device.
 */
#ifndef MSG_PLATFORM_CONTACTS_H
#define MSG_PLATFORM_CONTACTS_H

#include <stdbool.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef enum {
    CONTACTS_ERROR_NONE = 0,
    CONTACTS_ERROR_OUT_OF_MEMORY = -12,
    CONTACTS_ERROR_INVALID_PARAMETER = -22,
    CONTACTS_ERROR_NO_DATA = -61,
    CONTACTS_ERROR_DB = -0x02000000 | 0x9F,
    CONTACTS_ERROR_NOT_SUPPORTED = -0x02000000 | 0xA0,
} contacts_error_e;

typedef struct _contacts_record_s* contacts_record_h;
typedef struct _contacts_list_s* contacts_list_h;
typedef struct _contacts_filter_s* contacts_filter_h;
typedef struct _contacts_query_s* contacts_query_h;

// String conditions.
typedef enum {
    CONTACTS_MATCH_EXACTLY = 0,
    CONTACTS_MATCH_FULLSTRING = 1, // equal, ignoring ASCII case
    CONTACTS_MATCH_CONTAINS = 2,
    CONTACTS_MATCH_STARTSWITH = 3,
    CONTACTS_MATCH_ENDSWITH = 4,
    CONTACTS_MATCH_EXISTS = 5,
} contacts_match_str_flag_e;

// Integer conditions. NONE holds when the property has no value (a call-log
// entry's person id when the number belongs to no contact); its value is ignored.
typedef enum {
    CONTACTS_MATCH_EQUAL = 0,
    CONTACTS_MATCH_GREATER_THAN = 1,
    CONTACTS_MATCH_GREATER_THAN_OR_EQUAL = 2,
    CONTACTS_MATCH_LESS_THAN = 3,
    CONTACTS_MATCH_LESS_THAN_OR_EQUAL = 4,
    CONTACTS_MATCH_NOT_EQUAL = 5,
    CONTACTS_MATCH_NONE = 6,
} contacts_match_int_flag_e;

typedef enum {
    CONTACTS_FILTER_OPERATOR_AND = 0,
    CONTACTS_FILTER_OPERATOR_OR = 1,
} contacts_filter_operator_e;

typedef enum {
    CONTACTS_SEARCH_RANGE_NAME = 0x00000001,
    CONTACTS_SEARCH_RANGE_NUMBER = 0x00000002,
} contacts_search_range_e;

// Call-log entry kinds.
typedef enum {
    CONTACTS_PLOG_TYPE_VOICE_INCOMING = 1,
    CONTACTS_PLOG_TYPE_VOICE_OUTGOING = 2,
    CONTACTS_PLOG_TYPE_VOICE_INCOMING_UNSEEN = 5,
    CONTACTS_PLOG_TYPE_VOICE_REJECT = 9,
} contacts_phone_log_type_e;

// Views. Property ids are unique across views; a property of one view used with
// another is CONTACTS_ERROR_INVALID_PARAMETER.
typedef struct {
    const char* _uri;
    unsigned int id;
    unsigned int display_name;
} contacts_view_person_s;

typedef struct {
    const char* _uri;
    unsigned int id;
    unsigned int display_name;
} contacts_view_contact_s;

typedef struct {
    const char* _uri;
    unsigned int id;
    unsigned int contact_id;
    unsigned int number;
} contacts_view_number_s;

typedef struct {
    const char* _uri;
    unsigned int person_id;
    unsigned int display_name;
    unsigned int number_id;
    unsigned int number;
} contacts_view_person_number_s;

typedef struct {
    const char* _uri;
    unsigned int id;
    unsigned int address;
    unsigned int log_time;
    unsigned int log_type;
    unsigned int person_id;
} contacts_view_phone_log_s;

typedef struct {
    const char* _uri;
    unsigned int log_id;
    unsigned int person_id;
    unsigned int display_name;
    unsigned int address;
    unsigned int log_time;
    unsigned int log_type;
} contacts_view_person_phone_log_s;

extern const contacts_view_person_s _contacts_person;
extern const contacts_view_contact_s _contacts_contact;
extern const contacts_view_number_s _contacts_number;
extern const contacts_view_person_number_s _contacts_person_number;
extern const contacts_view_phone_log_s _contacts_phone_log;
extern const contacts_view_person_phone_log_s _contacts_person_phone_log;

// Connection.
int contacts_connect(void);
int contacts_disconnect(void);
int contacts_connect_on_thread(void);
int contacts_disconnect_on_thread(void);

// Change notification: view_uri of the person, contact, number and person-number views
// report address-book changes; the phone-log views report call-log changes.
typedef void (*contacts_db_changed_cb)(const char* view_uri, void* user_data);
int contacts_db_add_changed_cb(const char* view_uri, contacts_db_changed_cb callback, void* user_data);
int contacts_db_remove_changed_cb(const char* view_uri, contacts_db_changed_cb callback, void* user_data);

// Reading.
int contacts_db_get_record(const char* view_uri, int record_id, contacts_record_h* record);
int contacts_db_get_all_records(const char* view_uri, int offset, int limit, contacts_list_h* record_list);
int contacts_db_get_records_with_query(contacts_query_h query, int offset, int limit,
                                       contacts_list_h* record_list);
int contacts_db_search_records_with_range(const char* view_uri, const char* keyword, int offset, int limit,
                                          int range, contacts_list_h* record_list);
int contacts_db_get_count(const char* view_uri, int* count);

// Filters: conditions joined by the operators added between them, evaluated left to right.
int contacts_filter_create(const char* view_uri, contacts_filter_h* filter);
int contacts_filter_destroy(contacts_filter_h filter);
int contacts_filter_add_str(contacts_filter_h filter, unsigned int property_id,
                            contacts_match_str_flag_e match, const char* match_value);
int contacts_filter_add_int(contacts_filter_h filter, unsigned int property_id,
                            contacts_match_int_flag_e match, int match_value);
int contacts_filter_add_operator(contacts_filter_h filter, contacts_filter_operator_e operator_type);

// Queries.
int contacts_query_create(const char* view_uri, contacts_query_h* query);
int contacts_query_destroy(contacts_query_h query);
int contacts_query_set_filter(contacts_query_h query, contacts_filter_h filter);
int contacts_query_set_projection(contacts_query_h query, unsigned int property_ids[], int count);
int contacts_query_set_distinct(contacts_query_h query, bool set);
int contacts_query_set_sort(contacts_query_h query, unsigned int property_id, bool is_ascending);

// Lists of records, with a cursor.
int contacts_list_get_count(contacts_list_h list, int* count);
int contacts_list_get_current_record_p(contacts_list_h list, contacts_record_h* record);
int contacts_list_first(contacts_list_h list);
int contacts_list_next(contacts_list_h list);
int contacts_list_destroy(contacts_list_h list, bool delete_child);

// Records. get_str hands out a copy to free(); get_str_p a pointer owned by the record.
// A property that was not projected reads as CONTACTS_ERROR_INVALID_PARAMETER.
int contacts_record_get_uri_p(contacts_record_h record, const char** view_uri);
int contacts_record_get_str(contacts_record_h record, unsigned int property_id, char** value);
int contacts_record_get_str_p(contacts_record_h record, unsigned int property_id, char** value);
int contacts_record_get_int(contacts_record_h record, unsigned int property_id, int* value);
int contacts_record_destroy(contacts_record_h record, bool delete_child);

#ifdef __cplusplus
}
#endif

#endif
