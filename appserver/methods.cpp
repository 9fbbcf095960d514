#include "methods.h"

#include <cmath>
#include <limits>

namespace zerda::appserver {

Arguments::Arguments(const MethodInfo& method, QJsonArray values)
    : m_method(method), m_values(std::move(values)) {
    for (const ParamInfo& p : method.params)
        if (p.kind != Kind::OutInt64)
            m_inputs.append(&p);
    if (m_values.size() != m_inputs.size())
        throw CallError(400, QStringLiteral("%1: %2 parametre bekleniyordu, %3 geldi")
                                 .arg(QLatin1String(method.name))
                                 .arg(m_inputs.size())
                                 .arg(m_values.size()));
    for (int i = 0; i < m_inputs.size(); ++i) {
        const QJsonValue& v = m_values.at(i);
        const ParamInfo& p = *m_inputs.at(i);
        bool ok = false;
        QString wanted = kindName(p.kind);
        switch (p.kind) {
            case Kind::Integer: {
                const double d = v.toDouble();
                ok = v.isDouble() && std::trunc(d) == d && d >= std::numeric_limits<int>::min() &&
                     d <= std::numeric_limits<int>::max();
                break;
            }
            case Kind::Double:
                ok = v.isDouble();
                break;
            case Kind::String:
                ok = v.isString();
                break;
            case Kind::Boolean:
                ok = v.isBool();
                break;
            case Kind::Record:
                ok = v.isNull() ||
                     (v.isObject() && v.toObject().value(QStringLiteral("type")).toString() ==
                                          QLatin1String(p.recordType));
                wanted = QLatin1String(p.recordType);
                break;
            default:
                break;
        }
        if (!ok)
            throw CallError(400, QStringLiteral("%1 olmalı, %2 geldi")
                                     .arg(wanted, detail::describe(v))
                                     .prepend(where(i) + QStringLiteral(": ")));
    }
}

QString Arguments::where(int index) const {
    return QStringLiteral("%1: %2. parametre (%3)")
        .arg(QLatin1String(m_method.name))
        .arg(index + 1)
        .arg(QLatin1String(param(index).name));
}

int Arguments::integer(int index) const {
    return m_values.at(index).toInt();
}
double Arguments::number(int index) const {
    return m_values.at(index).toDouble();
}
QString Arguments::text(int index) const {
    return m_values.at(index).toString();
}
bool Arguments::boolean(int index) const {
    return m_values.at(index).toBool();
}

MethodTable::MethodTable() {
    addSessionMethods(*this);
    addSalesMethods(*this);
    addCatalogueMethods(*this);
    addBasketMethods(*this);
}

void MethodTable::add(const char* name, Handler handler) {
    Q_ASSERT(findServerMethod(QString::fromLatin1(name)));
    m_handlers.insert(QLatin1String(name), std::move(handler));
}

std::string MethodTable::call(const QString& methodName, const QByteArray& body,
                              CallContext& context) const {
    const MethodInfo* method = findServerMethod(methodName);
    if (!method)
        throw CallError(404,
                        QStringLiteral("\"%1\" adında bir sunucu yöntemi yok").arg(methodName));
    QJsonArray values;
    try {
        values = parseRequestParameters(body);
    } catch (const ProtocolError& e) {
        throw CallError(400, QStringLiteral("%1: %2").arg(methodName, e.message()));
    }
    const Arguments arguments(*method, std::move(values));
    const auto handler = m_handlers.constFind(methodName);
    if (handler == m_handlers.constEnd())
        throw CallError(501,
                        QStringLiteral("%1: bu yöntem sunucuda henüz sunulmuyor").arg(methodName));
    ReplyWriter reply;
    (*handler)(arguments, reply.out(), context);
    return reply.finish();
}

SessionUser authorizeSession(QSqlDatabase db, const std::optional<TSonucBilgisi>& session,
                             const QString& method) {
    auto refuse = [&](const QString& why) {
        return CallError(403, QStringLiteral("%1: oturum doğrulanamadı (%2)").arg(method, why));
    };
    if (!session)
        throw refuse(QStringLiteral("oturum kaydı gönderilmedi"));
    Query q(db, QStringLiteral("SELECT sirano, musteritipi, aktif, carino, sifre FROM kullanicilar "
                               "WHERE bilgisayarid = ? AND adi = ?"));
    q.bind(session->BILGISAYARID()).bind(session->ADI()).exec();
    if (!q.next() || q.value(4).toString() != session->SIFRE())
        throw refuse(QStringLiteral("iş istasyonu, kullanıcı ve şifre eşleşmiyor"));
    if (q.value(2).toInt() != 1)
        throw refuse(QStringLiteral("kullanıcı etkin değil"));
    SessionUser user;
    user.sirano = q.value(0).toInt();
    user.customerType = q.value(1).toInt();
    const bool salesperson = user.customerType == 1 || user.customerType == 2;
    if (salesperson) {
        // A salesperson works for the account chosen; it has to exist (0 is none yet).
        if (session->CARINO() != 0 &&
            !scalar(db, QStringLiteral("SELECT 1 FROM cariler WHERE carino = ?"),
                    {session->CARINO()})
                 .isValid())
            throw refuse(QStringLiteral("%1 numaralı cari yok").arg(session->CARINO()));
        user.account = session->CARINO();
    } else {
        if (session->CARINO() != q.value(3).toInt())
            throw refuse(QStringLiteral("bu cari hesap kullanıcıya ait değil"));
        user.account = q.value(3).toInt();
    }
    return user;
}

}  // namespace zerda::appserver
