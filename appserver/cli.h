#pragma once

#include <QStringList>

namespace zerda::appserver {

// The administrator's command line; returns the process exit code.
//   --db FILE init-demo [--items N]
//   --db FILE bind-workstation ID USERNAME
//   --db FILE users
//   --db FILE outbox
//   --db FILE serve [--listen ADDR] [--port N]
int runCommandLine(const QStringList& arguments);

}  // namespace zerda::appserver
