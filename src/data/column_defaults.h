// A column's default as SHOW COLUMNS reports it. MariaDB quotes literal texts ('q'), writes
// numbers as they are and expressions (current_timestamp(), uuid(), 1 + 2) as expressions; a
// column without a default reports NULL.
#pragma once

#include "data/statement_analysis.h"

#include <string>

// True when the server computes the default (a new row leaves such a column out).
bool DefaultIsExpression(const TMySQLField& d);
// The default as a value text: a quoted literal unquoted, a number as it is; empty for no
// default and for an expression.
std::string DefaultValueText(const TMySQLField& d);
