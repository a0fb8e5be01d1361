// The main window's "Add user": opens the grants wizard over the saved servers' addresses.
#include "grants/frm_grants.h"
#include "shell/query_frm1.h"
#include "ui/prompts.h"

#include <set>

namespace {

// The address part of every saved server ("user>address"), sorted, each once.
QStringList SavedServerAddresses(const SortedStringList& hosts) {
    std::set<QString> addresses;
    for (const QString& entry : hosts.Items())
        addresses.insert(entry.mid(entry.indexOf(QLatin1Char('>')) + 1));
    return {addresses.begin(), addresses.end()};
}

} // namespace

void TQueryFrm1::Adduser1Click() {
    TfrmGrants wizard(SavedServerAddresses(HostList), this);
    prompts().runDialog(wizard);
}
