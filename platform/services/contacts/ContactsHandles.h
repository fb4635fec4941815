/*
 * What the contacts service's opaque handles hold.
 */
#ifndef MSG_PLATFORM_CONTACTS_CONTACTSHANDLES_H
#define MSG_PLATFORM_CONTACTS_CONTACTSHANDLES_H

#include "ContactsViews.h"
#include "contacts.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

struct _contacts_record_s {
    struct Value {
        bool isString = false;
        int number = 0;
        std::string text;
    };
    const contacts_impl::ViewDef* view = nullptr;
    std::map<unsigned int, Value> values;
};

struct _contacts_list_s {
    std::vector<contacts_record_h> records;
    size_t cursor = 0;
};

struct _contacts_filter_s {
    struct Condition {
        const contacts_impl::PropertyDef* property = nullptr;
        int match = 0;
        std::string text;
        int number = 0;
    };
    const contacts_impl::ViewDef* view = nullptr;
    std::vector<Condition> conditions;
    // operators[i] joins conditions[i] and conditions[i + 1].
    std::vector<contacts_filter_operator_e> operators;
};

struct _contacts_query_s {
    const contacts_impl::ViewDef* view = nullptr;
    std::unique_ptr<_contacts_filter_s> filter;
    std::vector<const contacts_impl::PropertyDef*> projection;
    bool distinct = false;
    const contacts_impl::PropertyDef* sort = nullptr;
    bool ascending = true;
};

#endif
