#include "grants/grants_messages.h"

#include "ui/language.h"

namespace grants_text {

namespace {
// The Croatian name of a table in the step messages: "USER tablica", "Tables_priv tablica".
QString Table(const QString& table, bool english) {
    return table + (english ? QStringLiteral(" table") : QStringLiteral(" tablica"));
}
} // namespace

QString GrantorRefused() {
    return BiText(QStringLiteral("Grantor aborted!"),
                  QStringLiteral("Server ne prihvaća grantora!"));
}

QString GrantorRejected() {
    return BiText(QStringLiteral("Grantor aborted!"), QStringLiteral("Server odbija grantora!"));
}

QString NoGrantPrivileges() {
    return BiText(QStringLiteral("You do not have grant privileges!"),
                  QStringLiteral("Nemate grant privilegije!"));
}

QString GrantorConnected() {
    return BiText(QStringLiteral("Grantor successfully connected!"),
                  QStringLiteral("Grantor uspješno spojen na server!"));
}

QString ErrorAttaching(const QString& database) {
    return BiText(QStringLiteral("Error attaching to: "),
                  QStringLiteral("Greška u spajanju na: ")) +
           database;
}

QString KeepOneServer(const QString& kept) {
    return BiText(QStringLiteral("The wizard writes to one server at a time: keep only %1 "
                                 "checked, or remove its check mark and check another server."),
                  QStringLiteral("Čarobnjak piše na jedan server odjednom: ostavite označen samo "
                                 "%1 ili mu uklonite oznaku i označite drugi server."))
        .arg(kept);
}

QString NoCheckedServer() {
    return BiText(QStringLiteral("No server has passed the grant check: go back and check one "
                                 "server with the grantor's name and password."),
                  QStringLiteral("Nijedan server nije prošao provjeru grantora: vratite se i "
                                 "označite jedan server s imenom i zaporkom grantora."));
}

QString LayoutLine(bool rows) {
    return rows ? BiText(QStringLiteral("This server keeps privileges in plain tables: the "
                                        "wizard writes rows into them."),
                         QStringLiteral("Ovaj server drži privilegije u običnim tablicama: "
                                        "čarobnjak u njih upisuje retke."))
                : BiText(QStringLiteral("This server keeps accounts behind a view: the wizard "
                                        "sends CREATE USER and GRANT statements."),
                         QStringLiteral("Ovaj server drži račune iza pogleda: čarobnjak šalje "
                                        "naredbe CREATE USER i GRANT."));
}

QString RepeatPassword() {
    return BiText(QStringLiteral("Repeat password!"), QStringLiteral("Ponovo unesite zaporku!"));
}

QString UsePassword() {
    return BiText(QStringLiteral("It is strongly against security policies not to use password! "
                                 "Use password?"),
                  QStringLiteral("Rad bez zaporke vrlo je nesiguran! Koristiti zaporku?"));
}

QString AskUserTable() {
    return BiText(QStringLiteral("You are about to insert records in USER table! Proceed?"),
                  QStringLiteral("Pripravni ste izmijeniti USER tablicu! Nastaviti?"));
}

QString AskHostAndDbTables() {
    return BiText(QStringLiteral("You are about to insert records in HOST and DB tables. Proceed?"),
                  QStringLiteral("Pripravni ste izmijeniti HOST i DB tablice! Nastaviti?"));
}

QString AskTablesPriv() {
    return BiText(QStringLiteral("You are about to insert records in Table_priv table. Proceed?"),
                  QStringLiteral("Pripravni ste izmijeniti Table_priv tablicu. Nastaviti?"));
}

QString AskColumnsPriv() {
    return BiText(QStringLiteral("You are about to insert records in Columns_priv table! Proceed?"),
                  QStringLiteral("Pripravni ste izmijeniti Columns_priv tablicu! Nastaviti?"));
}

QString PrivilegesSet(const QString& table) {
    return BiText(QStringLiteral("Privileges has been set(%1)!").arg(Table(table, true)),
                  QStringLiteral("Privilegije postavljene(%1)!").arg(Table(table, false)));
}

QString PrivilegesNotSet(const QString& table) {
    return BiText(QStringLiteral("Failed to set privileges(%1)!").arg(Table(table, true)),
                  QStringLiteral("Privilegije nisu postavljene(%1)!").arg(Table(table, false)));
}

QString PrivilegesFlushed() {
    return BiText(QStringLiteral("Privileges has been flushed!"),
                  QStringLiteral("Privilegije osvježene!"));
}

QString NoHostTable() {
    return BiText(
        QStringLiteral("This server has no HOST table: the host privileges are left "
                       "out."),
        QStringLiteral("Ovaj server nema HOST tablicu: privilegije hosta su izostavljene."));
}

QString NothingToWrite(const QString& table) {
    return BiText(
        QStringLiteral("The %1 offers no privileges: there is nothing to write.")
            .arg(Table(table, true)),
        QStringLiteral("%1 ne nudi privilegije: nema se što upisati.").arg(Table(table, false)));
}

QString NothingChecked() {
    return BiText(QStringLiteral("No privilege is checked: there is nothing to write."),
                  QStringLiteral("Nije označena nijedna privilegija: nema se što upisati."));
}

QString UnknownPrivilege(const QString& column) {
    return BiText(QStringLiteral("The server has no account privilege for the column %1: "
                                 "nothing was written.")
                      .arg(column),
                  QStringLiteral("Server nema privilegiju računa za stupac %1: ništa nije "
                                 "upisano.")
                      .arg(column));
}

QString NoDatabaseSelected() {
    return BiText(QStringLiteral("No database is selected: check a database first."),
                  QStringLiteral("Nije odabrana baza: najprije označite bazu."));
}

QString AskAllDatabases() {
    return BiText(QStringLiteral("No database is checked. Give the new user these privileges on "
                                 "all databases, including mysql (which holds the password "
                                 "hashes)?"),
                  QStringLiteral("Nije označena nijedna baza. Dati novom korisniku ove "
                                 "privilegije na sve baze, uključujući mysql (u kojoj su "
                                 "sažeci zaporki)?"));
}

QString NoTablesOfAllDatabases() {
    return BiText(QStringLiteral("The privileges go to all databases: tables and columns are "
                                 "granted within one database, so check one on the database "
                                 "page."),
                  QStringLiteral("Privilegije vrijede za sve baze: tablice i stupci dodjeljuju "
                                 "se unutar jedne baze, pa je označite na stranici baza."));
}

QString OneTableForColumns() {
    return BiText(QStringLiteral("Column privileges are granted on one table: check exactly one "
                                 "table to go on to its columns."),
                  QStringLiteral("Privilegije stupaca dodjeljuju se na jednoj tablici: označite "
                                 "točno jednu tablicu za prijelaz na njezine stupce."));
}

QString NoTableSelected() {
    return BiText(QStringLiteral("No table is selected: there is nothing to write."),
                  QStringLiteral("Nije odabrana tablica: nema se što upisati."));
}

QString NoColumnSelected() {
    return BiText(QStringLiteral("No column is selected: there is nothing to write."),
                  QStringLiteral("Nije odabran stupac: nema se što upisati."));
}

} // namespace grants_text
