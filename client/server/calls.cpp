#include "calls.h"

#include <QMutex>
#include <QThread>
#include <QtDebug>

#include "clientdataset.h"
#include "guarded.h"
#include "tablereader.h"

namespace zerda {

namespace {

Guarded<ConnectionMessageHandler>& messageHandler() {
    static Guarded<ConnectionMessageHandler> handler;
    return handler;
}

}  // namespace

void showConnectionMessage(const QString& text) {
    const ConnectionMessageHandler handler = messageHandler().get();
    if (handler)
        handler(text);
    else
        qWarning().noquote() << text;
}

void setConnectionMessageHandler(ConnectionMessageHandler handler) {
    messageHandler().set(std::move(handler));
}

bool BaglantiKur(Connection& baglanti, int mesaj) {
    baglanti.Close();
    for (int failures = 0; failures < kBaglantiKurAttempts;) {
        try {
            baglanti.Open();
            break;
        } catch (const Error&) {
            baglanti.Close();
            QThread::msleep(kBaglantiKurPauseMs);
            ++failures;
        }
    }
    if (!baglanti.Connected() && mesaj == 1)
        showConnectionMessage(kBaglantiKurulamiyor);
    return baglanti.Connected();
}

std::optional<QByteArray> ReadResultStream(QIODevice& stream, qint64 size) {
    constexpr qint64 kPiece = 1024;
    if (!stream.isOpen() || !stream.seek(0))
        return std::nullopt;
    if (size == 0)
        return std::nullopt;
    QByteArray memory;
    char buffer[kPiece];
    for (;;) {
        const qint64 got = stream.read(buffer, kPiece);
        if (got > 0)
            memory.append(buffer, got);
        if (got < kPiece)
            break;
    }
    if (memory.size() != size)
        return std::nullopt;
    return memory;
}

void CopyReaderToDataSet(TableReader& reader, ClientDataSet& dataSet) {
    DataTable copy;
    const DataTable& source = reader.table();
    for (int c = 0; c < source.columnCount(); ++c)
        copy.addColumn(source.columnInfo(c));
    // The reader hands out the rows after its current one, as its Next would.
    copy.appendRowsFrom(source, std::min(reader.row() + 1, source.rowCount()));
    reader.moveToEnd();
    dataSet.setData(std::move(copy));
}

}  // namespace zerda
