// The program's settings, kept the way a registry key keeps them: a key
// "\Software\Norvane\Quillmark" of the current user with named integer and text values and subkeys.
// Backed by QSettings("Norvane", "Quillmark"): the registry itself on Windows, an INI file under
// $XDG_CONFIG_HOME/Norvane elsewhere. Subkey paths are relative to that key, with "\" or "/"
// between their parts ("Hostlist\H1"); the empty path is the key itself.
#pragma once

#include <QMap>
#include <QSettings>
#include <QString>
#include <QStringList>
#include <QVariant>

class Registry {
public:
    Registry();

    bool KeyExists(const QString& subkey) const;
    // Makes subkey the current key. Without canCreate a missing key is not opened (false).
    bool OpenKey(const QString& subkey, bool canCreate);
    void CloseKey();
    bool DeleteKey(const QString& subkey);

    // Values of the current key.
    bool ValueExists(const QString& name) const;
    int ReadInteger(const QString& name) const;    // 0 when missing
    QString ReadString(const QString& name) const; // empty when missing
    void WriteInteger(const QString& name, int value);
    void WriteString(const QString& name, const QString& value);

    // Every value of a subkey, and writing such a set into one (for moving subkeys).
    QMap<QString, QVariant> ReadAll(const QString& subkey) const;
    void WriteAll(const QString& subkey, const QMap<QString, QVariant>& values);

    void Sync() { settings_.sync(); }

private:
    static QString Normalise(const QString& subkey);
    QString Path(const QString& name) const;

    mutable QSettings settings_;
    QString current_;
};
