#include "sqltable.h"

#include <sqlite3.h>

#include <QSqlDriver>
#include <memory>

#include "errors.h"

namespace zerda::appserver {

namespace {

DataTable emptyTable(const QList<ColumnSpec>& columns) {
    DataTable table;
    for (const ColumnSpec& wanted : columns) {
        ColumnInfo info;
        info.name = QLatin1String(wanted.name);
        info.type = wanted.type;
        table.addColumn(std::move(info));
    }
    return table;
}

}  // namespace

DataTable readTable(Query& query, const QList<ColumnSpec>& columns) {
    DataTable table = emptyTable(columns);
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

namespace {

sqlite3* handleOf(QSqlDatabase db) {
    const QVariant handle = db.driver()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        throw Error(QStringLiteral("Veritabanı bağlantısı SQLite değil"));
    return *static_cast<sqlite3* const*>(handle.constData());
}

struct StatementDeleter {
    void operator()(sqlite3_stmt* s) const { sqlite3_finalize(s); }
};

void bindValue(sqlite3_stmt* statement, int index, const QVariant& v) {
    if (!v.isValid() || v.isNull()) {
        sqlite3_bind_null(statement, index);
        return;
    }
    switch (v.typeId()) {
        case QMetaType::Bool:
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
            sqlite3_bind_int64(statement, index, v.toLongLong());
            return;
        case QMetaType::Double:
        case QMetaType::Float:
            sqlite3_bind_double(statement, index, v.toDouble());
            return;
        case QMetaType::QByteArray: {
            const QByteArray bytes = v.toByteArray();
            sqlite3_bind_blob(statement, index, bytes.constData(), int(bytes.size()),
                              SQLITE_TRANSIENT);
            return;
        }
        default: {
            const QByteArray text = v.toString().toUtf8();
            sqlite3_bind_text(statement, index, text.constData(), int(text.size()),
                              SQLITE_TRANSIENT);
        }
    }
}

}  // namespace

DataTable selectTable(QSqlDatabase db, const QString& sql, const QVariantList& values,
                      const QList<ColumnSpec>& columns) {
    sqlite3* handle = handleOf(db);
    sqlite3_stmt* raw = nullptr;
    const QByteArray text = sql.toUtf8();
    if (sqlite3_prepare_v2(handle, text.constData(), int(text.size()), &raw, nullptr) != SQLITE_OK)
        throw Error(QStringLiteral("Sorgu hazırlanamadı: %1")
                        .arg(QString::fromUtf8(sqlite3_errmsg(handle))));
    const std::unique_ptr<sqlite3_stmt, StatementDeleter> statement(raw);
    if (sqlite3_column_count(raw) != columns.size())
        throw Error(QStringLiteral("Sorgunun sütun sayısı beklenenden farklı"));
    for (int i = 0; i < values.size(); ++i)
        bindValue(raw, i + 1, values[i]);

    DataTable table = emptyTable(columns);
    int step = SQLITE_ROW;
    while ((step = sqlite3_step(raw)) == SQLITE_ROW) {
        for (int c = 0; c < table.columnCount(); ++c) {
            Column& column = table.column(c);
            if (sqlite3_column_type(raw, c) == SQLITE_NULL) {
                column.appendNull();
                continue;
            }
            switch (column.storage()) {
                case Column::Storage::Integer:
                    column.appendInteger(sqlite3_column_int64(raw, c));
                    break;
                case Column::Storage::Real:
                    column.appendReal(sqlite3_column_double(raw, c));
                    break;
                case Column::Storage::Text: {
                    const auto* utf8 = reinterpret_cast<const char*>(sqlite3_column_text(raw, c));
                    column.appendUtf8Text(utf8, sqlite3_column_bytes(raw, c));
                    break;
                }
            }
        }
    }
    if (step != SQLITE_DONE)
        throw Error(QStringLiteral("Sorgu çalıştırılamadı: %1")
                        .arg(QString::fromUtf8(sqlite3_errmsg(handle))));
    table.finishColumns();
    return table;
}

}  // namespace zerda::appserver
