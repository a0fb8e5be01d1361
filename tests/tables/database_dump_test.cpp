#include "tables_fixture.h"
