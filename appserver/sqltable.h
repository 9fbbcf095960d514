#pragma once

#include <QList>

#include "database.h"
#include "datatable.h"

namespace zerda::appserver {

struct ColumnSpec {
    const char* name;
    DbxType type;
};

// Reads every row of an executed query into a table with the given columns, in the query's
// column order.
DataTable readTable(Query& query, const QList<ColumnSpec>& columns);

}  // namespace zerda::appserver
