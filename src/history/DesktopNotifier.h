#pragma once

#include <QString>
#include <QStringList>

// Desktop notifications through the freedesktop notification service on the session bus.
namespace DesktopNotifier {
// Whether a notification service runs; without one the caller says it in its own window.
bool isAvailable();
// Sends the notification without waiting for the answer; false when no service runs.
bool notify(const QString &summary, const QString &body);
// The words of the notification after a run that lost links or found partner sites unreachable for
// days, counted apart: how many, and which (the first few). Empty when there are none.
QString changesSummary(int lost, int unreachable);
QString changesBody(const QString &databaseName, const QStringList &lostTitles,
                    const QStringList &unreachableTitles);
} // namespace DesktopNotifier
