#pragma once

#include <QList>
#include <QVariant>
#include <initializer_list>
#include <utility>

#include "datatable.h"

// A table with the given columns and rows (values in column order; an invalid QVariant is NULL).
inline zerda::DataTable tableOf(
    std::initializer_list<std::pair<const char*, zerda::DbxType>> columns,
    const QList<QVariantList>& rows = {}) {
    zerda::DataTable t;
    for (const auto& [name, type] : columns) {
        zerda::ColumnInfo info;
        info.name = QString::fromUtf8(name);
        info.type = type;
        t.addColumn(info);
    }
    for (const QVariantList& row : rows) {
        const qsizetype r = t.appendRow();
        for (int c = 0; c < row.size(); ++c)
            t.setValue(r, c, row[c]);
    }
    return t;
}
