/*
 * One SELECT over a contacts view: the WHERE clause with its bound values, the
 * projection, order and range, run on the calling thread's connection into a
 * record list.
 */
#ifndef MSG_PLATFORM_CONTACTS_CONTACTSSELECT_H
#define MSG_PLATFORM_CONTACTS_CONTACTSSELECT_H

#include "ContactsHandles.h"

#include <string>
#include <variant>
#include <vector>

namespace contacts_impl {

class ContactsSelect {
public:
    explicit ContactsSelect(const ViewDef* view) : _view(view) {}

    // Appends the filter's conditions; false for a malformed filter (an operator without a
    // condition after it).
    bool where(const _contacts_filter_s& filter);
    void whereRaw(const std::string& clause, std::vector<std::variant<int, std::string>> values);
    void project(const std::vector<const PropertyDef*>& properties) { _projection = properties; }
    void distinct(bool on) { _distinct = on; }
    void orderBy(const PropertyDef* property, bool ascending);

    // Runs the query; a limit of 0 means no limit.
    int run(int offset, int limit, contacts_list_h* out) const;

private:
    const ViewDef* _view;
    std::string _where;
    std::vector<std::variant<int, std::string>> _values;
    std::vector<const PropertyDef*> _projection;
    bool _distinct = false;
    std::string _order;
};

// "%kw%" style LIKE patterns with the wildcards of the keyword escaped by '\'.
std::string likePattern(const std::string& prefix, const std::string& keyword, const std::string& suffix);

// Whether the calling thread may use the database (the process or the thread is connected).
bool contactsConnected();

} // namespace contacts_impl

#endif
