#pragma once
// The query that finds an adapter configuration by its MAC address, and the
// one MAC text form that may go into it.

#include <optional>
#include <string>
#include <string_view>

namespace quorvin {

// True for the form the adapter list produces: one or more pairs of
// upper-case hexadecimal digits joined by ":". Nothing else is put into a
// query, so no text can change the query's meaning.
bool IsAdapterMacText(std::string_view mac);

// The query for the IP-enabled adapter configurations with that MAC address.
std::string AdapterQueryText(std::string_view mac);

// The MAC text of a query that AdapterQueryText built; nothing for any other
// text. Stand-ins for the service use it to answer the query.
std::optional<std::string> MacOfAdapterQuery(std::string_view query);

} // namespace quorvin
