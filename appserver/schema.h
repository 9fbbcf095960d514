#pragma once

#include <QStringList>

namespace zerda::appserver {

// The statements that bring a database from version (index) to version (index + 1).
const QList<QStringList>& schemaSteps();

// SQL for the stock search: an expression folded as the search folds (Turkish letters to their
// plain forms, upper case), the same without blanks, dashes, dots and slashes, an item's whole
// search text (its columns named with the prefix, such as "new."), and its compact stock code.
QString foldedSql(const QString& expression);
QString compactSql(const QString& expression);
QString stockSearchText(const QString& prefix);
QString compactStockCode(const QString& prefix);

}  // namespace zerda::appserver
