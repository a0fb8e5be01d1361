// Opening the grants wizard over the saved servers.
#pragma once

#include <QStringList>

class QWidget;

// The address part of every saved server entry ("user>address"), sorted, each once.
QStringList SavedServerAddresses(const QStringList& savedServers);
// Shows the wizard modally over parent, offering the saved servers' addresses, and releases it
// when it closes.
void RunGrantsWizard(const QStringList& savedServers, QWidget* parent);
