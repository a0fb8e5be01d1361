#include "grants/grants_wizard.h"

#include "commands/server_entry.h"
#include "grants/grants_window.h"
#include "ui/prompts.h"

#include <set>

QStringList SavedServerAddresses(const QStringList& savedServers) {
    std::set<QString> addresses;
    for (const QString& entry : savedServers)
        addresses.insert(ServerLabel(entry));
    return {addresses.begin(), addresses.end()};
}

void RunGrantsWizard(const QStringList& savedServers, QWidget* parent) {
    TfrmGrants wizard(SavedServerAddresses(savedServers), parent);
    prompts().runDialog(wizard);
}
