#pragma once

#include <QStringList>

namespace zerda::appserver {

// The statements that bring a database from version (index) to version (index + 1).
const QList<QStringList>& schemaSteps();

}  // namespace zerda::appserver
