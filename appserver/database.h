#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <functional>

#include "errors.h"

namespace zerda::appserver {

// The server's one SQLite database file. Each thread that uses it gets a connection of its own;
// every write runs inside a transaction.
class Database {
public:
    static constexpr int kSchemaVersion = 4;

    // Opens the file (created when missing) and brings its schema to the current version.
    explicit Database(const QString& path);
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    const QString& path() const { return m_path; }
    int schemaVersion();

    // This thread's connection.
    QSqlDatabase connection();

    // Runs the work in one transaction: committed when it returns, rolled back when it raises.
    void transaction(const std::function<void(QSqlDatabase&)>& work);

private:
    void migrate();

    QString m_path;
    QString m_connectionPrefix;
};

// A prepared query on a connection; raises Error with the database's message when it fails.
class Query {
public:
    Query(QSqlDatabase db, const QString& sql);
    Query& bind(const QVariant& value);
    Query& bind(const QString& name, const QVariant& value);
    Query& exec();
    bool next() { return m_query.next(); }
    QVariant value(int column) const { return m_query.value(column); }
    QVariant value(const QString& name) const { return m_query.value(name); }
    QVariant lastInsertId() const { return m_query.lastInsertId(); }
    QSqlQuery& raw() { return m_query; }

private:
    QSqlQuery m_query;
    QString m_sql;
    int m_position = 0;
};

// Runs a statement without parameters.
void execute(QSqlDatabase db, const QString& sql);
// The first column of the first row, or an invalid value when there is none.
QVariant scalar(QSqlDatabase db, const QString& sql, const QVariantList& values = {});

}  // namespace zerda::appserver
