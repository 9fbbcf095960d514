#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariant>

// A connection of the test's own to a server's database file, to check answers against it or to
// change a row; closed and removed with the object.
class DatabaseCheck {
public:
    explicit DatabaseCheck(const QString& path)
        : m_name(QStringLiteral("check-%1").arg(quintptr(this))) {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
        db.setDatabaseName(path);
        db.open();
    }
    ~DatabaseCheck() {
        QSqlDatabase::database(m_name, false).close();
        QSqlDatabase::removeDatabase(m_name);
    }
    DatabaseCheck(const DatabaseCheck&) = delete;
    DatabaseCheck& operator=(const DatabaseCheck&) = delete;

    bool isOpen() const { return QSqlDatabase::database(m_name, false).isOpen(); }
    // The first column of the first row; an invalid value when there is none.
    QVariant value(const QString& sql) const {
        QSqlQuery q(QSqlDatabase::database(m_name, false));
        if (!q.exec(sql) || !q.next())
            return {};
        return q.value(0);
    }
    bool execute(const QString& sql) const {
        QSqlQuery q(QSqlDatabase::database(m_name, false));
        return q.exec(sql);
    }
    QSqlDatabase database() const { return QSqlDatabase::database(m_name, false); }

private:
    QString m_name;
};
