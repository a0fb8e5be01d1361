#include "ui/registry.h"

Registry::Registry() : settings_(QStringLiteral("Norvane"), QStringLiteral("Quillmark")) {}

QString Registry::Normalise(const QString& subkey) {
    QString s = subkey;
    s.replace(QLatin1Char('\\'), QLatin1Char('/'));
    while (s.startsWith(QLatin1Char('/')))
        s.remove(0, 1);
    while (s.endsWith(QLatin1Char('/')))
        s.chop(1);
    return s;
}

QString Registry::Path(const QString& name) const {
    return current_.isEmpty() ? name : current_ + QLatin1Char('/') + name;
}

bool Registry::KeyExists(const QString& subkey) const {
    const QString key = Normalise(subkey);
    settings_.beginGroup(key);
    const bool exists = !settings_.childKeys().isEmpty() || !settings_.childGroups().isEmpty();
    settings_.endGroup();
    return exists;
}

bool Registry::OpenKey(const QString& subkey, bool canCreate) {
    const QString key = Normalise(subkey);
    if (!canCreate && !KeyExists(key))
        return false;
    current_ = key;
    return true;
}

void Registry::CloseKey() {
    current_.clear();
    settings_.sync();
}

bool Registry::DeleteKey(const QString& subkey) {
    const QString key = Normalise(subkey);
    if (key.isEmpty() || !KeyExists(key))
        return false;
    settings_.remove(key);
    return true;
}

bool Registry::ValueExists(const QString& name) const {
    return settings_.contains(Path(name));
}

int Registry::ReadInteger(const QString& name) const {
    return settings_.value(Path(name)).toInt();
}

QString Registry::ReadString(const QString& name) const {
    return settings_.value(Path(name)).toString();
}

void Registry::WriteInteger(const QString& name, int value) {
    settings_.setValue(Path(name), value);
}

void Registry::WriteString(const QString& name, const QString& value) {
    settings_.setValue(Path(name), value);
}

QMap<QString, QVariant> Registry::ReadAll(const QString& subkey) const {
    QMap<QString, QVariant> values;
    settings_.beginGroup(Normalise(subkey));
    for (const QString& k : settings_.childKeys())
        values.insert(k, settings_.value(k));
    settings_.endGroup();
    return values;
}

void Registry::WriteAll(const QString& subkey, const QMap<QString, QVariant>& values) {
    settings_.beginGroup(Normalise(subkey));
    for (auto it = values.begin(); it != values.end(); ++it)
        settings_.setValue(it.key(), it.value());
    settings_.endGroup();
}
