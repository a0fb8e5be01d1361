#include "grants/grants_wizard.h"

#include "grants/grants_window.h"
#include "ui/prompts.h"

#include <set>

QStringList SavedServerAddresses(const QStringList& savedServers) {
    std::set<QString> addresses;
    for (const QString& entry : savedServers)
        addresses.insert(entry.mid(entry.indexOf(QLatin1Char('>')) + 1));
    return {addresses.begin(), addresses.end()};
}

void RunGrantsWizard(const QStringList& savedServers, QWidget* parent) {
    TfrmGrants wizard(SavedServerAddresses(savedServers), parent);
    prompts().runDialog(wizard);
}
