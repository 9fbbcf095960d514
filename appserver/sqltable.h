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

// Runs a SELECT on the connection's own SQLite handle and reads its rows straight into a table
// with the given columns, in the statement's column order: no value passes through QVariant or
// QString on the way, which matters for the large answers (the product lists). Raises Error when
// the statement fails.
DataTable selectTable(QSqlDatabase db, const QString& sql, const QVariantList& values,
                      const QList<ColumnSpec>& columns);

}  // namespace zerda::appserver
