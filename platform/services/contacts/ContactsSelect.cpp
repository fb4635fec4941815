#include "ContactsSelect.h"

#include "device/Device.h"
#include "log/PlatformLog.h"

namespace contacts_impl {

namespace {

std::string stringCondition(const char* column, int match) {
    std::string col(column);
    switch (match) {
    case CONTACTS_MATCH_EXACTLY:
        return col + " = ?";
    case CONTACTS_MATCH_FULLSTRING:
        return col + " = ? COLLATE NOCASE";
    case CONTACTS_MATCH_CONTAINS:
    case CONTACTS_MATCH_STARTSWITH:
    case CONTACTS_MATCH_ENDSWITH:
        return col + " LIKE ? ESCAPE '\\'";
    case CONTACTS_MATCH_EXISTS:
        return col + " IS NOT NULL";
    default:
        return {};
    }
}

std::string intCondition(const char* column, int match) {
    static const char* const ops[] = {" = ?", " > ?", " >= ?", " < ?", " <= ?", " <> ?"};
    if (match == CONTACTS_MATCH_NONE)
        return std::string(column) + " IS NULL";
    if (match < CONTACTS_MATCH_EQUAL || match > CONTACTS_MATCH_NOT_EQUAL)
        return {};
    return std::string(column) + ops[match];
}

} // namespace

std::string likePattern(const std::string& prefix, const std::string& keyword, const std::string& suffix) {
    std::string escaped;
    for (char c : keyword) {
        if (c == '%' || c == '_' || c == '\\')
            escaped += '\\';
        escaped += c;
    }
    return prefix + escaped + suffix;
}

bool ContactsSelect::where(const _contacts_filter_s& filter) {
    if (filter.conditions.empty())
        return true;
    if (filter.operators.size() + 1 != filter.conditions.size())
        return false;
    std::string expr;
    for (size_t i = 0; i < filter.conditions.size(); ++i) {
        const auto& cond = filter.conditions[i];
        std::string clause;
        if (cond.property->isString) {
            clause = stringCondition(cond.property->column, cond.match);
            if (cond.match == CONTACTS_MATCH_CONTAINS)
                _values.emplace_back(likePattern("%", cond.text, "%"));
            else if (cond.match == CONTACTS_MATCH_STARTSWITH)
                _values.emplace_back(likePattern("", cond.text, "%"));
            else if (cond.match == CONTACTS_MATCH_ENDSWITH)
                _values.emplace_back(likePattern("%", cond.text, ""));
            else if (cond.match != CONTACTS_MATCH_EXISTS)
                _values.emplace_back(cond.text);
        } else {
            clause = intCondition(cond.property->column, cond.match);
            if (cond.match != CONTACTS_MATCH_NONE)
                _values.emplace_back(cond.number);
        }
        // Conditions combine left to right, whatever the operators.
        if (i == 0)
            expr = "(" + clause + ")";
        else
            expr = "(" + expr + (filter.operators[i - 1] == CONTACTS_FILTER_OPERATOR_AND ? " AND " : " OR ") +
                   "(" + clause + "))";
    }
    _where = _where.empty() ? expr : "(" + _where + ") AND " + expr;
    return true;
}

void ContactsSelect::whereRaw(const std::string& clause, std::vector<std::variant<int, std::string>> values) {
    _where = _where.empty() ? "(" + clause + ")" : "(" + _where + ") AND (" + clause + ")";
    for (auto& value : values)
        _values.push_back(std::move(value));
}

void ContactsSelect::orderBy(const PropertyDef* property, bool ascending) {
    _order = std::string(property->column) + (ascending ? " ASC" : " DESC");
}

int ContactsSelect::run(int offset, int limit, contacts_list_h* out) const {
    PLAT_RETV_IF(!contactsConnected(), CONTACTS_ERROR_DB, "contacts service is not connected");
    msg_device::Device* device = contactsDevice();
    PLAT_RETV_IF(!device, CONTACTS_ERROR_DB, "no device");
    msg_device::Connection* db = device->connection();
    PLAT_RETV_IF(!db, CONTACTS_ERROR_DB, "no connection");

    std::vector<const PropertyDef*> columns = _projection;
    if (columns.empty()) {
        for (const auto& def : _view->properties)
            columns.push_back(&def);
    }
    std::string sql = _distinct ? "SELECT DISTINCT " : "SELECT ";
    for (size_t i = 0; i < columns.size(); ++i)
        sql += (i ? ", " : "") + std::string(columns[i]->column);
    sql += std::string(" FROM (") + _view->select + ")";
    if (!_where.empty())
        sql += " WHERE " + _where;
    // DISTINCT over a projection can only order by projected columns; the first one keeps it stable.
    if (!_order.empty())
        sql += " ORDER BY " + _order;
    else if (_distinct)
        sql += std::string(" ORDER BY ") + columns.front()->column;
    else
        sql += std::string(" ORDER BY ") + _view->defaultOrder;
    sql += " LIMIT ? OFFSET ?";

    msg_device::Statement stmt = db->prepare(sql.c_str());
    PLAT_RETV_IF(!stmt.valid(), CONTACTS_ERROR_DB, "cannot prepare a contacts query");
    int index = 1;
    for (const auto& value : _values) {
        if (std::holds_alternative<int>(value))
            stmt.bind(index++, std::get<int>(value));
        else
            stmt.bind(index++, std::get<std::string>(value));
    }
    stmt.bind(index++, limit > 0 ? limit : -1);
    stmt.bind(index, offset);

    auto list = std::make_unique<_contacts_list_s>();
    while (stmt.step()) {
        auto record = std::make_unique<_contacts_record_s>();
        record->view = _view;
        for (size_t c = 0; c < columns.size(); ++c) {
            _contacts_record_s::Value value;
            value.isString = columns[c]->isString;
            if (value.isString)
                value.text = stmt.columnText(static_cast<int>(c));
            else
                value.number = stmt.columnInt(static_cast<int>(c));
            record->values[columns[c]->id] = std::move(value);
        }
        list->records.push_back(record.release());
    }
    if (stmt.failed()) {
        for (contacts_record_h record : list->records)
            delete record;
        PLAT_LOGE("contacts query failed: %s", db->lastError().c_str());
        return CONTACTS_ERROR_DB;
    }
    *out = list.release();
    return CONTACTS_ERROR_NONE;
}

} // namespace contacts_impl
