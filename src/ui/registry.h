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

    // The file behind the settings (the registry key's name on Windows).
    QString FileName() const { return settings_.fileName(); }
    // Writes what changed to the file; false when it could not be written.
    bool Sync();
    // Before a password goes into the file: the file becomes readable by its owner only (0600),
    // created empty when it is missing, so it never holds a password with wider rights. False
    // when that could not be done.
    bool MakePrivate();

private:
    static QString Normalise(const QString& subkey);
    QString Path(const QString& name) const;

    mutable QSettings settings_;
    QString current_;
};
