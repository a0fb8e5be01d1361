<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>StatementProgress</name>
    <message>
        <source>Running</source>
        <translation>Running</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stop</translation>
    </message>
</context>
<context>
    <name>TAboutBox</name>
    <message>
        <source>About</source>
        <translation>About</translation>
    </message>
    <message>
        <source>Kestrel Manager v%1</source>
        <translation>Kestrel Manager v%1</translation>
    </message>
    <message>
        <source>MySQL is a registered trademark of Oracle Corporation and/or its affiliates.</source>
        <translation>MySQL is a registered trademark of Oracle Corporation and/or its affiliates.</translation>
    </message>
    <message>
        <source>Kestrel Manager belongs to the Kestrel project. Questions and suggestions are welcome at:</source>
        <translation>Kestrel Manager belongs to the Kestrel project. Questions and suggestions are welcome at:</translation>
    </message>
    <message>
        <source>Manny thanks to:</source>
        <translation>Manny thanks to:</translation>
    </message>
    <message>
        <source>the client library authors</source>
        <translation>the client library authors</translation>
    </message>
    <message>
        <source>the toolkit developers</source>
        <translation>the toolkit developers</translation>
    </message>
    <message>
        <source>our early testers</source>
        <translation>our early testers</translation>
    </message>
    <message>
        <source>our translators</source>
        <translation>our translators</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>TConnectFrm</name>
    <message>
        <source>Host data entry</source>
        <translation>Host data entry</translation>
    </message>
    <message>
        <source>Server:</source>
        <translation>Server:</translation>
    </message>
    <message>
        <source>Friendly name:</source>
        <translation>Friendly name:</translation>
    </message>
    <message>
        <source>TCP Socket:</source>
        <translation>TCP Socket:</translation>
    </message>
    <message>
        <source>User:</source>
        <translation>User:</translation>
    </message>
    <message>
        <source>Password:</source>
        <translation>Password:</translation>
    </message>
    <message>
        <source>Confirm pwd:</source>
        <translation>Confirm pwd:</translation>
    </message>
    <message>
        <source>Remember password for this serv.</source>
        <translation>Remember password for this serv.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>TDBNavigator</name>
    <message>
        <source>First record</source>
        <translation>First record</translation>
    </message>
    <message>
        <source>Prior record</source>
        <translation>Prior record</translation>
    </message>
    <message>
        <source>Next record</source>
        <translation>Next record</translation>
    </message>
    <message>
        <source>Last record</source>
        <translation>Last record</translation>
    </message>
    <message>
        <source>Insert record</source>
        <translation>Insert record</translation>
    </message>
    <message>
        <source>Delete record</source>
        <translation>Delete record</translation>
    </message>
    <message>
        <source>Edit record</source>
        <translation>Edit record</translation>
    </message>
    <message>
        <source>Post edit</source>
        <translation>Post edit</translation>
    </message>
    <message>
        <source>Cancel edit</source>
        <translation>Cancel edit</translation>
    </message>
    <message>
        <source>Refresh data</source>
        <translation>Refresh data</translation>
    </message>
    <message>
        <source>Delete record?</source>
        <translation>Delete record?</translation>
    </message>
</context>
<context>
    <name>TDualListDialog</name>
    <message>
        <source>&amp;Available:</source>
        <translation>&amp;Available:</translation>
    </message>
    <message>
        <source>C&amp;hosen:</source>
        <translation>C&amp;hosen:</translation>
    </message>
    <message>
        <source>Include</source>
        <translation>Include</translation>
    </message>
    <message>
        <source>Include all</source>
        <translation>Include all</translation>
    </message>
    <message>
        <source>Exclude</source>
        <translation>Exclude</translation>
    </message>
    <message>
        <source>Exclude all</source>
        <translation>Exclude all</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>TFilterBar</name>
    <message>
        <source>&amp;Filter:</source>
        <translation>&amp;Filter:</translation>
    </message>
    <message>
        <source>for example QTY &gt; 10 AND NAME LIKE &apos;a*&apos;</source>
        <translation>for example QTY &gt; 10 AND NAME LIKE &apos;a*&apos;</translation>
    </message>
    <message>
        <source>An expression over the fields, applied with Enter; an empty text shows every row</source>
        <translation>An expression over the fields, applied with Enter; an empty text shows every row</translation>
    </message>
    <message>
        <source>&amp;Search:</source>
        <translation>&amp;Search:</translation>
    </message>
    <message>
        <source>in the current column</source>
        <translation>in the current column</translation>
    </message>
    <message>
        <source>Goes to the first row whose value in the current column begins with the text, without regard to case</source>
        <translation>Goes to the first row whose value in the current column begins with the text, without regard to case</translation>
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
        <translation>Connect Info</translation>
    </message>
    <message>
        <source>Hostname:</source>
        <translation>Hostname:</translation>
    </message>
    <message>
        <source>Username:</source>
        <translation>Username:</translation>
    </message>
    <message>
        <source>Password:</source>
        <translation>Password:</translation>
    </message>
    <message>
        <source>Database:</source>
        <translation>Database:</translation>
    </message>
    <message>
        <source>MySQL DB&apos;s:</source>
        <translation>MySQL DB&apos;s:</translation>
    </message>
    <message>
        <source>BDE alias:</source>
        <translation>BDE alias:</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>Connect</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>Disconnect</translation>
    </message>
    <message>
        <source>Global</source>
        <translation>Global</translation>
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
        <translation>Return</translation>
    </message>
    <message>
        <source>Exec. MySQL</source>
        <translation>Exec. MySQL</translation>
    </message>
    <message>
        <source>Close QRY</source>
        <translation>Close QRY</translation>
    </message>
    <message>
        <source>Exec. BDE</source>
        <translation>Exec. BDE</translation>
    </message>
    <message>
        <source>MySQL statement</source>
        <translation>MySQL statement</translation>
    </message>
    <message>
        <source>BDE statement</source>
        <translation>BDE statement</translation>
    </message>
    <message>
        <source>MySQL rows</source>
        <translation>MySQL rows</translation>
    </message>
    <message>
        <source>BDE rows</source>
        <translation>BDE rows</translation>
    </message>
</context>
<context>
    <name>TQueryFrm1</name>
    <message>
        <source>ADMIN form</source>
        <translation>ADMIN form</translation>
    </message>
    <message>
        <source>Connect Info</source>
        <translation>Connect Info</translation>
    </message>
    <message>
        <source>Server:</source>
        <translation>Server:</translation>
    </message>
    <message>
        <source>Username:</source>
        <translation>Username:</translation>
    </message>
    <message>
        <source>Password:</source>
        <translation>Password:</translation>
    </message>
    <message>
        <source>Database:</source>
        <translation>Database:</translation>
    </message>
    <message>
        <source>DB</source>
        <translation>DB</translation>
    </message>
    <message>
        <source>Tables: doubleclick to view data, right click for menu:</source>
        <translation>Tables: doubleclick to view data, right click for menu:</translation>
    </message>
    <message>
        <source>Query: place for query-entering (doubleclick to run):</source>
        <translation>Query: place for query-entering (doubleclick to run):</translation>
    </message>
    <message>
        <source>Query memo</source>
        <translation>Query memo</translation>
    </message>
    <message>
        <source>Main</source>
        <translation>Main</translation>
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
        <translation>Show processes</translation>
    </message>
    <message>
        <source>Kill process</source>
        <translation>Kill process</translation>
    </message>
    <message>
        <source>Shutdown</source>
        <translation>Shutdown</translation>
    </message>
    <message>
        <source>By friendly name</source>
        <translation>By friendly name</translation>
    </message>
    <message>
        <source>Flush privileges</source>
        <translation>Flush privileges</translation>
    </message>
    <message>
        <source>Flush hosts</source>
        <translation>Flush hosts</translation>
    </message>
    <message>
        <source>Manipulate</source>
        <translation>Manipulate</translation>
    </message>
    <message>
        <source>Add server</source>
        <translation>Add server</translation>
    </message>
    <message>
        <source>Modify server info</source>
        <translation>Modify server info</translation>
    </message>
    <message>
        <source>Remove server</source>
        <translation>Remove server</translation>
    </message>
    <message>
        <source>View</source>
        <translation>View</translation>
    </message>
    <message>
        <source>View servers(friendly)</source>
        <translation>View servers(friendly)</translation>
    </message>
    <message>
        <source>View servers(IP)</source>
        <translation>View servers(IP)</translation>
    </message>
    <message>
        <source>Users</source>
        <translation>Users</translation>
    </message>
    <message>
        <source>Add user</source>
        <translation>Add user</translation>
    </message>
    <message>
        <source>View user</source>
        <translation>View user</translation>
    </message>
    <message>
        <source>Modify user info</source>
        <translation>Modify user info</translation>
    </message>
    <message>
        <source>Remove user</source>
        <translation>Remove user</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>Database</source>
        <translation>Database</translation>
    </message>
    <message>
        <source>Show Databases</source>
        <translation>Show Databases</translation>
    </message>
    <message>
        <source>Create DB</source>
        <translation>Create DB</translation>
    </message>
    <message>
        <source>Drop DB</source>
        <translation>Drop DB</translation>
    </message>
    <message>
        <source>Dump databse</source>
        <translation>Dump databse</translation>
    </message>
    <message>
        <source>Table</source>
        <translation>Table</translation>
    </message>
    <message>
        <source>View table</source>
        <translation>View table</translation>
    </message>
    <message>
        <source>Create table</source>
        <translation>Create table</translation>
    </message>
    <message>
        <source>Empty table</source>
        <translation>Empty table</translation>
    </message>
    <message>
        <source>Drop table</source>
        <translation>Drop table</translation>
    </message>
    <message>
        <source>Query</source>
        <translation>Query</translation>
    </message>
    <message>
        <source>Run query</source>
        <translation>Run query</translation>
    </message>
    <message>
        <source>Close query</source>
        <translation>Close query</translation>
    </message>
    <message>
        <source>Open script</source>
        <translation>Open script</translation>
    </message>
    <message>
        <source>BDE-&gt;MySQL</source>
        <translation>BDE-&gt;MySQL</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>English/Other</source>
        <translation>English/Other</translation>
    </message>
    <message>
        <source>Croatian</source>
        <translation>Croatian</translation>
    </message>
    <message>
        <source>About</source>
        <translation>About</translation>
    </message>
    <message>
        <source>Processes</source>
        <translation>Processes</translation>
    </message>
    <message>
        <source>Kill proc</source>
        <translation>Kill proc</translation>
    </message>
    <message>
        <source>Flush priv.</source>
        <translation>Flush priv.</translation>
    </message>
    <message>
        <source>Modify server</source>
        <translation>Modify server</translation>
    </message>
    <message>
        <source>View(friendly)</source>
        <translation>View(friendly)</translation>
    </message>
    <message>
        <source>View(IP)</source>
        <translation>View(IP)</translation>
    </message>
    <message>
        <source>Show DBs</source>
        <translation>Show DBs</translation>
    </message>
    <message>
        <source>Dump database</source>
        <translation>Dump database</translation>
    </message>
    <message>
        <source>Open SQL script</source>
        <translation>Open SQL script</translation>
    </message>
</context>
<context>
    <name>TUrlLabel</name>
    <message>
        <source>Copy</source>
        <translation>Copy</translation>
    </message>
</context>
<context>
    <name>TValueViewer</name>
    <message>
        <source>Value</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>JSON</source>
        <translation>JSON</translation>
    </message>
    <message>
        <source>Image</source>
        <translation>Image</translation>
    </message>
    <message>
        <source>Hex</source>
        <translation>Hex</translation>
    </message>
    <message>
        <source>Value as text</source>
        <translation>Value as text</translation>
    </message>
    <message>
        <source>Value as indented JSON</source>
        <translation>Value as indented JSON</translation>
    </message>
    <message>
        <source>Value as image</source>
        <translation>Value as image</translation>
    </message>
    <message>
        <source>Value in hexadecimal</source>
        <translation>Value in hexadecimal</translation>
    </message>
    <message>
        <source>&amp;Load from file...</source>
        <translation>&amp;Load from file...</translation>
    </message>
    <message>
        <source>&amp;Save to file...</source>
        <translation>&amp;Save to file...</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>TfrmCreatetbl</name>
    <message>
        <source>Create MySQL table</source>
        <translation>Create MySQL table</translation>
    </message>
    <message>
        <source>Create index</source>
        <translation>Create index</translation>
    </message>
    <message>
        <source>Save as:</source>
        <translation>Save as:</translation>
    </message>
    <message>
        <source>Table name</source>
        <translation>Table name</translation>
    </message>
</context>
<context>
    <name>TfrmGrants</name>
    <message>
        <source>Grants wizard</source>
        <translation>Grants wizard</translation>
    </message>
    <message>
        <source>New user name:</source>
        <translation>New user name:</translation>
    </message>
    <message>
        <source>Connect from host:</source>
        <translation>Connect from host:</translation>
    </message>
    <message>
        <source>New user password:</source>
        <translation>New user password:</translation>
    </message>
    <message>
        <source>Repeat password:</source>
        <translation>Repeat password:</translation>
    </message>
    <message>
        <source>Grantor:</source>
        <translation>Grantor:</translation>
    </message>
    <message>
        <source>Password:</source>
        <translation>Password:</translation>
    </message>
    <message>
        <source>Available servers: </source>
        <translation>Available servers: </translation>
    </message>
    <message>
        <source>User table:</source>
        <translation>User table:</translation>
    </message>
    <message>
        <source>Available DBs:</source>
        <translation>Available DBs:</translation>
    </message>
    <message>
        <source>Host table:</source>
        <translation>Host table:</translation>
    </message>
    <message>
        <source>DB table:</source>
        <translation>DB table:</translation>
    </message>
    <message>
        <source>Available tables:</source>
        <translation>Available tables:</translation>
    </message>
    <message>
        <source>Tables_Priv table:</source>
        <translation>Tables_Priv table:</translation>
    </message>
    <message>
        <source>Column_priv:</source>
        <translation>Column_priv:</translation>
    </message>
    <message>
        <source>Available columns:</source>
        <translation>Available columns:</translation>
    </message>
    <message>
        <source>Col_priv table:</source>
        <translation>Col_priv table:</translation>
    </message>
    <message>
        <source>&lt; Back</source>
        <translation>&lt; Back</translation>
    </message>
    <message>
        <source>Finish</source>
        <translation>Finish</translation>
    </message>
    <message>
        <source>Next &gt;</source>
        <translation>Next &gt;</translation>
    </message>
</context>
<context>
    <name>TfrmPropstbl</name>
    <message>
        <source>View MySQL table structure</source>
        <translation>View MySQL table structure</translation>
    </message>
    <message>
        <source>Fields</source>
        <translation>Fields</translation>
    </message>
    <message>
        <source>Indexes</source>
        <translation>Indexes</translation>
    </message>
    <message>
        <source>Print struct</source>
        <translation>Print struct</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
</context>
</TS>
