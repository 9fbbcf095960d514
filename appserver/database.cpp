#include "database.h"

#include <QAtomicInt>
#include <QFileInfo>
#include <QSqlError>
#include <QThread>

#include "schema.h"

namespace zerda::appserver {

namespace {

QAtomicInt g_databaseCounter;

[[noreturn]] void failed(const QString& what, const QSqlError& error) {
    throw Error(QStringLiteral("Veritabanı hatası (%1): %2").arg(what, error.text()));
}

}  // namespace

Database::Database(const QString& path)
    : m_path(QFileInfo(path).absoluteFilePath()),
      m_connectionPrefix(
          QStringLiteral("zerda-db-%1-").arg(g_databaseCounter.fetchAndAddRelaxed(1))) {
    QSqlDatabase db = connection();
    migrate();
    Q_UNUSED(db);
}

Database::~Database() {
    // Connections of other threads end with their threads; this thread's is closed here.
    const QString name = m_connectionPrefix + QString::number(quintptr(QThread::currentThreadId()));
    if (QSqlDatabase::contains(name)) {
        QSqlDatabase::database(name, false).close();
        QSqlDatabase::removeDatabase(name);
    }
}

QSqlDatabase Database::connection() {
    const QString name = m_connectionPrefix + QString::number(quintptr(QThread::currentThreadId()));
    if (QSqlDatabase::contains(name))
        return QSqlDatabase::database(name);
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
    db.setDatabaseName(m_path);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=10000"));
    if (!db.open())
        failed(m_path, db.lastError());
    execute(db, QStringLiteral("PRAGMA journal_mode=WAL"));
    execute(db, QStringLiteral("PRAGMA synchronous=NORMAL"));
    execute(db, QStringLiteral("PRAGMA foreign_keys=ON"));
    // The catalogue is read in place through a memory map and a larger page cache instead of
    // being copied in by read calls, page by page.
    execute(db, QStringLiteral("PRAGMA mmap_size=1073741824"));
    execute(db, QStringLiteral("PRAGMA cache_size=-65536"));
    return db;
}

int Database::schemaVersion() {
    return scalar(connection(), QStringLiteral("PRAGMA user_version")).toInt();
}

void Database::migrate() {
    const int current = schemaVersion();
    const auto& steps = schemaSteps();
    if (current > steps.size())
        throw Error(QStringLiteral("Veritabanının şema sürümü (%1) bu sunucudan yeni (%2)")
                        .arg(current)
                        .arg(steps.size()));
    for (int version = current; version < steps.size(); ++version) {
        transaction([&](QSqlDatabase& db) {
            for (const QString& sql : steps.at(version))
                execute(db, sql);
            execute(db, QStringLiteral("PRAGMA user_version=%1").arg(version + 1));
        });
    }
}

void Database::transaction(const std::function<void(QSqlDatabase&)>& work) {
    QSqlDatabase db = connection();
    // IMMEDIATE takes the write lock at the start, so two writers wait for each other instead of
    // failing half-way.
    execute(db, QStringLiteral("BEGIN IMMEDIATE"));
    try {
        work(db);
    } catch (...) {
        QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
        throw;
    }
    execute(db, QStringLiteral("COMMIT"));
}

Query::Query(QSqlDatabase db, const QString& sql) : m_query(db), m_sql(sql) {
    m_query.setForwardOnly(true);
    if (!m_query.prepare(sql))
        failed(sql.simplified().left(80), m_query.lastError());
}

namespace {

// A text that is merely unset is written as the empty text; NULL is asked for with a variant
// made null on purpose (QVariant() or QVariant(QMetaType)).
QVariant forBinding(const QVariant& value) {
    if (value.typeId() == QMetaType::QString && !value.isNull() && value.toString().isNull())
        return QVariant(QStringLiteral(""));
    return value;
}

}  // namespace

Query& Query::bind(const QVariant& value) {
    m_query.bindValue(m_position++, forBinding(value));
    return *this;
}

Query& Query::bind(const QString& name, const QVariant& value) {
    m_query.bindValue(name, forBinding(value));
    return *this;
}

Query& Query::exec() {
    if (!m_query.exec())
        failed(m_sql.simplified().left(80), m_query.lastError());
    m_position = 0;
    return *this;
}

void execute(QSqlDatabase db, const QString& sql) {
    QSqlQuery query(db);
    if (!query.exec(sql))
        failed(sql.simplified().left(80), query.lastError());
}

QVariant scalar(QSqlDatabase db, const QString& sql, const QVariantList& values) {
    Query query(db, sql);
    for (const QVariant& v : values)
        query.bind(v);
    query.exec();
    return query.next() ? query.value(0) : QVariant();
}

}  // namespace zerda::appserver
