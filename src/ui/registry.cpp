#include "ui/registry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

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

bool Registry::Sync() {
    settings_.sync();
    return settings_.status() == QSettings::NoError;
}

// The file is replaced on each write by one that takes over the rights of the one before, so a
// file made private stays private.
bool Registry::MakePrivate() {
    constexpr QFileDevice::Permissions kOwnerOnly =
        QFileDevice::ReadOwner | QFileDevice::WriteOwner;
    const QString path = settings_.fileName();
    if (settings_.format() != QSettings::NativeFormat || path.isEmpty() ||
        !path.startsWith(QLatin1Char('/')))
        return true; // the registry of the platform keeps its own rights
    if (!QFileInfo::exists(path)) {
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Append, kOwnerOnly))
            return false;
    }
    return QFile::permissions(path) == kOwnerOnly || QFile::setPermissions(path, kOwnerOnly);
}
