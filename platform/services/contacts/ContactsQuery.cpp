// Filters and queries of the contacts service.
#include "ContactsHandles.h"

#include "log/PlatformLog.h"

namespace {

// Filters and queries are both made for one view.
template <typename Handle> int createForView(const char* view_uri, Handle** out) {
    PLAT_RETV_IF(!out, CONTACTS_ERROR_INVALID_PARAMETER, "out-parameter is null");
    const contacts_impl::ViewDef* view = contacts_impl::findView(view_uri);
    PLAT_RETV_IF(!view, CONTACTS_ERROR_INVALID_PARAMETER, "unknown view %s", view_uri ? view_uri : "(null)");
    auto* created = new Handle;
    created->view = view;
    *out = created;
    return CONTACTS_ERROR_NONE;
}

} // namespace

extern "C" {

int contacts_filter_create(const char* view_uri, contacts_filter_h* filter) {
    return createForView(view_uri, filter);
}

int contacts_filter_destroy(contacts_filter_h filter) {
    PLAT_RETV_IF(!filter, CONTACTS_ERROR_INVALID_PARAMETER, "filter is null");
    delete filter;
    return CONTACTS_ERROR_NONE;
}

static int addCondition(contacts_filter_h filter, unsigned int property_id, bool isString, int match,
                        const char* text, int number) {
    PLAT_RETV_IF(!filter, CONTACTS_ERROR_INVALID_PARAMETER, "filter is null");
    const contacts_impl::PropertyDef* def = filter->view->property(property_id);
    PLAT_RETV_IF(!def || def->isString != isString, CONTACTS_ERROR_INVALID_PARAMETER,
                 "property 0x%x is not a %s property of %s", property_id, isString ? "text" : "integer",
                 filter->view->uri);
    // Conditions and operators alternate; two conditions in a row have no operator to join them.
    PLAT_RETV_IF(filter->conditions.size() != filter->operators.size(), CONTACTS_ERROR_INVALID_PARAMETER,
                 "an operator must come between two conditions");
    _contacts_filter_s::Condition cond;
    cond.property = def;
    cond.match = match;
    cond.text = text ? text : "";
    cond.number = number;
    filter->conditions.push_back(std::move(cond));
    return CONTACTS_ERROR_NONE;
}

int contacts_filter_add_str(contacts_filter_h filter, unsigned int property_id,
                            contacts_match_str_flag_e match, const char* match_value) {
    PLAT_RETV_IF(match < CONTACTS_MATCH_EXACTLY || match > CONTACTS_MATCH_EXISTS,
                 CONTACTS_ERROR_INVALID_PARAMETER, "unknown match %d", match);
    PLAT_RETV_IF(!match_value && match != CONTACTS_MATCH_EXISTS, CONTACTS_ERROR_INVALID_PARAMETER,
                 "match_value is null");
    return addCondition(filter, property_id, true, match, match_value, 0);
}

int contacts_filter_add_int(contacts_filter_h filter, unsigned int property_id,
                            contacts_match_int_flag_e match, int match_value) {
    PLAT_RETV_IF(match < CONTACTS_MATCH_EQUAL || match > CONTACTS_MATCH_NONE,
                 CONTACTS_ERROR_INVALID_PARAMETER, "unknown match %d", match);
    return addCondition(filter, property_id, false, match, nullptr, match_value);
}

int contacts_filter_add_operator(contacts_filter_h filter, contacts_filter_operator_e operator_type) {
    PLAT_RETV_IF(!filter, CONTACTS_ERROR_INVALID_PARAMETER, "filter is null");
    PLAT_RETV_IF(operator_type != CONTACTS_FILTER_OPERATOR_AND &&
                     operator_type != CONTACTS_FILTER_OPERATOR_OR,
                 CONTACTS_ERROR_INVALID_PARAMETER, "unknown operator %d", operator_type);
    PLAT_RETV_IF(filter->conditions.size() != filter->operators.size() + 1, CONTACTS_ERROR_INVALID_PARAMETER,
                 "an operator must follow a condition");
    filter->operators.push_back(operator_type);
    return CONTACTS_ERROR_NONE;
}

int contacts_query_create(const char* view_uri, contacts_query_h* query) {
    return createForView(view_uri, query);
}

int contacts_query_destroy(contacts_query_h query) {
    PLAT_RETV_IF(!query, CONTACTS_ERROR_INVALID_PARAMETER, "query is null");
    delete query;
    return CONTACTS_ERROR_NONE;
}

int contacts_query_set_filter(contacts_query_h query, contacts_filter_h filter) {
    PLAT_RETV_IF(!query || !filter, CONTACTS_ERROR_INVALID_PARAMETER, "query or filter is null");
    PLAT_RETV_IF(query->view != filter->view, CONTACTS_ERROR_INVALID_PARAMETER,
                 "filter of %s for a query of %s", filter->view->uri, query->view->uri);
    PLAT_RETV_IF(!filter->conditions.empty() && filter->conditions.size() != filter->operators.size() + 1,
                 CONTACTS_ERROR_INVALID_PARAMETER, "the filter ends with an operator");
    // The query keeps its own copy: callers destroy the filter right after.
    query->filter = std::make_unique<_contacts_filter_s>(*filter);
    return CONTACTS_ERROR_NONE;
}

int contacts_query_set_projection(contacts_query_h query, unsigned int property_ids[], int count) {
    PLAT_RETV_IF(!query || !property_ids || count < 1, CONTACTS_ERROR_INVALID_PARAMETER,
                 "invalid projection");
    std::vector<const contacts_impl::PropertyDef*> projection;
    for (int i = 0; i < count; ++i) {
        const contacts_impl::PropertyDef* def = query->view->property(property_ids[i]);
        PLAT_RETV_IF(!def, CONTACTS_ERROR_INVALID_PARAMETER, "property 0x%x is not of %s", property_ids[i],
                     query->view->uri);
        projection.push_back(def);
    }
    query->projection = std::move(projection);
    return CONTACTS_ERROR_NONE;
}

int contacts_query_set_distinct(contacts_query_h query, bool set) {
    PLAT_RETV_IF(!query, CONTACTS_ERROR_INVALID_PARAMETER, "query is null");
    query->distinct = set;
    return CONTACTS_ERROR_NONE;
}

int contacts_query_set_sort(contacts_query_h query, unsigned int property_id, bool is_ascending) {
    PLAT_RETV_IF(!query, CONTACTS_ERROR_INVALID_PARAMETER, "query is null");
    const contacts_impl::PropertyDef* def = query->view->property(property_id);
    PLAT_RETV_IF(!def, CONTACTS_ERROR_INVALID_PARAMETER, "property 0x%x is not of %s", property_id,
                 query->view->uri);
    query->sort = def;
    query->ascending = is_ascending;
    return CONTACTS_ERROR_NONE;
}

} // extern "C"
