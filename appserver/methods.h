#pragma once

#include <QHash>
#include <QJsonArray>
#include <QString>
#include <functional>
#include <optional>
#include <string>

#include "database.h"
#include "errors.h"
#include "marshal.h"
#include "methods.h"
#include "pricing.h"
#include "records.h"
#include "wire.h"

namespace zerda::appserver {

// Errors of a call, with the HTTP status they are answered with.
class CallError : public Error {
public:
    CallError(int status, const QString& message) : Error(message), m_status(status) {}
    int status() const { return m_status; }

private:
    int m_status;
};

// The input parameters of one call, checked against the method's declaration.
class Arguments {
public:
    // Raises CallError (400) when the count or a kind doesn't match.
    Arguments(const MethodInfo& method, QJsonArray values);

    int integer(int index) const;
    double number(int index) const;
    QString text(int index) const;
    bool boolean(int index) const;
    template <class R>
    std::optional<R> record(int index) const {
        try {
            return unmarshal<R>(m_values.at(index), where(index));
        } catch (const ProtocolError& e) {
            throw CallError(400, e.message());
        }
    }

private:
    QString where(int index) const;
    const ParamInfo& param(int index) const { return *m_inputs.at(index); }

    const MethodInfo& m_method;
    QJsonArray m_values;
    QList<const ParamInfo*> m_inputs;
};

struct CallContext {
    Database& database;
    QString clientAddress;
};

using Handler = std::function<void(const Arguments&, JsonWriter& reply, CallContext&)>;

// The server's methods: which are offered, and how a call is answered.
class MethodTable {
public:
    MethodTable();

    // Answers one call with the body of a successful reply. Raises CallError (unknown method,
    // bad request, not offered) or Error for a failure while answering.
    std::string call(const QString& methodName, const QByteArray& body, CallContext& context) const;
    bool offers(const QString& methodName) const { return m_handlers.contains(methodName); }
    void add(const char* name, Handler handler);

private:
    QHash<QString, Handler> m_handlers;
};

// The methods of each area, registered by the table's constructor.
void addSessionMethods(MethodTable& table);
void addSalesMethods(MethodTable& table);
void addCatalogueMethods(MethodTable& table);
void addBasketMethods(MethodTable& table);

// An account's four discount rates (0 for an unknown account).
DiscountRates accountRates(QSqlDatabase db, int carino);

// The session record a call was given, checked against the database: the workstation must be
// bound to that user with that password, the user active, and a dealer may only ask for its own
// account. Raises CallError (403) otherwise.
struct SessionUser {
    int sirano = 0;
    int customerType = 0;
    int account = 0;  // the account the call works for
};
SessionUser authorizeSession(QSqlDatabase db, const std::optional<TSonucBilgisi>& session,
                             const QString& method);

}  // namespace zerda::appserver
