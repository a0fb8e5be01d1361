// What the browser and the query editor share besides the command kit.
#pragma once

class CommandContext;
class SharedQuery;

// Sets the shared query's database up for the database chosen in the database list, with the
// context's host, user and password (closing it first when connected). Does not connect.
void PrepareSharedDatabase(CommandContext& context, SharedQuery& shared);
