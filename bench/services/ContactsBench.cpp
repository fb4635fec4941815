// Exact-number lookup in an address book of 5,000 persons, as a conversation title resolves its
// sender: query, filter, projection, one record.
#include "contacts.h"
#include "contacts/ContactsAdmin.h"
#include "device/Device.h"

#include "TempDir.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kPersons = 5000;

std::string numberOf(int i) {
    char buffer[32];
    std::snprintf(buffer, sizeof(buffer), "+1415%07d", i * 7);
    return buffer;
}

int lookup(const std::string& number) {
    contacts_query_h query = nullptr;
    contacts_filter_h filter = nullptr;
    contacts_query_create(_contacts_person_number._uri, &query);
    contacts_filter_create(_contacts_person_number._uri, &filter);
    contacts_filter_add_str(filter, _contacts_person_number.number, CONTACTS_MATCH_EXACTLY, number.c_str());
    contacts_query_set_filter(query, filter);
    contacts_filter_destroy(filter);
    unsigned int projection[] = {_contacts_person_number.person_id, _contacts_person_number.display_name};
    contacts_query_set_projection(query, projection, 2);
    contacts_list_h list = nullptr;
    int personId = 0;
    if (contacts_db_get_records_with_query(query, 0, 1, &list) == CONTACTS_ERROR_NONE) {
        contacts_record_h record = nullptr;
        if (contacts_list_get_current_record_p(list, &record) == CONTACTS_ERROR_NONE)
            contacts_record_get_int(record, _contacts_person_number.person_id, &personId);
        contacts_list_destroy(list, true);
    }
    contacts_query_destroy(query);
    return personId;
}

void BM_ExactNumberLookup(benchmark::State& state) {
    msg_test::TempDevice temp;
    msg_device::Device::closeDefault();
    std::vector<contacts_admin::Person> persons;
    for (int i = 0; i < kPersons; ++i)
        persons.push_back({0, "Person " + std::to_string(i), {numberOf(i)}});
    if (!contacts_admin::addPersons(msg_device::Device::getDefault(), persons) || contacts_connect() != 0) {
        state.SkipWithError("cannot prepare the address book");
        return;
    }
    int i = 0;
    int found = 0;
    for (auto _ : state) {
        bool hit = (i % 2) == 0;
        // Every other lookup is a number that is in no contact, as most senders are not.
        int id = lookup(hit ? numberOf((i * 37) % kPersons) : "+1999" + std::to_string(i));
        found += id > 0;
        ++i;
    }
    if (found != (i + 1) / 2)
        state.SkipWithError("a lookup gave the wrong answer");
    state.counters["persons"] = kPersons;
    contacts_disconnect();
    msg_device::Device::closeDefault();
}
BENCHMARK(BM_ExactNumberLookup)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
