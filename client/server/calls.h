#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <functional>
#include <optional>

#include "connection.h"

namespace zerda {

class ClientDataSet;
class TableReader;

inline const QString kBaglantiKurulamiyor =
    QStringLiteral("Bağlantı Kurulamıyor Lütfen Tekrar Deneyin ...!");

// Shows the connection message to the user. The program's window layer installs one that shows
// the message box on the user-interface thread; without one the text goes to the warning log.
using ConnectionMessageHandler = std::function<void(const QString& text)>;
void setConnectionMessageHandler(ConnectionMessageHandler handler);
// Shows the connection message through the installed handler, for callers that decide later
// whether it is still wanted (a window that may have closed meanwhile).
void showConnectionMessage(const QString& text = kBaglantiKurulamiyor);

inline constexpr int kBaglantiKurAttempts = 11;
inline constexpr int kBaglantiKurPauseMs = 500;

// (Re)opens a connection: up to 11 attempts 500 ms apart; when all fail and mesaj is 1 the
// connection message is shown once. Returns whether the connection is open.
bool BaglantiKur(Connection& baglanti, int mesaj);

// Takes over a stream result: reads it from the start in 1024-byte pieces and accepts it only when
// its length equals the announced size. Nothing when the size is 0 or the length differs.
std::optional<QByteArray> ReadResultStream(QIODevice& stream, qint64 size);

// Copies the reader's remaining rows, with its columns, into the data set, which is opened on them.
void CopyReaderToDataSet(TableReader& reader, ClientDataSet& dataSet);

}  // namespace zerda
