#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace zerda::appserver {

class Database;

struct DemoOptions {
    int items = 20000;        // stock items
    quint64 seed = 20261130;  // the same seed makes the same database
};

struct DemoSummary {
    int items = 0;
    int pictures = 0;
    int accounts = 0;
    int users = 0;
    int orders = 0;
    int movements = 0;
};

// The users every demo database has, with their passwords (upper case, as the login types them).
struct DemoUser {
    const char* name;
    const char* password;
    int customerType;
    const char* role;
};
const QList<DemoUser>& fixedDemoUsers();

// The installer the update download hands out; the demo's is a small script that says what it is.
void storeInstaller(Database& database, const QByteArray& bytes);
QByteArray demoInstaller();

// Fills an empty database with a deterministic demo of a spare-parts distributor.
DemoSummary createDemoData(Database& database, const DemoOptions& options);

}  // namespace zerda::appserver
