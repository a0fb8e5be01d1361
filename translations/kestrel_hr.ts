<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="hr_HR">
<context>
    <name>StatementProgress</name>
    <message>
        <source>Running</source>
        <translation>Izvodi se</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Zaustavi</translation>
    </message>
</context>
<context>
    <name>TAboutBox</name>
    <message>
        <source>About</source>
        <translation>O programu</translation>
    </message>
    <message>
        <source>Kestrel Manager v%1</source>
        <translation>Kestrel Manager v%1</translation>
    </message>
    <message>
        <source>MySQL is a registered trademark of Oracle Corporation and/or its affiliates.</source>
        <translation>MySQL je registrirani zaštitni znak tvrtke Oracle Corporation i/ili njezinih povezanih društava.</translation>
    </message>
    <message>
        <source>Kestrel Manager belongs to the Kestrel project. Questions and suggestions are welcome at:</source>
        <translation>Kestrel Manager pripada projektu Kestrel. Pitanja i prijedlozi dobrodošli su na:</translation>
    </message>
    <message>
        <source>Manny thanks to:</source>
        <translation>Puno hvala:</translation>
    </message>
    <message>
        <source>the client library authors</source>
        <translation>autorima klijentske biblioteke</translation>
    </message>
    <message>
        <source>the toolkit developers</source>
        <translation>razvijateljima grafičke biblioteke</translation>
    </message>
    <message>
        <source>our early testers</source>
        <translation>našim prvim testerima</translation>
    </message>
    <message>
        <source>our translators</source>
        <translation>našim prevoditeljima</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>U redu</translation>
    </message>
</context>
<context>
    <name>TConnectFrm</name>
    <message>
        <source>Host data entry</source>
        <translation>Unos podataka o hostu</translation>
    </message>
    <message>
        <source>Server:</source>
        <translation>Server:</translation>
    </message>
    <message>
        <source>Friendly name:</source>
        <translation>Prijateljsko ime:</translation>
    </message>
    <message>
        <source>TCP Socket:</source>
        <translation>TCP port:</translation>
    </message>
    <message>
        <source>User:</source>
        <translation>Korisnik:</translation>
    </message>
    <message>
        <source>Password:</source>
        <translation>Lozinka:</translation>
    </message>
    <message>
        <source>Confirm pwd:</source>
        <translation>Potvrda lozinke:</translation>
    </message>
    <message>
        <source>Remember password for this serv.</source>
        <translation>Zapamti lozinku za ovaj server</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>U redu</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Odustani</translation>
    </message>
</context>
<context>
    <name>TDBNavigator</name>
    <message>
        <source>First record</source>
        <translation>Prvi zapis</translation>
    </message>
    <message>
        <source>Prior record</source>
        <translation>Prethodni zapis</translation>
    </message>
    <message>
        <source>Next record</source>
        <translation>Sljedeći zapis</translation>
    </message>
    <message>
        <source>Last record</source>
        <translation>Zadnji zapis</translation>
    </message>
    <message>
        <source>Insert record</source>
        <translation>Umetni zapis</translation>
    </message>
    <message>
        <source>Delete record</source>
        <translation>Obriši zapis</translation>
    </message>
    <message>
        <source>Edit record</source>
        <translation>Uredi zapis</translation>
    </message>
    <message>
        <source>Post edit</source>
        <translation>Spremi promjene</translation>
    </message>
    <message>
        <source>Cancel edit</source>
        <translation>Odustani od promjena</translation>
    </message>
    <message>
        <source>Refresh data</source>
        <translation>Osvježi podatke</translation>
    </message>
    <message>
        <source>Delete record?</source>
        <translation>Obrisati zapis?</translation>
    </message>
</context>
<context>
    <name>TDualListDialog</name>
    <message>
        <source>&amp;Available:</source>
        <translation>&amp;Dostupno:</translation>
    </message>
    <message>
        <source>C&amp;hosen:</source>
        <translation>&amp;Odabrano:</translation>
    </message>
    <message>
        <source>Include</source>
        <translation>Dodaj</translation>
    </message>
    <message>
        <source>Include all</source>
        <translation>Dodaj sve</translation>
    </message>
    <message>
        <source>Exclude</source>
        <translation>Makni</translation>
    </message>
    <message>
        <source>Exclude all</source>
        <translation>Makni sve</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>U redu</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Odustani</translation>
    </message>
</context>
<context>
    <name>TFilterBar</name>
    <message>
        <source>&amp;Filter:</source>
        <translation>&amp;Filtar:</translation>
    </message>
    <message>
        <source>for example QTY &gt; 10 AND NAME LIKE &apos;a*&apos;</source>
        <translation>na primjer QTY &gt; 10 AND NAME LIKE &apos;a*&apos;</translation>
    </message>
    <message>
        <source>An expression over the fields, applied with Enter; an empty text shows every row</source>
        <translation>Izraz nad poljima, primjenjuje se tipkom Enter; prazan tekst prikazuje sve retke</translation>
    </message>
    <message>
        <source>&amp;Search:</source>
        <translation>&amp;Traži:</translation>
    </message>
    <message>
        <source>in the current column</source>
        <translation>u tekućem stupcu</translation>
    </message>
    <message>
        <source>Goes to the first row whose value in the current column begins with the text, without regard to case</source>
        <translation>Prelazi na prvi redak čija vrijednost u tekućem stupcu počinje tekstom, bez obzira na velika i mala slova</translation>
    </message>
</context>
<context>
    <name>TForm1</name>
    <message>
        <source>BDE-&gt;MySQL</source>
        <translation>BDE-&gt;MySQL</translation>
    </message>
    <message>
        <source>Connect Info</source>
        <translation>Podaci o spajanju</translation>
    </message>
    <message>
        <source>Hostname:</source>
        <translation>Poslužitelj:</translation>
    </message>
    <message>
        <source>Username:</source>
        <translation>Korisničko ime:</translation>
    </message>
    <message>
        <source>Password:</source>
        <translation>Lozinka:</translation>
    </message>
    <message>
        <source>Database:</source>
        <translation>Baza:</translation>
    </message>
    <message>
        <source>MySQL DB&apos;s:</source>
        <translation>MySQL baze:</translation>
    </message>
    <message>
        <source>BDE alias:</source>
        <translation>BDE alias:</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>Spoji</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>Odspoji</translation>
    </message>
    <message>
        <source>Global</source>
        <translation>Globalno</translation>
    </message>
    <message>
        <source>DB1</source>
        <translation>DB1</translation>
    </message>
    <message>
        <source>DB2</source>
        <translation>DB2</translation>
    </message>
    <message>
        <source>BDE -&gt; MySQL</source>
        <translation>BDE -&gt; MySQL</translation>
    </message>
    <message>
        <source>Return</source>
        <translation>Povratak</translation>
    </message>
    <message>
        <source>Exec. MySQL</source>
        <translation>Izvrši MySQL</translation>
    </message>
    <message>
        <source>Close QRY</source>
        <translation>Zatvori upit</translation>
    </message>
    <message>
        <source>Exec. BDE</source>
        <translation>Izvrši BDE</translation>
    </message>
    <message>
        <source>MySQL statement</source>
        <translation>MySQL naredba</translation>
    </message>
    <message>
        <source>BDE statement</source>
        <translation>BDE naredba</translation>
    </message>
    <message>
        <source>MySQL rows</source>
        <translation>MySQL retci</translation>
    </message>
    <message>
        <source>BDE rows</source>
        <translation>BDE retci</translation>
    </message>
</context>
<context>
    <name>TQueryFrm1</name>
    <message>
        <source>ADMIN form</source>
        <translation>ADMIN obrazac</translation>
    </message>
    <message>
        <source>Connect Info</source>
        <translation>Podaci o spajanju</translation>
    </message>
    <message>
        <source>Server:</source>
        <translation>Server:</translation>
    </message>
    <message>
        <source>Username:</source>
        <translation>Korisničko ime:</translation>
    </message>
    <message>
        <source>Password:</source>
        <translation>Lozinka:</translation>
    </message>
    <message>
        <source>Database:</source>
        <translation>Baza:</translation>
    </message>
    <message>
        <source>DB</source>
        <translation>Baze</translation>
    </message>
    <message>
        <source>Tables: doubleclick to view data, right click for menu:</source>
        <translation>Tablice: dvoklik za pregled podataka, desni klik za izbornik:</translation>
    </message>
    <message>
        <source>Query: place for query-entering (doubleclick to run):</source>
        <translation>Upit: mjesto za unos upita (dvoklik za izvršavanje):</translation>
    </message>
    <message>
        <source>Query memo</source>
        <translation>Polje za upit</translation>
    </message>
    <message>
        <source>Main</source>
        <translation>Glavni</translation>
    </message>
    <message>
        <source>Server</source>
        <translation>Server</translation>
    </message>
    <message>
        <source>Ping</source>
        <translation>Ping</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>Show processes</source>
        <translation>Prikaži procese</translation>
    </message>
    <message>
        <source>Kill process</source>
        <translation>Ubij proces</translation>
    </message>
    <message>
        <source>Shutdown</source>
        <translation>Ugasi server</translation>
    </message>
    <message>
        <source>By friendly name</source>
        <translation>Po prijateljskom imenu</translation>
    </message>
    <message>
        <source>Flush privileges</source>
        <translation>Osvježi privilegije</translation>
    </message>
    <message>
        <source>Flush hosts</source>
        <translation>Osvježi klijente</translation>
    </message>
    <message>
        <source>Manipulate</source>
        <translation>Uređivanje</translation>
    </message>
    <message>
        <source>Add server</source>
        <translation>Dodaj server</translation>
    </message>
    <message>
        <source>Modify server info</source>
        <translation>Izmijeni podatke servera</translation>
    </message>
    <message>
        <source>Remove server</source>
        <translation>Ukloni server</translation>
    </message>
    <message>
        <source>View</source>
        <translation>Pregled</translation>
    </message>
    <message>
        <source>View servers(friendly)</source>
        <translation>Pregled servera (prijateljski)</translation>
    </message>
    <message>
        <source>View servers(IP)</source>
        <translation>Pregled servera (IP)</translation>
    </message>
    <message>
        <source>Users</source>
        <translation>Korisnici</translation>
    </message>
    <message>
        <source>Add user</source>
        <translation>Dodaj korisnika</translation>
    </message>
    <message>
        <source>View user</source>
        <translation>Pregled korisnika</translation>
    </message>
    <message>
        <source>Modify user info</source>
        <translation>Izmijeni podatke korisnika</translation>
    </message>
    <message>
        <source>Remove user</source>
        <translation>Ukloni korisnika</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Očisti</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Izlaz</translation>
    </message>
    <message>
        <source>Database</source>
        <translation>Baza podataka</translation>
    </message>
    <message>
        <source>Show Databases</source>
        <translation>Prikaži baze</translation>
    </message>
    <message>
        <source>Create DB</source>
        <translation>Kreiraj bazu</translation>
    </message>
    <message>
        <source>Drop DB</source>
        <translation>Pobriši bazu</translation>
    </message>
    <message>
        <source>Dump databse</source>
        <translation>Ispis strukture baze</translation>
    </message>
    <message>
        <source>Table</source>
        <translation>Tablica</translation>
    </message>
    <message>
        <source>View table</source>
        <translation>Pregled tablice</translation>
    </message>
    <message>
        <source>Create table</source>
        <translation>Kreiraj tablicu</translation>
    </message>
    <message>
        <source>Empty table</source>
        <translation>Isprazni tablicu</translation>
    </message>
    <message>
        <source>Drop table</source>
        <translation>Pobriši tablicu</translation>
    </message>
    <message>
        <source>Query</source>
        <translation>Upit</translation>
    </message>
    <message>
        <source>Run query</source>
        <translation>Izvrši upit</translation>
    </message>
    <message>
        <source>Close query</source>
        <translation>Zatvori upit</translation>
    </message>
    <message>
        <source>Open script</source>
        <translation>Otvori skriptu</translation>
    </message>
    <message>
        <source>BDE-&gt;MySQL</source>
        <translation>BDE-&gt;MySQL</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Jezik</translation>
    </message>
    <message>
        <source>English/Other</source>
        <translation>Engleski/Ostali</translation>
    </message>
    <message>
        <source>Croatian</source>
        <translation>Hrvatski</translation>
    </message>
    <message>
        <source>About</source>
        <translation>O programu</translation>
    </message>
    <message>
        <source>Processes</source>
        <translation>Procesi</translation>
    </message>
    <message>
        <source>Kill proc</source>
        <translation>Ubij proces</translation>
    </message>
    <message>
        <source>Flush priv.</source>
        <translation>Osvježi priv.</translation>
    </message>
    <message>
        <source>Modify server</source>
        <translation>Izmijeni server</translation>
    </message>
    <message>
        <source>View(friendly)</source>
        <translation>Pregled (prijateljski)</translation>
    </message>
    <message>
        <source>View(IP)</source>
        <translation>Pregled (IP)</translation>
    </message>
    <message>
        <source>Show DBs</source>
        <translation>Prikaži baze</translation>
    </message>
    <message>
        <source>Dump database</source>
        <translation>Ispis strukture baze</translation>
    </message>
    <message>
        <source>Open SQL script</source>
        <translation>Otvori SQL skriptu</translation>
    </message>
</context>
<context>
    <name>TUrlLabel</name>
    <message>
        <source>Copy</source>
        <translation>Kopiraj</translation>
    </message>
</context>
<context>
    <name>TValueViewer</name>
    <message>
        <source>Value</source>
        <translation>Vrijednost</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>Tekst</translation>
    </message>
    <message>
        <source>JSON</source>
        <translation>JSON</translation>
    </message>
    <message>
        <source>Image</source>
        <translation>Slika</translation>
    </message>
    <message>
        <source>Hex</source>
        <translation>Heksadecimalno</translation>
    </message>
    <message>
        <source>Value as text</source>
        <translation>Vrijednost kao tekst</translation>
    </message>
    <message>
        <source>Value as indented JSON</source>
        <translation>Vrijednost kao uvučeni JSON</translation>
    </message>
    <message>
        <source>Value as image</source>
        <translation>Vrijednost kao slika</translation>
    </message>
    <message>
        <source>Value in hexadecimal</source>
        <translation>Vrijednost heksadecimalno</translation>
    </message>
    <message>
        <source>&amp;Load from file...</source>
        <translation>&amp;Učitaj iz datoteke...</translation>
    </message>
    <message>
        <source>&amp;Save to file...</source>
        <translation>&amp;Spremi u datoteku...</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Zatvori</translation>
    </message>
</context>
<context>
    <name>TfrmCreatetbl</name>
    <message>
        <source>Create MySQL table</source>
        <translation>Kreiranje MySQL tablice</translation>
    </message>
    <message>
        <source>Create index</source>
        <translation>Kreiraj indeks</translation>
    </message>
    <message>
        <source>Save as:</source>
        <translation>Spremi kao:</translation>
    </message>
    <message>
        <source>Table name</source>
        <translation>Ime tablice</translation>
    </message>
</context>
<context>
    <name>TfrmGrants</name>
    <message>
        <source>Grants wizard</source>
        <translation>Čarobnjak za privilegije</translation>
    </message>
    <message>
        <source>New user name:</source>
        <translation>Ime novog korisnika:</translation>
    </message>
    <message>
        <source>Connect from host:</source>
        <translation>Spajanje s hosta:</translation>
    </message>
    <message>
        <source>New user password:</source>
        <translation>Zaporka novog korisnika:</translation>
    </message>
    <message>
        <source>Repeat password:</source>
        <translation>Ponovljena zaporka:</translation>
    </message>
    <message>
        <source>Grantor:</source>
        <translation>Grantor:</translation>
    </message>
    <message>
        <source>Password:</source>
        <translation>Zaporka:</translation>
    </message>
    <message>
        <source>Available servers: </source>
        <translation>Dostupni serveri: </translation>
    </message>
    <message>
        <source>User table:</source>
        <translation>User tablica:</translation>
    </message>
    <message>
        <source>Available DBs:</source>
        <translation>Dostupne baze:</translation>
    </message>
    <message>
        <source>Host table:</source>
        <translation>Host tablica:</translation>
    </message>
    <message>
        <source>DB table:</source>
        <translation>DB tablica:</translation>
    </message>
    <message>
        <source>Available tables:</source>
        <translation>Dostupne tablice:</translation>
    </message>
    <message>
        <source>Tables_Priv table:</source>
        <translation>Tables_Priv tablica:</translation>
    </message>
    <message>
        <source>Column_priv:</source>
        <translation>Column_priv:</translation>
    </message>
    <message>
        <source>Available columns:</source>
        <translation>Dostupni stupci:</translation>
    </message>
    <message>
        <source>Col_priv table:</source>
        <translation>Col_priv tablica:</translation>
    </message>
    <message>
        <source>&lt; Back</source>
        <translation>&lt; Natrag</translation>
    </message>
    <message>
        <source>Finish</source>
        <translation>Završi</translation>
    </message>
    <message>
        <source>Next &gt;</source>
        <translation>Dalje &gt;</translation>
    </message>
</context>
<context>
    <name>TfrmPropstbl</name>
    <message>
        <source>View MySQL table structure</source>
        <translation>Pregled strukture MySQL tablice</translation>
    </message>
    <message>
        <source>Fields</source>
        <translation>Polja</translation>
    </message>
    <message>
        <source>Indexes</source>
        <translation>Indeksi</translation>
    </message>
    <message>
        <source>Print struct</source>
        <translation>Ispis strukture</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Zatvori</translation>
    </message>
</context>
</TS>
