#include "sqltable.h"

namespace zerda::appserver {

DataTable readTable(Query& query, const QList<ColumnSpec>& columns) {
    DataTable table;
    for (const ColumnSpec& wanted : columns) {
        ColumnInfo info;
        info.name = QLatin1String(wanted.name);
        info.type = wanted.type;
        table.addColumn(std::move(info));
    }
    while (query.next()) {
        for (int c = 0; c < table.columnCount(); ++c) {
            const QVariant v = query.value(c);
            Column& column = table.column(c);
            if (v.isNull()) {
                column.appendNull();
                continue;
            }
            switch (column.storage()) {
                case Column::Storage::Integer:
                    column.appendInteger(v.toLongLong());
                    break;
                case Column::Storage::Real:
                    column.appendReal(v.toDouble());
                    break;
                case Column::Storage::Text:
                    column.appendText(v.toString());
                    break;
            }
        }
    }
    table.finishColumns();
    return table;
}

}  // namespace zerda::appserver
